#include "core/doc/DocumentCodec.h"

#include "core/doc/CodeDetect.h"
#include "platform/Cp932.h"
#include "platform/LargeBuffers.h"

#include <algorithm>
#include <cctype>
#include <cstring>

QString Utf8ToText(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

QByteArray TextToUtf8(QStringView text)
{
    return text.toUtf8();
}

QByteArray LfToCrLf(QByteArrayView bytes)
{
    const qsizetype lfs = bytes.count('\n');
    QByteArray out(bytes.size() + lfs, Qt::Uninitialized);
    platform::AdviseLargeBuffer(out.data(), out.size());
    char* d = out.data();
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* lf = static_cast<const char*>(memchr(s, '\n', end - s));
        const char* stop = lf ? lf : end;
        memcpy(d, s, stop - s);
        d += stop - s;
        if (!lf)
            break;
        *d++ = '\r';
        *d++ = '\n';
        s = lf + 1;
    }
    return out;
}

// Every CR gets an LF, also one followed by CR LF: the save rewrite turns
// each CR LF back into CR, so the bytes come back exactly.
QByteArray CrToCrLf(QByteArrayView bytes)
{
    const qsizetype crs = bytes.count('\r');
    QByteArray out(bytes.size() + crs, Qt::Uninitialized);
    platform::AdviseLargeBuffer(out.data(), out.size());
    char* d = out.data();
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* cr = static_cast<const char*>(memchr(s, '\r', end - s));
        const char* stop = cr ? cr : end;
        memcpy(d, s, stop - s);
        d += stop - s;
        if (!cr)
            break;
        *d++ = '\r';
        *d++ = '\n';
        s = cr + 1;
    }
    return out;
}

namespace {

void CollapseCrLf(QByteArray& bytes, bool keepCr)
{
    char* d = bytes.data();
    const char* s = d;
    const char* const end = s + bytes.size();
    char* out = d;
    while (s < end) {
        const char* cr = static_cast<const char*>(memchr(s, '\r', end - s));
        if (!cr) {
            memmove(out, s, end - s);
            out += end - s;
            break;
        }
        memmove(out, s, cr - s);
        out += cr - s;
        if (cr + 1 < end && cr[1] == '\n') {
            *out++ = keepCr ? '\r' : '\n';
            s = cr + 2;
        } else {
            *out++ = '\r';
            s = cr + 1;
        }
    }
    bytes.truncate(out - d);
}

} // namespace

void CrLfToLf(QByteArray& bytes)
{
    CollapseCrLf(bytes, false);
}

void CrLfToCr(QByteArray& bytes)
{
    CollapseCrLf(bytes, true);
}


