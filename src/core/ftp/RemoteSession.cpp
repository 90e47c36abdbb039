#include "core/ftp/RemoteSession.h"

#include "core/ftp/FtpSession.h"
#include "core/ftp/SftpSession.h"

#include <array>

namespace {

template <typename Enum, size_t N>
bool ParseName(const QString& text, const std::array<std::pair<Enum, const char*>, N>& names, Enum& value)
{
    for (const auto& [each, name] : names) {
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            value = each;
            return true;
        }
    }
    return false;
}

template <typename Enum, size_t N>
QString NameOf(Enum value, const std::array<std::pair<Enum, const char*>, N>& names)
{
    for (const auto& [each, name] : names) {
        if (each == value)
            return QLatin1String(name);
    }
    return QString();
}

constexpr std::array<std::pair<RemoteProtocol, const char*>, 3> kProtocols = {{
    {RemoteProtocol::Ftp, "ftp"}, {RemoteProtocol::Ftps, "ftps"}, {RemoteProtocol::Sftp, "sftp"}}};
constexpr std::array<std::pair<RemoteNameCode, const char*>, 3> kNameCodes = {{
    {RemoteNameCode::Auto, "auto"}, {RemoteNameCode::Utf8, "utf8"}, {RemoteNameCode::ShiftJis, "sjis"}}};

} // namespace

std::unique_ptr<RemoteSession> MakeRemoteSession(RemoteProtocol protocol)
{
    switch (protocol) {
    case RemoteProtocol::Ftp:
    case RemoteProtocol::Ftps:
        return std::make_unique<FtpSession>(protocol);
    case RemoteProtocol::Sftp:
        return std::make_unique<SftpSession>();
    }
    return nullptr;
}

QString RemoteProtocolName(RemoteProtocol protocol)
{
    return NameOf(protocol, kProtocols);
}

bool ParseRemoteProtocol(const QString& text, RemoteProtocol& protocol)
{
    return ParseName(text, kProtocols, protocol);
}

QString RemoteNameCodeName(RemoteNameCode code)
{
    return NameOf(code, kNameCodes);
}

bool ParseRemoteNameCode(const QString& text, RemoteNameCode& code)
{
    return ParseName(text, kNameCodes, code);
}

bool IsEntryName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
        && !name.contains(QChar(0));
}

void RemoteSession::KeepFolderEntries(std::vector<CFtpEntry>& entries)
{
    m_droppedNames = 0;
    std::erase_if(entries, [this](const CFtpEntry& e) {
        if (IsEntryName(e.name))
            return false;
        // Every server may list the folder itself and its parent.
        if (e.name != u"." && e.name != u"..")
            ++m_droppedNames;
        return true;
    });
}

int DefaultRemotePort(RemoteProtocol protocol)
{
    return protocol == RemoteProtocol::Sftp ? 22 : 21;
}
