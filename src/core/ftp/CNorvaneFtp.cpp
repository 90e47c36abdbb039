#include "core/ftp/CNorvaneFtp.h"

#include "core/app/UiText.h"
#include "platform/FileAccess.h"

#include <QLocale>

namespace {

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
    CFtpSet site;
    site.host = host;
    site.user = user;
    site.password = password;
    Set(site, rootFolder, passive);
}

void CNorvaneFtp::Set(const CFtpSet& site, const QString& rootFolder, bool passive)
{
    m_host = site.host;
    m_rootFolder = rootFolder;
    m_endpoint = RemoteEndpoint();
    m_endpoint.protocol = site.protocol;
    SplitHostPort(site.host, m_endpoint.host, m_endpoint.port, DefaultRemotePort(site.protocol));
    m_endpoint.user = site.user;
    m_endpoint.password = site.password;
    m_endpoint.passive = passive;
    m_endpoint.nameCode = site.nameCode;
    m_endpoint.trustedFingerprint = site.trustedFingerprint;
    m_endpoint.keyFile = site.keyFile;
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
    if (!m_session)
        return;
    m_session->SetTimeout(m_timeoutSeconds * 1000);
    m_session->SetProgress(m_progress);
    m_session->SetCancelFlag(m_cancel);
}

void CNorvaneFtp::SplitHostPort(const QString& text, QString& host, int& port, int defaultPort)
{
    host = text.trimmed();
    port = defaultPort;
    QString portText;
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 0)
            return;
        if (host.mid(close + 1).startsWith(u':'))
            portText = host.mid(close + 2);
        host = host.mid(1, close - 1);
    } else {
        // One colon only: an IPv6 address keeps its colons.
        const qsizetype colon = host.lastIndexOf(u':');
        if (colon < 0 || host.indexOf(u':') != colon)
            return;
        portText = host.mid(colon + 1);
        host.truncate(colon);
    }
    bool ok = false;
    const int value = portText.toInt(&ok);
    if (ok && value > 0 && value < 65536)
        port = value;
}

bool CNorvaneFtp::Connect()
{
    m_session = MakeRemoteSession(m_endpoint.protocol);
    if (!m_session)
        return false;
    ApplyHooks();
    RemoteEndpoint endpoint = m_endpoint;
    if (!m_trustOnce.isEmpty())
        endpoint.trustedFingerprint = m_trustOnce;
    if (endpoint.host.isEmpty() || !m_session->Open(endpoint))
        return false;
    if (!m_rootFolder.isEmpty() && !m_session->ChangeFolder(m_rootFolder))
        return false;
    m_currentFolder = m_session->CurrentFolder();
    return m_session->IsConnected();
}

void CNorvaneFtp::Disconnect()
{
    if (m_session) {
        m_session->Close();
        m_session.reset();
    }
    m_entries.clear();
}

bool CNorvaneFtp::IsConnected() const
{
    return m_session && m_session->IsConnected();
}

QString CNorvaneFtp::FailureText(const char16_t* general) const
{
    return m_session && m_session->Refused() ? m_session->ErrorText() : QString::fromUtf16(general);
}

QString CNorvaneFtp::FailureDetail(const char16_t* general) const
{
    if (m_session && m_session->Refused())
        return m_session->ErrorText();
    return WithCause(general, m_session ? m_session->ErrorText() : QString());
}

QString CNorvaneFtp::WithCause(const char16_t* general, const QString& cause)
{
    const QString text = UiText(QString::fromUtf16(general));
    const QString why = cause.trimmed();
    return why.isEmpty() || why == text ? text : text + u'\n' + UiText(why);
}

bool CNorvaneFtp::GetList()
{
    return m_session && m_session->List(m_entries);
}

bool CNorvaneFtp::ChangeDir(const QString& name)
{
    if (!m_session || !m_session->ChangeFolder(name))
        return false;
    m_currentFolder = m_session->CurrentFolder();
    return true;
}

bool CNorvaneFtp::ChangeDirUp()
{
    return ChangeDir(QStringLiteral(".."));
}

bool CNorvaneFtp::MakeDir(const QString& name)
{
    return m_session && m_session->MakeFolder(name);
}

bool CNorvaneFtp::RemoveDir(const QString& name)
{
    return m_session && m_session->RemoveFolder(name);
}

bool CNorvaneFtp::DeleteFile(const QString& name)
{
    return m_session && m_session->RemoveFile(name);
}

bool CNorvaneFtp::Rename(const QString& oldName, const QString& newName)
{
    return m_session && m_session->Rename(oldName, newName);
}

QString CNorvaneFtp::RemotePath(const QString& name) const
{
    return name.startsWith(u'/') ? name : JoinRemote(m_currentFolder, name);
}

QString CNorvaneFtp::ServerName(const QString& localName)
{
    return platform::NameAsText(localName).value_or(localName);
}

bool CNorvaneFtp::PutFile(const QString& localPath, bool ascii, qint64 offset)
{
    if (!m_session)
        return false;
    const QString local = localPath.mid(localPath.lastIndexOf(u'/') + 1);
    if (local.isEmpty())
        return false;
    return m_session->Store(localPath, RemotePath(ServerName(local)), ascii, offset);
}

bool CNorvaneFtp::GetFile(const QString& name, const QString& localFolder, bool ascii, qint64 offset)
{
    // The copy takes the last part of the name: nothing a name says climbs
    // out of the chosen local folder.
    const QString own = name.mid(name.lastIndexOf(u'/') + 1);
    if (!m_session || !IsEntryName(own))
        return false;
    const QString localPath = localFolder.endsWith(u'/') ? localFolder + own : localFolder + u'/' + own;
    return m_session->Retrieve(RemotePath(name), localPath, ascii, offset);
}

qint64 CNorvaneFtp::RemoteSize(const QString& name)
{
    return m_session ? m_session->RemoteSize(RemotePath(name)) : -1;
}

bool CNorvaneFtp::ChangeMode(const QString& name, int owner, int group, int others)
{
    return m_session && m_session->ChangeMode(name, owner * 64 + group * 8 + others);
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
    return entry.time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
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