namespace {

using platform::MultiByteTables;

constexpr char16_t kNone = MultiByteTables::kNone;
constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSo = 0x0E;
constexpr unsigned char kSi = 0x0F;

inline char16_t EscapeByte(unsigned char b)
{
    return static_cast<char16_t>(0xDC00 | b);
}

inline bool IsCp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool InRange(unsigned b, unsigned lo, unsigned hi)
{
    return b - lo <= hi - lo;
}

// UTF-16 output written through a pointer into a string sized for the
// worst case and cut to length at the end. A file's own line end byte (LF
// or CR) is written as CR LF, the text's line end, as it is copied.
class TextWriter {
public:
    TextWriter(QByteArrayView bytes, LineEndKind lineEnd)
        : m_newline(lineEnd == LineEndKind::Lf ? '\n' : lineEnd == LineEndKind::Cr ? '\r' : -1),
          m_out(bytes.size() + (m_newline < 0 ? 0 : bytes.count(static_cast<char>(m_newline))),
                Qt::Uninitialized)
    {
        m_start = m_p = reinterpret_cast<char16_t*>(m_out.data());
        platform::AdviseLargeBuffer(m_start, m_out.size() * 2);
    }
    void Put(char16_t c) { *m_p++ = c; }
    void PutEscaped(const unsigned char* from, qsizetype count)
    {
        if (m_first < 0)
            m_first = m_p - m_start;
        m_escaped += count;
        for (qsizetype i = 0; i < count; ++i)
            *m_p++ = EscapeByte(from[i]);
    }
    // Copies 7-bit bytes up to the first other one; gives where it stopped.
    const unsigned char* PutAscii(const unsigned char* p, const unsigned char* end)
    {
        constexpr quint64 kOnes = 0x0101010101010101ULL;
        constexpr quint64 kHighs = 0x8080808080808080ULL;
        const quint64 newlines = m_newline < 0 ? 0 : kOnes * static_cast<quint64>(m_newline);
        for (;;) {
            while (end - p >= 8) {
                quint64 w;
                memcpy(&w, p, 8);
                if (w & kHighs)
                    break;
                if (m_newline >= 0) {
                    const quint64 v = w ^ newlines;  // a zero byte where a newline is
                    if ((v - kOnes) & ~v & kHighs)
                        break;
                }
                for (int i = 0; i < 8; ++i)
                    m_p[i] = p[i];
                m_p += 8;
                p += 8;
            }
            // Byte by byte through the word that stopped the run.
            const unsigned char* const stop = end - p > 8 ? p + 8 : end;
            while (p < stop && *p < 0x80) {
                if (*p == m_newline)
                    *m_p++ = u'\r';
                *m_p++ = *p == m_newline ? u'\n' : *p;
                ++p;
            }
            if (p == end || *p >= 0x80)
                return p;
        }
    }
    QString Take(qsizetype& escaped, qsizetype& first)
    {
        escaped = m_escaped;
        first = m_first;
        m_out.truncate(m_p - m_start);
        return std::move(m_out);
    }

private:
    const int m_newline;  // LF or CR, or -1 when the bytes already have CR LF
    QString m_out;
    char16_t* m_start;
    char16_t* m_p;
    qsizetype m_escaped = 0;
    qsizetype m_first = -1;
};

struct DecodeResult {
    QString text;
    qsizetype escaped = 0;
    qsizetype first = -1;
};

DecodeResult DecodeCp932(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms)
{
    const MultiByteTables& t = platform::Cp932Tables();
    TextWriter w(bytes, lineEnd);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        p = w.PutAscii(p, end);
        if (p == end)
            break;
        const unsigned char b = *p;
        const char16_t s = t.single[b];
        if (s != kNone) {
            w.Put(s);
            ++p;
            continue;
        }
        if (IsCp932Lead(b) && end - p >= 2) {
            const unsigned code = (unsigned(b) << 8) | p[1];
            const char16_t c = t.pair[code];
            if (c != kNone) {
                w.Put(c);
                if (forms && t.alternative[c])
                    forms->NoteForm(c, code);
                p += 2;
                continue;
            }
            // An unassigned pair is one broken character; a 7-bit byte
            // after a lead is decoded afresh (a "<" is never swallowed).
            if (p[1] >= 0x80) {
                w.PutEscaped(p, 2);
                p += 2;
                continue;
            }
        }
        w.PutEscaped(p, 1);
        ++p;
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

DecodeResult DecodeEuc(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms)
{
    const MultiByteTables& t = platform::EucJpTables();
    TextWriter w(bytes, lineEnd);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        p = w.PutAscii(p, end);
        if (p == end)
            break;
        const unsigned char b = *p;
        const qsizetype left = end - p;
        if (b == 0x8F && left >= 3 && InRange(p[1], 0xA1, 0xFE) && InRange(p[2], 0xA1, 0xFE)) {
            const unsigned code = (unsigned(p[1]) << 8) | p[2];
            const char16_t c = t.triple[code];
            if (c == kNone) {
                w.PutEscaped(p, 3);
            } else {
                w.Put(c);
                if (forms && t.alternative[c])
                    forms->NoteForm(c, 0x8F0000 | code);
            }
            p += 3;
            continue;
        }
        if ((b == 0x8E || InRange(b, 0xA1, 0xFE)) && left >= 2) {
            const unsigned code = (unsigned(b) << 8) | p[1];
            const char16_t c = t.pair[code];
            if (c != kNone) {
                w.Put(c);
                if (forms && t.alternative[c])
                    forms->NoteForm(c, code);
                p += 2;
                continue;
            }
            if (b != 0x8E && InRange(p[1], 0xA1, 0xFE)) {
                w.PutEscaped(p, 2);
                p += 2;
                continue;
            }
        }
        w.PutEscaped(p, 1);
        ++p;
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

DecodeResult DecodeUtf8(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3))) {
        p += 3;
        if (forms)
            forms->bom = true;
    }
    TextWriter w(QByteArrayView(p, end), lineEnd);
    while (p < end) {
        p = w.PutAscii(p, end);
        if (p == end)
            break;
        const unsigned b = *p;
        const qsizetype left = end - p;
        // Well-formed sequences only (no overlong forms, no surrogates,
        // nothing above U+10FFFF); each byte of anything else is kept.
        if (InRange(b, 0xC2, 0xDF) && left >= 2 && InRange(p[1], 0x80, 0xBF)) {
            w.Put(static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F)));
            p += 2;
            continue;
        }
        if (InRange(b, 0xE0, 0xEF) && left >= 3) {
            const unsigned lo = b == 0xE0 ? 0xA0 : 0x80;
            const unsigned hi = b == 0xED ? 0x9F : 0xBF;
            if (InRange(p[1], lo, hi) && InRange(p[2], 0x80, 0xBF)) {
                w.Put(static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6)
                                            | (p[2] & 0x3F)));
                p += 3;
                continue;
            }
        }
        if (InRange(b, 0xF0, 0xF4) && left >= 4) {
            const unsigned lo = b == 0xF0 ? 0x90 : 0x80;
            const unsigned hi = b == 0xF4 ? 0x8F : 0xBF;
            if (InRange(p[1], lo, hi) && InRange(p[2], 0x80, 0xBF) && InRange(p[3], 0x80, 0xBF)) {
                const char32_t cp = ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12)
                                    | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
                w.Put(QChar::highSurrogate(cp));
                w.Put(QChar::lowSurrogate(cp));
                p += 4;
                continue;
            }
        }
        w.PutEscaped(p, 1);
        ++p;
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

