#include "platform/RecentlyUsed.h"

#include "platform/FileAccess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QString kBookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kOwner = QStringLiteral("http://freedesktop.org");

// A list larger than this is no list of recent files.
constexpr qint64 kMaxListBytes = 64 * 1024 * 1024;
// How long another writer may hold the list before this use is left out.
constexpr int kLockWaitMs = 2000;

// The file's bytes as a URI: a name that is no UTF-8 keeps its bytes.
QString Href(const QString& path)
{
    return QStringLiteral("file://") + QString::fromLatin1(EncodePath(path).toPercentEncoding("/"));
}

QString Stamp(const QDateTime& when)
{
    // The list's writers give microseconds.
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + QStringLiteral("000Z");
}

void WriteApplication(QXmlStreamWriter& w, const RecentUse& use, int count)
{
    w.writeEmptyElement(kBookmarkNs, QStringLiteral("application"));
    w.writeAttribute(QStringLiteral("name"), use.application);
    w.writeAttribute(QStringLiteral("exec"), use.exec);
    w.writeAttribute(QStringLiteral("modified"), Stamp(use.when));
    w.writeAttribute(QStringLiteral("count"), QString::number(count));
}

void WriteApplications(QXmlStreamWriter& w, const RecentUse& use)
{
    w.writeStartElement(kBookmarkNs, QStringLiteral("applications"));
    WriteApplication(w, use, 1);
    w.writeEndElement();
}

void WriteMetadata(QXmlStreamWriter& w, const RecentUse& use)
{
    w.writeStartElement(QStringLiteral("metadata"));
    w.writeAttribute(QStringLiteral("owner"), kOwner);
    w.writeEmptyElement(kMimeNs, QStringLiteral("mime-type"));
    w.writeAttribute(QStringLiteral("type"), use.mimeType);
    WriteApplications(w, use);
    w.writeEndElement();
}

void WriteInfo(QXmlStreamWriter& w, const RecentUse& use)
{
    w.writeStartElement(QStringLiteral("info"));
    WriteMetadata(w, use);
    w.writeEndElement();
}

void WriteBookmark(QXmlStreamWriter& w, const RecentUse& use)
{
    const QString now = Stamp(use.when);
    w.writeStartElement(QStringLiteral("bookmark"));
    w.writeAttribute(QStringLiteral("href"), Href(use.path));
    for (const char* time : {"added", "modified", "visited"})
        w.writeAttribute(QLatin1String(time), now);
    WriteInfo(w, use);
    w.writeEndElement();
}

QByteArray NewList(const RecentUse& use)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeNamespace(kBookmarkNs, QStringLiteral("bookmark"));
    w.writeNamespace(kMimeNs, QStringLiteral("mime"));
    w.writeStartElement(QStringLiteral("xbel"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    WriteBookmark(w, use);
    w.writeEndDocument();
    return out;
}

bool LockWithin(int fd, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (::lockf(fd, F_TLOCK, 0) != 0) {
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

std::optional<QByteArray> ReadAll(int fd)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || bytes.size() + n > kMaxListBytes)
            return std::nullopt;
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
    }
}

} // namespace

QString RecentlyUsedFile()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/recently-used.xbel");
}

std::optional<QByteArray> WithRecentUse(const QByteArray& xbel, const RecentUse& use)
{
    if (xbel.trimmed().isEmpty())
        return NewList(use);
    const QString href = Href(use.path);
    const QString now = Stamp(use.when);
    QByteArray out;
    QXmlStreamWriter w(&out);
    QXmlStreamReader r(xbel);
    int depth = 0;
    int ours = 0;        // depth of this file's bookmark while inside it
    bool found = false;  // the file has a bookmark
    bool recorded = false;  // this program's use is written
    bool ownMetadata = false;  // the bookmark's metadata is the desktop's
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QXmlStreamAttributes attributes = r.attributes();
            if (!found && depth == 2 && r.name() == u"bookmark" && r.namespaceUri().isEmpty()
                && attributes.value(QStringLiteral("href")) == href) {
                found = true;
                ours = depth;
                w.writeStartElement(QStringLiteral("bookmark"));
                for (const QXmlStreamAttribute& a : attributes)
                    if (a.name() != u"modified" && a.name() != u"visited")
                        w.writeAttribute(a);
                if (!attributes.hasAttribute(QStringLiteral("added")))
                    w.writeAttribute(QStringLiteral("added"), now);
                w.writeAttribute(QStringLiteral("modified"), now);
                w.writeAttribute(QStringLiteral("visited"), now);
                continue;
            }
            if (ours && !recorded && r.namespaceUri() == kBookmarkNs && r.name() == u"application"
                && attributes.value(QStringLiteral("name")) == use.application) {
                // Still an element with content, should it have any.
                w.writeStartElement(kBookmarkNs, QStringLiteral("application"));
                for (const QXmlStreamAttribute& a : attributes)
                    if (a.name() != u"exec" && a.name() != u"modified" && a.name() != u"count"
                        && a.name() != u"timestamp")
                        w.writeAttribute(a);
                w.writeAttribute(QStringLiteral("exec"), use.exec);
                w.writeAttribute(QStringLiteral("modified"), now);
                const int count = attributes.value(QStringLiteral("count")).toInt();
                w.writeAttribute(QStringLiteral("count"), QString::number(std::max(count, 0) + 1));
                recorded = true;
                continue;
            }
            if (ours && depth == ours + 2 && r.name() == u"metadata")
                ownMetadata = attributes.value(QStringLiteral("owner")) == kOwner;
            w.writeCurrentToken(r);
            break;
        }
        case QXmlStreamReader::EndElement:
            // A bookmark without this program's entry gets it where the
            // entries are, else with what holds them.
            if (ours && !recorded) {
                recorded = true;
                if (r.namespaceUri() == kBookmarkNs && r.name() == u"applications")
                    WriteApplication(w, use, 1);
                else if (depth == ours + 2 && r.name() == u"metadata" && ownMetadata)
                    WriteApplications(w, use);
                else if (depth == ours + 1 && r.name() == u"info")
                    WriteMetadata(w, use);
                else if (depth == ours)
                    WriteInfo(w, use);
                else
                    recorded = false;
            }
            if (depth == ours)
                ours = 0;
            if (depth == 1 && !found)
                WriteBookmark(w, use);
            --depth;
            w.writeCurrentToken(r);
            break;
        default:
            w.writeCurrentToken(r);
            break;
        }
    }
    if (r.hasError())
        return std::nullopt;
    return out;
}

bool AddRecentUse(const RecentUse& use, const QString& listFile)
{
    const QByteArray name = EncodePath(listFile);
    QDir().mkpath(QFileInfo(listFile).absolutePath());
    // A writer that replaced the list while this one waited for the lock
    // leaves it locking a file that is gone: then the new one is locked.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // What others read is the user's own business.
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        // Closing the file ends the lock.
        const auto close = qScopeGuard([fd] { ::close(fd); });
        if (!LockWithin(fd, kLockWaitMs))
            return false;
        struct stat locked {};
        struct stat current {};
        if (::fstat(fd, &locked) != 0)
            return false;
        if (::stat(name.constData(), &current) != 0 || current.st_ino != locked.st_ino
            || current.st_dev != locked.st_dev)
            continue;
        const std::optional<QByteArray> bytes = ReadAll(fd);
        if (!bytes)
            return false;
        const std::optional<QByteArray> updated = WithRecentUse(*bytes, use);
        return updated && WriteFileSafely(listFile, *updated) == FileError::None;
    }
    return false;
}

} // namespace platform
