#include "core/doc/CodecIo.h"

namespace codec {

DecodeResult DecodeCp932(QByteArrayView bytes, LineEndKind lineEnd, FileForms* forms)
{
    const MultiByteTables& t = platform::Cp932Tables();
    TextWriter w(bytes, lineEnd);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    const char16_t* const single = t.single.data();
    const char16_t* const pair = t.pair.data();
    const uint8_t* const alternative = t.alternative.data();
    while (p < end) {
        p = w.PutAscii(p, end);
        // Japanese text comes in runs: they are decoded here without going
        // back to the 7-bit copy for each character.
        char16_t* o = w.At();
        while (p < end && *p >= 0x80) {
            const unsigned char b = *p;
            if (IsCp932Lead(b) && end - p >= 2) {
                const unsigned code = (unsigned(b) << 8) | p[1];
                const char16_t c = pair[code];
                if (c != kNone) {
                    *o++ = c;
                    if (alternative[c] && forms)
                        forms->NoteForm(c, code);
                    p += 2;
                    continue;
                }
                // An unassigned pair is one broken character; a 7-bit byte
                // after a lead is decoded afresh (a "<" is never swallowed).
                if (p[1] >= 0x80) {
                    w.MoveTo(o);
                    w.PutEscaped(p, 2);
                    o = w.At();
                    p += 2;
                    continue;
                }
            }
            if (const char16_t s = single[b]; s != kNone) {
                *o++ = s;
            } else {
                w.MoveTo(o);
                w.PutEscaped(p, 1);
                o = w.At();
            }
            ++p;
        }
        w.MoveTo(o);
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

} // namespace codec
