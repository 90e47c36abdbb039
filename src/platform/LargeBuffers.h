#pragma once

#include <QtGlobal>

namespace platform {

// Tells the system that a buffer of many megabytes is about to be filled
// front to back, so that it is backed by large pages where the system has
// them: a page fault then maps two megabytes instead of four kilobytes,
// which is most of the cost of filling a fresh buffer of a large file.
// Harmless on small buffers and on systems without large pages.
void AdviseLargeBuffer(void* data, qsizetype bytes);

} // namespace platform
