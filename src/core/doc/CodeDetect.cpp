#include "core/doc/CodeDetect.h"

#include "platform/Cp932.h"

#include <cstring>

namespace {

constexpr int kEsc = 0x1B;

bool InRange(int b, int lo, int hi)
{
    return b >= lo && b <= hi;
}

// Past the words of eight 7-bit bytes at p: runs of ASCII are most of a
// page and decide nothing.
const unsigned char* SkipAsciiWords(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        quint64 w;
        memcpy(&w, p, 8);
        if (w & 0x8080808080808080ULL)
            break;
        p += 8;
    }
    return p;
}

} // namespace

CodeKind DetectCodeKind(ByteReader& file)
{
    CodeKind result = CodeKind::Ascii;
    while (result == CodeKind::Ascii || result == CodeKind::Unknown) {
        const int b = file.Next();
        if (b < 0)
            break;
        if (b == kEsc) {
            // ESC $ B, ESC $ @, ESC $ ( D (kanji) and ESC ( I (katakana)
            // are JIS; ESC ( B and ESC ( J alone could be any 7-bit text.
            const int a = file.Next();
            if (a == '$') {
                const int c = file.Next();
                if (c == 'B' || c == '@' || (c == '(' && file.Next() == 'D'))
                    result = CodeKind::Jis;
            } else if (a == '(' && file.Next() == 'I') {
                result = CodeKind::Jis;
            }
        } else if (b == 0x8F) {
            // EUC's three-byte characters (JIS X 0212, IBM extensions) start
            // with 8F; as Shift-JIS it is a kanji lead.
            result = CodeKind::ShiftJis;
            const int c = file.Next();
            if (InRange(c, 0xA1, 0xFE)) {
                const int d = file.Next();
                if (InRange(d, 0xA1, 0xFE)
                    && platform::EucJpTables().triple[(c << 8) | d] != platform::MultiByteTables::kNone)
                    result = CodeKind::Euc;
            }
        } else if (InRange(b, 0x81, 0x8D) || InRange(b, 0x90, 0x9F)) {
            result = CodeKind::ShiftJis;
        } else if (b == 0x8E) {
            const int c = file.Next();
            if (InRange(c, 0x40, 0x7E) || InRange(c, 0x80, 0xA0) || InRange(c, 0xE0, 0xFC))
                result = CodeKind::ShiftJis;
            else if (InRange(c, 0xA1, 0xDF))
                result = CodeKind::Unknown;
        } else if (InRange(b, 0xA1, 0xDF)) {
            const int c = file.Next();
            if (InRange(c, 0xF0, 0xFE) || InRange(c, 0xE0, 0xEF))
                result = CodeKind::Euc;
            else if (InRange(c, 0xA1, 0xDF))
                result = CodeKind::Unknown;
            else if (c <= 0x9F)  // the end of the file included
                result = CodeKind::ShiftJis;
        } else if (InRange(b, 0xF0, 0xFC)) {
            // Shift-JIS user-defined and IBM extension characters lead with
            // F0..FC; so do EUC rows 80..92, of which only 80..84 hold
            // common kanji.
            const int c = file.Next();
            if (InRange(c, 0x40, 0x7E) || InRange(c, 0x80, 0xA0))
                result = CodeKind::ShiftJis;
            else if (InRange(c, 0xA1, 0xFC) && b >= 0xF5)
                result = CodeKind::ShiftJis;
            else
                result = CodeKind::Euc;
        } else if (InRange(b, 0xFD, 0xFE)) {
            result = CodeKind::Euc;
        } else if (InRange(b, 0xE0, 0xEF)) {
            const int c = file.Next();
            if (InRange(c, 0x40, 0x7E) || InRange(c, 0x80, 0xA0))
                result = CodeKind::ShiftJis;
            else if (InRange(c, 0xFD, 0xFE))
                result = CodeKind::Euc;
            else if (InRange(c, 0xA1, 0xFC))
                result = CodeKind::Unknown;
        }
    }
    return result;
}