// ---- JIS ---------------------------------------------------------------------

enum class Jis { Ascii, Kanji, Supplement, Kana, KanaShifted };

// The JIS encoder, one character at a time. The decoder runs it alongside
// so that it knows which bytes the encoder would write at each point.
class JisWriter {
public:
    explicit JisWriter(const FileForms& forms) : m_forms(&forms) {}
    Jis mode = Jis::Ascii;

    // Appends the bytes for one character given as its class: 7-bit
    // character, kana byte (0x21..0x5F), two-byte JIS X 0208 or JIS X 0212
    // code, or a kept byte (no mode change).
    template <typename Out>
    void Ascii(Out& out, unsigned char c)
    {
        ToAscii(out);
        out(c);
    }
    template <typename Out>
    void Kanji(Out& out, unsigned code, bool supplement)
    {
        const Jis target = supplement ? Jis::Supplement : Jis::Kanji;
        if (mode == Jis::KanaShifted) {
            out(kSi);
            mode = Jis::Ascii;
        }
        if (mode != target) {
            out(kEsc);
            out('$');
            if (supplement) {
                out('(');
                out('D');
            } else {
                out(static_cast<unsigned char>(m_forms->kanjiFinal));
            }
            mode = target;
        }
        out(static_cast<unsigned char>((code >> 8) & 0x7F));
        out(static_cast<unsigned char>(code & 0x7F));
    }
    template <typename Out>
    void Kana(Out& out, unsigned char b)
    {
        if (m_forms->kanaShift) {
            if (mode != Jis::KanaShifted) {
                out(kSo);
                mode = Jis::KanaShifted;
            }
        } else if (mode != Jis::Kana) {
            if (mode == Jis::KanaShifted)
                out(kSi);
            out(kEsc);
            out('(');
            out('I');
            mode = Jis::Kana;
        }
        out(b);
    }
    template <typename Out>
    void ToAscii(Out& out)
    {
        if (mode == Jis::KanaShifted) {
            out(kSi);
        } else if (mode != Jis::Ascii) {
            out(kEsc);
            out('(');
            out(static_cast<unsigned char>(m_forms->asciiFinal));
        }
        mode = Jis::Ascii;
    }

private:
    const FileForms* m_forms;
};

// Compares what the encoder would write with the file's bytes.
struct Matcher {
    const unsigned char* at;
    const unsigned char* end;
    bool ok = true;
    void operator()(unsigned char b)
    {
        if (ok && at < end && *at == b)
            ++at;
        else
            ok = false;
    }
};

// An escape sequence (or SO/SI) at p: its length and the mode it selects; 0
// when there is none.
int JisEscape(const unsigned char* p, const unsigned char* end, Jis& mode)
{
    if (*p == kSo) {
        mode = Jis::KanaShifted;
        return 1;
    }
    if (*p == kSi) {
        mode = Jis::Ascii;
        return 1;
    }
    if (*p != kEsc || end - p < 3)
        return 0;
    const unsigned char a = p[1], b = p[2];
    if ((a == '$' && (b == '@' || b == 'B')) || (a == '&' && b == '@')) {
        mode = Jis::Kanji;
        return 3;
    }
    if (a == '(' && (b == 'J' || b == 'H' || b == 'B')) {
        mode = Jis::Ascii;
        return 3;
    }
    if (a == '(' && b == 'I') {
        mode = Jis::Kana;
        return 3;
    }
    if (a == '$' && b == '(' && end - p >= 4 && p[3] == 'D') {
        mode = Jis::Supplement;
        return 4;
    }
    return 0;
}

