#include "core/app/FileChooserModel.h"

#include "core/app/UiText.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QDir>

#include <sys/stat.h>

#include <algorithm>

namespace {

bool HasWildcard(const QString& text)
{
    return text.contains(u'*') || text.contains(u'?');
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Names in the order a reader expects: letter case ignored, and numbers by
// their value, so that page2 comes before page10.
int CompareNames(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            while (i < a.size() && a[i] == u'0')
                ++i;
            while (j < b.size() && b[j] == u'0')
                ++j;
            qsizetype endA = i, endB = j;
            while (endA < a.size() && IsDigit(a[endA]))
                ++endA;
            while (endB < b.size() && IsDigit(b[endB]))
                ++endB;
            // Without leading zeros, the longer number is the greater.
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            if (const int c = a.sliced(i, endA - i).compare(b.sliced(j, endB - j)))
                return c;
            i = endA;
            j = endB;
            continue;
        }
        const char32_t x = QChar::toCaseFolded(a[i].unicode());
        const char32_t y = QChar::toCaseFolded(b[j].unicode());
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    const qsizetype restA = a.size() - i, restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

std::vector<FileChooserModel::Entry> ReadEntries(const QString& folder, bool* readable)
{
    std::vector<platform::FolderEntry> listed = platform::ListFolder(folder, readable);
    std::vector<FileChooserModel::Entry> entries;
    entries.reserve(listed.size());
    for (platform::FolderEntry& e : listed) {
        using Kind = platform::FolderEntry::Kind;
        // What is neither a file nor a folder (a FIFO, a socket, a broken
        // link) is nothing to open; typed, it is still found by Resolve.
        if (e.kind == Kind::Other)
            continue;
        FileChooserModel::Entry entry;
        entry.shown = platform::DisplayPath(e.name);
        entry.name = std::move(e.name);
        entry.folder = e.kind == Kind::Folder || e.kind == Kind::FolderLink;
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        if (a.folder != b.folder)
            return a.folder;
        if (const int c = CompareNames(a.shown, b.shown))
            return c < 0;
        return a.name < b.name;
    });
    return entries;
}

} // namespace

FileChooserModel::FileChooserModel(Ui::FileDialog dialog) : m_dialog(std::move(dialog))
{
    // A filter is translated whole, as it is written; a name that was put
    // together from pieces is translated by itself.
    static const QRegularExpression shownPatterns(QStringLiteral("\\([^()]*\\*[^()]*\\)\\s*$"));
    for (const auto& [name, patterns] : Ui::ParseFilter(UiText(m_dialog.filter))) {
        const QStringList list = SplitPatterns(patterns);
        // The name carries its patterns for a chooser that shows only names
        // ("HTMLﾌｧｲﾙ(*.htm*)"); the real ones are shown instead.
        QString shown = name;
        shown.remove(shownPatterns);
        m_types.emplace_back(
            QStringLiteral("%1 (%2)").arg(UiText(shown.trimmed()), list.join(u' ')), list);
    }
    SetTypeIndex(0);
    const QString& initial = m_dialog.initialFolder;
    if (initial.isEmpty() || !SetFolder(initial))
        if (!SetFolder(QDir::homePath()))
            SetFolder(QStringLiteral("/"));
}

QStringList FileChooserModel::SplitPatterns(const QString& patterns)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    QStringList list = patterns.split(separators, Qt::SkipEmptyParts);
    for (QString& p : list)
        // "*.*" meant every file; here it would miss names without a dot.
        if (p == u"*.*")
            p = QStringLiteral("*");
    return list;
}

QString FileChooserModel::WithDefaultExtension(const QString& path, const QString& extension)
{
    if (extension.isEmpty() || path.isEmpty())
        return path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.contains(u'.'))
        return path;
    return path + u'.' + extension;
}

bool FileChooserModel::SetFolder(const QString& path)
{
    const QString folder = platform::AbsolutePath(path);
    bool readable = false;
    std::vector<Entry> entries = ReadEntries(folder, &readable);
    if (!readable)
        return false;
    m_folder = folder;
    m_entries = std::move(entries);
    Rebuild();
    return true;
}

QString FileChooserModel::ParentFolder() const
{
    if (m_folder == u"/")
        return QString();
    const qsizetype slash = m_folder.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : m_folder.left(slash);
}

QStringList FileChooserModel::TypeNames() const
{
    QStringList names;
    for (const auto& [name, patterns] : m_types)
        names.append(name);
    return names;
}

void FileChooserModel::SetTypeIndex(int index)
{
    SetPatterns(index >= 0 && index < int(m_types.size()) ? m_types[index].second.join(u';')
                                                           : QString());
}

void FileChooserModel::SetPatterns(const QString& patterns)
{
    m_patterns.clear();
    m_suffixes.clear();
    for (const QString& p : SplitPatterns(patterns)) {
        if (p == u"*") {
            m_patterns.clear();
            m_suffixes.clear();
            break;
        }
        // Letter case ignored: pages from Windows are often "INDEX.HTM".
        m_patterns.append(QRegularExpression::fromWildcard(p, Qt::CaseInsensitive));
        m_suffixes.append(p.startsWith(u'*') && !HasWildcard(p.mid(1)) ? p.mid(1) : QString());
    }
    Rebuild();
}

