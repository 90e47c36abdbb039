#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CKelvoApp;

// The recent-file list: most recent first, at most Size() entries, kept in
// the settings section "Recent File List" as "File1".."FileN".
class RecentFileList {
public:
    explicit RecentFileList(int size = 10) : m_size(size) {}

    int Size() const { return m_size; }
    void SetSize(int size);
    const QStringList& Files() const { return m_files; }

    // Called after every change of the entries, so the list can be kept
    // at once: a program that does not end in order loses nothing.
    void SetChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    // Moves the path to the top (adding it when new).
    void Add(const QString& path);
    void Remove(int index);
    // Removes the entry of that path, if there is one.
    void RemovePath(const QString& path);

    void Load(const CKelvoApp& app);
    // Deletes the section and writes the list again.
    void Save(CKelvoApp& app) const;

    // The menu caption of an entry: "&1 " and the path shortened to at most
    // maxChars characters ("..." in the middle keeps the file name).
    QString Caption(int index, int maxChars) const;
    static QString Abbreviate(const QString& path, int maxChars);

private:
    void SetFiles(QStringList files);

    int m_size;
    QStringList m_files;
    std::function<void()> m_changed;
};
