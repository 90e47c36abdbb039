#include "core/doc/CodecIo.h"

#include <QtEndian>

namespace codec {

QByteArray EncodeMultiByte(QStringView text, const MultiByteTables& t, const FileForms* forms,
                           LineEndKind lineEnd, qsizetype* references)
{
    // Room for two bytes a character: pages untouched cost nothing, and a
    // growing buffer would copy the whole output again.
    ByteWriter w(text.size() * 2 + 16, lineEnd);
    FileForms::Cursor cursor(forms);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    const uint32_t* const encode = t.encode.data();
    const uint32_t* const packed = t.packed.data();
    const uint8_t* const alternative = t.alternative.data();
    while (p < end) {
        p = w.PutAscii(p, end);
        // A run of other characters with the output position in a local;
        // the rare cases (a kept byte, a surrogate, a reference, an
        // alternative form, a full buffer) leave the fast path.
        unsigned char* o = w.At();
        unsigned char* limit = w.Limit() - 4;
        while (p < end && *p >= 0x80) {
            // Four bytes stored, as many as the character has kept.
            const uint32_t bytes = packed[*p];
            if (bytes != 0 && o <= limit) {
                const uint32_t little = qToLittleEndian(bytes);
                memcpy(o, &little, 4);
                o += bytes >> 24;
                ++p;
                continue;
            }
            w.MoveTo(o);
            w.Reserve(16);
            const TextChar c = NextChar(p, end);
            if (c.kept) {
                w.Put(static_cast<unsigned char>(c.ch & 0xFF));
            } else if (const uint32_t known = c.ch <= 0xFFFF ? encode[c.ch] : 0; known == 0) {
                w.PutReference(c.ch);
            } else {
                const uint32_t form = alternative[c.ch] ? cursor.Next(static_cast<char16_t>(c.ch)) : 0;
                w.PutCode(form ? form : known);
            }
            o = w.At();
            limit = w.Limit() - 4;
        }
        w.MoveTo(o);
    }
    return w.Take(references);
}

} // namespace codec
