#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads one of the program's own text files (tag tables and the like) line
// by line. The file is decoded as UTF-8 when all of it is well-formed UTF-8,
// else as Shift-JIS; a leading byte-order mark is dropped. Lines come
// without their line ends: CR LF or LF ends a line, a CR on its own stays in
// it. In text mode ("rt") the character 0x1A ends a line, and ends the
// file when a line would start with it; in binary mode ("rb") it is skipped. "wt" and "wb" create the file for WriteLine.
class TextFileReader {
public:
    TextFileReader() = default;
    TextFileReader(const QString& path, const QString& mode) { Open(path, mode); }

    bool Open(const QString& path, const QString& mode);
    bool IsOpen() const { return m_open; }
    void Close();

    // The next line; false after the last one.
    bool ReadLine(QString& line);
    // Writes the line and a line end (CR LF in "wt", LF in "wb") as UTF-8.
    bool WriteLine(const QString& line);

private:
    void Load();

    QFile m_file;     // for writing
    QByteArray m_bytes;  // read at Open, decoded at the first line
    bool m_open = false;
    bool m_write = false;
    bool m_text = true;
    bool m_loaded = false;
    QString m_content;
    qsizetype m_pos = 0;
};