// The escape style of a JIS file: its first kanji and ASCII escapes, and
// whether it shifts kana with SO.
void ScanJisStyle(QByteArrayView bytes, FileForms& forms)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    bool kanji = false, ascii = false, kana = false;
    while (p < end && !(kanji && ascii && kana)) {
        const char* esc = static_cast<const char*>(memchr(p, kEsc, end - p));
        const char* so = kana ? nullptr : static_cast<const char*>(memchr(p, kSo, (esc ? esc : end) - p));
        if (so) {
            forms.kanaShift = true;
            kana = true;
        }
        if (!esc)
            break;
        if (end - esc >= 3) {
            if (!kanji && esc[1] == '$' && (esc[2] == '@' || esc[2] == 'B')) {
                forms.kanjiFinal = esc[2];
                kanji = true;
            } else if (!ascii && esc[1] == '(' && (esc[2] == 'B' || esc[2] == 'J' || esc[2] == 'H')) {
                forms.asciiFinal = esc[2];
                ascii = true;
            } else if (!kana && esc[1] == '(' && esc[2] == 'I') {
                forms.kanaShift = false;
                kana = true;
            }
        }
        p = esc + 1;
    }
}

DecodeResult DecodeJis(QByteArrayView bytes, FileForms* formsOut)
{
    FileForms local;
    FileForms& forms = formsOut ? *formsOut : local;
    forms.eucFamily = true;
    ScanJisStyle(bytes, forms);
    const MultiByteTables& t = platform::EucJpTables();
    TextWriter w(bytes, LineEndKind::CrLf);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    Jis real = Jis::Ascii;  // what the bytes mean
    JisWriter enc(forms);   // what the encoder would have written
    // One character in the file's mode at q: its text, the bytes it takes,
    // and how the encoder writes it.
    struct Char {
        char16_t ch = 0;
        int length = 1;
        bool kept = false;  // a byte kept as it is
        uint32_t code = 0;  // EUC form of a JIS X 0208/0212 character
    };
    auto parse = [&](const unsigned char* q, Jis mode) {
        Char c;
        const unsigned char b = *q;
        switch (mode) {
        case Jis::Ascii:
            if (b < 0x80) {
                c.ch = b;
                return c;
            }
            break;
        case Jis::Kanji:
        case Jis::Supplement:
            if (end - q >= 2 && InRange(b, 0x21, 0x7E) && InRange(q[1], 0x21, 0x7E)) {
                const unsigned code = ((b | 0x80u) << 8) | (q[1] | 0x80u);
                const char16_t ch = mode == Jis::Kanji ? t.pair[code] : t.triple[code];
                if (ch != kNone) {
                    c.ch = ch;
                    c.length = 2;
                    c.code = mode == Jis::Kanji ? code : (0x8F0000 | code);
                    return c;
                }
            }
            break;
        case Jis::Kana:
        case Jis::KanaShifted:
            if (InRange(b, 0x21, 0x5F)) {
                c.ch = static_cast<char16_t>(0xFF61 + (b - 0x21));
                return c;
            }
            break;
        }
        c.kept = true;
        c.ch = EscapeByte(b);
        return c;
    };
    auto writeChar = [&](auto& out, const Char& c) {
        if (c.kept)
            out(static_cast<unsigned char>(c.ch & 0xFF));
        else if (c.code)
            enc.Kanji(out, c.code, c.code > 0xFFFF);
        else if (c.ch >= 0xFF61)
            enc.Kana(out, static_cast<unsigned char>(c.ch - 0xFF61 + 0x21));
        else
            enc.Ascii(out, static_cast<unsigned char>(c.ch));
    };
    while (p < end) {
        // The usual case: no escape here and the encoder in the file's mode.
        if (real == enc.mode && *p != kEsc && *p != kSo && *p != kSi) {
            if (real == Jis::Ascii && *p < 0x80) {
                const unsigned char* stop = p;
                while (stop < end && *stop < 0x80 && *stop != kEsc && *stop != kSo && *stop != kSi)
                    ++stop;
                for (; p < stop; ++p)
                    w.Put(*p);
                continue;
            }
            const Char c = parse(p, real);
            if (c.kept)
                w.PutEscaped(p, 1);
            else
                w.Put(c.ch);
            if (!c.kept && c.code && t.alternative[c.ch])
                forms.NoteForm(c.ch, c.code);
            p += c.length;
            continue;
        }
        // Escapes here, or a mode the encoder is not in: take the character
        // only when the encoder writes exactly these bytes for it.
        Jis mode = real;
        const unsigned char* q = p;
        int first = 0;
        while (q < end) {
            const int n = JisEscape(q, end, mode);
            if (n == 0)
                break;
            if (q == p)
                first = n;
            q += n;
        }
        JisWriter trial = enc;
        Matcher match{p, end};
        Char c;
        if (q < end) {
            c = parse(q, mode);
            JisWriter saved = enc;
            writeChar(match, c);
            trial = enc;
            enc = saved;
        } else {
            trial.ToAscii(match);
        }
        const unsigned char* const charEnd = q < end ? q + c.length : end;
        if (match.ok && match.at == charEnd) {
            if (q < end) {
                if (c.kept)
                    w.PutEscaped(q, 1);
                else
                    w.Put(c.ch);
                if (!c.kept && c.code && t.alternative[c.ch])
                    forms.NoteForm(c.ch, c.code);
            }
            enc = trial;
            real = mode;
            p = charEnd;
            continue;
        }
        if (first > 0) {
            // An escape the encoder would not write here is kept as bytes.
            w.PutEscaped(p, first);
            JisEscape(p, end, real);
            p += first;
            continue;
        }
        w.PutEscaped(p, 1);
        ++p;
    }
    // A file that ends outside ASCII mode is written back so.
    forms.closeAtEnd = enc.mode == Jis::Ascii;
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

// ---- encoding ----------------------------------------------------------------

// Byte output that grows ahead of need, written through a pointer.
class ByteWriter {
public:
    // lineEnd: CR LF of the text is written as LF or CR as it is copied
    // (other line ends: as it stands).
    explicit ByteWriter(qsizetype expected, LineEndKind lineEnd = LineEndKind::CrLf)
        : m_out(std::max<qsizetype>(expected, 64), Qt::Uninitialized),
          m_newline(lineEnd == LineEndKind::Lf ? '\n' : lineEnd == LineEndKind::Cr ? '\r' : 0)
    {
        m_p = reinterpret_cast<unsigned char*>(m_out.data());
        m_end = m_p + m_out.size();
        platform::AdviseLargeBuffer(m_p, m_out.size());
    }
    // Room for n more bytes.
    void Reserve(qsizetype n)
    {
        if (m_end - m_p >= n)
            return;
        const qsizetype used = m_p - reinterpret_cast<unsigned char*>(m_out.data());
        m_out.resize(std::max(m_out.size() * 3 / 2, used + n + 64));
        m_p = reinterpret_cast<unsigned char*>(m_out.data()) + used;
        m_end = reinterpret_cast<unsigned char*>(m_out.data()) + m_out.size();
    }
    void operator()(unsigned char b) { *m_p++ = b; }
    void Put(unsigned char b) { *m_p++ = b; }
    // Copies 7-bit characters up to the first other one.
    const char16_t* PutAscii(const char16_t* p, const char16_t* end)
    {
        const qsizetype n = end - p;
        Reserve(n);
        constexpr quint64 kOnes = 0x0001000100010001ULL;
        constexpr quint64 kNonAscii = 0xFF80FF80FF80FF80ULL;
        constexpr quint64 kCrs = 0x000D000D000D000DULL;
        for (;;) {
            // Four characters at a time while they are 7-bit (and, when line
            // ends are rewritten, none is a CR).
            while (end - p >= 4) {
                quint64 w;
                memcpy(&w, p, 8);
                if (w & kNonAscii)
                    break;
                if (m_newline) {
                    const quint64 v = w ^ kCrs;  // a zero lane where a CR is
                    if ((v - kOnes) & ~v & 0x8000800080008000ULL)
                        break;
                }
                m_p[0] = static_cast<unsigned char>(p[0]);
                m_p[1] = static_cast<unsigned char>(p[1]);
                m_p[2] = static_cast<unsigned char>(p[2]);
                m_p[3] = static_cast<unsigned char>(p[3]);
                m_p += 4;
                p += 4;
            }
            const char16_t* const stop = end - p > 4 ? p + 4 : end;
            while (p < stop && *p < 0x80) {
                if (m_newline && *p == u'\r' && p + 1 < end && p[1] == u'\n') {
                    *m_p++ = static_cast<unsigned char>(m_newline);
                    p += 2;
                    continue;
                }
                *m_p++ = static_cast<unsigned char>(*p++);
            }
            if (p == end || *p >= 0x80)
                return p;
        }
    }
    void PutCode(uint32_t code)
    {
        if (code > 0xFFFF)
            *m_p++ = static_cast<unsigned char>(code >> 16);
        if (code > 0xFF)
            *m_p++ = static_cast<unsigned char>(code >> 8);
        *m_p++ = static_cast<unsigned char>(code);
    }
    void PutReference(char32_t ch)
    {
        Reserve(16);
        const QByteArray r = NumericReference(ch).toLatin1();
        for (char c : r)
            *m_p++ = static_cast<unsigned char>(c);
    }
    QByteArray Take()
    {
        m_out.truncate(m_p - reinterpret_cast<unsigned char*>(m_out.data()));
        return std::move(m_out);
    }

private:
    QByteArray m_out;
    const char m_newline;  // what CR LF becomes, or 0 to keep it
    unsigned char* m_p;
    unsigned char* m_end;
};

// A character at p: a code point, a kept byte (escaped) or a lone
// surrogate; advances p.
struct TextChar {
    char32_t ch;
    bool kept;
};
inline TextChar NextChar(const char16_t*& p, const char16_t* end)
{
    const char16_t c = *p++;
    if (c < 0xD800 || c > 0xDFFF)
        return {c, false};
    if (c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
        return {QChar::surrogateToUcs4(c, *p++), false};
    return {c, IsEscapedByte(c)};
}

enum class Family { Cp932, Euc, Jis, Utf8 };

Family FamilyOf(CodeKind code)
{
    switch (code) {
    case CodeKind::Euc:
        return Family::Euc;
    case CodeKind::Jis:
        return Family::Jis;
    case CodeKind::Utf8:
        return Family::Utf8;
    default:
        return Family::Cp932;
    }
}

bool Encodable(Family family, char32_t ch)
{
    if (ch < 0x80)
        return true;
    switch (family) {
    case Family::Utf8:
        return ch < 0xD800 || ch > 0xDFFF;
    case Family::Cp932:
        return ch <= 0xFFFF && platform::Cp932Tables().encode[ch] != 0;
    case Family::Euc:
        return ch <= 0xFFFF && platform::EucJpTables().encode[ch] != 0;
    case Family::Jis: {
        if (ch > 0xFFFF)
            return false;
        // ISO-2022 has JIS X 0208, JIS X 0212 and the katakana set.
        const uint32_t code = platform::EucJpTables().encode[ch];
        return code != 0 && (code > 0xFFFF || code >= 0xA1A1 || (code >> 8) == 0x8E);
    }
    }
    return false;
}

QByteArray EncodeMultiByte(QStringView text, const MultiByteTables& t, const FileForms* forms,
                           LineEndKind lineEnd)
{
    // Room for two bytes a character: pages untouched cost nothing, and a
    // growing buffer would copy the whole output again.
    ByteWriter w(text.size() * 2 + 16, lineEnd);
    FileForms::Cursor cursor(forms);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        p = w.PutAscii(p, end);
        if (p == end)
            break;
        w.Reserve(3);
        const TextChar c = NextChar(p, end);
        if (c.kept) {
            w.Put(static_cast<unsigned char>(c.ch & 0xFF));
            continue;
        }
        uint32_t code = c.ch <= 0xFFFF ? t.encode[c.ch] : 0;
        if (code == 0) {
            w.PutReference(c.ch);
            continue;
        }
        if (t.alternative[c.ch]) {
            if (const uint32_t form = cursor.Next(static_cast<char16_t>(c.ch)))
                code = form;
        }
        w.PutCode(code);
    }
    return w.Take();
}

QByteArray EncodeJis(QStringView text, const FileForms* forms)
{
    const FileForms defaults;
    JisWriter enc(forms ? *forms : defaults);
    const MultiByteTables& t = platform::EucJpTables();
    ByteWriter w(text.size() * 2 + 16);
    FileForms::Cursor cursor(forms);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        w.Reserve(16);
        if (*p < 0x80) {
            enc.Ascii(w, static_cast<unsigned char>(*p++));
            continue;
        }
        const TextChar c = NextChar(p, end);
        if (c.kept) {
            w.Put(static_cast<unsigned char>(c.ch & 0xFF));
            continue;
        }
        if (!Encodable(Family::Jis, c.ch)) {
            const QByteArray r = NumericReference(c.ch).toLatin1();
            for (char b : r)
                enc.Ascii(w, static_cast<unsigned char>(b));
            continue;
        }
        uint32_t code = t.encode[c.ch];
        if (t.alternative[c.ch]) {
            if (const uint32_t form = cursor.Next(static_cast<char16_t>(c.ch)))
                code = form;
        }
        if ((code >> 8) == 0x8E)
            enc.Kana(w, static_cast<unsigned char>((code & 0xFF) - 0x80));
        else
            enc.Kanji(w, code & 0xFFFF, code > 0xFFFF);
    }
    w.Reserve(4);
    if (!forms || forms->closeAtEnd)
        enc.ToAscii(w);
    return w.Take();
}

