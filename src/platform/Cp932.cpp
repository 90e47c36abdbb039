#include "platform/Cp932.h"

#include <iconv.h>

#include <array>
#include <vector>

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char kUnmappable = '?';

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

struct Tables {
    // Single bytes: the character, or 0xFFFF when the byte is a lead byte or
    // has no character.
    std::array<char16_t, 256> single{};
    // Double bytes, indexed by (lead << 8 | trail); 0xFFFF when unassigned.
    std::vector<char16_t> dbcs = std::vector<char16_t>(65536, 0xFFFF);
    // UTF-16 unit to its code: 0 = not encodable, below 0x100 one byte,
    // otherwise two bytes (lead in the high byte).
    std::vector<uint16_t> encode = std::vector<uint16_t>(65536, 0);
    bool nulEncodes = true;
};

// Converts one short byte sequence with iconv; empty when iconv refuses it.
std::u16string IconvDecode(iconv_t cd, const char* in, size_t len)
{
    char16_t out[8];
    char* inp = const_cast<char*>(in);
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = len, outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return {};
    return std::u16string(out, (sizeof(out) - outLeft) / sizeof(char16_t));
}

std::string IconvEncode(iconv_t cd, char16_t ch)
{
    char out[8];
    char* inp = reinterpret_cast<char*>(&ch);
    char* outp = out;
    size_t inLeft = sizeof(ch), outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return {};
    return std::string(out, sizeof(out) - outLeft);
}

Tables* BuildTables()
{
    auto* t = new Tables;
    iconv_t dec = iconv_open("UTF-16LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-16LE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter only 7-bit text is kept; everything else
        // is shown as the replacement character.
        for (int b = 0; b < 0x80; ++b) {
            t->single[b] = static_cast<char16_t>(b);
            t->encode[b] = static_cast<uint16_t>(b);
        }
        for (int b = 0x80; b < 0x100; ++b)
            t->single[b] = IsLeadByte(b) ? 0xFFFF : kReplacement;
        return t;
    }
    for (int b = 0; b < 0x100; ++b) {
        if (IsLeadByte(static_cast<unsigned char>(b))) {
            t->single[b] = 0xFFFF;
            continue;
        }
        const char c = static_cast<char>(b);
        const std::u16string u = IconvDecode(dec, &c, 1);
        t->single[b] = u.size() == 1 ? u[0] : kReplacement;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail)))
                continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string u = IconvDecode(dec, pair, 2);
            if (u.size() == 1)
                t->dbcs[(lead << 8) | trail] = u[0];
        }
    }
    for (int ch = 1; ch < 0x10000; ++ch) {
        if (ch >= 0xD800 && ch <= 0xDFFF)
            continue;
        const std::string b = IconvEncode(enc, static_cast<char16_t>(ch));
        if (b.size() == 1)
            t->encode[ch] = static_cast<unsigned char>(b[0]);
        else if (b.size() == 2)
            t->encode[ch] = static_cast<uint16_t>((static_cast<unsigned char>(b[0]) << 8)
                                                  | static_cast<unsigned char>(b[1]));
    }
    iconv_close(dec);
    iconv_close(enc);
    return t;
}

const Tables& TheTables()
{
    static const Tables* tables = BuildTables();
    return *tables;
}

// The canonical form of each character: the one iconv writes when it is
// among the forms that decode to the character, else the first form met.
// Characters with several forms are marked as having alternatives.
void InvertTables(MultiByteTables& t, const char* iconvName,
                  const std::vector<std::pair<uint32_t, char16_t>>& forms)
{
    std::vector<uint8_t> count(65536, 0);
    for (const auto& [code, ch] : forms) {
        if (count[ch] < 2)
            ++count[ch];
        if (t.encode[ch] == 0)
            t.encode[ch] = code;
    }
    iconv_t enc = iconv_open(iconvName, "UTF-16LE");
    for (int ch = 0; ch < 0x10000; ++ch) {
        if (count[ch] < 2)
            continue;
        t.alternative[ch] = 1;
        if (enc == reinterpret_cast<iconv_t>(-1))
            continue;
        const std::string b = IconvEncode(enc, static_cast<char16_t>(ch));
        uint32_t code = 0;
        for (char c : b)
            code = (code << 8) | static_cast<unsigned char>(c);
        for (const auto& [form, decoded] : forms)
            if (form == code && decoded == ch)
                t.encode[ch] = code;
    }
    if (enc != reinterpret_cast<iconv_t>(-1))
        iconv_close(enc);
}

