#include "core/doc/CodecIo.h"

namespace codec {

DecodeResult DecodeEuc(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms)
{
    const MultiByteTables& t = platform::EucJpTables();
    TextWriter w(bytes, lineEnd);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    const char16_t* const pair = t.pair.data();
    const uint8_t* const alternative = t.alternative.data();
    while (p < end) {
        p = w.PutAscii(p, end);
        // A run of Japanese text without going back to the 7-bit copy.
        char16_t* o = w.At();
        auto escape = [&](qsizetype count) {
            w.MoveTo(o);
            w.PutEscaped(p, count);
            o = w.At();
            p += count;
        };
        while (p < end && *p >= 0x80) {
            const unsigned char b = *p;
            const qsizetype left = end - p;
            if (b == 0x8F && left >= 3 && InRange(p[1], 0xA1, 0xFE) && InRange(p[2], 0xA1, 0xFE)) {
                const unsigned code = (unsigned(p[1]) << 8) | p[2];
                const char16_t c = t.triple[code];
                if (c == kNone) {
                    escape(3);
                    continue;
                }
                *o++ = c;
                if (alternative[c] && forms)
                    forms->NoteForm(c, 0x8F0000 | code);
                p += 3;
                continue;
            }
            if ((b == 0x8E || InRange(b, 0xA1, 0xFE)) && left >= 2) {
                const unsigned code = (unsigned(b) << 8) | p[1];
                const char16_t c = pair[code];
                if (c != kNone) {
                    *o++ = c;
                    if (alternative[c] && forms)
                        forms->NoteForm(c, code);
                    p += 2;
                    continue;
                }
                if (b != 0x8E && InRange(p[1], 0xA1, 0xFE)) {
                    escape(2);
                    continue;
                }
            }
            escape(1);
        }
        w.MoveTo(o);
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

} // namespace codec
