#pragma once

#include <QString>

#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

// Text algorithms of the tag removal, capture and conversion commands; they
// work on plain strings so that each can be tested alone.

// The outermost element of a text: the first start tag and the end tag of
// the same name (letter case ignored) that closes it, nested elements of that name
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

// A part of a page that commands writing tags into text must leave alone:
// a markup token (tag, comment, declaration, server code; also one that
// runs over lines) or the contents of SCRIPT, STYLE and the other elements
// whose contents are text. Offsets into the whole text.
struct MarkupPiece {
    qsizetype start = 0;
    qsizetype end = 0;
};
// The pieces that touch text[from, to], in order; the page is read from
// its start so that what a piece is does not depend on the selection.
std::vector<MarkupPiece> MarkupPieces(QStringView text, qsizetype from, qsizetype to);
// Whether the line that starts at pos belongs to one of the pieces: it
// starts after a piece's start, up to its end (a line that begins with a
// script's end tag still ends the script's text). Tokens end in ">", so
// no line starts right after one.
bool LineInMarkup(const std::vector<MarkupPiece>& pieces, qsizetype lineStart);
// text[from, to) with convert applied to the parts outside markup pieces;
// the pieces themselves come back as they are. A bare "<P>" counts as text,
// so that the paragraph conversion can give it its blank line.
QString ConvertOutsideMarkup(QStringView text, qsizetype from, qsizetype to,
                             const std::function<QString(const QString&)>& convert);

// Every line break becomes "<P>" or "<BR>" followed by the line break.
QString BreaksToParagraphs(const QString& text);
QString BreaksToLineBreaks(const QString& text);
// Blank lines become paragraph breaks, the other line breaks "<BR>".
QString BreaksToParagraphsAndLineBreaks(const QString& text);
// The text hidden in comments. A comment ends at the first "-->" (or
// "--!>"), so a comment the text holds is kept as it is and the text around
// it gets comments of its own, and any other "-->" ends one comment and a
// new one begins after it. Taking out the added "<!--" and "-->" gives the
// text back.
QString HideInComments(const QString& text);
// "<" and ">" become "&lt;" and "&gt;"; "&" stays as it is.
QString EscapeAngleBrackets(const QString& text);