// JIS X 0208 characters that CP932 reads as other code points than JIS
// does. Input methods on this desktop type the JIS ones (〜 and − above
// all); they are written in the one place JIS X 0208 has for them, as
// iconv writes them, and read back in CP932's form.
struct JisForm {
    char16_t ch;
    uint16_t euc;
    uint16_t sjis;
};
constexpr JisForm kJisForms[] = {
    {0x301C, 0xA1C1, 0x8160},  // WAVE DASH, 1-33
    {0x2016, 0xA1C2, 0x8161},  // DOUBLE VERTICAL LINE, 1-34
    {0x2212, 0xA1DD, 0x817C},  // MINUS SIGN, 1-61
    {0x00A2, 0xA1F1, 0x8191},  // CENT SIGN, 1-81
    {0x00A3, 0xA1F2, 0x8192},  // POUND SIGN, 1-82
    {0x00AC, 0xA2CC, 0x81CA},  // NOT SIGN, 2-44
};

void AddJisForms(MultiByteTables& t, bool euc)
{
    for (const JisForm& f : kJisForms)
        if (t.encode[f.ch] == 0)
            t.encode[f.ch] = euc ? f.euc : f.sjis;
}

void PackEncoding(MultiByteTables& t)
{
    for (uint32_t ch = 0; ch < 0x10000; ++ch) {
        const uint32_t code = t.encode[ch];
        if (code == 0 || t.alternative[ch] || (ch >= 0xD800 && ch <= 0xDFFF))
            continue;
        const uint32_t length = code > 0xFFFF ? 3 : code > 0xFF ? 2 : 1;
        uint32_t bytes = 0;
        for (uint32_t i = 0; i < length; ++i)
            bytes |= ((code >> (8 * (length - 1 - i))) & 0xFF) << (8 * i);
        t.packed[ch] = bytes | (length << 24);
    }
}

MultiByteTables* BuildCp932Tables()
{
    auto* t = new MultiByteTables;
    const Tables& legacy = TheTables();
    std::vector<std::pair<uint32_t, char16_t>> forms;
    for (int b = 0; b < 0x100; ++b) {
        const char16_t c = legacy.single[b];
        t->single[b] = (c == 0xFFFF || c == kReplacement) ? MultiByteTables::kNone : c;
        if (b >= 0x80 && t->single[b] != MultiByteTables::kNone)
            forms.emplace_back(b, t->single[b]);
    }
    for (int code = 0x8100; code < 0x10000; ++code) {
        const char16_t c = legacy.dbcs[code];
        if (c == 0xFFFF)
            continue;
        t->pair[code] = c;
        forms.emplace_back(code, c);
    }
    InvertTables(*t, "CP932", forms);
    AddJisForms(*t, false);
    PackEncoding(*t);
    return t;
}

// Rows 89..92 of JIS X 0208 as CP932 has them (Shift-JIS ED40..EEFC).
char16_t NecSelectedRow(int first, int second)
{
    const int h = first & 0x7F, l = second & 0x7F;
    const int low = (h & 1) == 0 ? l + 0x7E : (l <= 0x5F ? l + 0x1F : l + 0x20);
    const int high = ((h - 0x21) >> 1) + (h <= 0x5E ? 0x81 : 0xC1);
    return TheTables().dbcs[(high << 8) | low];
}

