#pragma once

#include "core/tags/CAttrDef.h"
#include "core/tags/CTagDef.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The tag reference tables: which tags there are, which attributes each
// takes with the kind of value, and the CSS properties. They come from three
// text files the program ships and the user may edit; nothing of their
// contents is built into the program.
//
// Every definition is owned by its table and never moves once added, so the
// pointers the lookups give stay good until the next Load or Clear.
class CTagTables {
public:
    // File names in the program's folder.
    static const QString kElementFile;  // attribute definitions
    static const QString kTagFile;      // tag definitions
    static const QString kStyleFile;    // style property definitions

    CTagTables() = default;
    CTagTables(const CTagTables&) = delete;
    CTagTables& operator=(const CTagTables&) = delete;

    // Clears the tables, then reads the element file, the tag file and the
    // style file, in that order. A file that cannot be opened leaves its
    // table empty and the files after it unread (the tags refer to the
    // elements). Gives the number of files read (0 to 3).
    int Load(const QString& elementPath, const QString& tagPath, const QString& stylePath);
    // The three files looked up as the program's own files (user data
    // folder, beside the program, installed share folder), each on its own.
    int LoadProgramFiles();
    void Clear();

    // Parses one line of the tag file against the attribute table: each
    // attribute token refers to the first definition that matches it for
    // this tag; a token without one gets a new definition, appended to the
    // attribute table. Lines with no name give nothing.
    void AddTagLine(const QString& line);
    // One line of the element or style file; a line without a name gives
    // nothing.
    void AddAttrLine(const QString& line);
    void AddStyleLine(const QString& line);

    const std::vector<std::unique_ptr<CTagDef>>& Tags() const { return m_tags; }
    const std::vector<std::unique_ptr<CAttrDef>>& Attrs() const { return m_attrs; }
    // The CSS properties, in file order (the style sheet dialog's property
    // names, kinds and keyword choices).
    const std::vector<std::unique_ptr<CAttrDef>>& StyleProperties() const { return m_styles; }

    // The first tag of that name, without regard to case.
    const CTagDef* FindTag(const QString& name) const;
    // The first attribute definition for that attribute of that tag: its
    // owner is empty or the tag. A tag's own list is not consulted, so an
    // attribute the tag file does not name for the tag is still found.
    const CAttrDef* FindAttr(const QString& attrName, const QString& tagName) const;
    // The first style property of that name, without regard to case.
    const CAttrDef* FindStyleProperty(const QString& name) const;

    // The names of the tag table in file order, lower-cased on request:
    // the list is emptied and filled.
    void ListTagNames(QStringList& list, bool lower) const;
    QStringList TagNames(bool lower = false) const;
    // The attribute names the tag takes: its own list in file order, for a
    // tag that is not in the table every attribute defined for all tags.
    QStringList AttrNamesOf(const QString& tagName) const;
    QStringList StylePropertyNames() const;

private:
    std::vector<std::unique_ptr<CTagDef>> m_tags;
    std::vector<std::unique_ptr<CAttrDef>> m_attrs;
    std::vector<std::unique_ptr<CAttrDef>> m_styles;
};
