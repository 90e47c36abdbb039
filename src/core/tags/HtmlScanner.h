#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// One attribute of a tag as it stands in the source. Offsets are into the
// scanned text; valueStart/valueEnd hold the value without its quotes and
// are -1 for an attribute written without "=".
struct HtmlAttrRange {
    qsizetype start = 0;  // the name's first character
    qsizetype nameEnd = 0;
    qsizetype valueStart = -1;
    qsizetype valueEnd = -1;
    qsizetype end = 0;  // after the value and its closing quote
    char16_t quote = 0;  // '"', '\'' or 0 (unquoted or no value)
    // Server code ("<? ?>", "<% %>") standing where an attribute would:
    // start..end is the code, which has no value.
    bool serverCode = false;

    bool HasValue() const { return valueStart >= 0; }
};

// A piece of markup found by the scanner. Text between two tokens, and the
// contents of SCRIPT, STYLE, TEXTAREA, TITLE, XMP and PLAINTEXT, are no
// tokens: they are text.
struct HtmlToken {
    enum class Kind {
        StartTag,
        EndTag,
        Comment,      // <!-- -->
        Declaration,  // <!DOCTYPE>, <![CDATA[ ]]> and other "<!"
        ServerCode,   // <? ?> and <% %>
    };
    Kind kind = Kind::StartTag;
    qsizetype start = 0;  // at "<"
    qsizetype end = 0;    // after the closing ">" (the end of the text when it has none)
    qsizetype nameStart = 0;  // tags only
    qsizetype nameEnd = 0;
    std::vector<HtmlAttrRange> attrs;  // start tags only
    bool selfClosing = false;  // "/>"
    bool closed = false;       // the token ends in its own closing mark
    // A start tag whose contents are text (SCRIPT, STYLE, TEXTAREA and the
    // like): where they end, at the "<" of the end tag or the end of the
    // text. -1 for every other token.
    qsizetype textEnd = -1;

    bool IsTag() const { return kind == Kind::StartTag || kind == Kind::EndTag; }
    QStringView Name(QStringView text) const { return text.mid(nameStart, nameEnd - nameStart); }
};

// Reads HTML source the way the HTML standard's tokenizer does where it
// matters for a tag: a tag starts only at "<" (or "</") followed by a
// letter; a quoted value may hold ">" and the other quote; space, tab, CR,
// LF and FF separate attributes; comments, declarations, server code and
// the contents of the raw-text elements are passed over whole. Server code
// inside a tag, in place of an attribute or within a name or value, is one
// piece of the tag whatever it holds. It never fails: whatever is not
// markup is text.
class HtmlScanner {
public:
    explicit HtmlScanner(QStringView text, qsizetype from = 0) : m_text(text), m_pos(from) {}

    // The next token at or after the scan position; false at the end.
    bool Next(HtmlToken& token);

    // The markup token that begins at the "<" at pos, read on its own
    // (without the raw-text context of a document); nullopt when that "<"
    // starts no markup.
    static std::optional<HtmlToken> ReadAt(QStringView text, qsizetype pos);

    // The tag token that holds the offset (from its "<" up to and including
    // its ">"), in the context of the whole text: a "<" inside a comment or
    // a script is text. nullopt when the offset is in no tag.
    static std::optional<HtmlToken> TagAt(QStringView text, qsizetype offset);

    // The end tag that closes the start tag, counting nested elements of
    // the same name (letter case ignored); nullopt when none does.
    static std::optional<HtmlToken> MatchingEndTag(QStringView text, const HtmlToken& startTag);

    // Where the server code that starts with "<?" or "<%" at `at` ends
    // (after its "?>" or "%>"); -1 when none starts there or it is never
    // closed.
    static qsizetype ServerCodeEnd(QStringView text, qsizetype at);

    static bool IsBlank(QChar c)
    {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
    }

    // The first start tag of that name (letter case ignored) outside
    // comments, scripts and the like; nullopt when there is none.
    static std::optional<HtmlToken> FindStartTag(QStringView text, QStringView name);

    // The elements whose contents are text up to their own end tag.
    static bool IsRawTextElement(QStringView name);

    // Where the contents of a raw-text element that run from `from` end:
    // the "<" of the first "</name" that a blank, "/", ">" or the text's
    // end ends, or text.size() when none does. For SCRIPT this is found as
    // browsers find it: after "<!--" a "<script" hides the next "</script"
    // (a script that writes a script tag), up to "-->". `scriptEscape`
    // carries that state from one piece of the text to the next (0 at the
    // start of the contents).
    static qsizetype RawTextEnd(QStringView text, qsizetype from, QStringView name,
                                int& scriptEscape);

private:
    QStringView m_text;
    qsizetype m_pos;
    // Inside SVG or MathML, where "/>" closes any element and only SCRIPT
    // and STYLE hold raw text.
    bool m_foreign = false;
};
