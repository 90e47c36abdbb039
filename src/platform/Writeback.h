#pragma once

#include <QtGlobal>

class QFileDevice;
class QIODevice;

namespace platform {

// Hands what a long write into a file has put in the page cache to the disk
// while the writing goes on, so that the sync at its end (a safe save's)
// waits for the last few megabytes only instead of the whole file: each
// step is started on its way as it is complete, and the one before it is
// waited for, which keeps the disk busy alongside the writer instead of
// after it. Other sinks than files, and systems without the call, are left
// alone.
class WritebackPacer {
public:
    explicit WritebackPacer(QIODevice& sink);
    // After each write of that many bytes.
    void Wrote(qint64 bytes);

private:
    QFileDevice* m_file = nullptr;
    qint64 m_unsent = 0;
    qint64 m_previous = -1;  // where the step under way to the disk starts
    qint64 m_start = -1;     // where the step being written starts
};

} // namespace platform
