#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One listed local file or folder.
struct CFileObj {
    QString name;       // file name without its extension
    QString extension;  // text after the last ".", empty when there is none
    bool isFolder = false;
    QString dateText;   // last write, local time, "YYYY/MM/DD hh:mm"; empty for ".."
    // 64-bit: a local file of 4 GiB or more is listed with its real size.
    qint64 size = 0;

    // name + "." + extension, or the name alone.
    QString FullName() const;
};

// The local side of the FTP window: one folder of the file system, listed
// folders first and sorted by a column. A model only; the window renders
// Rows().
//
// Folders are written with "/"; the empty folder text stands for the root
// and lists "/".
class CFileList {
public:
    enum Column { NameColumn = 0, DateColumn = 1, SizeColumn = 2, ExtensionColumn = 3 };

    // Sort as read from the settings ("FileSelect"/"SortItem", "SortMode").
    void SetSort(int column, bool descending);
    int SortColumn() const { return m_sortColumn; }
    bool SortDescending() const { return m_descending; }
    // A click on a column header: the same column flips the direction,
    // another column sorts ascending.
    void ClickColumn(int column);

    const QString& Folder() const { return m_folder; }
    // Lists the folder; the entry with the full name `focus`, if any, becomes
    // the focused row. Gives false when the folder cannot be read (the list
    // is then empty but for "..").
    bool Fill(const QString& folder, const QString& focus = QString());
    bool Refill(const QString& focus = QString()) { return Fill(m_folder, focus); }

    // Entries in display order.
    const std::vector<CFileObj>& Rows() const { return m_rows; }
    // The four column texts of a row.
    QStringList RowTexts(int row) const;
    int FocusedRow() const { return m_focused; }
    void SetFocusedRow(int row) { m_focused = row; }
    int FindRow(const QString& fullName) const;

    // The absolute path of an entry of the current folder.
    QString PathOf(const QString& fullName) const;

    // Double-click on a folder row: ".." goes to the parent and focuses the
    // folder that was left; another folder is entered. False for a file row.
    bool OpenRow(int row);
    // 上へ: the part before the last "/" (a folder directly under the root
    // gives the empty text); nothing happens when the folder has no "/".
    void Up();

    bool ShowHidden() const { return m_showHidden; }
    void SetShowHidden(bool on) { m_showHidden = on; }
    // Sockets, pipes, devices and broken links: off, as nothing can be
    // copied from them (reading a pipe would wait forever).
    bool ShowSystem() const { return m_showSystem; }
    void SetShowSystem(bool on) { m_showSystem = on; }

    // "1,234,567".
    static QString GroupedSize(qint64 size);

private:
    void Sort();

    QString m_folder;
    std::vector<CFileObj> m_rows;
    int m_focused = -1;
    int m_sortColumn = 0;
    bool m_descending = false;
    bool m_showHidden = false;
    bool m_showSystem = false;
};
