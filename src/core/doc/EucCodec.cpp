#include "core/doc/CodecIo.h"

namespace codec {

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

} // namespace codec
