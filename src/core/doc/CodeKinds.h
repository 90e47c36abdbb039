#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The character code of a document file. The values are stored and shown
// by index in the character-code dialog, so they never change.
enum class CodeKind : int {
    ShiftJis = 0,  // also the kind of a new document
    Jis = 1,       // 7-bit JIS with escape sequences (ISO-2022-JP)
    Euc = 2,       // EUC-JP
    Utf8 = 3,
    Ascii = 4,     // detection met no deciding byte
    Unknown = 5,   // detection met only bytes that fit both EUC and Shift-JIS
};

// The line end of a document file. Detection never gives Unknown; the user
// may choose it, and it then behaves like CrLf.
enum class LineEndKind : int {
    None = -1,  // the file holds no CR and no LF
    CrLf = 0,
    Lf = 1,
    Cr = 2,
    Unknown = 3,
};

QString CodeKindName(CodeKind kind);
std::optional<CodeKind> CodeKindFromName(const QString& name);
QString LineEndKindName(LineEndKind kind);
std::optional<LineEndKind> LineEndKindFromName(const QString& name);

// The separator bytes of a line-end kind (CR LF for None and Unknown).
QByteArrayView LineEndSeparator(LineEndKind kind);

// The entries of the character-code dialog, in value order.
QStringList CodeKindCaptions();
QStringList LineEndKindCaptions();
