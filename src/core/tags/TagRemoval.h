#pragma once

#include <QString>

#include <optional>

// Text algorithms of the tag removal, capture and conversion commands; they
// work on plain strings so that each can be tested alone.

// The outermost element of a text: the first start tag and the end tag of
// the same name (exact case) that closes it, nested elements of that name
// counted. Tags are read with HtmlScanner.
struct OutermostElement {
    QString name;
    qsizetype startTag = 0;      // at the start tag's "<"
    qsizetype contentStart = 0;  // just after the start tag's ">"
    qsizetype contentEnd = 0;    // at the end tag's "<"
    qsizetype endTagEnd = 0;     // just after the end tag's ">"
};
// nullopt when the text has no tag, the tag has no name, or no end tag
// matches.
std::optional<OutermostElement> FindOutermostElement(const QString& text);

// The text without its tags, comments and declarations; server code, the
// contents of scripts and style sheets, and a "<" that starts no tag stay.
QString StripTags(const QString& text);

// The tags around a selection: the tags before the first text between tags
// form the start part, the rest the end part; text between tags is dropped.
struct CapturedTags {
    QString start;
    QString end;
};
CapturedTags CaptureTags(const QString& text);

// Every line break becomes "<P>" or "<BR>" followed by the line break.
QString BreaksToParagraphs(const QString& text);
QString BreaksToLineBreaks(const QString& text);
// Blank lines become paragraph breaks, the other line breaks "<BR>".
QString BreaksToParagraphsAndLineBreaks(const QString& text);
// "<" and ">" become "&lt;" and "&gt;"; "&" stays as it is.
QString EscapeAngleBrackets(const QString& text);
