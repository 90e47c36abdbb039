#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Files that must come back byte for byte after an unchanged load and save:
// every two-byte combination of Shift-JIS lead and trail bytes (CP932's
// duplicates, NEC and IBM rows and the user-defined area included), every
// EUC-JP pair, kana and 0x8F triple, JIS in several escape styles with
// every JIS X 0208 and 0212 pair, UTF-8 with every kind of broken sequence,
// and stray bytes in each code, each in the line ends of its kind with lone
// CR and LF of the other kinds mixed in.
struct CorpusFile {
    QString name;
    CodeKind code;
    LineEndKind lineEnd;
    QByteArray bytes;
};
std::vector<CorpusFile> ByteCorpus();

// CR LF text with its line ends made LF or CR (other kinds: as it is).
QByteArray WithLineEnd(QByteArray crlf, LineEndKind kind);