Utf8Scan ScanUtf8(QByteArrayView bytes)
{
    Utf8Scan scan;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    scan.hasBom = bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF;
    int pending = 0;  // continuation bytes still expected
    while (p < end) {
        // Runs of 7-bit bytes are the common case; skip them eight at a time.
        if (pending == 0) {
            p = SkipAsciiWords(p, end);
            if (p == end)
                break;
        }
        const unsigned char b = *p++;
        if (pending > 0) {
            if (b < 0x80 || b > 0xBF) {
                scan.valid = false;
                return scan;
            }
            --pending;
        } else if (b < 0x80) {
            continue;
        } else if (b <= 0xBF) {
            scan.valid = false;
            return scan;
        } else if (b <= 0xDF) {
            pending = 1;
        } else if (b <= 0xEF) {
            pending = 2;
            scan.hasLongSequence = true;
        } else if (b <= 0xF4) {
            pending = 3;
            scan.hasLongSequence = true;
        } else {
            scan.valid = false;
            return scan;
        }
    }
    scan.valid = pending == 0;
    return scan;
}

bool IsUtf8File(ByteReader& file)
{
    file.Rewind();
    const QByteArrayView data = file.Data();
    if (data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xEF
        && static_cast<unsigned char>(data[1]) == 0xBB
        && static_cast<unsigned char>(data[2]) == 0xBF)
        return true;
    return ScanUtf8(data).valid;
}

LineEndKind DetectLineEnd(ByteReader& file)
{
    for (;;) {
        const int b = file.Next();
        if (b < 0)
            return LineEndKind::None;
        if (b == '\n')
            return LineEndKind::Lf;
        if (b == '\r')
            return file.Next() == '\n' ? LineEndKind::CrLf : LineEndKind::Cr;
    }
}

Utf8Count CountUtf8(QByteArrayView bytes)
{
    Utf8Count count;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    auto cont = [](unsigned b, unsigned lo = 0x80, unsigned hi = 0xBF) { return b >= lo && b <= hi; };
    while (p < end) {
        // Word-wise through 7-bit text only; Japanese text comes in runs.
        if (*p < 0x80) {
            p = SkipAsciiWords(p, end);
            if (p == end)
                break;
        }
        const unsigned b = *p;
        const qsizetype left = end - p;
        int n = 0;
        if (b < 0x80)
            n = 1;
        else if (b >= 0xC2 && b <= 0xDF && left >= 2 && cont(p[1]))
            n = 2;
        else if (b >= 0xE0 && b <= 0xEF && left >= 3
                 && cont(p[1], b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF) && cont(p[2]))
            n = 3;
        else if (b >= 0xF0 && b <= 0xF4 && left >= 4
                 && cont(p[1], b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF) && cont(p[2])
                 && cont(p[3]))
            n = 4;
        if (n == 0) {
            ++count.invalid;
            // Plainly not UTF-8: no need to read on.
            if (count.invalid > 64 && count.invalid * kStrayShare > count.sequences)
                return count;
            ++p;
        } else {
            if (n > 1)
                ++count.sequences;
            p += n;
        }
    }
    return count;
}

namespace {

bool ReadsAsUtf16(QByteArrayView bytes, bool lowByteFirst)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    qsizetype narrow = 0;  // units below U+0100
    qsizetype stretch = 0;  // units since the last of them
    bool highSurrogate = false;
    for (; p < end; p += 2) {
        const unsigned unit = lowByteFirst ? p[0] | (p[1] << 8) : (p[0] << 8) | p[1];
        const bool lowSurrogate = unit >= 0xDC00 && unit <= 0xDFFF;
        if (highSurrogate != lowSurrogate)
            return false;
        highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (unit >= 0x100) {
            if (unit >= 0xFFFE || ++stretch > kUtf16Stretch)
                return false;
            continue;
        }
        if ((unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\f' && unit != '\r')
            || (unit >= 0x7F && unit < 0xA0))
            return false;
        ++narrow;
        stretch = 0;
    }
    return !highSurrogate && narrow >= 2;
}

} // namespace

