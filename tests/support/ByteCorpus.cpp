#include "ByteCorpus.h"

namespace {

// Lines of at most `perLine` units, each unit as given, CR LF between.
QByteArray Lines(const std::vector<QByteArray>& units, int perLine, const QByteArray& open = {},
                 const QByteArray& close = {})
{
    QByteArray out;
    int onLine = 0;
    for (const QByteArray& u : units) {
        if (onLine == 0)
            out += open;
        out += u;
        if (++onLine == perLine) {
            out += close + "\r\n";
            onLine = 0;
        }
    }
    if (onLine)
        out += close + "\r\n";
    return out;
}

QByteArray Bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out += char(b);
    return out;
}

QByteArray Sjis()
{
    std::vector<QByteArray> units;
    for (int k = 0xA1; k <= 0xDF; ++k)
        units.push_back(Bytes({k}));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                units.push_back(Bytes({lead, trail}));
    }
    // Stray bytes: no character, a lead before a tag, before a line end and
    // at the very end.
    QByteArray stray = Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}) + Bytes({0x88}) + "<P>"
                       + Bytes({0x85, 0x80}) + "z" + Bytes({0x88}) + "\r\n";
    return "<HTML>\r\n" + Bytes({0x88, 0x9F}) + "\r\n" + Lines(units, 40) + stray + "</HTML>"
           + Bytes({0x8A});
}

QByteArray Euc()
{
    std::vector<QByteArray> units;
    for (int k = 0xA1; k <= 0xDF; ++k)
        units.push_back(Bytes({0x8E, k}));
    for (int a = 0xA1; a <= 0xFE; ++a)
        for (int b = 0xA1; b <= 0xFE; ++b)
            units.push_back(Bytes({a, b}));
    for (int a = 0xA1; a <= 0xFE; ++a)
        for (int b = 0xA1; b <= 0xFE; ++b)
            units.push_back(Bytes({0x8F, a, b}));
    QByteArray stray = Bytes({0x80, 0xFF, 0xA1}) + "<P>" + Bytes({0x8E}) + "<" + Bytes({0x8F, 0xA1})
                       + "<" + Bytes({0x8E, 0xE0}) + "\r\n";
    // 漢字 first, so that the page is taken for EUC.
    return "<HTML>\r\n" + Bytes({0xB4, 0xC1, 0xBB, 0xFA}) + "\r\n" + Lines(units, 40) + stray
           + "</HTML>" + Bytes({0xB4});
}

// Every pair in a JIS mode, in lines that open and close the mode.
std::vector<QByteArray> Pairs()
{
    std::vector<QByteArray> units;
    for (int a = 0x21; a <= 0x7E; ++a)
        for (int b = 0x21; b <= 0x7E; ++b)
            units.push_back(Bytes({a, b}));
    return units;
}

QByteArray Jis(const QByteArray& kanjiIn, const QByteArray& asciiIn, bool shiftKana)
{
    const QByteArray kanaIn = shiftKana ? QByteArray("\x0e") : QByteArray("\x1b(I");
    const QByteArray kanaOut = shiftKana ? QByteArray("\x0f") : asciiIn;
    std::vector<QByteArray> kana;
    for (int k = 0x21; k <= 0x5F; ++k)
        kana.push_back(Bytes({k}));
    return "<HTML>\r\n" + Lines(Pairs(), 40, kanjiIn, asciiIn) + Lines(Pairs(), 40, "\x1b$(D", asciiIn)
           + Lines(kana, 30, kanaIn, kanaOut)
           // Kana straight after kanji, kanji after kana, then ASCII.
           + kanjiIn + "0!" + kanaIn + "1" + kanjiIn + "0\"" + asciiIn + "<P>\r\n"
           + "</HTML>\r\n";
}

