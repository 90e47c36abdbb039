#pragma once

#include "core/tags/CTagAttr.h"

#include <QString>
#include <QStringList>

#include <vector>

// One start tag as the tag commands see it: a name, the attributes in the
// order they are written (read with HtmlScanner, as browsers read them), the text a wrapping insertion puts between start
// and end tag, and whether it closes itself ("<BR />"). Attribute names are
// matched without regard to case everywhere; the name and the attribute
// names are written back with the case they were read or given in.
//
// Parsing never fails: text without a tag leaves the name empty, which the
// callers take as "no tag here".
class CTagObj {
public:
    CTagObj() = default;
    explicit CTagObj(const QString& name) : m_name(name) {}

    // Replaces name, attributes and self-closing flag by the first tag found
    // in the text (an end tag gives "/" + name); the inner text stays as it
    // was. A tag the text ends in before its ">" is none. GetStartTag gives
    // the parsed tag back byte for byte until something is changed, and then
    // still every attribute that was not.
    void Parse(const QString& text);

    QString GetStartTag() const;
    QString GetEndTag() const;
    // Start tag, inner text and end tag. With lineBreaks the start tag is
    // followed by CR LF and the inner text ends in CR LF (one is added when
    // it does not already end in one).
    QString GetElement(bool lineBreaks) const;

    // The value of the first attribute of that name; empty when there is
    // none (or it has no value).
    QString GetAttr(const QString& name) const;
    bool HasAttr(const QString& name) const;
    // The value is taken as it is given. An empty value (or a bare pair of
    // quotes) removes the attribute, unless it is there without a value
    // already; an existing attribute keeps its place, a new one is
    // appended.
    void SetAttr(const QString& name, const QString& value);
    // A valueless attribute such as NOSHADE: on adds it unless an attribute
    // of that name is there already, off removes it.
    void SetFlagAttr(const QString& name, bool on);
    // 0 removes the attribute unless keepZero is set (BORDER="0" means
    // something, HSPACE="0" does not).
    void SetIntAttr(const QString& name, int number, bool keepZero);
    // Colours are held as six hexadecimal digits RRGGBB. A value that is not
    // "#" and six characters (a colour name, for instance) reads as empty.
    QString GetColorAttr(const QString& name) const;
    // Six characters get "#" in front; an empty text removes the attribute.
    void SetColorAttr(const QString& name, const QString& color);
    // Index of the choice equal to the value, without regard to case; 0 when
    // the value is empty or matches none (entry 0 usually stands for "not
    // set").
    int GetChoiceAttr(const QString& name, const QStringList& choices) const;
    bool IsPercentAttr(const QString& name) const;
    // Adds or removes the trailing "%" of an existing, non-empty value.
    void SetPercentAttr(const QString& name, bool on);
    // Removes every attribute of that name.
    void RemoveAttr(const QString& name);

    const QString& Name() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    const std::vector<CTagAttr>& Attrs() const { return m_attrs; }
    // For the all-attributes editor, which reorders and edits the list as a
    // whole.
    std::vector<CTagAttr>& Attrs() { return m_attrs; }
    const QString& InnerText() const { return m_innerText; }
    void SetInnerText(const QString& text) { m_innerText = text; }
    bool IsSelfClosing() const { return m_selfClosing; }
    // True for a tag read by Parse from a page (or a template), false for
    // one a command built.
    bool IsParsed() const { return !m_tail.isEmpty(); }
    void SetSelfClosing(bool selfClosing) { m_selfClosing = selfClosing; }

    friend bool operator==(const CTagObj&, const CTagObj&) = default;

private:
    CTagAttr* FindAttr(const QString& name);
    const CTagAttr* FindAttr(const QString& name) const;

    QString m_name;
    std::vector<CTagAttr> m_attrs;
    QString m_innerText;
    bool m_selfClosing = false;
    // What followed the last attribute in the page ("\r\n\t/>"), written
    // back while the self-closing flag stays as it was read.
    QString m_tail;
    bool m_tailSelfClosing = false;
};

// The quote rule for attribute values: all leading and trailing apostrophes
// go first (when apostrophes is set), then all leading and trailing double
// quotes.
QString TrimAttrQuotes(const QString& value, bool apostrophes);
