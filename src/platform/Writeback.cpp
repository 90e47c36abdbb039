#include "platform/Writeback.h"

#include <QFileDevice>

#include <algorithm>

#include <fcntl.h>

namespace platform {

namespace {
// Small enough that the final wait is short, large enough that the calls
// cost nothing next to the copying.
constexpr qint64 kWritebackStep = 8 * 1024 * 1024;
} // namespace

WritebackPacer::WritebackPacer(QIODevice& sink) : m_file(qobject_cast<QFileDevice*>(&sink)) {}

void WritebackPacer::Wrote(qint64 bytes)
{
    if (!m_file)
        return;
    m_unsent += bytes;
    if (m_unsent < kWritebackStep)
        return;
    m_unsent = 0;
#ifdef SYNC_FILE_RANGE_WRITE
    if (!m_file->flush())
        return;
    const int fd = m_file->handle();
    const qint64 end = m_file->pos();
    if (m_start < 0)
        m_start = std::max<qint64>(0, end - kWritebackStep);
    ::sync_file_range(fd, m_start, end - m_start, SYNC_FILE_RANGE_WRITE);
    if (m_previous >= 0)
        ::sync_file_range(fd, m_previous, m_start - m_previous,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    m_previous = m_start;
    m_start = end;
#endif
}

} // namespace platform