QByteArray EncodeUtf8(QStringView text, const FileForms* forms, LineEndKind lineEnd)
{
    ByteWriter w(text.size() * 3 + 16, lineEnd);
    if (forms && forms->bom) {
        w.Put(0xEF);
        w.Put(0xBB);
        w.Put(0xBF);
    }
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        p = w.PutAscii(p, end);
        if (p == end)
            break;
        // Room for what is left at three bytes each, so that a run of
        // Japanese text needs no check per character.
        w.Reserve((end - p) * 3 + 16);
        while (p < end) {
            const char16_t u = *p;
            if (u < 0x80)
                break;
            if (u < 0x800) {
                w.Put(static_cast<unsigned char>(0xC0 | (u >> 6)));
                w.Put(static_cast<unsigned char>(0x80 | (u & 0x3F)));
                ++p;
                continue;
            }
            if (u < 0xD800 || u > 0xDFFF) {
                w.Put(static_cast<unsigned char>(0xE0 | (u >> 12)));
                w.Put(static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F)));
                w.Put(static_cast<unsigned char>(0x80 | (u & 0x3F)));
                ++p;
                continue;
            }
            const TextChar c = NextChar(p, end);
            if (c.kept) {
                w.Put(static_cast<unsigned char>(c.ch & 0xFF));
            } else if (c.ch > 0xFFFF) {
                w.Put(static_cast<unsigned char>(0xF0 | (c.ch >> 18)));
                w.Put(static_cast<unsigned char>(0x80 | ((c.ch >> 12) & 0x3F)));
                w.Put(static_cast<unsigned char>(0x80 | ((c.ch >> 6) & 0x3F)));
                w.Put(static_cast<unsigned char>(0x80 | (c.ch & 0x3F)));
            } else {
                w.PutReference(c.ch);
                w.Reserve((end - p) * 3 + 16);
            }
        }
    }
    return w.Take();
}

