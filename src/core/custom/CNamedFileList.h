#pragma once

#include <QString>

#include <vector>

class CKelvoApp;

// A list of files with titles kept in one settings section: "DirNo" is the
// count, "Name%02d" the titles and "Dir%02d" the paths. The HTML templates
// live in "Template", the HTML components in "DirMenu".
class CNamedFileList {
public:
    static constexpr int kMaxEntries = 30;
    static const QString kTemplateSection;
    static const QString kComponentSection;

    struct Entry {
        QString title;
        QString path;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    explicit CNamedFileList(const QString& section) : m_section(section) {}

    void Load(const CKelvoApp& app);
    // The count first, then every entry.
    void Save(CKelvoApp& app) const;
    // False, and nothing added, when the list is full.
    bool Append(const Entry& entry);
    void RemoveAt(int index);
    void Swap(int a, int b);
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsFull() const { return Count() >= kMaxEntries; }
    const std::vector<Entry>& Entries() const { return m_entries; }
    Entry& At(int index) { return m_entries[index]; }
    QString Section() const { return m_section; }

private:
    QString m_section;
    std::vector<Entry> m_entries;
};