QByteArray JisOddities()
{
    return QByteArray("<P>\x1b$B0!\x1b$B0\"\x1b(B\x1b(B\r\n"  // escapes said twice
                      "\x1b$B0!\r\n0\"\x1b(B\r\n"               // kanji across a line end
                      "\x1b$B0!\x80\x1b(B\xff<P>\r\n"           // 8-bit bytes
                      "\x1b$B0\x1b(B!\x1b$A\r\n"                // a broken pair, an unknown escape
                      "\x1b&@\x1b$B0!\x1b(B\x1b(I\x60\x1b(B\r\n"
                      "\x1b$B0!");                              // ends in kanji mode
}

QByteArray Utf8()
{
    // Enough well-formed text that the stray bytes below are few beside it.
    QByteArray out = "<HTML>\r\n" + QString::fromUtf8("日本語 é 😀 𠮷 ～\r\n").repeated(400).toUtf8();
    for (int b = 0x80; b <= 0xFF; ++b)
        out += Bytes({b}) + " ";
    out += "\r\n";
    // Overlong forms, surrogates, beyond U+10FFFF, truncated sequences.
    out += Bytes({0xC0, 0x80, 0x20, 0xE0, 0x80, 0x80, 0x20, 0xED, 0xA0, 0x80, 0x20, 0xF4, 0x90, 0x80,
                  0x80, 0x20, 0xF0, 0x9F, 0x98, 0x20, 0xE6, 0x97, 0x3C, 0xC3});
    return out;
}

// Line ends of the other kinds inside a file of one kind.
QByteArray StrayLineEnds(LineEndKind kind)
{
    switch (kind) {
    case LineEndKind::Lf:
        return "a\rb\r\nc\n";
    case LineEndKind::Cr:
        return "a\nb\r\r\nc\r\n\rd\r";
    default:
        return "a\rb\nc\n\r\r\n";
    }
}

// Lines of 0 to 33 ASCII characters, so that line ends fall on every
// place of the first two blocks the codecs copy at a time.
QByteArray AsciiRuns()
{
    QByteArray out;
    for (int n = 0; n < 34; ++n)
        out += QByteArray(n, 'a' + n % 26) + "\r\n";
    return out;
}

} // namespace

std::vector<CorpusFile> ByteCorpus()
{
    struct Source {
        const char* name;
        CodeKind code;
        QByteArray bytes;
    };
    const Source sources[] = {
        {"shift-jis", CodeKind::ShiftJis, Sjis()},
        {"euc-jp", CodeKind::Euc, Euc()},
        {"jis ESC $ B, ESC ( I", CodeKind::Jis, Jis("\x1b$B", "\x1b(B", false)},
        {"jis ESC $ @, ESC ( J, SO/SI", CodeKind::Jis, Jis("\x1b$@", "\x1b(J", true)},
        {"jis oddities", CodeKind::Jis, JisOddities()},
        {"utf-8", CodeKind::Utf8, Utf8()},
        {"utf-8 with bom", CodeKind::Utf8, "\xEF\xBB\xBF" + Utf8()},
    };
    std::vector<CorpusFile> files;
    for (const Source& s : sources) {
        for (LineEndKind kind : {LineEndKind::CrLf, LineEndKind::Lf, LineEndKind::Cr}) {
            CorpusFile f;
            f.name = QStringLiteral("%1, %2").arg(QLatin1String(s.name), LineEndKindName(kind));
            f.code = s.code;
            f.lineEnd = kind;
            // The stray line ends come after the first line end, which
            // decides the kind.
            const QByteArray bytes = WithLineEnd(AsciiRuns() + s.bytes, kind);
            const qsizetype firstEnd = bytes.indexOf(LineEndSeparator(kind).toByteArray());
            f.bytes = bytes.left(firstEnd + LineEndSeparator(kind).size()) + StrayLineEnds(kind)
                      + bytes.mid(firstEnd + LineEndSeparator(kind).size());
            files.push_back(std::move(f));
        }
    }
    return files;
}

QByteArray WithLineEnd(QByteArray crlf, LineEndKind kind)
{
    if (kind == LineEndKind::Lf)
        crlf.replace("\r\n", "\n");
    else if (kind == LineEndKind::Cr)
        crlf.replace("\r\n", "\r");
    return crlf;
}