// The name of a character code as pages declare it.
std::optional<CodeKind> CodeFromCharsetName(QByteArrayView name)
{
    const QByteArray n = name.toByteArray().trimmed().toLower();
    static const std::pair<const char*, CodeKind> kNames[] = {
        {"shift_jis", CodeKind::ShiftJis}, {"shift-jis", CodeKind::ShiftJis},
        {"sjis", CodeKind::ShiftJis},      {"x-sjis", CodeKind::ShiftJis},
        {"windows-31j", CodeKind::ShiftJis}, {"cp932", CodeKind::ShiftJis},
        {"ms_kanji", CodeKind::ShiftJis},  {"csshiftjis", CodeKind::ShiftJis},
        {"euc-jp", CodeKind::Euc},         {"x-euc-jp", CodeKind::Euc},
        {"eucjp", CodeKind::Euc},          {"eucjp-ms", CodeKind::Euc},
        {"cseucpkdfmtjapanese", CodeKind::Euc}, {"iso-2022-jp", CodeKind::Jis},
        {"csiso2022jp", CodeKind::Jis},    {"utf-8", CodeKind::Utf8},
        {"utf8", CodeKind::Utf8},
    };
    for (const auto& [text, kind] : kNames)
        if (n == text)
            return kind;
    return std::nullopt;
}

} // namespace

