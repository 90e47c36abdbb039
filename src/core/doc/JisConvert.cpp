#include "core/doc/JisConvert.h"

#include <cstring>

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSo = 0x0E;
constexpr unsigned char kSi = 0x0F;

// Output written through a raw pointer; the caller reserves the worst case
// of the line first, so the converters never check space per byte.
struct Writer {
    QByteArray& out;
    qsizetype base;
    unsigned char* p;

    Writer(QByteArray& o, qsizetype maxAdded) : out(o), base(o.size())
    {
        out.resize(base + maxAdded);
        p = reinterpret_cast<unsigned char*>(out.data()) + base;
    }
    ~Writer()
    {
        out.truncate(p - reinterpret_cast<unsigned char*>(out.data()));
    }
    void Put(unsigned char b) { *p++ = b; }
    void Put2(unsigned code)
    {
        *p++ = static_cast<unsigned char>(code >> 8);
        *p++ = static_cast<unsigned char>(code & 0xFF);
    }
    void Put3(unsigned char a, unsigned char b, unsigned char c)
    {
        *p++ = a;
        *p++ = b;
        *p++ = c;
    }
};

const unsigned char* Bytes(QByteArrayView v)
{
    return reinterpret_cast<const unsigned char*>(v.data());
}

// Largest growth of a line by each converter: the decoders never grow a
// line; EUC doubles half-width katakana; the JIS encoder at worst switches
// mode around every character and closes the line.
constexpr qsizetype kEucGrowth = 2;
constexpr qsizetype kJisGrowth = 3;
constexpr qsizetype kJisLineClose = 3;

// Byte classes of Shift-JIS, looked up once per byte in the converters'
// inner loops.
enum : unsigned char { kSingle = 0, kLead = 1, kKana = 2 };
enum : unsigned char { kNotTrail = 0, kTrail = 1 };

struct ByteTables {
    unsigned char cls[256];
    unsigned char trail[256];
    constexpr ByteTables() : cls(), trail()
    {
        for (int b = 0; b < 256; ++b) {
            cls[b] = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? kLead
                     : (b >= 0xA1 && b <= 0xDF)                            ? kKana
                                                                            : kSingle;
            trail[b] = ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) ? kTrail : kNotTrail;
        }
    }
};
constexpr ByteTables kBytes;

inline unsigned FastJisToSjis(unsigned h, unsigned l)
{
    if (h - 0x21 > 0x7E - 0x21 || l - 0x21 > 0x7E - 0x21)
        return 0;
    const unsigned low = (h & 1) == 0 ? l + 0x7E : (l <= 0x5F ? l + 0x1F : l + 0x20);
    const unsigned high = ((h - 0x21) >> 1) + (h <= 0x5E ? 0x81 : 0xC1);
    return (high << 8) | low;
}

// h must be a lead byte and l a trail byte.
inline unsigned FastSjisToJis(unsigned h, unsigned l)
{
    const unsigned d = h < 0xA0 ? h - 0x81 : h - 0xC1;
    unsigned jis;
    if (l < 0x9F)
        jis = (2 * d + 0x21) * 256 + (l - 0x1F - (l > 0x7E ? 1 : 0));
    else
        jis = (2 * d + 0x22) * 256 + (l - 0x7E);
    const unsigned jl = jis & 0xFF;
    if (jis < 0x2121 || jis > 0x7E7E || jl < 0x21 || jl > 0x7E)
        return 0;
    return jis;
}

} // namespace

bool IsSjisLeadByte(unsigned char b)
{
    return kBytes.cls[b] == kLead;
}

bool IsSjisTrailByte(unsigned char b)
{
    return kBytes.trail[b] == kTrail;
}

bool IsHalfWidthKana(unsigned char b)
{
    return kBytes.cls[b] == kKana;
}

unsigned JisToSjis(unsigned code)
{
    if (code > 0xFFFF)
        return 0;
    return FastJisToSjis((code >> 8) & 0xFF, code & 0xFF);
}

unsigned SjisToJis(unsigned code)
{
    const unsigned h = (code >> 8) & 0xFF;
    const unsigned l = code & 0xFF;
    if (code > 0xFFFF || kBytes.cls[h] != kLead || !kBytes.trail[l])
        return 0;
    return FastSjisToJis(h, l);
}

void JisLineToSjis(QByteArrayView line, JisMode& mode, QByteArray& out)
{
    const unsigned char* s = Bytes(line);
    const qsizetype n = line.size();
    Writer w(out, n);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        const qsizetype rest = n - i;
        if (b == kEsc && rest >= 3) {
            const unsigned char c1 = s[i + 1], c2 = s[i + 2];
            if ((c1 == '$' && (c2 == '@' || c2 == 'B')) || (c1 == '&' && c2 == '@')) {
                mode = JisMode::Kanji;
                i += 3;
                continue;
            }
            if (c1 == '(' && (c2 == 'J' || c2 == 'H' || c2 == 'B')) {
                mode = JisMode::Ascii;
                i += 3;
                continue;
            }
            if (c1 == '(' && c2 == 'I') {
                mode = JisMode::Kana;
                i += 3;
                continue;
            }
        }
        if (b == kSo) {
            mode = JisMode::Kana;
            ++i;
            continue;
        }
        if (b == kSi) {
            mode = JisMode::Ascii;
            ++i;
            continue;
        }
        if (b == kEsc && rest >= 4 && s[i + 1] == '$' && s[i + 2] == '(' && s[i + 3] == 'D') {
            mode = JisMode::Kanji;
            i += 4;
            continue;
        }
        switch (mode) {
        case JisMode::Kanji: {
            const unsigned sjis = rest >= 2 ? FastJisToSjis(b, s[i + 1]) : 0;
            if (sjis) {
                w.Put2(sjis);
                i += 2;
            } else {
                w.Put(b);
                ++i;
            }
            break;
        }
        case JisMode::Kana:
            w.Put(static_cast<unsigned char>(b + 0x80));
            ++i;
            break;
        case JisMode::Ascii:
            w.Put(b);
            ++i;
            break;
        }
    }
}

