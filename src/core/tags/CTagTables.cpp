#include "core/tags/CTagTables.h"

#include "core/doc/TextFileReader.h"
#include "platform/Folders.h"

#include <functional>

const QString CTagTables::kElementFile = QStringLiteral("HTMLELEMENT.TXT");
const QString CTagTables::kTagFile = QStringLiteral("HTMLTAG.TXT");
const QString CTagTables::kStyleFile = QStringLiteral("STYLEELEMENT.TXT");

namespace {

// Reads every line that is not empty; false when the file cannot be opened.
bool ReadTableFile(const QString& path, const std::function<void(const QString&)>& take)
{
    TextFileReader reader;
    if (!reader.Open(path, QStringLiteral("rt")))
        return false;
    QString line;
    while (reader.ReadLine(line))
        if (!line.isEmpty())
            take(line);
    return true;
}

// The line split at every blank; blank runs give nothing between them.
QStringList Words(const QString& line)
{
    QStringList words;
    QString word;
    for (const QChar c : line) {
        if (IsTableBlank(c)) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

} // namespace

int CTagTables::Load(const QString& elementPath, const QString& tagPath, const QString& stylePath)
{
    Clear();
    if (!ReadTableFile(elementPath, [this](const QString& l) { AddAttrLine(l); }))
        return 0;
    if (!ReadTableFile(tagPath, [this](const QString& l) { AddTagLine(l); }))
        return 1;
    if (!ReadTableFile(stylePath, [this](const QString& l) { AddStyleLine(l); }))
        return 2;
    return 3;
}

int CTagTables::LoadProgramFiles()
{
    using platform::Folders;
    return Load(Folders::FindProgramFile(kElementFile), Folders::FindProgramFile(kTagFile),
                Folders::FindProgramFile(kStyleFile));
}

void CTagTables::Clear()
{
    // Tags refer to attributes: they go first.
    m_tags.clear();
    m_attrs.clear();
    m_styles.clear();
}

void CTagTables::AddAttrLine(const QString& line)
{
    CAttrDef def = ParseAttrDef(line);
    if (!def.name.isEmpty())
        m_attrs.push_back(std::make_unique<CAttrDef>(std::move(def)));
}

void CTagTables::AddStyleLine(const QString& line)
{
    CAttrDef def = ParseAttrDef(line);
    if (!def.name.isEmpty())
        m_styles.push_back(std::make_unique<CAttrDef>(std::move(def)));
}

void CTagTables::AddTagLine(const QString& line)
{
    // A blank before the name would otherwise make a tag without a name and
    // hand its attributes to nobody.
    const QStringList words = Words(line);
    if (words.isEmpty())
        return;
    auto tag = std::make_unique<CTagDef>();
    tag->name = words.first();
    if (tag->name.startsWith(u'/')) {
        tag->name.remove(0, 1);
        tag->plainName = false;
    }
    if (tag->name.isEmpty())
        return;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const CAttrDef* def = FindAttr(words[i], tag->name);
        if (!def) {
            CAttrDef made = ParseAttrDef(words[i]);
            if (made.name.isEmpty())
                continue;
            m_attrs.push_back(std::make_unique<CAttrDef>(std::move(made)));
            def = m_attrs.back().get();
        }
        tag->attrs.push_back(def);
    }
    m_tags.push_back(std::move(tag));
}

const CTagDef* CTagTables::FindTag(const QString& name) const
{
    for (const auto& t : m_tags)
        if (t->name.compare(name, Qt::CaseInsensitive) == 0)
            return t.get();
    return nullptr;
}

const CAttrDef* CTagTables::FindAttr(const QString& attrName, const QString& tagName) const
{
    for (const auto& a : m_attrs)
        if (a->Matches(attrName, tagName))
            return a.get();
    return nullptr;
}

const CAttrDef* CTagTables::FindStyleProperty(const QString& name) const
{
    for (const auto& s : m_styles)
        if (s->name.compare(name, Qt::CaseInsensitive) == 0)
            return s.get();
    return nullptr;
}

void CTagTables::ListTagNames(QStringList& list, bool lower) const
{
    list.clear();
    list.reserve(static_cast<qsizetype>(m_tags.size()));
    for (const auto& t : m_tags)
        list.append(lower ? t->name.toLower() : t->name);
}

QStringList CTagTables::TagNames(bool lower) const
{
    QStringList names;
    ListTagNames(names, lower);
    return names;
}

QStringList CTagTables::AttrNamesOf(const QString& tagName) const
{
    QStringList names;
    auto add = [&names](const QString& name) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    };
    if (const CTagDef* tag = FindTag(tagName)) {
        for (const CAttrDef* a : tag->attrs)
            add(a->name);
    } else {
        for (const auto& a : m_attrs)
            if (a->ownerTag.isEmpty())
                add(a->name);
    }
    return names;
}

QStringList CTagTables::StylePropertyNames() const
{
    QStringList names;
    for (const auto& s : m_styles)
        names.append(s->name);
    return names;
}
