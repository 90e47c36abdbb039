#include "platform/DesktopOpener.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

bool StartDesktopOpener(const QString& target, std::function<void(bool shown)> done)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    // No parent: at the program's exit a running opener (and the browser it
    // waits for) is left alone rather than killed.
    auto* process = new QProcess;
    process->setProgram(opener);
    // xdg-open knows no "--": a name that starts with "-" would be read as
    // an option.
    process->setArguments({target.startsWith(u'-') ? QStringLiteral("./") + target : target});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, done](int code, QProcess::ExitStatus status) {
                         if (done)
                             done(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (done)
                             done(false);
                         process->deleteLater();
                     });
    process->start();
    return true;
}

} // namespace platform