void FileChooserModel::Rebuild()
{
    m_visible.clear();
    for (const Entry& e : m_entries) {
        if (!m_showHidden && e.name.startsWith(u'.'))
            continue;
        if (!e.folder && !m_patterns.isEmpty() && !MatchesType(e.shown))
            continue;
        m_visible.push_back(e);
    }
}

bool FileChooserModel::MatchesType(const QString& name) const
{
    for (qsizetype i = 0; i < m_patterns.size(); ++i) {
        // "*.html" is only an ending, which is quicker told than by the
        // expression (a folder of many thousands is filtered at every key).
        const bool match = m_suffixes[i].isEmpty()
                               ? m_patterns[i].match(name).hasMatch()
                               : name.endsWith(m_suffixes[i], Qt::CaseInsensitive);
        if (match)
            return true;
    }
    return false;
}

bool FileChooserModel::SetTypedName(const QString& text)
{
    const bool hidden = text.startsWith(u'.');
    if (hidden == m_showHidden)
        return false;
    m_showHidden = hidden;
    Rebuild();
    return true;
}

int FileChooserModel::FirstStartingWith(const QString& text) const
{
    if (text.isEmpty())
        return -1;
    for (size_t i = 0; i < m_visible.size(); ++i)
        if (m_visible[i].shown.startsWith(text, Qt::CaseInsensitive))
            return int(i);
    return -1;
}

QString FileChooserModel::InitialName() const
{
    if (HasWildcard(m_dialog.initialName))
        return QString();
    return platform::DisplayPath(m_dialog.initialName);
}

QString FileChooserModel::Join(const QString& folder, const QString& name) const
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

std::optional<FileChooserModel::Entry> FileChooserModel::Find(const QString& folder,
                                                              const QString& name) const
{
    const QString path = Join(folder, name);
    if (platform::PathExists(path))
        return Entry{name, platform::DisplayPath(name), platform::IsFolder(path)};
    std::vector<Entry> listed;
    if (folder != m_folder)
        listed = ReadEntries(folder, nullptr);
    const std::vector<Entry>& entries = folder == m_folder ? m_entries : listed;
    const auto it = std::find_if(entries.cbegin(), entries.cend(),
                                 [&](const Entry& e) { return e.shown == name; });
    if (it == entries.cend())
        return std::nullopt;
    return *it;
}

FileChooserModel::Choice FileChooserModel::Resolve(const QString& typed, int current) const
{
    using Kind = Choice::Kind;
    Choice c;
    if (current >= 0 && current < int(m_visible.size())
        && (typed.isEmpty() || typed == m_visible[current].shown)) {
        const Entry& e = m_visible[current];
        c.kind = e.folder ? Kind::Folder : Kind::File;
        c.path = Join(m_folder, e.name);
        c.exists = true;
        return c;
    }
    if (typed.isEmpty())
        return c;
    if (!typed.contains(u'/') && HasWildcard(typed)) {
        c.kind = Kind::Filter;
        c.patterns = typed;
        return c;
    }

    QString text = typed;
    if (text == u"~" || text.startsWith(QStringLiteral("~/")))
        text = QDir::homePath() + text.mid(1);
    // The initial name stands for its own bytes, which a name shown as
    // CP932 text would not give back when typed.
    else if (text == InitialName())
        text = m_dialog.initialName;
    const QString full = QDir::cleanPath(text.startsWith(u'/') ? text : Join(m_folder, text));
    const qsizetype slash = full.lastIndexOf(u'/');
    const QString folder = slash <= 0 ? QStringLiteral("/") : full.left(slash);
    const QString name = full.mid(slash + 1);
    if (name.isEmpty()) {
        c.kind = Kind::Folder;
        c.path = folder;
        return c;
    }
    if (!platform::IsFolder(folder)) {
        c.kind = Kind::NoFolder;
        c.path = folder;
        return c;
    }

    auto found = [&](const Entry& e) {
        c.kind = e.folder ? Kind::Folder : Kind::File;
        c.path = Join(folder, e.name);
        c.exists = true;
        return c;
    };
    const std::optional<Entry> entry = Find(folder, name);
    if (entry && entry->folder)
        return found(*entry);
    const QString completed = WithDefaultExtension(name, m_dialog.defaultExtension);
    if (m_dialog.save) {
        // A save always gets the extension: "page" is written as page.html.
        if (const std::optional<Entry> target = completed == name ? entry : Find(folder, completed))
            return found(*target);
        c.kind = Kind::File;
        c.path = Join(folder, completed);
        return c;
    }
    // An open takes the name as typed when there is such a file ("README"),
    // and completes it only when there is not.
    if (entry)
        return found(*entry);
    if (completed != name)
        if (const std::optional<Entry> other = Find(folder, completed))
            return found(*other);
    c.kind = m_dialog.fileMustExist ? Kind::Missing : Kind::File;
    c.path = Join(folder, m_dialog.fileMustExist ? name : completed);
    return c;
}

std::optional<QString> FileChooserModel::CreateFolder(const QString& name)
{
    // A name that is a path would make the folder somewhere else, or nowhere.
    if (name.isEmpty() || name.contains(u'/') || name == u"." || name == u"..")
        return std::nullopt;
    const QString path = Join(m_folder, name);
    if (::mkdir(platform::EncodePath(path).constData(), 0777) != 0)
        return std::nullopt;
    SetFolder(m_folder);
    return path;
}
