#include "core/doc/CodecIo.h"

namespace codec {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSo = 0x0E;
constexpr unsigned char kSi = 0x0F;

enum class Jis { Ascii, Kanji, Supplement, Kana, KanaShifted };

// The JIS encoder, one character at a time. The decoder runs it alongside
// so that it knows which bytes the encoder would write at each point.
class JisWriter {
public:
    explicit JisWriter(const FileForms& forms) : m_forms(&forms) {}
    Jis mode = Jis::Ascii;

    // Appends the bytes for one character given as its class: 7-bit
    // character, kana byte (0x21..0x5F), two-byte JIS X 0208 or JIS X 0212
    // code, or a kept byte (no mode change).
    template <typename Out>
    void Ascii(Out& out, unsigned char c)
    {
        ToAscii(out);
        out(c);
    }
    template <typename Out>
    void Kanji(Out& out, unsigned code, bool supplement)
    {
        const Jis target = supplement ? Jis::Supplement : Jis::Kanji;
        if (mode == Jis::KanaShifted) {
            out(kSi);
            mode = Jis::Ascii;
        }
        if (mode != target) {
            out(kEsc);
            out('$');
            if (supplement) {
                out('(');
                out('D');
            } else {
                out(static_cast<unsigned char>(m_forms->kanjiFinal));
            }
            mode = target;
        }
        out(static_cast<unsigned char>((code >> 8) & 0x7F));
        out(static_cast<unsigned char>(code & 0x7F));
    }
    template <typename Out>
    void Kana(Out& out, unsigned char b)
    {
        if (m_forms->kanaShift) {
            if (mode != Jis::KanaShifted) {
                out(kSo);
                mode = Jis::KanaShifted;
            }
        } else if (mode != Jis::Kana) {
            if (mode == Jis::KanaShifted)
                out(kSi);
            out(kEsc);
            out('(');
            out('I');
            mode = Jis::Kana;
        }
        out(b);
    }
    template <typename Out>
    void ToAscii(Out& out)
    {
        if (mode == Jis::KanaShifted) {
            out(kSi);
        } else if (mode != Jis::Ascii) {
            out(kEsc);
            out('(');
            out(static_cast<unsigned char>(m_forms->asciiFinal));
        }
        mode = Jis::Ascii;
    }

private:
    const FileForms* m_forms;
};

// Compares what the encoder would write with the file's bytes.
struct Matcher {
    const unsigned char* at;
    const unsigned char* end;
    bool ok = true;
    void operator()(unsigned char b)
    {
        if (ok && at < end && *at == b)
            ++at;
        else
            ok = false;
    }
};

// An escape sequence (or SO/SI) at p: its length and the mode it selects; 0
// when there is none.
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
// whether it shifts kana with SO.
void ScanJisStyle(QByteArrayView bytes, FileForms& forms)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    bool kanji = false, ascii = false, kana = false;
    while (p < end && !(kanji && ascii && kana)) {
        const char* esc = static_cast<const char*>(memchr(p, kEsc, end - p));
        const char* so = kana ? nullptr : static_cast<const char*>(memchr(p, kSo, (esc ? esc : end) - p));
        if (so) {
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


} // namespace

DecodeResult DecodeJis(QByteArrayView bytes, LineEndKind, FileForms* formsOut)
{
    FileForms local;
    FileForms& forms = formsOut ? *formsOut : local;
    forms.eucFamily = true;
    ScanJisStyle(bytes, forms);
    const MultiByteTables& t = platform::EucJpTables();
    TextWriter w(bytes, LineEndKind::CrLf);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    Jis real = Jis::Ascii;  // what the bytes mean
    JisWriter enc(forms);   // what the encoder would have written
    // One character in the file's mode at q: its text, the bytes it takes,
    // and how the encoder writes it.
    struct Char {
        char16_t ch = 0;
        int length = 1;
        bool kept = false;  // a byte kept as it is
        uint32_t code = 0;  // EUC form of a JIS X 0208/0212 character
    };
    auto parse = [&](const unsigned char* q, Jis mode) {
        Char c;
        const unsigned char b = *q;
        switch (mode) {
        case Jis::Ascii:
            if (b < 0x80) {
                c.ch = b;
                return c;
            }
            break;
        case Jis::Kanji:
        case Jis::Supplement:
            if (end - q >= 2 && InRange(b, 0x21, 0x7E) && InRange(q[1], 0x21, 0x7E)) {
                const unsigned code = ((b | 0x80u) << 8) | (q[1] | 0x80u);
                const char16_t ch = mode == Jis::Kanji ? t.pair[code] : t.triple[code];
                if (ch != kNone) {
                    c.ch = ch;
                    c.length = 2;
                    c.code = mode == Jis::Kanji ? code : (0x8F0000 | code);
                    return c;
                }
            }
            break;
        case Jis::Kana:
        case Jis::KanaShifted:
            if (InRange(b, 0x21, 0x5F)) {
                c.ch = static_cast<char16_t>(0xFF61 + (b - 0x21));
                return c;
            }
            break;
        }
        c.kept = true;
        c.ch = EscapeByte(b);
        return c;
    };
    auto writeChar = [&](auto& out, const Char& c) {
        if (c.kept)
            out(static_cast<unsigned char>(c.ch & 0xFF));
        else if (c.code)
            enc.Kanji(out, c.code, c.code > 0xFFFF);
        else if (c.ch >= 0xFF61)
            enc.Kana(out, static_cast<unsigned char>(c.ch - 0xFF61 + 0x21));
        else
            enc.Ascii(out, static_cast<unsigned char>(c.ch));
    };
    while (p < end) {
        // The usual case: no escape here and the encoder in the file's mode.
        if (real == enc.mode && *p != kEsc && *p != kSo && *p != kSi) {
            if (real == Jis::Ascii && *p < 0x80) {
                const unsigned char* stop = p;
                while (stop < end && *stop < 0x80 && *stop != kEsc && *stop != kSo && *stop != kSi)
                    ++stop;
                for (; p < stop; ++p)
                    w.Put(*p);
                continue;
            }
            const Char c = parse(p, real);
            if (c.kept)
                w.PutEscaped(p, 1);
            else
                w.Put(c.ch);
            if (!c.kept && c.code && t.alternative[c.ch])
                forms.NoteForm(c.ch, c.code);
            p += c.length;
            continue;
        }
        // Escapes here, or a mode the encoder is not in: take the character
        // only when the encoder writes exactly these bytes for it.
        Jis mode = real;
        const unsigned char* q = p;
        int first = 0;
        while (q < end) {
            const int n = JisEscape(q, end, mode);
            if (n == 0)
                break;
            if (q == p)
                first = n;
            q += n;
        }
        JisWriter trial = enc;
        Matcher match{p, end};
        Char c;
        if (q < end) {
            c = parse(q, mode);
            JisWriter saved = enc;
            writeChar(match, c);
            trial = enc;
            enc = saved;
        } else {
            trial.ToAscii(match);
        }
        const unsigned char* const charEnd = q < end ? q + c.length : end;
        if (match.ok && match.at == charEnd) {
            if (q < end) {
                if (c.kept)
                    w.PutEscaped(q, 1);
                else
                    w.Put(c.ch);
                if (!c.kept && c.code && t.alternative[c.ch])
                    forms.NoteForm(c.ch, c.code);
            }
            enc = trial;
            real = mode;
            p = charEnd;
            continue;
        }
        if (first > 0) {
            // An escape the encoder would not write here is kept as bytes.
            w.PutEscaped(p, first);
            JisEscape(p, end, real);
            p += first;
            continue;
        }
        w.PutEscaped(p, 1);
        ++p;
    }
    // A file that ends outside ASCII mode is written back so.
    forms.closeAtEnd = enc.mode == Jis::Ascii;
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

QByteArray EncodeJis(QStringView text, const FileForms* forms)
{
    const FileForms defaults;
    JisWriter enc(forms ? *forms : defaults);
    const MultiByteTables& t = platform::EucJpTables();
    ByteWriter w(text.size() * 2 + 16);
    FileForms::Cursor cursor(forms);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        w.Reserve(16);
        if (*p < 0x80) {
            enc.Ascii(w, static_cast<unsigned char>(*p++));
            continue;
        }
        const TextChar c = NextChar(p, end);
        if (c.kept) {
            w.Put(static_cast<unsigned char>(c.ch & 0xFF));
            continue;
        }
        if (!JisEncodable(c.ch)) {
            const QByteArray r = NumericReference(c.ch).toLatin1();
            for (char b : r)
                enc.Ascii(w, static_cast<unsigned char>(b));
            continue;
        }
        uint32_t code = t.encode[c.ch];
        if (t.alternative[c.ch]) {
            if (const uint32_t form = cursor.Next(static_cast<char16_t>(c.ch)))
                code = form;
        }
        if ((code >> 8) == 0x8E)
            enc.Kana(w, static_cast<unsigned char>((code & 0xFF) - 0x80));
        else
            enc.Kanji(w, code & 0xFFFF, code > 0xFFFF);
    }
    w.Reserve(4);
    if (!forms || forms->closeAtEnd)
        enc.ToAscii(w);
    return w.Take();
}

} // namespace codec
