#include "core/doc/CodecIo.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

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
    void SwitchTo(Jis target)
    {
        m_out.Reserve(8);
        if (m_mode == Jis::KanaShifted && target != Jis::KanaShifted) {
            m_out.Put(kSi);
            m_mode = Jis::Ascii;
        }
        if (m_mode != target)
            Designate(target);
    }
    // Bytes of the file that a reader starts in `from` and ends in `to`.
    void Verbatim(QByteArrayView bytes, Jis from, Jis to)
    {
        SwitchTo(from);
        m_out.Reserve(bytes.size());
        for (char b : bytes)
            m_out.Put(static_cast<unsigned char>(b));
        m_mode = to;
        m_afterEsc = false;
    }
    // A line end, which is itself in every mode.
    void LineEnd(QStringView end)
    {
        m_out.Reserve(end.size());
        for (QChar c : end)
            m_out.Put(static_cast<unsigned char>(c.unicode()));
        m_afterEsc = false;
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

namespace {

// Writes the characters of [p, end).
void EncodeChars(const char16_t* p, const char16_t* const end, JisWriter& enc, ByteWriter& w,
                 FileForms::Cursor& cursor, qsizetype& references)
{
    const MultiByteTables& t = platform::EucJpTables();
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
            ++references;
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
}

// A line written as the file had it still holds its occurrences of
// characters with two forms: the cursor passes them.
void PassForms(const char16_t* p, const char16_t* const end, FileForms::Cursor& cursor)
{
    const MultiByteTables& t = platform::EucJpTables();
    while (p < end) {
        const TextChar c = NextChar(p, end);
        if (!c.kept && c.ch <= 0xFFFF && t.alternative[c.ch] && JisEncodable(c.ch))
            cursor.Next(static_cast<char16_t>(c.ch));
    }
}

// The lines of the file a JIS text was read from (each up to and with its
// LF, the last one up to the end), with the mode a reader is in at each
// line start. A line's escapes are its own bytes: the text does not say
// which of the escapes the code has for a mode the file used, nor where
// it left a mode it did not need.
class FileLines {
public:
    explicit FileLines(const FileForms& forms)
    {
        // CR LF line ends, as the encoder writes them before the caller
        // rewrites them into the file's own: the bytes and the text then
        // have their LFs in the same places.
        switch (forms.originalLineEnd) {
        case LineEndKind::Lf:
            m_bytes = LfToCrLf(forms.original);
            break;
        case LineEndKind::Cr:
            m_bytes = CrToCrLf(forms.original);
            break;
        default:
            m_bytes = forms.original;
            break;
        }
        m_text = DecodeJis(m_bytes, LineEndKind::CrLf, nullptr).text;
        // An escape is read at any byte, in every mode (no character holds
        // ESC, SO or SI), so the modes at the line starts are found
        // without reading the characters.
        const auto* const start = reinterpret_cast<const unsigned char*>(m_bytes.constData());
        const auto* const end = start + m_bytes.size();
        Jis mode = Jis::Ascii;
        m_lines.push_back({0, 0, mode});
        qsizetype textAt = 0;
        for (const unsigned char* p = start; p < end;) {
            const unsigned char b = *p;
            if (b == kEsc || b == kSo || b == kSi) {
                const int n = JisEscape(p, end, mode);
                p += n ? n : 1;
                continue;
            }
            ++p;
            if (b != '\n')
                continue;
            textAt = m_text.indexOf(u'\n', textAt) + 1;
            m_lines.push_back({p - start, textAt, mode});
        }
        m_lines.push_back({m_bytes.size(), m_text.size(), mode});
        for (int i = 0; i + 1 < static_cast<int>(m_lines.size()); ++i)
            if (!Text(i).isEmpty())
                m_byText[qHash(Text(i))].push_back(i);
    }

    int Count() const { return static_cast<int>(m_lines.size()) - 1; }
    QStringView Text(int i) const
    {
        return QStringView(m_text).sliced(m_lines[i].text, m_lines[i + 1].text - m_lines[i].text);
    }
    QByteArrayView Bytes(int i) const
    {
        return QByteArrayView(m_bytes).sliced(m_lines[i].bytes, m_lines[i + 1].bytes - m_lines[i].bytes);
    }
    Jis StartMode(int i) const { return m_lines[i].mode; }
    Jis EndMode(int i) const { return m_lines[i + 1].mode; }

    // The file's line with this text, the one at `expected` if it has it,
    // else the nearest one; -1 when the file has no such line.
    int Find(QStringView line, int expected) const
    {
        if (line.isEmpty())
            return -1;
        if (expected < Count() && Text(expected) == line)
            return expected;
        const auto found = m_byText.find(qHash(line));
        if (found == m_byText.end())
            return -1;
        const std::vector<int>& at = found->second;
        // Nearest to the expected place first.
        auto later = std::lower_bound(at.begin(), at.end(), expected);
        auto before = later;
        while (later != at.end() || before != at.begin()) {
            const bool takeLater = later != at.end()
                                   && (before == at.begin() || *later - expected <= expected - *(before - 1));
            const int i = takeLater ? *later++ : *--before;
            if (Text(i) == line)
                return i;
        }
        return -1;
    }

private:
    struct Line {
        qsizetype bytes;
        qsizetype text;
        Jis mode;
    };
    QByteArray m_bytes;
    QString m_text;
    std::vector<Line> m_lines;  // each start, and the end
    std::unordered_map<size_t, std::vector<int>> m_byText;
};

// The text in pieces that end after each LF (the last one at the end).
std::vector<QStringView> TextLines(QStringView text)
{
    std::vector<QStringView> lines;
    qsizetype from = 0;
    for (qsizetype lf; (lf = text.indexOf(u'\n', from)) >= 0; from = lf + 1)
        lines.push_back(text.sliced(from, lf + 1 - from));
    lines.push_back(text.sliced(from));
    return lines;
}

} // namespace

QByteArray EncodeJis(QStringView text, const FileForms* forms, qsizetype* references)
{
    const FileForms defaults;
    ByteWriter w(text.size() * 2 + 16);
    qsizetype written = 0;
    JisWriter enc(w, forms ? *forms : defaults);
    FileForms::Cursor cursor(forms);
    const char16_t* const begin = text.utf16();
    if (!forms || forms->original.isNull()) {
        EncodeChars(begin, begin + text.size(), enc, w, cursor, written);
        w.Reserve(4);
        enc.ToAscii();
    } else {
        // Lines the file had are written as it had them, escapes and all;
        // the others in the file's style, joined to them in the modes a
        // reader of the file is in there.
        const FileLines file(*forms);
        const std::vector<QStringView> lines = TextLines(text);
        std::vector<int> kept(lines.size(), -1);
        for (size_t k = 0, expected = 0; k < lines.size(); ++k) {
            kept[k] = file.Find(lines[k], static_cast<int>(expected));
            if (kept[k] >= 0)
                expected = kept[k] + 1;
        }
        bool endsAsFile = false;  // the file's last line was written last
        for (size_t k = 0; k < lines.size(); ++k) {
            const QStringView line = lines[k];
            if (kept[k] >= 0) {
                enc.Verbatim(file.Bytes(kept[k]), file.StartMode(kept[k]), file.EndMode(kept[k]));
                PassForms(line.utf16(), line.utf16() + line.size(), cursor);
                endsAsFile = kept[k] == file.Count() - 1
                             || (kept[k] == file.Count() - 2 && file.Text(file.Count() - 1).isEmpty());
                continue;
            }
            if (line.isEmpty())
                continue;
            endsAsFile = false;
            // A kept line that starts in another mode than ASCII is joined
            // before this line's end, so that the kept line is as it was.
            const bool joined = k + 1 < lines.size() && kept[k + 1] >= 0
                                && file.StartMode(kept[k + 1]) != Jis::Ascii;
            const qsizetype ending = !joined ? 0 : line.endsWith(u"\r\n") ? 2 : 1;
            EncodeChars(line.utf16(), line.utf16() + line.size() - ending, enc, w, cursor, written);
            if (joined) {
                enc.SwitchTo(file.StartMode(kept[k + 1]));
                enc.LineEnd(line.last(ending));
            }
        }
        // A file that ended in another mode than ASCII still does.
        if (!endsAsFile) {
            w.Reserve(4);
            enc.ToAscii();
        }
    }
    if (references)
        *references = written;
    return w.Take();
}

} // namespace codec
