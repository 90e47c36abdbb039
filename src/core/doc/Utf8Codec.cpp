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

} // namespace codec
