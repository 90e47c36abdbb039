#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Colouring of source text one line at a time, for an editor that colours
// only the lines that changed. Each line is classified from the state the
// line before it ended in; a line whose end state comes out as before
// leaves every line after it as it was.
//
// HTML is read with the tag reader's rules (see HtmlScanner): a tag starts
// at "<" + letter, a quoted value may hold ">" and line ends, comments,
// declarations and server code run to their closing marks, and the contents
// of SCRIPT and STYLE are coloured as script and CSS up to their end tags.
// STYLE attributes are coloured as CSS declarations.

enum class SyntaxLanguage { None, Html, Css, Script };

// By the file name's extension: .css is CSS, .js/.mjs/.cjs/.json script,
// .txt and a name without one plain text; everything else (.html, .shtml,
// .php, .cgi, ...) and a document not saved yet is read as HTML.
SyntaxLanguage SyntaxForPath(const QString& path);

enum class SyntaxKind : unsigned char {
    Tag,          // "<", "</", the element name, "/>" and ">"
    AttrName,
    AttrValue,    // with its quotes
    Comment,      // HTML, CSS and script comments
    CharRef,      // &amp; &#38; &#x26;
    Declaration,  // <!DOCTYPE ...>, CDATA, <? ?> and <% %>
    Selector,     // CSS selectors
    Property,     // CSS property names
    Value,        // CSS keywords and functions in values
    Number,       // CSS numbers, lengths and hash colours; script numbers
    String,       // CSS and script strings, url(), script regular expressions
    Keyword,      // CSS at-rules and !important; script keywords
};

// A coloured run of a line; runs are in order and do not overlap.
struct SyntaxRange {
    int start;
    int length;
    SyntaxKind kind;

    bool operator==(const SyntaxRange&) const = default;
};

// The state before the first line.
inline constexpr int kSyntaxStartState = 0;

// A line longer than this is left uncoloured and the next line starts
// afresh: the work on one line stays far below a screen refresh however long
// the line, and Qt lays out and draws a line of megabytes (a minified page)
// markedly slower with colours than without.
inline constexpr int kSyntaxMaxLineChars = 20000;

// Appends the runs of one line (without its line end) to `out` and returns
// the state the line ends in. `state` is kSyntaxStartState or what the line
// before returned.
int ClassifyLine(SyntaxLanguage language, QStringView line, int state,
                 std::vector<SyntaxRange>& out);
