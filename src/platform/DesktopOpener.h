#pragma once

#include <QString>

#include <functional>

namespace platform {

// Hands a file or URL to the desktop's opener (xdg-open found on PATH),
// which starts the program the desktop associates with it (a browser for a
// page). Gives false at once when there is no opener. Otherwise `done`
// runs later on the calling thread's event loop: false when the opener
// ended with an error (it found no program that could be started), true
// when it handed the target on. The opener may live as long as the program
// it started, so `done` may come late or, should the program outlive this
// one, never.
bool StartDesktopOpener(const QString& target, std::function<void(bool shown)> done);

} // namespace platform
