#include "core/ftp/FtpSession.h"

#include "core/app/UiText.h"

#include "core/ftp/CFtpControl.h"
#include "core/ftp/FtpListParser.h"
#include "core/ftp/FtpMessages.h"

#include <QFile>
#include "platform/FileAccess.h"


namespace {

QString Msg(const char16_t* text)
{
    return QString::fromUtf16(text);
}

} // namespace

FtpSession::FtpSession(RemoteProtocol protocol) : m_protocol(protocol) {}

FtpSession::~FtpSession() = default;

void FtpSession::SetTimeout(int milliseconds)
{
    m_timeoutMs = milliseconds;
    if (m_control)
        m_control->SetTimeout(milliseconds);
}

void FtpSession::SetProgress(FtpProgress progress)
{
    m_progress = std::move(progress);
    if (m_control)
        m_control->SetProgress(m_progress);
}

void FtpSession::SetCancelFlag(const FtpCancelFlag* cancel)
{
    m_cancel = cancel;
    if (m_control)
        m_control->SetCancelFlag(cancel);
}

bool FtpSession::Done(bool ok)
{
    m_refused = false;
    if (ok) {
        m_error.clear();
        return true;
    }
    if (m_control && !m_control->LocalError().isEmpty())
        m_error = m_control->LocalError();
    else if (!m_control || !m_control->IsConnected())
        m_error = Msg(ftpmsg::Disconnected);
    else if (m_control->GetReplyCode() >= 400)
        m_error = m_control->GetReplyText().trimmed();
    else
        m_error = Msg(ftpmsg::TransferFailed);
    return false;
}

bool FtpSession::Open(const RemoteEndpoint& endpoint)
{
    m_identity = RemotePeerIdentity();
    m_features.clear();
    m_control = std::make_unique<CFtpControl>();
    m_control->SetTimeout(m_timeoutMs);
    m_control->SetProgress(m_progress);
    m_control->SetCancelFlag(m_cancel);
    const int port = endpoint.port > 0 ? endpoint.port : DefaultRemotePort(m_protocol);
    if (endpoint.host.isEmpty() || !m_control->Open(endpoint.host, port, endpoint.passive)) {
        Done(false);
        if (m_control->LocalError().isEmpty() && m_control->GetReplyCode() < 400)
            m_error = Msg(ftpmsg::NoConnection);
        return false;
    }
    const bool tls = m_protocol == RemoteProtocol::Ftps;
    if (tls && !m_control->StartTls(endpoint.host, endpoint.trustedFingerprint)) {
        m_identity = m_control->PeerIdentity();
        Done(false);
        if (m_identity.verdict == RemotePeerIdentity::Verdict::Unknown
            || m_identity.verdict == RemotePeerIdentity::Verdict::Changed) {
            // Nothing, not even the user name, went to a server not trusted.
            m_refused = true;
            m_error = UiText(Msg(m_identity.verdict == RemotePeerIdentity::Verdict::Unknown
                                     ? ftpmsg::CertificateUnknown
                                     : ftpmsg::CertificateChanged))
                          .arg(m_identity.details);
        }
        return false;
    }
    m_identity = m_control->PeerIdentity();
    if (!m_control->Login(endpoint.user, endpoint.password))
        return Done(false);
    ReadFeatures();
    m_control->SetExtended(HasFeature(QStringLiteral("EPSV")));
    // A server that lists UTF8 takes and gives names in UTF-8 (RFC 2640);
    // OPTS UTF8 ON switches on those that wait to be asked, and a refusal
    // of it changes nothing.
    bool utf8 = endpoint.nameCode == RemoteNameCode::Utf8;
    if (endpoint.nameCode == RemoteNameCode::Auto && HasFeature(QStringLiteral("UTF8"))) {
        utf8 = true;
        if (m_control->SendCommand(QStringLiteral("OPTS UTF8 ON")))
            m_control->ReadReply();
    }
    m_control->SetUtf8Names(utf8);
    if (tls && !m_control->ProtectData())
        return Done(false);
    return Done(m_control->IsConnected());
}

