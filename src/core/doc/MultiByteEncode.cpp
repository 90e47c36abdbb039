#include "core/doc/CodecIo.h"

namespace codec {

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

} // namespace codec
