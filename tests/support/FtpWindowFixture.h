#pragma once

#include "FtpServers.h"

#include "core/app/ScriptedUi.h"
#include "core/app/TaskRunner.h"
#include "core/ftp/CFtpWnd.h"
#include "core/ftp/CNorvaneFtp.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

// The FTP window model on a real pyftpdlib server: the client logged in to
// the server's writable folder, the local list on a folder of its own
// ("site" in a temporary folder). The client is made, used and ended on the
// runner's thread, as the program does it; the runner is the test's
// (InlineTaskRunner headless, the threaded one in the GUI tests).
class FtpWindowFixture {
public:
    FtpWindowFixture();
    ~FtpWindowFixture();

    // Empty when the window model is ready; otherwise why it is not.
    QString Start(std::unique_ptr<TaskRunner> runner, bool portrait = false);
    // True when pyftpdlib is missing here and the test may skip (never in CI).
    static bool ServerMissing();

    CFtpWnd& Wnd() { return *wnd; }
    TaskRunner& Runner() { return *runner; }
    QString ServerPath(const QString& name) const { return server.WritableLocal() + u'/' + name; }
    QString LocalPath(const QString& name) const;

    FtpTestServer server{FtpTestServer::Kind::Pyftpdlib};
    QTemporaryDir local;
    ScriptedUi ui;
    platform::SettingsStore settings;
    std::unique_ptr<TaskRunner> runner;
    std::unique_ptr<CNorvaneFtp> client;
    std::unique_ptr<CFtpWnd> wnd;
};

#define START_FTP_WINDOW(fx, ...)                                              \
    if (FtpWindowFixture::ServerMissing())                                     \
        QSKIP("pyftpdlib is not installed here");                             \
    if (const QString why = (fx).Start(__VA_ARGS__); !why.isEmpty())           \
        QFAIL(qPrintable(why));
