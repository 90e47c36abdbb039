#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringView>
#include <QVariant>

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

// Entries keyed "section/key"; the values are strings.
using IniEntries = QMap<QString, QVariant>;

// Reads a whole file (UTF-8, an optional byte-order mark, any line ends).
// Lines that are neither a section, a key nor a comment are skipped, and
// so are keys before the first section.
IniEntries ParseIniText(const QByteArray& text);
// The file text for the entries, one section after another.
QByteArray IniText(const IniEntries& entries);

// The reading and writing rule of one value, and of one section or key name.
QString IniValue(QStringView written);
QString IniValueText(const QString& value);
QString IniName(QStringView written);
QString IniNameText(const QString& name);

} // namespace platform
