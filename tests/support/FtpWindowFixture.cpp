#include "FtpWindowFixture.h"

#include <QDir>

FtpWindowFixture::FtpWindowFixture() : settings(local.filePath(QStringLiteral("kelvo.ini"))) {}

FtpWindowFixture::~FtpWindowFixture()
{
    wnd.reset();
    if (runner)
        runner->Run(QString(), [this](TaskContext&) {
            client.reset();
            return true;
        });
}

bool FtpWindowFixture::ServerMissing()
{
    return FtpTestServer::Missing(FtpTestServer::Kind::Pyftpdlib);
}

QString FtpWindowFixture::LocalPath(const QString& name) const
{
    return local.filePath(QStringLiteral("site/") + name);
}

QString FtpWindowFixture::Start(std::unique_ptr<TaskRunner> taskRunner, bool portrait)
{
    if (QString why = server.Start(); !why.isEmpty())
        return why;
    runner = std::move(taskRunner);
    const bool ok = runner->Run(QStringLiteral("ftp"), [this](TaskContext&) {
        client = std::make_unique<CNorvaneFtp>();
        client->Set(server.Host(), server.User(), server.Password(), QString(), true);
        return client->Connect();
    });
    if (!ok)
        return QStringLiteral("no login");
    wnd = std::make_unique<CFtpWnd>(ui, settings, *runner, *client);
    wnd->SetPortrait(portrait);
    QDir().mkpath(local.filePath(QStringLiteral("site")));
    wnd->Local().Fill(local.filePath(QStringLiteral("site")));
    if (!wnd->RefillServer())
        return QStringLiteral("no listing");
    return QString();
}