MultiByteTables* BuildEucTables()
{
    auto* t = new MultiByteTables;
    t->triple.assign(65536, MultiByteTables::kNone);
    std::vector<std::pair<uint32_t, char16_t>> forms;
    for (int b = 0; b < 0x80; ++b)
        t->single[b] = static_cast<char16_t>(b);
    for (int b = 0x80; b < 0x100; ++b)
        t->single[b] = MultiByteTables::kNone;
    for (int k = 0xA1; k <= 0xDF; ++k) {
        const char16_t c = static_cast<char16_t>(0xFF61 + (k - 0xA1));
        t->pair[0x8E00 | k] = c;
        forms.emplace_back(0x8E00 | k, c);
    }
    iconv_t dec = iconv_open("UTF-16LE", "EUC-JP-MS");
    const bool haveIconv = dec != reinterpret_cast<iconv_t>(-1);
    for (int first = 0xA1; first <= 0xFE; ++first) {
        for (int second = 0xA1; second <= 0xFE; ++second) {
            const int code = (first << 8) | second;
            char16_t c = MultiByteTables::kNone;
            if (first >= 0xF9 && first <= 0xFC)
                c = NecSelectedRow(first, second);
            if (c == 0xFFFF && haveIconv) {
                const char in[2] = {static_cast<char>(first), static_cast<char>(second)};
                const std::u16string u = IconvDecode(dec, in, 2);
                if (u.size() == 1)
                    c = u[0];
            }
            if (c != 0xFFFF) {
                t->pair[code] = c;
                forms.emplace_back(code, c);
            }
            if (!haveIconv)
                continue;
            const char in3[3] = {'\x8F', static_cast<char>(first), static_cast<char>(second)};
            const std::u16string u3 = IconvDecode(dec, in3, 3);
            if (u3.size() == 1) {
                t->triple[code] = u3[0];
                forms.emplace_back(0x8F0000 | code, u3[0]);
            }
        }
    }
    if (haveIconv)
        iconv_close(dec);
    InvertTables(*t, "EUC-JP-MS", forms);
    AddJisForms(*t, true);
    PackEncoding(*t);
    return t;
}

} // namespace

const MultiByteTables& Cp932Tables()
{
    static const MultiByteTables* tables = BuildCp932Tables();
    return *tables;
}

const MultiByteTables& EucJpTables()
{
    static const MultiByteTables* tables = BuildEucTables();
    return *tables;
}

QString Cp932ToUnicode(QByteArrayView bytes)
{
    const Tables& t = TheTables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    char16_t* const start = dst;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *dst++ = b;
            ++p;
            continue;
        }
        const char16_t s = t.single[b];
        if (s != 0xFFFF) {
            *dst++ = s;
            ++p;
            continue;
        }
        // A lead byte: a character of two bytes when the next byte is a
        // trail byte, else a lone invalid byte.
        const bool pair = p + 1 < end && IsTrailByte(p[1]);
        const char16_t d = pair ? t.dbcs[(b << 8) | p[1]] : 0xFFFF;
        if (d != 0xFFFF) {
            *dst++ = d;
            p += 2;
        } else if (pair && p[1] >= 0x80) {
            // An unassigned pair: one replacement for both bytes.
            *dst++ = kReplacement;
            p += 2;
        } else {
            // The next byte is decoded afresh, so that a stray lead byte
            // never swallows an ASCII character (a tag's "<" or a letter).
            *dst++ = kReplacement;
            ++p;
        }
    }
    out.truncate(dst - start);
    return out;
}

QByteArray UnicodeToCp932(QStringView text)
{
    const Tables& t = TheTables();
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    auto* dst = reinterpret_cast<unsigned char*>(out.data());
    auto* const start = dst;
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t c = *p++;
        if (c < 0x80) {
            *dst++ = static_cast<unsigned char>(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            // A surrogate pair is one character outside the code page.
            if (c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
                ++p;
            *dst++ = kUnmappable;
            continue;
        }
        const uint16_t code = t.encode[c];
        if (code == 0) {
            *dst++ = kUnmappable;
        } else if (code < 0x100) {
            *dst++ = static_cast<unsigned char>(code);
        } else {
            *dst++ = static_cast<unsigned char>(code >> 8);
            *dst++ = static_cast<unsigned char>(code & 0xFF);
        }
    }
    out.truncate(dst - start);
    return out;
}

bool Cp932RoundTrips(char32_t ch)
{
    if (ch < 0x80)
        return true;
    if (ch > 0xFFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return false;
    const Tables& t = TheTables();
    const uint16_t code = t.encode[ch];
    if (code == 0)
        return false;
    if (code < 0x100)
        return t.single[code] == ch;
    return t.dbcs[code] == ch;
}

} // namespace platform
