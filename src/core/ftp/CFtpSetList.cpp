#include "core/ftp/CFtpSetList.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <array>

const QString CFtpSetList::kSection = QStringLiteral("ftp");
const QString CFtpSetList::kDefaultName = QStringLiteral("標準の設定");

namespace {

const QString kSystem = QStringLiteral("System");
// More sets than anyone keeps; a damaged "Count" must not make the list
// read for ever.
constexpr int kMaxSets = 1000;

// The eight shift values of the stored password form.
std::array<int, 8> Shifts()
{
    std::array<int, 8> shifts{};
    for (int p = 0; p < 8; ++p)
        shifts[p] = (p * 7 + 3) % 10;
    return shifts;
}

QString Shift(const QString& text, int direction)
{
    static const std::array<int, 8> shifts = Shifts();
    QString result = text;
    for (qsizetype p = 0; p < result.size(); ++p) {
        const char16_t c = result[p].unicode();
        const int shift = direction * shifts[p % 8];
        auto rotate = [&](char16_t first, int count) {
            result[p] = QChar(char16_t(first + ((c - first + shift) % count + count) % count));
        };
        if (c >= u'0' && c <= u'9')
            rotate(u'0', 10);
        else if (c >= u'A' && c <= u'Z')
            rotate(u'A', 26);
        else if (c >= u'a' && c <= u'z')
            rotate(u'a', 26);
    }
    return result;
}

CFtpSet ReadSet(const platform::SettingsStore& store, const QString& section, const QString& suffix)
{
    CFtpSet set;
    set.name = store.ReadString(section, QStringLiteral("Name") + suffix, QString());
    set.host = store.ReadString(section, QStringLiteral("Host") + suffix, QString());
    set.user = store.ReadString(section, QStringLiteral("User") + suffix, QString());
    set.password = CFtpSetList::Unscramble(
        store.ReadString(section, QStringLiteral("Pass") + suffix, QString()));
    set.ascii = store.ReadInt(section, QStringLiteral("Text") + suffix, 1) != 0;
    set.localFolder = store.ReadString(section, QStringLiteral("LocalDir") + suffix, QString());
    set.remoteFolder = store.ReadString(section, QStringLiteral("RemoteDir") + suffix, QString());
    set.uploadFolder = store.ReadString(section, QStringLiteral("BeforeDir") + suffix, QString());
    // Sites saved before these settings existed are plain FTP, names asked.
    ParseRemoteProtocol(store.ReadString(section, QStringLiteral("Protocol") + suffix, QString()),
                        set.protocol);
    ParseRemoteNameCode(store.ReadString(section, QStringLiteral("NameCode") + suffix, QString()),
                        set.nameCode);
    set.trustedFingerprint = store.ReadString(section, QStringLiteral("Trust") + suffix, QString());
    return set;
}

} // namespace

QString CFtpSetList::Scramble(const QString& plain)
{
    return Shift(plain, -1);
}

QString CFtpSetList::Unscramble(const QString& stored)
{
    return Shift(stored, 1);
}

void CFtpSetList::Load(const platform::SettingsStore& store, const QString& section)
{
    m_sets.clear();
    m_selected = store.ReadInt(section, QStringLiteral("SetNo"), 0);
    const int count = std::min(store.ReadInt(section, QStringLiteral("Count"), 0), kMaxSets);
    for (int i = 0; i < count; ++i)
        m_sets.push_back(ReadSet(store, section, QString::number(i)));
    if (m_sets.empty()) {
        CFtpSet set = ReadSet(store, section, QString());
        set.name = kDefaultName;
        set.localFolder = store.ReadString(kSystem, QStringLiteral("RootDir"), QString());
        m_sets.push_back(set);
    }
}

void CFtpSetList::Save(platform::SettingsStore& store, const QString& section) const
{
    store.WriteInt(section, QStringLiteral("SetNo"), m_selected);
    store.WriteInt(section, QStringLiteral("Count"), Count());
    for (int i = 0; i < Count(); ++i) {
        const CFtpSet& set = m_sets[i];
        const QString n = QString::number(i);
        store.WriteString(section, QStringLiteral("Name") + n, set.name);
        store.WriteString(section, QStringLiteral("Host") + n, set.host);
        store.WriteString(section, QStringLiteral("User") + n, set.user);
        store.WriteString(section, QStringLiteral("Pass") + n, Scramble(set.password));
        store.WriteInt(section, QStringLiteral("Text") + n, set.ascii ? 1 : 0);
        store.WriteString(section, QStringLiteral("LocalDir") + n, set.localFolder);
        store.WriteString(section, QStringLiteral("RemoteDir") + n, set.remoteFolder);
        store.WriteString(section, QStringLiteral("BeforeDir") + n, set.uploadFolder);
        store.WriteString(section, QStringLiteral("Protocol") + n, RemoteProtocolName(set.protocol));
        store.WriteString(section, QStringLiteral("NameCode") + n, RemoteNameCodeName(set.nameCode));
        store.WriteString(section, QStringLiteral("Trust") + n, set.trustedFingerprint);
    }
}

int CFtpSetList::Add(const CFtpSet& set)
{
    m_sets.push_back(set);
    return Count() - 1;
}

void CFtpSetList::RemoveAt(int index)
{
    if (index >= 0 && index < Count())
        m_sets.erase(m_sets.begin() + index);
}

int CFtpSetList::IndexOf(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_sets[i].name == name)
            return i;
    }
    return -1;
}

int CFtpSetList::ChooseForDocument(const QString& documentPath)
{
    if (m_selected < 0 || m_selected >= Count())
        m_selected = 0;
    const qsizetype slash = documentPath.lastIndexOf(u'/');
    if (slash < 0)
        return m_selected;
    const QString folder = documentPath.left(slash).toLower() + u'/';
    for (int i = 0; i < Count(); ++i) {
        // Whole folder names only: "/site1" does not hold "/site10".
        QString local = m_sets[i].localFolder.toLower();
        if (!local.endsWith(u'/'))
            local += u'/';
        if (m_sets[i].localFolder.isEmpty() || folder.startsWith(local))
            return i;
    }
    return m_selected;
}

bool CFtpSetList::PassiveSetting(const platform::SettingsStore& store)
{
    return store.ReadInt(kSystem, QStringLiteral("ftppasv"), 1) != 0;
}

int CFtpSetList::TimeoutSetting(const platform::SettingsStore& store)
{
    const int seconds = store.ReadInt(kSystem, QStringLiteral("ftptimeout"), kFtpDefaultTimeoutSeconds);
    return seconds > 0 ? seconds : kFtpDefaultTimeoutSeconds;
}
