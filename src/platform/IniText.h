#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace platform {

// The settings file's text: "[section]" lines, "key=value" lines, and
// comment lines that begin with ";" or "#". Users edit this file by hand and
// copy it between machines, so a value is the text after the first "=",
// without the blanks around it: commas, semicolons and backslashes in it
// are plain characters. Only a value wholly in double quotes is read with
// escapes (\\, \", \n, \r, \t, \xHHHH ...), which is how values that would
// not survive the plain form (blanks at an end, line breaks, a leading
// quote) are written. A leading "@@" stands for "@".
//
// Section and key names are written as the settings files of earlier
// versions have them: letters, digits, "_", "-" and "." as they are, other
// characters as "%" and two hexadecimal digits, or "%U" and four; the
// section "General" is written "[%General]".

// The file as its lines, so that what a user wrote by hand stays as it
// was: comments, blank lines, the order of sections and keys, a line the
// reader cannot make sense of, and every value nobody changed keep their
// bytes. A line that is not UTF-8 is read as CP932 (a file edited on
// Windows or copied from an older install). A changed value is written in
// the code its line was read in when that reads back the same, else in
// UTF-8; new keys go after their section's last key, new sections at the
// end. Names are compared as read (IniName), values are as IniValue reads
// them; a key given twice reads as its last line.
class IniDocument {
public:
    static IniDocument Parse(const QByteArray& bytes);
    QByteArray Bytes() const;

    std::optional<QString> Value(const QString& section, const QString& key) const;
    // Each gives whether the text changed.
    bool Set(const QString& section, const QString& key, const QString& value);
    bool Remove(const QString& section, const QString& key);
    // Removes the section's keys; its header and comments stay where they
    // are, so that keys written to it again go back to the same place.
    bool RemoveSection(const QString& section);

    // The number (from 1) of the first line that is neither a section, a
    // key of a section, a comment nor blank; 0 when there is none.
    int FirstUnreadableLine() const;

private:
    struct Line {
        enum class Kind { Blank, Comment, Section, Key, Unreadable };
        Kind kind = Kind::Blank;
        QByteArray bytes;  // as in the file, without the line end
        QByteArray end;    // "\n", "\r\n" or empty for a last line without one
        QString section;   // of a header, or the section a key is in
        QString key;
        QString value;
        bool cp932 = false;  // the line is not UTF-8
    };
    static Line ReadLine(QByteArray bytes, QString& section, bool& inSection);
    static QString Joined(const QString& section, const QString& key);
    void Reindex();
    QByteArray LineEnd() const;

    std::vector<Line> m_lines;
    // Section and key (Joined) to the line that gives the value.
    QHash<QString, size_t> m_keys;
};

// The reading and writing rule of one value, and of one section or key name.
QString IniValue(QStringView written);
QString IniValueText(const QString& value);
QString IniName(QStringView written);
QString IniNameText(const QString& name);

} // namespace platform