void EucLineToSjis(QByteArrayView line, JisMode&, QByteArray& out)
{
    const unsigned char* s = Bytes(line);
    const qsizetype n = line.size();
    Writer w(out, n);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            w.Put(b);
            ++i;
        } else if (b == 0x8E) {
            // Single shift 2: the half-width katakana byte follows.
            if (i + 1 < n)
                w.Put(s[i + 1]);
            i += 2;
        } else if (b == 0x8F) {
            // Single shift 3 (JIS X 0212) has no Shift-JIS form; the pair
            // after it is taken as an ordinary pair.
            ++i;
        } else {
            const unsigned next = i + 1 < n ? s[i + 1] : 0;
            const unsigned sjis = FastJisToSjis(b & 0x7F, next & 0x7F);
            if (i + 1 < n && sjis) {
                w.Put2(sjis);
                i += 2;
            } else {
                w.Put(b);
                ++i;
            }
        }
    }
}

void SjisLineToJis(QByteArrayView line, JisMode& mode, QByteArray& out)
{
    const unsigned char* s = Bytes(line);
    const qsizetype n = line.size();
    Writer w(out, n * kJisGrowth + kJisLineClose);
    auto leaveTo = [&](JisMode target) {
        if (mode == JisMode::Kana)
            w.Put(kSi);
        else if (mode == JisMode::Kanji && target == JisMode::Ascii)
            w.Put3(kEsc, '(', 'B');
    };
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        const unsigned char cls = kBytes.cls[b];
        if (cls == kLead && i + 1 < n && kBytes.trail[s[i + 1]]) {
            const unsigned jis = FastSjisToJis(b, s[i + 1]);
            if (jis) {
                if (mode == JisMode::Kana)
                    w.Put(kSi);
                if (mode != JisMode::Kanji)
                    w.Put3(kEsc, '$', 'B');
                mode = JisMode::Kanji;
                w.Put2(jis);
            } else {
                leaveTo(JisMode::Ascii);
                mode = JisMode::Ascii;
                w.Put(b);
                w.Put(s[i + 1]);
            }
            i += 2;
        } else if (cls == kKana) {
            if (mode != JisMode::Kana) {
                w.Put(kSo);
                mode = JisMode::Kana;
            }
            w.Put(b & 0x7F);
            ++i;
        } else {
            leaveTo(JisMode::Ascii);
            mode = JisMode::Ascii;
            w.Put(b);
            ++i;
        }
    }
    leaveTo(JisMode::Ascii);
    mode = JisMode::Ascii;
}

void SjisLineToEuc(QByteArrayView line, JisMode&, QByteArray& out)
{
    const unsigned char* s = Bytes(line);
    const qsizetype n = line.size();
    Writer w(out, n * kEucGrowth);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        const unsigned char cls = kBytes.cls[b];
        if (cls == kLead && i + 1 < n && kBytes.trail[s[i + 1]]) {
            const unsigned jis = FastSjisToJis(b, s[i + 1]);
            w.Put(static_cast<unsigned char>((jis >> 8) | 0x80));
            w.Put(static_cast<unsigned char>((jis & 0xFF) | 0x80));
            i += 2;
        } else if (cls == kKana) {
            w.Put(0x8E);
            w.Put(b);
            ++i;
        } else {
            w.Put(b);
            ++i;
        }
    }
}

QByteArray JisLineToSjis(QByteArrayView line, JisMode& mode)
{
    QByteArray out;
    JisLineToSjis(line, mode, out);
    return out;
}

QByteArray EucLineToSjis(QByteArrayView line)
{
    QByteArray out;
    JisMode mode = JisMode::Ascii;
    EucLineToSjis(line, mode, out);
    return out;
}

QByteArray SjisLineToJis(QByteArrayView line, JisMode& mode)
{
    QByteArray out;
    SjisLineToJis(line, mode, out);
    return out;
}

QByteArray SjisLineToEuc(QByteArrayView line)
{
    QByteArray out;
    JisMode mode = JisMode::Ascii;
    SjisLineToEuc(line, mode, out);
    return out;
}

QByteArray ConvertByLines(QByteArrayView text, QByteArrayView separator, LineConverter convert)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 4 + 16);
    JisMode mode = JisMode::Ascii;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype next = separator.isEmpty() ? -1 : text.indexOf(separator, pos);
        const bool last = next < 0;
        if (last)
            next = n;
        if (next > pos) {
            // Keep appends amortised: grow ahead of what the line may need.
            if (out.capacity() - out.size() < (next - pos) * kJisGrowth + 8)
                out.reserve(std::max(out.capacity() * 2, out.size() + (next - pos) * kJisGrowth + 8));
            convert(text.sliced(pos, next - pos), mode, out);
        }
        if (last)
            break;
        out.append("\r\n", 2);
        pos = next + separator.size();
    }
    return out;
}
