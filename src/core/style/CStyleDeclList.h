#pragma once

#include "core/style/CStyleDecl.h"
#include "core/style/StyleValues.h"

#include <QString>
#include <QStringList>

#include <vector>

class CssReader;
struct CssItem;

// The declarations of a rule or of a STYLE attribute, in the order they are
// written. Properties are found by name without regard to case and the
// first match wins; a changed declaration keeps its place and a new one is
// appended, so that text the pages do not touch stays where it was.
class CStyleDeclList {
public:
    int Find(const QString& name) const;
    bool Has(const QString& name) const { return Find(name) >= 0; }
    // "" when absent.
    QString Get(const QString& name) const;
    // A non-empty text other than two double quotation marks sets the value
    // (trimmed); an empty text or the two marks remove the property (that is
    // how a field asks for removal).
    void Set(const QString& name, const QString& text);
    void Remove(const QString& name) { Set(name, QString()); }

    void GetNumber(const QString& name, const StyleKeywords& keywords, QString& number,
                   int& unit) const;
    // A length; an empty number removes the property.
    void SetNumber(const QString& name, const QString& number, int unit);
    QString GetColor(const QString& name) const { return ReadStyleColor(Get(name)); }
    void SetColor(const QString& name, const QString& text) { Set(name, StyleColorText(text)); }
    QString GetUrl(const QString& name) const { return ReadStyleUrl(Get(name)); }
    // url('path'); an empty path removes the property.
    void SetUrl(const QString& name, const QString& path);
    // The declaration that takes effect among those with any of the names
    // (a shorthand and its longhands): the last one marked "!important",
    // else the last one. -1 when there is none.
    int Effective(const QStringList& names) const;
    // The value that takes effect for the name; "" when absent.
    QString Value(const QString& name) const;
    // Sets the declaration that takes effect, in its place and keeping its
    // "!important"; appends one when there is none; an empty text removes
    // every declaration of the name.
    void SetEffective(const QString& name, const QString& text);
    // Sets the name after every other declaration, so that it overrides
    // the one at `over` (a shorthand; -1 for none), with that one's
    // "!important" (without it, it would not take effect); earlier
    // declarations of the name go.
    void Override(const QString& name, const QString& text, int over);
    // Whether a declaration's name is the prefix or begins with it and "-"
    // ("background" for background-size): a shorthand of the group would
    // reset it.
    bool HasGroup(const QString& prefix) const;
    // Whether the declaration with this name carries "!important".
    bool IsImportant(const QString& name) const;
    // The index of the first of the list's entries equal to the value (case
    // ignored); 0 when the value is empty or matches none, so entry 0 also
    // stands for "not specified".
    int KeywordIndex(const QString& name, const QStringList& list) const;

    // Replaces the list by the declarations of the text ("a: b; c: d"),
    // read as a browser reads a block's contents: ";" inside strings,
    // url() and brackets ends nothing. Comments, nested rules and text
    // that is no declaration become kept entries.
    void Parse(const QString& text);
    // The same from items a reader found.
    void Assign(const CssReader& reader, const std::vector<CssItem>& items);
    // "name: value;" one after the other; with prefix and suffix around each
    // (TAB and CR LF in a multi-line block). Kept entries are written as
    // they were. What a value or entry left open at the end of the text it
    // came from (a comment, a string, brackets) is closed, so that the ";"
    // and what follows are not swallowed.
    QString ToText(const QString& prefix = QString(), const QString& suffix = QString()) const;

    const std::vector<CStyleDecl>& Items() const { return m_decls; }
    int Count() const { return static_cast<int>(m_decls.size()); }
    bool IsEmpty() const { return m_decls.empty(); }
    void Append(const CStyleDecl& decl) { m_decls.push_back(decl); }
    void Insert(int index, const CStyleDecl& decl)
    {
        m_decls.insert(m_decls.begin() + index, decl);
    }
    void RemoveAt(int index) { m_decls.erase(m_decls.begin() + index); }
    CStyleDecl& At(int index) { return m_decls[index]; }
    void Clear() { m_decls.clear(); }

    friend bool operator==(const CStyleDeclList&, const CStyleDeclList&) = default;

private:
    std::vector<CStyleDecl> m_decls;
};

// One entry as a list writes it: "name", the colon text, the value (closed
// where it was left open) and "!important", then ";" when `end` is set.
// Kept text always gets the ";" it needs.
void AppendStyleEntry(QString& out, const CStyleDecl& decl, QStringView colon, bool end = true);
