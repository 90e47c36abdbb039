#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

// How a caller on another thread follows and stops a running transfer.
//
// The progress callback runs on the thread that runs the transfer, after
// each block: bytes moved so far and the total when it is known (the local
// file's size on upload), else -1. It must not call back into the client.
using FtpProgress = std::function<void(qint64 done, qint64 total)>;

// Set from any thread to stop a transfer. The client checks it between
// blocks and while it waits, so a transfer ends within a second; it then
// sends ABOR and brings the control connection back in step (or closes it).
// The flag is only read; the caller clears it before the next transfer.
using FtpCancelFlag = std::atomic<bool>;

// Time-outs of connect, reply and data waits.
inline constexpr int kFtpDefaultTimeoutSeconds = 30;
// Transfers move blocks of this size: small blocks cost a system call and a
// progress report each and run at a fraction of the link's speed.
inline constexpr qint64 kFtpBlockSize = 256 * 1024;
