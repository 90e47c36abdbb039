#include "core/custom/CKeycustTable.h"

#include "core/custom/MenuKeyNames.h"
#include "core/custom/VirtualKeys.h"
#include "platform/FileAccess.h"


namespace {

constexpr std::uint16_t kBigCount = 0xFFFF;      // a 32-bit count follows
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassReference = 0x8001;  // the first class read
constexpr std::uint16_t kSchema = 1;
constexpr char kClassName[] = "CKeycust";
constexpr int kClassNameLength = 8;
constexpr int kWordsPerKey = 5;
constexpr int kKeyBytes = 2 * kWordsPerKey;
// A key file is a few hundred bytes; anything far larger is no key file and
// is not read into memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

void PutWord(QByteArray& out, std::uint16_t w)
{
    out.append(static_cast<char>(w & 0xFF));
    out.append(static_cast<char>(w >> 8));
}

void PutKey(QByteArray& out, const CKeycust& k)
{
    for (std::uint16_t w : {k.key, k.alt, k.shift, k.ctrl, k.command})
        PutWord(out, w);
}

// Reads little-endian words and never past the end: a read beyond it fails
// and every later read fails too.
class WordReader {
public:
    explicit WordReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool Word(std::uint16_t& w)
    {
        if (m_pos + 2 > m_bytes.size())
            return false;
        w = static_cast<std::uint16_t>(static_cast<unsigned char>(m_bytes[m_pos])
                                       | static_cast<unsigned char>(m_bytes[m_pos + 1]) << 8);
        m_pos += 2;
        return true;
    }
    bool DoubleWord(std::uint32_t& d)
    {
        std::uint16_t lo = 0, hi = 0;
        if (!Word(lo) || !Word(hi))
            return false;
        d = lo | static_cast<std::uint32_t>(hi) << 16;
        return true;
    }
    bool Bytes(qsizetype n, QByteArrayView& out)
    {
        if (n < 0 || m_pos + n > m_bytes.size())
            return false;
        out = m_bytes.sliced(m_pos, n);
        m_pos += n;
        return true;
    }
    qsizetype Left() const { return m_bytes.size() - m_pos; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

bool ReadKey(WordReader& r, CKeycust& k)
{
    std::uint16_t w[kWordsPerKey];
    for (std::uint16_t& x : w)
        if (!r.Word(x))
            return false;
    k.key = w[0];
    // Any non-zero state is a pressed modifier; it is written back as 1.
    k.alt = w[1] ? 1 : 0;
    k.shift = w[2] ? 1 : 0;
    k.ctrl = w[3] ? 1 : 0;
    k.command = w[4];
    return true;
}

QString Prefix(bool alt, bool shift, bool ctrl)
{
    QString s;
    if (alt)
        s += QStringLiteral("Alt+");
    if (shift)
        s += QStringLiteral("Shift+");
    if (ctrl)
        s += QStringLiteral("Ctrl+");
    return s;
}

} // namespace

QByteArray KeyFileBytes(const std::vector<CKeycust>& keys)
{
    QByteArray out;
    const size_t n = keys.size();
    if (n < kBigCount) {
        PutWord(out, static_cast<std::uint16_t>(n));
    } else {
        PutWord(out, kBigCount);
        PutWord(out, static_cast<std::uint16_t>(n & 0xFFFF));
        PutWord(out, static_cast<std::uint16_t>(n >> 16));
    }
    for (size_t i = 0; i < n; ++i) {
        if (i == 0) {
            PutWord(out, kNewClassTag);
            PutWord(out, kSchema);
            PutWord(out, kClassNameLength);
            out.append(kClassName, kClassNameLength);
        } else {
            PutWord(out, kClassReference);
        }
        PutKey(out, keys[i]);
    }
    return out;
}

std::optional<std::vector<CKeycust>> ParseKeyFile(QByteArrayView bytes)
{
    WordReader r(bytes);
    std::uint16_t small = 0;
    if (!r.Word(small))
        return std::nullopt;
    std::uint32_t count = small;
    if (small == kBigCount && !r.DoubleWord(count))
        return std::nullopt;
    std::vector<CKeycust> keys;
    if (count == 0)
        return keys;
    // Every assignment takes at least its words and a tag, so a count the
    // bytes cannot hold is refused before anything is allocated.
    const qsizetype header = 6 + kClassNameLength;
    if (r.Left() < header + kKeyBytes
        || static_cast<qsizetype>(count - 1) > (r.Left() - header - kKeyBytes) / (2 + kKeyBytes))
        return std::nullopt;
    keys.reserve(count);
    std::uint16_t tag = 0, schema = 0, length = 0;
    QByteArrayView name;
    if (!r.Word(tag) || tag != kNewClassTag || !r.Word(schema) || schema != kSchema
        || !r.Word(length) || length != kClassNameLength || !r.Bytes(length, name)
        || name != QByteArrayView(kClassName, kClassNameLength))
        return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0 && (!r.Word(tag) || tag != kClassReference))
            return std::nullopt;
        CKeycust k;
        if (!ReadKey(r, k))
            return std::nullopt;
        keys.push_back(k);
    }
    return keys;
}

