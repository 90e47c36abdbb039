#pragma once

// What the codecs of every code family share: UTF-16 output written from
// bytes, byte output written from UTF-16, and the bytes kept as lone
// surrogates. Internal to the document codecs.

#include "core/doc/CodeKinds.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/FileForms.h"
#include "platform/Cp932.h"
#include "platform/LargeBuffers.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace codec {

using platform::MultiByteTables;

constexpr char16_t kNone = MultiByteTables::kNone;

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

// How often a byte occurs: eight bytes a step, each lane counting in its
// own byte of an accumulator that is summed before it can overflow.
inline qsizetype CountByte(QByteArrayView bytes, char byte)
{
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kLows = 0x7F7F7F7F7F7F7F7FULL;
    const quint64 pattern = kOnes * static_cast<unsigned char>(byte);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    qsizetype count = 0;
    while (end - p >= 8) {
        quint64 lanes = 0;
        for (int i = 0; i < 255 && end - p >= 8; ++i, p += 8) {
            quint64 w;
            memcpy(&w, p, 8);
            const quint64 v = w ^ pattern;  // a zero byte where the byte is
            lanes += (~(((v & kLows) + kLows) | v) >> 7) & kOnes;
        }
        constexpr quint64 kEvenBytes = 0x00FF00FF00FF00FFULL;
        const quint64 pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
        count += static_cast<qsizetype>((pairs * 0x0001000100010001ULL) >> 48);
    }
    for (; p < end; ++p)
        count += *p == byte;
    return count;
}

// UTF-16 output written through a pointer into a string sized for the
// worst case and cut to length at the end. A file's own line end byte (LF
// or CR) is written as CR LF, the text's line end, as it is copied.
class TextWriter {
public:
    TextWriter(QByteArrayView bytes, LineEndKind lineEnd)
        : m_newline(lineEnd == LineEndKind::Lf ? '\n' : lineEnd == LineEndKind::Cr ? '\r' : -1),
          m_out(bytes.size() + (m_newline < 0 ? 0 : CountByte(bytes, static_cast<char>(m_newline))),
                Qt::Uninitialized)
    {
        m_start = m_p = reinterpret_cast<char16_t*>(m_out.data());
        platform::AdviseLargeBuffer(m_start, m_out.size() * 2);
    }
    void Put(char16_t c) { *m_p++ = c; }
    // The output position, for loops that keep it in a local.
    char16_t* At() const { return m_p; }
    void MoveTo(char16_t* at) { m_p = at; }
    void PutEscaped(const unsigned char* from, qsizetype count)
    {
        if (m_first < 0)
            m_first = m_p - m_start;
        m_escaped += count;
        for (qsizetype i = 0; i < count; ++i)
            *m_p++ = EscapeByte(from[i]);
    }
    // A 7-bit control character; the file's line end byte becomes CR LF.
    void PutControl(unsigned char b)
    {
        if (b == m_newline)
            *m_p++ = u'\r';
        *m_p++ = b == m_newline ? u'\n' : b;
    }
    // Copies 7-bit bytes up to the first other one; gives where it stopped.
    const unsigned char* PutAscii(const unsigned char* p, const unsigned char* end)
    {
#if defined(__SSE2__)
        // Sixteen bytes a step, widened and stored whole before it is known
        // how many of them count: no byte gives more than one character
        // except a newline, whose second one the buffer was sized for, so
        // the output never runs past the room the input has left.
        const __m128i zero = _mm_setzero_si128();
        const __m128i newline = _mm_set1_epi8(static_cast<char>(m_newline < 0 ? 0x80 : m_newline));
        while (end - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(m_p), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(m_p + 8), _mm_unpackhi_epi8(v, zero));
            const unsigned stops = static_cast<unsigned>(
                _mm_movemask_epi8(v) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, newline)));
            if (stops == 0) {
                p += 16;
                m_p += 16;
                continue;
            }
            const int run = __builtin_ctz(stops);
            p += run;
            m_p += run;
            if (*p >= 0x80)
                return p;
            *m_p++ = u'\r';
            *m_p++ = u'\n';
            ++p;
        }