void FtpSession::ReadFeatures()
{
    if (!m_control->SendCommand(QStringLiteral("FEAT")))
        return;
    const QString reply = m_control->ReadReply();
    if (m_control->GetReplyCode() != 211)
        return;
    // "211-Features:", then one feature a line with a space in front.
    for (const QString& line : reply.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u' '))
            m_features.append(line.trimmed().section(u' ', 0, 0).toUpper());
    }
    // "MLST type*;size*;modify*;unix.mode;": the starred facts are sent. The
    // permissions are what the attributes dialog edits; ask for them.
    const qsizetype mlst = reply.indexOf(QStringLiteral(" MLST "), 0, Qt::CaseInsensitive);
    const QString facts = mlst < 0 ? QString() : reply.mid(mlst + 6).section(QStringLiteral("\r\n"), 0, 0);
    if (facts.contains(QStringLiteral("unix.mode;"), Qt::CaseInsensitive)
        && m_control->SendCommand(QStringLiteral("OPTS MLST type;size;modify;UNIX.mode;")))
        m_control->ReadReply();
}

void FtpSession::Close()
{
    if (m_control) {
        m_control->Quit();
        m_control.reset();
    }
}

bool FtpSession::IsConnected() const
{
    return m_control && m_control->IsConnected();
}

bool FtpSession::CanName(const QString& name)
{
    if (!m_control || m_control->CanSend(name))
        return true;
    m_refused = true;
    m_error = UiText(Msg(ftpmsg::NameNotInCode))
                  .arg(name, m_control->Utf8Names() ? QStringLiteral("UTF-8") : QStringLiteral("Shift-JIS"));
    return false;
}

QString FtpSession::CurrentFolder()
{
    if (!m_control)
        return QString();
    const QString folder = m_control->Pwd();
    Done(!folder.isEmpty());
    return folder;
}

bool FtpSession::ChangeFolder(const QString& folder)
{
    return CanName(folder) && Done(m_control && m_control->Cwd(folder));
}

bool FtpSession::List(std::vector<CFtpEntry>& entries)
{
    entries.clear();
    m_droppedNames = 0;
    m_machineListing = false;
    if (!m_control)
        return Done(false);
    m_control->SetAscii();
    QString listing;
    if (HasFeature(QStringLiteral("MLST"))) {
        if (m_control->List(listing, QStringLiteral("MLSD"))) {
            entries = ParseMlsdListing(listing);
            KeepFolderEntries(entries);
            m_machineListing = true;
            return Done(true);
        }
        // A server that lists MLST but refuses MLSD still has LIST.
        if (!m_control->IsConnected() || m_control->GetReplyCode() / 100 != 5)
            return Done(false);
    }
    if (!m_control->List(listing))
        return Done(false);
    entries = ParseFtpListing(listing);
    KeepFolderEntries(entries);
    return Done(true);
}

bool FtpSession::FindLinks(std::vector<CFtpEntry>& entries)
{
    if (!m_machineListing || entries.empty())
        return true;
    // Without options: "-L" asks some servers to follow links as well.
    QString listing;
    if (!m_control || !m_control->List(listing, QStringLiteral("LIST")))
        return Done(false);
    for (const CFtpEntry& shown : ParseFtpListing(listing)) {
        if (!shown.isLink)
            continue;
        for (CFtpEntry& e : entries) {
            if (e.name == shown.name)
                e.isLink = true;
        }
    }
    return Done(true);
}

bool FtpSession::MakeFolder(const QString& path)
{
    return CanName(path) && Done(m_control && m_control->Mkd(path));
}

bool FtpSession::RemoveFolder(const QString& path)
{
    return CanName(path) && Done(m_control && m_control->Rmd(path));
}

bool FtpSession::RemoveFile(const QString& path)
{
    return CanName(path) && Done(m_control && m_control->Dele(path));
}

bool FtpSession::Rename(const QString& from, const QString& to)
{
    return CanName(from) && CanName(to) && Done(m_control && m_control->Rename(from, to));
}

bool FtpSession::ChangeMode(const QString& path, int mode)
{
    if (!CanName(path) || !m_control)
        return false;
    const bool sent = m_control->SiteChmod(path, QString::number(mode & 0777, 8).rightJustified(3, u'0'));
    return Done(sent && m_control->GetReplyCode() / 100 == 2);
}

