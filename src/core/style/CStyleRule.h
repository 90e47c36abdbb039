#pragma once

#include "core/style/CStyleDeclList.h"
#include "core/style/CStyleSelector.h"

#include <QString>

#include <memory>
#include <vector>

class CssReader;
struct CssItem;

// One CSS rule: selectors (or the prelude of an at-rule such as
// "@media screen and (max-width: 600px)"), declarations, and the text that
// stood in front of it in the sheet (comments, blanks, "<!--"). The STYLE
// attribute of a tag is a rule without selectors.
//
// A rule read from text remembers that text: as long as the user changes
// neither its selectors nor its declarations, it is written back exactly
// as it stood (WriteBack). A changed rule is written back with only what
// changed rewritten: changed selectors, a changed declaration in its
// place, a removed one with its line, an added one in the rule's own
// layout; the rest keeps its bytes.
class CStyleRule {
public:
    // The selectors (none for an at-rule, whose prelude is its selectors
    // text) and the declarations. A rule of a sheet reads them from its
    // text when they are first asked for: a sheet of many rules holds its
    // text, not their parts, until one is edited.
    std::vector<CStyleSelector>& Selectors();
    const std::vector<CStyleSelector>& Selectors() const;
    CStyleDeclList& Declarations();
    const CStyleDeclList& Declarations() const;
    // The text that stood in front of the rule in its sheet (comments,
    // blanks, "<!--"); empty for a rule made since.
    QStringView Comment() const;

    // The first rule of the text, read as a browser reads it, and where it
    // stands in the text ([*start, *end) when given). Gives false, with
    // nothing read, when the text holds no rule (no "{" after the
    // selectors).
    bool ParseRule(const QString& text, int* start = nullptr, int* end = nullptr);
    // Declarations of a STYLE attribute, remembered as they stand.
    void ParseInline(const QString& text);
    // The rule an item of a sheet stands for.
    void Read(const CssReader& reader, const CssItem& item);
    // The same, its parts read when they are asked for; the text from
    // `commentStart` to the item is its comment.
    void ReadLater(const CssReader& reader, const CssItem& item, int commentStart);
    // Splits at every "," (a trailing one gives no extra selector) and each
    // piece at every blank. The prelude of an at-rule ("@...") stays one
    // text.
    void ParseSelectors(const QString& text);
    QString SelectorsText() const;
    // inline: the declarations only ("a: b;c: d;"); otherwise the block, on
    // one line or with one TAB-indented declaration per line, each line
    // ended by `lineEnd`.
    QString ToText(bool inlineStyle, bool multiLine,
                   const QString& lineEnd = QStringLiteral("\r\n")) const;

    // Whether the selectors or declarations differ from the text the rule
    // was read from; always true for a rule that was not read.
    bool Changed() const;
    // The text as read with what changed rewritten in it; a rule that was
    // not read (or whose entries changed their order) in the block form.
    // New lines take the rule's own line end, else `lineEnd` (the one of
    // the text around it).
    QString WriteBack(bool inlineStyle = false,
                      const QString& lineEnd = QStringLiteral("\r\n")) const;
    // The text the rule was read from (empty for a rule made since).
    QStringView Source() const { return QStringView(m_text).mid(m_start, m_end - m_start); }
    // A rule made since, not read from text.
    bool IsNew() const { return !m_read; }
    // The line end the rule's own text uses; empty when it has none.
    QString OwnLineEnd() const;
    // An at-rule ended by ";" (@import, @charset): no block to edit.
    bool IsStatement() const { return m_statement; }
    // A rule whose block holds declarations the style pages can edit: a
    // style rule, @font-face, @page and the like, not @media or @import.
    bool IsEditable() const;

private:
    // Where a read entry stood in the rule's text.
    struct Span {
        int start, end, nameEnd, valueStart, valueEnd, importantEnd;
    };

    // Reads the parts of a rule read later.
    void Parse() const;
    void Fill(const CssReader& reader, const CssItem& item) const;
    void SetSelectors(const QString& text) const;
    bool EditInPlace(bool inlineStyle, const QString& lineEnd, QString& out) const;

    // The text the rule was read from, shared with its sheet: the comment
    // is [m_commentStart, m_start), the rule [m_start, m_end).
    QString m_text;
    int m_commentStart = 0;
    int m_start = 0;
    int m_end = 0;
    bool m_statement = false;
    bool m_read = false;

    // The rule's parts, read when first asked for (a sheet's rules are many
    // and mostly never edited, so they hold nothing else until then).
    struct Parts {
        std::vector<CStyleSelector> selectors;
        CStyleDeclList declarations;
        // The selectors text as read (on one line) and the selectors it
        // gave: while the selectors still equal those, the text is
        // written as read.
        QString selectorText;
        std::vector<CStyleSelector> selectorParts;
        QString readSelectors;
        CStyleDeclList readDeclarations;
        // In the rule's text: the end of the selectors (before the blanks
        // in front of "{"), the block's contents and each read entry.
        int preludeEnd = 0;
        int bodyStart = 0;
        int bodyEnd = 0;
        std::vector<Span> spans;
    };
    // Null while the parts of a rule read later are still unread.
    mutable std::unique_ptr<Parts> m_parts;

public:
    CStyleRule();
    CStyleRule(const CStyleRule& other);
    CStyleRule(CStyleRule&&) noexcept = default;
    CStyleRule& operator=(const CStyleRule& other);
    CStyleRule& operator=(CStyleRule&&) noexcept = default;
    ~CStyleRule();
};

// The line end of the text around [start, end): the first one after it,
// else the last one before it, else CR LF.
QString LineEndAround(QStringView text, qsizetype start, qsizetype end);
// The line end at i ("\r\n", "\n" or "\r"); the first and the last of a
// text (empty when it has none).
QString LineEndAt(QStringView text, qsizetype i);
QString FirstLineEnd(QStringView text);
QString LastLineEnd(QStringView text);
