#include "core/doc/CodecIo.h"

namespace codec {

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

} // namespace codec
