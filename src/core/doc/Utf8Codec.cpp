#include "core/doc/CodecIo.h"

namespace codec {

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
        // A run of other characters without going back to the 7-bit copy.
        char16_t* o = w.At();
        while (p < end && *p >= 0x80) {
            const unsigned b = *p;
            const qsizetype left = end - p;
            // Three bytes, Japanese text's length, first: two continuation
            // bytes, neither overlong nor a surrogate.
            if ((b & 0xF0) == 0xE0 && left >= 3 && ((p[1] & 0xC0) | ((p[2] & 0xC0) << 8)) == 0x8080) {
                const char16_t c = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6)
                                                         | (p[2] & 0x3F));
                if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
                    *o++ = c;
                    p += 3;
                    continue;
                }
            }
            // Well-formed sequences only (no overlong forms, no surrogates,
            // nothing above U+10FFFF); each byte of anything else is kept.
            if (InRange(b, 0xC2, 0xDF) && left >= 2 && InRange(p[1], 0x80, 0xBF)) {
                *o++ = static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
                p += 2;
                continue;
            }
            if (InRange(b, 0xE0, 0xEF) && left >= 3) {
                const unsigned lo = b == 0xE0 ? 0xA0 : 0x80;
                const unsigned hi = b == 0xED ? 0x9F : 0xBF;
                if (InRange(p[1], lo, hi) && InRange(p[2], 0x80, 0xBF)) {
                    *o++ = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6)
                                                 | (p[2] & 0x3F));
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
                    *o++ = QChar::highSurrogate(cp);
                    *o++ = QChar::lowSurrogate(cp);
                    p += 4;
                    continue;
                }
            }
            w.MoveTo(o);
            w.PutEscaped(p, 1);
            o = w.At();
            ++p;
        }
        w.MoveTo(o);
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

QByteArray EncodeUtf8(QStringView text, const FileForms* forms, LineEndKind lineEnd,
                      qsizetype* references)
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
        unsigned char* o = w.At();
        while (p < end) {
            const char16_t u = *p;
            if (u < 0x80)
                break;
            if (u < 0x800) {
                *o++ = static_cast<unsigned char>(0xC0 | (u >> 6));
                *o++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
                ++p;
                continue;
            }
            if (u < 0xD800 || u > 0xDFFF) {
                *o++ = static_cast<unsigned char>(0xE0 | (u >> 12));
                *o++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
                *o++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
                ++p;
                continue;
            }
            const TextChar c = NextChar(p, end);
            if (c.kept) {
                *o++ = static_cast<unsigned char>(c.ch & 0xFF);
            } else if (c.ch > 0xFFFF) {
                *o++ = static_cast<unsigned char>(0xF0 | (c.ch >> 18));
                *o++ = static_cast<unsigned char>(0x80 | ((c.ch >> 12) & 0x3F));
                *o++ = static_cast<unsigned char>(0x80 | ((c.ch >> 6) & 0x3F));
                *o++ = static_cast<unsigned char>(0x80 | (c.ch & 0x3F));
            } else {
                w.MoveTo(o);
                w.PutReference(c.ch);
                w.Reserve((end - p) * 3 + 16);
                o = w.At();
            }
        }
        w.MoveTo(o);
    }
    return w.Take(references);
}

} // namespace codec