bool IsUtf16File(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xFF\xFE", 2)) || bytes.startsWith(QByteArrayView("\xFE\xFF", 2)))
        return true;
    if (bytes.size() % 2 != 0 || !memchr(bytes.data(), 0, bytes.size()))
        return false;
    // The NULs are the high bytes of 7-bit characters: the second byte of
    // a unit when the low byte comes first.
    qsizetype first = 0, second = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        first += bytes[i] == 0;
        second += bytes[i + 1] == 0;
    }
    return first != second && ReadsAsUtf16(bytes, second > first);
}

namespace {

// How unlikely the bytes are as text of one code, in the manner of nkf:
// half-width katakana, level-2 kanji and vendor rows cost, and bytes that
// are no character rule the code out (-1).
constexpr int kLevel2 = 1;
constexpr int kKana = 2;
constexpr int kVendor = 4;
constexpr int kMissing = 16;

int SjisCost(QByteArrayView bytes)
{
    const platform::MultiByteTables& t = platform::Cp932Tables();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    int cost = 0;
    int pairs = 0, pairsOn8E = 0;
    while (p < end) {
        const unsigned b = *p++;
        if (b < 0x80)
            continue;
        if (InRange(b, 0xA1, 0xDF)) {
            cost += kKana;
            continue;
        }
        if (p == end)
            return -1;
        const unsigned code = (b << 8) | *p++;
        ++pairs;
        pairsOn8E += b == 0x8E;
        if (t.pair[code] == platform::MultiByteTables::kNone)
            cost += kMissing;
        else if (b == 0x87 || b >= 0xED)
            cost += kVendor;
        else if (code >= 0x989F)
            cost += kLevel2;
    }
    // EUC half-width katakana are 8E pairs, which read as Shift-JIS kanji
    // that all share one lead byte: no real text has only those.
    if (pairs >= 2 && pairsOn8E == pairs)
        cost += kMissing * pairs;
    return cost;
}

int EucCost(QByteArrayView bytes)
{
    const platform::MultiByteTables& t = platform::EucJpTables();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    int cost = 0;
    while (p < end) {
        const unsigned b = *p++;
        if (b < 0x80)
            continue;
        if (p == end)
            return -1;
        const unsigned code = (b << 8) | *p++;
        if (b == 0x8E)
            cost += kKana;
        else if (t.pair[code] == platform::MultiByteTables::kNone)
            cost += kMissing;
        else if (b == 0xAD || b >= 0xF9)
            cost += kVendor;
        else if (b >= 0xD0)
            cost += kLevel2;
    }
    return cost;
}

// Only bytes that fit both codes: the likelier reading, or Unknown when
// neither is.
CodeKind ChooseEucOrSjis(QByteArrayView bytes)
{
    const int sjis = SjisCost(bytes);
    const int euc = EucCost(bytes);
    if (euc >= 0 && (sjis < 0 || euc < sjis))
        return CodeKind::Euc;
    if (sjis >= 0 && (euc < 0 || sjis < euc))
        return CodeKind::ShiftJis;
    return CodeKind::Unknown;
}

} // namespace

CodeKind DetectDocumentCode(QByteArrayView bytes)
{
    // A byte-order mark is written on purpose; a stray byte later is the
    // page's fault, not a sign of another code.
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        return CodeKind::Utf8;
    ByteReader reader(bytes);
    const CodeKind kind = DetectCodeKind(reader);
    if (kind == CodeKind::Ascii || kind == CodeKind::Jis)
        return kind;
    // Well-formed multi-byte sequences are all but never EUC or Shift-JIS
    // text, also when they hold no Japanese (é, ©); a few stray bytes (a
    // Latin-1 sign pasted in) do not make a UTF-8 page another code.
    const Utf8Count count = CountUtf8(bytes);
    if (count.sequences > 0 && count.invalid * kStrayShare <= count.sequences)
        return CodeKind::Utf8;
    return kind == CodeKind::Unknown ? ChooseEucOrSjis(bytes) : kind;
}