std::optional<CodeKind> DeclaredCode(QByteArrayView bytes)
{
    // Declarations belong in the head; the first few kilobytes hold it.
    const QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 4096)).toByteArray().toLower();
    auto valueAfter = [&](qsizetype at) -> QByteArrayView {
        while (at < head.size() && (head[at] == ' ' || head[at] == '='))
            ++at;
        if (at < head.size() && (head[at] == '"' || head[at] == '\''))
            ++at;
        qsizetype stop = at;
        while (stop < head.size() && (std::isalnum(static_cast<unsigned char>(head[stop]))
                                      || head[stop] == '-' || head[stop] == '_'))
            ++stop;
        return QByteArrayView(head).sliced(at, stop - at);
    };
    if (head.startsWith("<?xml")) {
        const qsizetype end = head.indexOf("?>");
        const qsizetype enc = head.indexOf("encoding");
        if (enc >= 0 && (end < 0 || enc < end))
            return CodeFromCharsetName(valueAfter(enc + 8));
    }
    for (qsizetype meta = head.indexOf("<meta"); meta >= 0; meta = head.indexOf("<meta", meta + 5)) {
        const qsizetype close = head.indexOf('>', meta);
        const qsizetype cs = head.indexOf("charset", meta);
        if (cs >= 0 && (close < 0 || cs < close))
            return CodeFromCharsetName(valueAfter(cs + 7));
    }
    return std::nullopt;
}