int CKeycustTable::Lookup(int code, bool alt, bool shift, bool ctrl) const
{
    for (const CKeycust& k : m_keys)
        if (k.Matches(code, alt, shift, ctrl))
            return k.command;
    return 0;
}

int CKeycustTable::Assign(const Key& key, int command)
{
    for (auto it = m_keys.begin(); it != m_keys.end(); ++it) {
        if (!it->Matches(key.code, key.alt, key.shift, key.ctrl))
            continue;
        const int old = it->command;
        if (command == 0)
            m_keys.erase(it);
        else
            it->command = static_cast<std::uint16_t>(command);
        return old;
    }
    if (command != 0) {
        CKeycust k;
        k.key = static_cast<std::uint16_t>(key.code);
        k.alt = key.alt ? 1 : 0;
        k.shift = key.shift ? 1 : 0;
        k.ctrl = key.ctrl ? 1 : 0;
        k.command = static_cast<std::uint16_t>(command);
        m_keys.push_back(k);
    }
    return 0;
}

const CKeycust* CKeycustTable::FirstWithCommand(int command) const
{
    for (const CKeycust& k : m_keys)
        if (k.command == command)
            return &k;
    return nullptr;
}

bool CKeycustTable::Save(const QString& path)
{
    if (!path.isEmpty())
        m_fileName = path;
    if (m_fileName.isEmpty())
        return false;
    // As documents are written: a link is followed, a device or pipe is
    // never replaced, and a new user's data folder is made.
    return platform::WriteOwnFile(m_fileName, KeyFileBytes(m_keys)) == platform::FileError::None;
}

namespace {

std::optional<QByteArray> ReadKeyFileBytes(const QString& path)
{
    platform::FileRead file = platform::ReadRegularFile(path, kMaxFileSize);
    if (file.error != platform::FileError::None)
        return std::nullopt;
    return std::move(file.bytes);
}

} // namespace

bool CKeycustTable::Load(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadKeyFileBytes(path);
    std::optional<std::vector<CKeycust>> keys = bytes ? ParseKeyFile(*bytes) : std::nullopt;
    if (!keys)
        return false;
    m_keys = std::move(*keys);
    m_fileName = path;
    return true;
}

bool CKeycustTable::HoldsOtherData(const QString& path)
{
    if (!platform::IsRegularFile(path) || platform::StatFile(path).size == 0)
        return false;
    const std::optional<QByteArray> bytes = ReadKeyFileBytes(path);
    return !bytes || !ParseKeyFile(*bytes);
}

const std::vector<CKeycustTable::KeyName>& CKeycustTable::KeyNames()
{
    static const std::vector<KeyName> names = [] {
        std::vector<KeyName> v;
        for (int i = 1; i <= 12; ++i)
            v.push_back({QStringLiteral("F%1").arg(i), vk::F1 + i - 1});
        for (int c = '@'; c <= 'Z'; ++c)
            v.push_back({QString(QChar(c)), c});
        const std::pair<const char*, int> keys[] = {
            {"Insert", vk::Insert}, {"Delete", vk::Delete}, {"BackSpace", vk::Back},
            {"Enter", vk::Return},  {"Space", vk::Space},   {"PageUp", vk::Prior},
            {"PageDown", vk::Next}, {"End", vk::End},       {"Home", vk::Home},
            {"*", vk::Multiply},    {"+", vk::Add},         {"-", vk::Subtract},
            {"/", vk::Divide}};
        for (const auto& [name, code] : keys)
            v.push_back({QString::fromLatin1(name), code});
        for (int c = '0'; c <= '9'; ++c)
            v.push_back({QString(QChar(c)), c});
        for (int d = 0; d <= 9; ++d)
            v.push_back({QStringLiteral("NUMPAD%1").arg(d), vk::Numpad0 + d});
        return v;
    }();
    return names;
}

QString CKeycustTable::NameOfKey(int code)
{
    for (const KeyName& k : KeyNames())
        if (k.code == code)
            return k.name;
    return QString();
}

QString CKeycustTable::DisplayName(const Key& key)
{
    return Prefix(key.alt, key.shift, key.ctrl) + NameOfKey(key.code);
}

QString CKeycustTable::DisplayName(const CKeycust& k)
{
    return Prefix(k.alt, k.shift, k.ctrl) + NameOfKey(k.key);
}

void CKeycustTable::ShowInMenus(MenuKeyNames& names) const
{
    for (const CKeycust& k : m_keys)
        names.Set(k.command, DisplayName(k));
}
