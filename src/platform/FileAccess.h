#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <compare>
#include <optional>

class QFile;

namespace platform {

// File names are bytes to the system and text to the program. A name that
// is not UTF-8 (CP932 names from a Windows archive) keeps each byte that is
// not part of a UTF-8 sequence as U+DC00 + byte in the text, so that the
// text gives the same bytes back: every file operation of the program goes
// through EncodePath.
QByteArray EncodePath(const QString& path);
QString DecodePath(QByteArrayView native);
// The path as it is shown: a name that is not UTF-8 but is CP932 is shown
// as CP932 text.
QString DisplayPath(const QString& path);

// A name as text for another system (a server): the name itself when it
// is UTF-8, its CP932 reading when it is that, none when it is neither.
std::optional<QString> NameAsText(const QString& name);

// Whether anything, or a regular file, is at the path (links followed).
bool PathExists(const QString& path);
bool IsRegularFile(const QString& path);
// Whether this user may write the file at the path, or, where there is
// none, make it in its folder.
bool IsWritable(const QString& path);
// Whether the file at the path is there and may be read by this process.
bool CanRead(const QString& path);

enum class FileError {
    None,
    Missing,       // no such file
    Unreadable,    // it is there, but reading it is not allowed
    Folder,
    NotRegular,    // a FIFO, device or socket: never read, never replaced
    TooLarge,
    NoReader,      // a FIFO that nobody reads
    CannotCreate,  // no permission to write the file or its folder
    WriteFailed,   // disk full, size limit, I/O error: the old file stays
};

// A file as it was read or written: its size and modification time, and
// a digest of its bytes, so that a change made by another program can be
// told from a file that was only touched. size < 0: no file.
struct FileStamp {
    qint64 size = -1;
    qint64 mtimeNs = 0;
    quint64 digest = 0;
    bool Exists() const { return size >= 0; }
    // The same size and time: nothing to read to know it is unchanged.
    bool SameTimes(const FileStamp& other) const
    {
        return size == other.size && mtimeNs == other.mtimeNs;
    }
};

// A fast 64-bit digest of bytes (not cryptographic: it tells a changed
// file from an unchanged one).
quint64 ContentDigest(QByteArrayView bytes);
// The size and time of the file at the path now (links followed), without
// a digest; size -1 when there is no file.
FileStamp StatFile(const QString& path);

struct FileRead {
    QByteArray bytes;
    FileError error = FileError::None;
    // The file's modification time when it was opened.
    qint64 mtimeNs = 0;
};

// All of a regular file, at most `limit` bytes. Anything else (a folder,
// a FIFO that would block forever, a device that never ends) is refused
// without being read.
FileRead ReadRegularFile(const QString& path, qint64 limit);

// Writes the bytes as the file's new content, never losing the old one: a
// symbolic link stays a link (its target is written); a regular file is
// replaced by a complete, synced copy that has its owner, mode, extended
// attributes and ACLs, or, where a new file cannot take its place (several
// hard links, an owner the saver cannot give back, a folder it cannot
// write), written in place after its space is reserved and with its old
// content restored should writing fail. A FIFO or device is written into;
// a folder or socket is refused. A regular file its owner made read-only
// is refused (CannotCreate), not replaced behind the mode's back.
//
// The program's own files (settings, key file, lists, journal) ask for
// more: readable by their owner only, and never waiting on a FIFO or
// device.
struct WriteOptions {
    bool ownerOnly = false;   // the file gets mode 0600
    bool neverBlock = false;  // a FIFO or device that would make the write wait fails
};
FileError WriteFileSafely(const QString& path, QByteArrayView bytes, WriteOptions options = {});
// The program's own files: WriteFileSafely that never waits on a FIFO or
// device, after the missing folders of the path are made.
FileError WriteOwnFile(const QString& path, QByteArrayView bytes, WriteOptions options = {});

// The path made absolute against the current folder, whose name keeps its
// bytes (QDir and QFileInfo would turn a name that is not UTF-8 into
// U+FFFD); "." and ".." steps and doubled slashes are taken out by the
// text, as QDir::cleanPath does.
QString AbsolutePath(const QString& path);
// The folder part of a path ("/" for a file in the root, "." for a bare
// name) and the name after the last slash, by the text.
QString FolderOfPath(const QString& path);
QString NameOfPath(const QString& path);
// Makes the folder and the missing folders above it; true when it is there.
bool MakeFolders(const QString& path);

// The path as the disk spells it. A page in Shift-JIS names a file in
// kanji, which travels as UTF-8, while a site copied from Windows holds
// that name in CP932 bytes: each name of an absolute path that is not
// there is looked for in its CP932 spelling too. The path itself when it
// is there, or when neither spelling of a name is.
QString DiskSpelling(const QString& path);

// Opens the file at the path in `file` as QFile::open would, but naming it
// by the path's bytes (QFile names a file by Qt's reading of the name, so
// a name that is not UTF-8 is another file to it). Reading takes regular
// files only: a FIFO or device would never end, or never start.
bool OpenFile(QFile& file, const QString& path, QIODevice::OpenMode mode);
// Gives the file at the path this modification time (milliseconds since
// the epoch).
bool SetModificationTime(const QString& path, qint64 msecsSinceEpoch);

// A file (or link) or an empty folder taken away; a name changed in one
// step, replacing what `to` named only when asked (else that fails); a
// file given another's permissions.
bool RemoveFile(const QString& path);
bool RemoveFolder(const QString& path);
bool RenamePath(const QString& from, const QString& to, bool replace);
bool CopyMode(const QString& from, const QString& to);

// The path with every symbolic link, "." and ".." resolved; empty when
// nothing is there.
QString RealPath(const QString& path);
// Which file the path names, links followed: the names a hard or symbolic
// link gives one file have the same identity. All zero when nothing is there.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const QString& path);
// Gives the file at `to` the modification time and permissions of the one
// at `from`, so that a copy looks like the file it was taken from.
bool CopyTimeAndMode(const QString& from, const QString& to);

} // namespace platform
