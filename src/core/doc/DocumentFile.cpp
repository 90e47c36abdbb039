#include "core/doc/DocumentFile.h"

#include "platform/LargeBuffers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

bool InGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == gid)
            return true;
    return false;
}

bool WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ok = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

} // namespace

bool WriteDocumentFile(const QString& requested, const QByteArray& bytes)
{
    QString path = requested;
    const QFileInfo info(requested);
    if (info.isSymLink()) {
        // The link stays; its target gets the text (a dangling link gets a
        // new target file).
        path = info.symLinkTarget();
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    const bool exists = ::stat(native.constData(), &st) == 0;
    if (exists) {
        // A new file in its place would lose the other names or an owner
        // the saver cannot give back.
        const bool keepsOwner = st.st_uid == geteuid() && InGroup(st.st_gid);
        if (st.st_nlink > 1 || !keepsOwner)
            return WriteInPlace(path, bytes);
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = file.write(bytes) == bytes.size();
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (ok && exists) {
        // The replacement was made with the saver's group and mask. Both
        // calls are allowed by the checks above; the text is written either
        // way, so their outcome does not make the save fail.
        [[maybe_unused]] const int group = ::chown(native.constData(), static_cast<uid_t>(-1), st.st_gid);
        ::chmod(native.constData(), st.st_mode & 07777);
    }
    return ok;
}

QByteArray ReadWholeFile(QFile& file)
{
    const qint64 size = file.size();
    if (size <= 0 || file.isSequential())
        return file.readAll();
    QByteArray bytes(size, Qt::Uninitialized);
    platform::AdviseLargeBuffer(bytes.data(), bytes.size());
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(bytes.data() + got, size - got);
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    // A file that grew while it was read is read to its new end.
    if (got == size && file.error() == QFileDevice::NoError)
        bytes += file.readAll();
    return bytes;
}
