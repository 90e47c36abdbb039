#include "core/ftp/CNorvaneFtp.h"

#include "core/ftp/CFtpControl.h"
#include "core/ftp/FtpListParser.h"

#include <QLocale>

namespace {

constexpr int kFtpPort = 21;

QString JoinRemote(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

CNorvaneFtp::CNorvaneFtp() = default;

CNorvaneFtp::~CNorvaneFtp()
{
    Disconnect();
}

void CNorvaneFtp::Set(const QString& host, const QString& user, const QString& password,
                      const QString& rootFolder, bool passive)
{
    m_host = host;
    m_user = user;
    m_password = password;
    m_rootFolder = rootFolder;
    m_passive = passive;
}

void CNorvaneFtp::SetTimeoutSeconds(int seconds)
{
    m_timeoutSeconds = seconds > 0 ? seconds : kFtpDefaultTimeoutSeconds;
    ApplyHooks();
}

void CNorvaneFtp::SetProgress(FtpProgress progress)
{
    m_progress = std::move(progress);
    ApplyHooks();
}

void CNorvaneFtp::SetCancelFlag(const FtpCancelFlag* cancel)
{
    m_cancel = cancel;
    ApplyHooks();
}

void CNorvaneFtp::ApplyHooks()
{
    if (!m_control)
        return;
    m_control->SetTimeout(m_timeoutSeconds * 1000);
    m_control->SetProgress(m_progress);
    m_control->SetCancelFlag(m_cancel);
}

void CNorvaneFtp::SplitHostPort(const QString& text, QString& host, int& port)
{
    host = text.trimmed();
    port = kFtpPort;
    // One colon only: an IPv6 address keeps its colons.
    const qsizetype colon = host.lastIndexOf(u':');
    if (colon < 0 || host.indexOf(u':') != colon)
        return;
    bool ok = false;
    const int value = host.mid(colon + 1).toInt(&ok);
    host.truncate(colon);
    if (ok && value > 0 && value < 65536)
        port = value;
}

bool CNorvaneFtp::Connect()
{
    m_control = std::make_unique<CFtpControl>();
    ApplyHooks();
    QString host;
    int port = kFtpPort;
    SplitHostPort(m_host, host, port);
    if (host.isEmpty() || !m_control->Open(host, port, m_passive))
        return false;
    if (!m_control->Login(m_user, m_password))
        return false;
    if (!m_rootFolder.isEmpty() && !m_control->Cwd(m_rootFolder))
        return false;
    m_currentFolder = m_control->Pwd();
    return m_control->IsConnected();
}

void CNorvaneFtp::Disconnect()
{
    if (m_control) {
        m_control->Quit();
        m_control.reset();
    }
    m_entries.clear();
}

bool CNorvaneFtp::IsConnected() const
{
    return m_control && m_control->IsConnected();
}

bool CNorvaneFtp::GetList()
{
    if (!m_control)
        return false;
    m_control->SetAscii();
    QString listing;
    if (!m_control->List(listing))
        return false;
    m_entries = ParseFtpListing(listing);
    return true;
}

bool CNorvaneFtp::ChangeDir(const QString& name)
{
    if (!m_control || !m_control->Cwd(name))
        return false;
    m_currentFolder = m_control->Pwd();
    return true;
}

bool CNorvaneFtp::ChangeDirUp()
{
    return ChangeDir(QStringLiteral(".."));
}

bool CNorvaneFtp::MakeDir(const QString& name)
{
    return m_control && m_control->Mkd(name);
}

bool CNorvaneFtp::RemoveDir(const QString& name)
{
    return m_control && m_control->Rmd(name);
}

bool CNorvaneFtp::DeleteFile(const QString& name)
{
    return m_control && m_control->Dele(name);
}

bool CNorvaneFtp::Rename(const QString& oldName, const QString& newName)
{
    return m_control && m_control->Rename(oldName, newName);
}

QString CNorvaneFtp::RemotePath(const QString& name) const
{
    return JoinRemote(m_currentFolder, name);
}

bool CNorvaneFtp::PutFile(const QString& localPath, bool ascii)
{
    if (!m_control)
        return false;
    const QString name = localPath.mid(localPath.lastIndexOf(u'/') + 1);
    if (name.isEmpty())
        return false;
    ascii ? m_control->SetAscii() : m_control->SetBinary();
    return m_control->Store(localPath, RemotePath(name));
}

bool CNorvaneFtp::GetFile(const QString& name, const QString& localFolder, bool ascii)
{
    if (!m_control || name.isEmpty())
        return false;
    // A server's name must not climb out of the chosen local folder.
    if (name.contains(u'/') || name == u".." || name == u".")
        return false;
    const QString localPath = localFolder.endsWith(u'/') ? localFolder + name
                                                         : localFolder + u'/' + name;
    ascii ? m_control->SetAscii() : m_control->SetBinary();
    return m_control->Retrieve(RemotePath(name), localPath);
}

bool CNorvaneFtp::ChangeMode(const QString& name, int owner, int group, int others)
{
    if (!m_control)
        return false;
    return m_control->SiteChmod(name, QStringLiteral("%1%2%3").arg(owner).arg(group).arg(others));
}

QString CNorvaneFtp::GetSizeText(const CFtpEntry& entry)
{
    if (entry.isFolder)
        return QString();
    QString digits = QString::number(entry.size);
    const qsizetype start = digits.startsWith(u'-') ? 1 : 0;
    for (qsizetype i = digits.size() - 3; i > start; i -= 3)
        digits.insert(i, u',');
    return digits;
}

QString CNorvaneFtp::GetDateText(const CFtpEntry& entry)
{
    return entry.time.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString CNorvaneFtp::GetExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

int CNorvaneFtp::GetModeDigit(const CFtpEntry& entry, int cls)
{
    QString mode = entry.mode;
    if (mode.size() > 9)
        mode.remove(0, 1);
    if (mode.size() != 9 || cls < 0 || cls > 2)
        return 0;
    const int weights[3] = {4, 2, 1};
    int digit = 0;
    for (int i = 0; i < 3; ++i) {
        if (mode[3 * cls + i] != u'-')
            digit += weights[i];
    }
    return digit;
}