#else
        constexpr quint64 kOnes = 0x0101010101010101ULL;
        constexpr quint64 kHighs = 0x8080808080808080ULL;
        const quint64 newlines = m_newline < 0 ? 0 : kOnes * static_cast<quint64>(m_newline);
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
#endif
        while (p < end && *p < 0x80) {
            if (*p == m_newline)
                *m_p++ = u'\r';
            *m_p++ = *p == m_newline ? u'\n' : *p;
            ++p;
        }
        return p;
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
    // The output position and its room, for loops that keep the position
    // in a local (a byte store may alias anything, the member included).
    unsigned char* At() const { return m_p; }
    unsigned char* Limit() const { return m_end; }
    void MoveTo(unsigned char* at) { m_p = at; }
    void operator()(unsigned char b) { *m_p++ = b; }
    void Put(unsigned char b) { *m_p++ = b; }
    // Copies 7-bit characters up to the first other one.
    const char16_t* PutAscii(const char16_t* p, const char16_t* end)
    {
        const qsizetype n = end - p;
        Reserve(n);
#if defined(__SSE2__)
        // Sixteen characters a step, narrowed and stored whole before it is
        // known how many of them count (there is room for one byte each).
        // A lane above 7 bits is marked by its own test: the narrowing
        // saturates as signed, so it cannot tell.
        const __m128i cr = _mm_set1_epi8(m_newline ? '\r' : static_cast<char>(0x80));
        const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
        const __m128i zero = _mm_setzero_si128();
        while (end - p >= 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
            const __m128i v = _mm_packus_epi16(a, b);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(m_p), v);
            const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(a, high), zero),
                                                  _mm_cmpeq_epi16(_mm_and_si128(b, high), zero));
            const unsigned stops = static_cast<unsigned>(
                (~_mm_movemask_epi8(ascii) & 0xFFFF) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
            if (stops == 0) {
                p += 16;
                m_p += 16;
                continue;
            }
            const int run = __builtin_ctz(stops);
            p += run;
            m_p += run;
            if (*p >= 0x80)
                return p;
            PutCr(p, end);
        }
#else
        constexpr quint64 kOnes = 0x0001000100010001ULL;
        constexpr quint64 kNonAscii = 0xFF80FF80FF80FF80ULL;
        constexpr quint64 kCrs = 0x000D000D000D000DULL;
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
            for (int i = 0; i < 4; ++i)
                m_p[i] = static_cast<unsigned char>(p[i]);
            m_p += 4;
            p += 4;
        }
#endif
        while (p < end && *p < 0x80) {
            if (m_newline && *p == u'\r')
                PutCr(p, end);
            else
                *m_p++ = static_cast<unsigned char>(*p++);
        }
        return p;
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
        ++m_references;
        Reserve(16);
        const QByteArray r = NumericReference(ch).toLatin1();
        for (char c : r)
            *m_p++ = static_cast<unsigned char>(c);
    }
    // *references: the characters written as numeric references.
    QByteArray Take(qsizetype* references = nullptr)
    {
        if (references)
            *references = m_references;
        m_out.truncate(m_p - reinterpret_cast<unsigned char*>(m_out.data()));
        return std::move(m_out);
    }

private:
    // A CR at p: with its LF, the file's line end; alone, itself.
    void PutCr(const char16_t*& p, const char16_t* end)
    {
        if (p + 1 < end && p[1] == u'\n') {
            *m_p++ = static_cast<unsigned char>(m_newline);
            p += 2;
        } else {
            *m_p++ = '\r';
            ++p;
        }
    }

    QByteArray m_out;
    const char m_newline;  // what CR LF becomes, or 0 to keep it
    unsigned char* m_p;
    unsigned char* m_end;
    qsizetype m_references = 0;
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

// Each family's codec, in a file of its own.
DecodeResult DecodeCp932(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms);
DecodeResult DecodeEuc(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms);
DecodeResult DecodeUtf8(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms);
DecodeResult DecodeJis(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms);
// Shift-JIS and EUC-JP: table driven, line ends written as they go.
// Each encoder counts the characters it wrote as numeric references.
QByteArray EncodeMultiByte(QStringView text, const MultiByteTables& t, const FileForms* forms,
                           LineEndKind lineEnd, qsizetype* references);
QByteArray EncodeUtf8(QStringView text, const FileForms* forms, LineEndKind lineEnd,
                      qsizetype* references);
// JIS with CR LF line ends (the caller rewrites them).
QByteArray EncodeJis(QStringView text, const FileForms* forms, qsizetype* references);
bool JisEncodable(char32_t ch);

} // namespace codec
