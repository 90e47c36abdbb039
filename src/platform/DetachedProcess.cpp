#include "platform/DetachedProcess.h"

#include "platform/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace platform {

bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    // Everything the child needs is made before the fork: between fork and
    // exec only calls that are safe in a copy of a threaded process run.
    std::vector<QByteArray> words{EncodePath(program)};
    for (const QString& a : arguments)
        words.push_back(EncodePath(a));
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const QByteArray folder = EncodePath(workingFolder);

    // The grandchild reports a failed exec through the pipe; a successful
    // one closes it unwritten.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        // The grandchild is nobody's child to wait for: it outlives this
        // one, which ends at once.
        const pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 1 : 0);
        int error = 0;
        if (!folder.isEmpty() && ::chdir(folder.constData()) != 0)
            error = errno;
        else
            ::execvp(argv[0], argv.data());
        error = error ? error : errno;
        while (::write(report[1], &error, sizeof error) < 0 && errno == EINTR) {
        }
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

} // namespace platform