QString NumericReference(char32_t ch)
{
    return QStringLiteral("&#x") + QString::number(static_cast<uint>(ch), 16).toUpper() + u';';
}

std::vector<Unencodable> FindUnencodable(QStringView text, CodeKind code, qsizetype limit,
                                         qsizetype* total)
{
    std::vector<Unencodable> found;
    qsizetype count = 0;
    const Family family = FamilyOf(code);
    const char16_t* const start = text.utf16();
    const char16_t* p = start;
    const char16_t* const end = p + text.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const qsizetype at = p - start;
        const TextChar c = NextChar(p, end);
        if (c.kept || Encodable(family, c.ch))
            continue;
        ++count;
        if (static_cast<qsizetype>(found.size()) < limit)
            found.push_back({at, c.ch});
        else if (!total)
            break;
    }
    if (total)
        *total = count;
    return found;
}

namespace {

DecodedDocument Decode(QByteArray bytes, CodeKind code, LineEndKind lineEnd, bool autoConvert)
{
    DecodedDocument doc;
    doc.code = code;
    doc.lineEnd = lineEnd;
    doc.declared = DeclaredCode(bytes);
    if (bytes.isEmpty())
        return doc;
    const Family family = autoConvert ? FamilyOf(code) : Family::Cp932;
    // The decoders write a file's LF or CR line ends as CR LF as they go;
    // JIS, with its shift states, takes bytes that already have them.
    if (family == Family::Jis) {
        if (lineEnd == LineEndKind::Lf)
            bytes = LfToCrLf(bytes);
        else if (lineEnd == LineEndKind::Cr)
            bytes = CrToCrLf(bytes);
        lineEnd = LineEndKind::CrLf;
    }
    DecodeResult r;
    switch (family) {
    case Family::Cp932:
        r = DecodeCp932(bytes, lineEnd, &doc.forms);
        doc.forms.DropCanonical(platform::Cp932Tables().encode);
        break;
    case Family::Euc:
        doc.forms.eucFamily = true;
        r = DecodeEuc(bytes, lineEnd, &doc.forms);
        doc.forms.DropCanonical(platform::EucJpTables().encode);
        break;
    case Family::Jis:
        r = DecodeJis(bytes, &doc.forms);
        doc.forms.DropCanonical(platform::EucJpTables().encode);
        break;
    case Family::Utf8:
        r = DecodeUtf8(bytes, lineEnd, &doc.forms);
        break;
    }
    bytes = QByteArray();
    doc.text = std::move(r.text);
    doc.undecodable = r.escaped;
    doc.firstUndecodable = r.first;
    return doc;
}

} // namespace

DecodedDocument DecodeDocument(QByteArray bytes, bool autoConvert)
{
    const CodeKind code = DetectDocumentCode(bytes);
    ByteReader reader(bytes);
    const LineEndKind lineEnd = DetectLineEnd(reader);
    return Decode(std::move(bytes), code, lineEnd, autoConvert);
}

DecodedDocument DecodeDocumentAs(QByteArray bytes, CodeKind code, bool autoConvert)
{
    ByteReader reader(bytes);
    const LineEndKind lineEnd = DetectLineEnd(reader);
    return Decode(std::move(bytes), code, lineEnd, autoConvert);
}

QByteArray EncodeDocument(QStringView text, CodeKind code, LineEndKind lineEnd,
                          const FileForms* forms)
{
    const Family family = FamilyOf(code);
    // Forms read in another family of codes mean other bytes.
    const bool formsApply = forms && forms->eucFamily == (family == Family::Euc || family == Family::Jis);
    const FileForms* f = formsApply ? forms : nullptr;
    // The encoders write the file's line ends as they go, except JIS,
    // whose shift states have their own writer.
    QByteArray bytes;
    switch (family) {
    case Family::Cp932:
        return EncodeMultiByte(text, platform::Cp932Tables(), f, lineEnd);
    case Family::Euc:
        return EncodeMultiByte(text, platform::EucJpTables(), f, lineEnd);
    case Family::Utf8:
        return EncodeUtf8(text, forms, lineEnd);
    case Family::Jis:
        bytes = EncodeJis(text, f);
        break;
    }
    if (lineEnd == LineEndKind::Lf)
        CrLfToLf(bytes);
    else if (lineEnd == LineEndKind::Cr)
        CrLfToCr(bytes);
    return bytes;
}
