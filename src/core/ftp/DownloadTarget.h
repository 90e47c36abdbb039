#pragma once

#include <QFile>
#include <QString>

// Where a download's bytes go: a piece beside the file ("NAME.part") until
// the last byte has arrived, then the file itself. A download cut off never
// stands under the real name looking complete, nor spoils a good copy there,
// and the next download can go on from the piece.
class DownloadTarget {
public:
    explicit DownloadTarget(const QString& localPath);
    DownloadTarget(const DownloadTarget&) = delete;
    DownloadTarget& operator=(const DownloadTarget&) = delete;

    static QString PiecePath(const QString& localPath);

    // Opens the piece: a new one (offset 0), or one of `offset` bytes to go
    // on from. Without such a piece, a local file of that size is copied to
    // it (the file stays as it is until the download is complete). False,
    // with ErrorText, when that cannot be done.
    bool Open(qint64 offset);
    QFile& File() { return m_file; }
    // The download is complete: the piece takes the file's name (and the
    // permissions of the file it replaces).
    bool Commit();
    // The download failed: the piece stays for a later one to go on from,
    // or goes.
    void Abandon(bool keepPiece);

    // Why the local side failed, for the user.
    QString ErrorText() const { return m_error; }

private:
    bool Fail(const QString& text);

    QString m_path;
    QString m_piece;
    QFile m_file;
    QString m_error;
};
