#pragma once

#include "core/style/CssTokens.h"

#include <QString>
#include <QStringView>

#include <vector>

// One piece of a style sheet or of a block's contents, as a browser reads
// it, with its ranges in the text (character offsets, end exclusive).
struct CssItem {
    enum class Kind : unsigned char {
        QualifiedRule, // selectors and a {} block
        AtRule,        // "@name prelude" and a {} block or ";"
        Declaration,   // "name: value [!important]"
        Comment,       // a comment between the declarations of a block
        Other,         // text of a block that is neither (dropped by browsers)
    };
    Kind kind = Kind::Other;
    // The whole item, with the ";" or "}" that ends it.
    int start = 0;
    int end = 0;
    // The item's first token and, for rules, the token that ends the
    // prelude ("{", ";" or the end of the range).
    int firstToken = 0;
    int preludeLast = 0;
    // Rules: the prelude runs from start to preludeEnd (the "{" or ";").
    // The block's contents are [bodyStart, bodyEnd), its tokens
    // [bodyFirst, bodyLast); bodyStart is -1 for an at-rule ended by ";".
    // closed is false when the text ended inside the block.
    int preludeEnd = 0;
    int bodyStart = -1;
    int bodyEnd = -1;
    int bodyFirst = 0;
    int bodyLast = 0;
    bool closed = false;
    // Declarations: the name is [start, nameEnd), the value [valueStart,
    // valueEnd) without the blanks around it and without "!important",
    // which ends at importantEnd (valueEnd when there is none).
    int nameEnd = 0;
    int valueStart = 0;
    int valueEnd = 0;
    int importantEnd = 0;
    bool important = false;
};

// Reads CSS text into rules, at-rules and declarations by the block rules
// of CSS Syntax Level 3 (with nesting): strings, comments, url() and
// brackets never end a rule or a declaration, "{" "}" blocks nest, a
// declaration ends at a ";" outside brackets, and what looks like a
// declaration but holds a {} block among other values is a nested rule.
class CssReader {
public:
    explicit CssReader(const QString& text);

    const QString& Text() const { return m_text; }
    QStringView Slice(int start, int end) const
    {
        return QStringView(m_text).mid(start, end - start);
    }
    int TokenCount() const { return static_cast<int>(m_tokens.size()); }
    // A token's kind and its range in the text.
    CssTokenKind KindAt(int token) const { return m_tokens[token].kind; }
    int Start(int token) const { return m_tokens[token].start; }
    int End(int token) const { return StartOf(token + 1); }

    // The rules and at-rules of a style sheet. Blanks, comments and the
    // HTML comment marks between them are no items; a rule whose "{"
    // never comes is no item either (browsers drop it).
    std::vector<CssItem> ReadSheet() const;
    // The contents of a block, or of a whole STYLE attribute with
    // ReadContents(0, TokenCount()).
    std::vector<CssItem> ReadContents(int firstToken, int lastToken) const;
    std::vector<CssItem> ReadBody(const CssItem& rule) const
    {
        return rule.bodyStart < 0 ? std::vector<CssItem>()
                                  : ReadContents(rule.bodyFirst, rule.bodyLast);
    }

    // The selectors or at-rule prelude of a rule as one line: blanks at
    // both ends dropped, line breaks inside made blanks (or dropped next to
    // a comma or another blank), so that the rule means the same.
    QString PreludeText(const CssItem& rule) const;

private:
    // The index of the token that closes the bracket opened at `open`, or
    // `last` when the text ends first.
    int SkipBlock(int open, int last) const;
    // From an at-keyword or the first token of a qualified rule up to its
    // block's end or (for at-rules, and for rules inside a block) its ";".
    // Gives false when no block came before `last` or a ";" ended a
    // qualified rule; `end` is then where the text that is no rule ends.
    bool ReadRule(int first, int last, bool nested, CssItem& item, int& next) const;
    bool ReadDeclaration(int first, int last, CssItem& item, int& next) const;
    int StartOf(int token) const;
    bool NeedsBreakAfter(int token) const;
    int EndOf(int token, int last) const;

    QString m_text;
    std::vector<CssTokenStart> m_tokens;
    mutable std::vector<CssTokenKind> m_stack;
};

// What closes the text: "*/" for a comment, a quotation mark for a string,
// ")" "]" "}" for brackets left open at its end, a line break after a
// string a line break cut; empty when nothing is open. Text that ran to the
// end of a sheet is closed by the end; written with more text after it, it
// needs these.
QString CssClosers(QStringView text);