qint64 FtpSession::RemoteSize(const QString& path)
{
    if (!CanName(path) || !m_control)
        return -1;
    // SIZE counts the bytes of the binary type; some servers refuse it in
    // the ASCII one.
    m_control->SetBinary();
    if (!m_control->SendCommand(QStringLiteral("TYPE I")))
        return -1;
    m_control->ReadReply();
    if (!m_control->SendCommand(QStringLiteral("SIZE ") + path))
        return -1;
    const QString reply = m_control->ReadReply();
    bool ok = false;
    const qint64 size = reply.mid(4).trimmed().toLongLong(&ok);
    return Done(m_control->GetReplyCode() == 213 && ok) ? size : -1;
}

bool FtpSession::Retrieve(const QString& remotePath, const QString& localPath, bool ascii,
                          qint64 offset)
{
    if (!CanName(remotePath) || !m_control)
        return Done(false);
    // A resumed download is whole only when it has the server's size.
    const qint64 whole = offset > 0 ? RemoteSize(remotePath) : -1;
    ascii ? m_control->SetAscii() : m_control->SetBinary();
    const bool ok = Resumed(offset, [&] { return m_control->Retrieve(remotePath, localPath, offset); });
    if (!ok)
        return Done(false);
    if (whole >= 0 && platform::StatFile(localPath).size != whole) {
        m_error = Msg(ftpmsg::TransferFailed);
        return false;
    }
    // The copy keeps the server's time, so that a later comparison of the
    // two sees them equal.
    if (const QDateTime time = RemoteTime(remotePath); time.isValid())
        platform::SetModificationTime(localPath, time.toMSecsSinceEpoch());
    return Done(m_control->IsConnected());
}

bool FtpSession::Store(const QString& localPath, const QString& remotePath, bool ascii,
                       qint64 offset)
{
    if (!CanName(remotePath) || !m_control)
        return Done(false);
    ascii ? m_control->SetAscii() : m_control->SetBinary();
    if (!Resumed(offset, [&] { return m_control->Store(localPath, remotePath, offset); }))
        return Done(false);
    if (const platform::FileStamp local = platform::StatFile(localPath); local.Exists())
        SetRemoteTime(remotePath, QDateTime::fromMSecsSinceEpoch(local.mtimeNs / 1000000));
    return Done(m_control->IsConnected());
}

bool FtpSession::Resumed(qint64 offset, const std::function<bool()>& transfer)
{
    // Progress counts the whole file, the part already there included.
    if (offset > 0 && m_progress) {
        FtpProgress progress = m_progress;
        m_control->SetProgress([progress, offset](qint64 done, qint64 total) {
            progress(offset + done, total >= 0 ? offset + total : -1);
        });
    }
    const bool ok = transfer();
    m_control->SetProgress(m_progress);
    return ok;
}

bool FtpSession::SetRemoteTime(const QString& path, const QDateTime& time)
{
    // MFMT where offered; else MDTM with a time in front, which servers
    // without MFMT take instead (vsftpd). Both read the time as UTC.
    const bool mfmt = HasFeature(QStringLiteral("MFMT"));
    if ((!mfmt && !HasFeature(QStringLiteral("MDTM"))) || !CanName(path) || !m_control || !time.isValid())
        return false;
    const QString stamp = time.toUTC().toString(QStringLiteral("yyyyMMddHHmmss"));
    if (!m_control->SendCommand(QStringLiteral("%1 %2 %3").arg(mfmt ? u"MFMT" : u"MDTM", stamp, path)))
        return Done(false);
    m_control->ReadReply();
    return Done(m_control->GetReplyCode() == 213);
}

QDateTime FtpSession::RemoteTime(const QString& path)
{
    if (!HasFeature(QStringLiteral("MDTM")) || !CanName(path) || !m_control)
        return QDateTime();
    if (!m_control->SendCommand(QStringLiteral("MDTM ") + path)) {
        Done(false);
        return QDateTime();
    }
    const QString reply = m_control->ReadReply();
    const QDateTime time = ParseFtpTimeValue(reply.mid(4).trimmed());
    return Done(m_control->GetReplyCode() == 213 && time.isValid()) ? time : QDateTime();
}

bool FtpSession::WasCancelled() const
{
    return m_control && m_control->WasCancelled();
}
