#include "core/doc/CodecIo.h"

// JIS (ISO-2022-JP): 7-bit text in which escape sequences and SO/SI switch
// between ASCII, JIS X 0208 kanji, JIS X 0212 and half-width katakana. The
// mode runs on across line ends; control characters (line ends, tabs,
// blanks) are themselves in every mode and leave it as it is.

namespace codec {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSo = 0x0E;
constexpr unsigned char kSi = 0x0F;

enum class Jis { Ascii, Kanji, Supplement, Kana, KanaShifted };

bool IsControl(unsigned char b)
{
    return b < 0x21 || b == 0x7F;
}

// An escape sequence (or SO/SI) at p: its length and the mode it selects;
// 0 when there is none.
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
// whether it shifts kana with SO. Edited text is written in it.
void ScanJisStyle(QByteArrayView bytes, FileForms& forms)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    bool kanji = false, ascii = false, kana = false;
    while (p < end && !(kanji && ascii && kana)) {
        const char* esc = static_cast<const char*>(memchr(p, kEsc, end - p));
        if (!kana && memchr(p, kSo, (esc ? esc : end) - p)) {
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

// The encoder. Its mode is always the mode a decoder of its output is in,
// so no character of the text can be read in another mode than the one it
// was written in.
class JisWriter {
public:
    JisWriter(ByteWriter& out, const FileForms& style) : m_out(out), m_style(style) {}

    void Ascii(unsigned char c)
    {
        ToAscii();
        // After a kept ESC, a "$", "(" or "&" could complete an escape
        // sequence; a redundant ESC ( B in between keeps it apart.
        if (m_afterEsc && (c == '$' || c == '(' || c == '&'))
            Designate(Jis::Ascii);
        m_afterEsc = false;
        m_out.Put(c);
    }
    void Kanji(uint32_t code)
    {
        const Jis target = code > 0xFFFF ? Jis::Supplement : Jis::Kanji;
        if (m_mode == Jis::KanaShifted) {
            m_out.Put(kSi);
            m_mode = Jis::Ascii;
        }
        if (m_mode != target)
            Designate(target);
        m_afterEsc = false;
        m_out.Put(static_cast<unsigned char>((code >> 8) & 0x7F));
        m_out.Put(static_cast<unsigned char>(code & 0x7F));
    }
    void Kana(unsigned char b)
    {
        const Jis target = m_style.kanaShift ? Jis::KanaShifted : Jis::Kana;
        if (m_mode != target) {
            if (m_mode == Jis::KanaShifted)
                m_out.Put(kSi);
            Designate(target);
        }
        m_afterEsc = false;
        m_out.Put(b);
    }
    // A byte of the file that was no character, written as it was. Bytes
    // above 0x7F are one byte in every mode; a 7-bit byte is written in
    // ASCII mode, where nothing pairs it with the next one. SO and SI,
    // which no decoder keeps, would shift the reader and are left out.
    void Kept(unsigned char b)
    {
        if (b >= 0x80) {
            m_afterEsc = false;
            m_out.Put(b);
        } else if (b == kEsc) {
            ToAscii();
            m_out.Put(b);
            m_afterEsc = true;
        } else if (b != kSo && b != kSi) {
            Ascii(b);
        }
    }
    void ToAscii()
    {
        if (m_mode == Jis::KanaShifted) {
            m_out.Put(kSi);
            m_mode = Jis::Ascii;
        } else if (m_mode != Jis::Ascii) {
            Designate(Jis::Ascii);
        }
    }

private:
    void Designate(Jis mode)
    {
        switch (mode) {
        case Jis::Ascii:
            Escape('(', m_style.asciiFinal);
            break;
        case Jis::Kanji:
            Escape('$', m_style.kanjiFinal);
            break;
        case Jis::Supplement:
            Escape('$', '(');
            m_out.Put('D');
            break;
        case Jis::Kana:
            Escape('(', 'I');
            break;
        case Jis::KanaShifted:
            m_out.Put(kSo);
            break;
        }
        m_mode = mode;
    }
    void Escape(char a, char b)
    {
        m_out.Put(kEsc);
        m_out.Put(static_cast<unsigned char>(a));
        m_out.Put(static_cast<unsigned char>(b));
    }

    ByteWriter& m_out;
    const FileForms& m_style;
    Jis m_mode = Jis::Ascii;
    bool m_afterEsc = false;
};

} // namespace

DecodeResult DecodeJis(QByteArrayView bytes, LineEndKind lineEnd, FileForms* formsOut)
{
    FileForms local;
    FileForms& forms = formsOut ? *formsOut : local;
    forms.eucFamily = true;
    ScanJisStyle(bytes, forms);
    const MultiByteTables& t = platform::EucJpTables();
    TextWriter w(bytes, lineEnd);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    Jis mode = Jis::Ascii;
    while (p < end) {
        const unsigned char b = *p;
        if (b == kEsc || b == kSo || b == kSi) {
            if (const int n = JisEscape(p, end, mode)) {
                p += n;
                continue;
            }
            w.PutEscaped(p, 1);
            ++p;
            continue;
        }
        switch (mode) {
        case Jis::Ascii: {
            const unsigned char* stop = p;
            while (stop < end && *stop < 0x80 && *stop != kEsc && *stop != kSo && *stop != kSi)
                ++stop;
            if (stop > p) {
                w.PutAscii(p, stop);
                p = stop;
            } else {
                w.PutEscaped(p, 1);
                ++p;
            }
            break;
        }
        case Jis::Kanji:
        case Jis::Supplement:
            if (IsControl(b)) {
                w.PutControl(b);
                ++p;
            } else if (b < 0x80 && end - p >= 2 && InRange(p[1], 0x21, 0x7E)) {
                const unsigned code = ((b | 0x80u) << 8) | (p[1] | 0x80u);
                const char16_t ch = mode == Jis::Kanji ? t.pair[code] : t.triple[code];
                if (ch == kNone) {
                    w.PutEscaped(p, 2);
                } else {
                    w.Put(ch);
                    if (t.alternative[ch])
                        forms.NoteForm(ch, mode == Jis::Kanji ? code : (0x8F0000 | code));
                }
                p += 2;
            } else {
                w.PutEscaped(p, 1);
                ++p;
            }
            break;
        case Jis::Kana:
        case Jis::KanaShifted:
            if (IsControl(b))
                w.PutControl(b);
            else if (InRange(b, 0x21, 0x5F))
                w.Put(static_cast<char16_t>(0xFF61 + (b - 0x21)));
            else
                w.PutEscaped(p, 1);
            ++p;
            break;
        }
    }
    DecodeResult r;
    r.text = w.Take(r.escaped, r.first);
    return r;
}

bool JisEncodable(char32_t ch)
{
    if (ch > 0xFFFF)
        return false;
    // ISO-2022 has JIS X 0208, JIS X 0212 and the katakana set.
    const uint32_t code = platform::EucJpTables().encode[ch];
    return code != 0 && (code > 0xFFFF || code >= 0xA1A1 || (code >> 8) == 0x8E);
}

QByteArray EncodeJis(QStringView text, const FileForms* forms, qsizetype* references)
{
    const FileForms defaults;
    const MultiByteTables& t = platform::EucJpTables();
    ByteWriter w(text.size() * 2 + 16);
    qsizetype written = 0;
    JisWriter enc(w, forms ? *forms : defaults);
    FileForms::Cursor cursor(forms);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        // The longest a character takes: SI, a designation and two bytes,
        // or a numeric reference.
        w.Reserve(24);
        if (*p < 0x80) {
            enc.Ascii(static_cast<unsigned char>(*p++));
            continue;
        }
        const TextChar c = NextChar(p, end);
        if (c.kept) {
            enc.Kept(static_cast<unsigned char>(c.ch & 0xFF));
            continue;
        }
        if (!JisEncodable(c.ch)) {
            ++written;
            for (QChar r : NumericReference(c.ch))
                enc.Ascii(static_cast<unsigned char>(r.unicode()));
            continue;
        }
        uint32_t code = t.encode[c.ch];
        if (t.alternative[c.ch]) {
            if (const uint32_t form = cursor.Next(static_cast<char16_t>(c.ch)))
                code = form;
        }
        if ((code >> 8) == 0x8E)
            enc.Kana(static_cast<unsigned char>((code & 0xFF) - 0x80));
        else
            enc.Kanji(code);
    }
    w.Reserve(4);
    enc.ToAscii();
    if (references)
        *references = written;
    return w.Take();
}

} // namespace codec
