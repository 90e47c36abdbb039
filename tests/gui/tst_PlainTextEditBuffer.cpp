#include "SnapCases.h"
#include "TestRegistry.h"

#include "core/edit/MemoryEditBuffer.h"
#include "gui/EditTextMapping.h"
#include "gui/EditWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>

#include <memory>

namespace {

// Pieces random texts are made of: every kind of line end and every
// character the document would otherwise turn into a block break.
const QStringList kPlainPieces = {
    QStringLiteral("a"),      QStringLiteral("bc"),      QStringLiteral("あい"),
    QStringLiteral("\r\n"),   QStringLiteral("\r\n"),    QStringLiteral("\r"),
    QStringLiteral("\n"),     QStringLiteral("\r\r\n"),  QStringLiteral("\n\r"),
    QStringLiteral("\t"),     QStringLiteral("😀"),      QStringLiteral(" "),
    QStringLiteral("\r\n\r\n"),
    QString(QChar(0x2028)),   QString(QChar(0x2029)),    QString(QChar(0xFDD0)),
    QString(QChar(0xFDD1)),   QString(QChar(0xFFFC)),    QString(QChar(0xA0)),
};
// Characters only a program can put into the text: the stand-ins themselves,
// the escape, and halves of surrogate pairs.
const QStringList kStandInPieces = {
    QString(QChar(edittext::kLoneCr)),  QString(QChar(edittext::kLoneLf)),
    QString(QChar(edittext::kEscape)),  QString(QChar(edittext::kParagraphSeparator)),
    QString(QChar(0xD83D)),             QString(QChar(0xDE00)),
    QString(QChar(edittext::kEscape)) + QChar(edittext::kLoneCr),
};

QString Visible(const QString& s)
{
    QString out;
    for (QChar c : s) {
        if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

class Agreement {
public:
    Agreement(QStringList pieces, quint32 seed) : m_pieces(std::move(pieces)), m_random(seed) {}

    QString RandomText(int maxPieces)
    {
        QString s;
        const int n = m_random.bounded(maxPieces + 1);
        for (int i = 0; i < n; ++i)
            s += m_pieces[m_random.bounded(int(m_pieces.size()))];
        return s;
    }
    int RandomOffset(int length)
    {
        // Mostly inside the text, sometimes exactly at the end or past it.
        switch (m_random.bounded(8)) {
        case 0:
            return length;
        case 1:
            return length + 1 + m_random.bounded(3);
        default:
            return m_random.bounded(length + 1);
        }
    }
    QRandomGenerator& Random() { return m_random; }

private:
    QStringList m_pieces;
    QRandomGenerator m_random;
};

// Compares every read operation of the two buffers; returns a description of
// the first difference, or an empty string.
QString Difference(const EditBuffer& gui, const EditBuffer& mem, Agreement& a)
{
    if (gui.GetText() != mem.GetText())
        return QStringLiteral("text: %1 / %2").arg(Visible(gui.GetText()), Visible(mem.GetText()));
    if (gui.GetTextLength() != mem.GetTextLength())
        return QStringLiteral("length %1 / %2").arg(gui.GetTextLength()).arg(mem.GetTextLength());
    int gs = 0, ge = 0, ms = 0, me = 0;
    gui.GetSel(gs, ge);
    mem.GetSel(ms, me);
    if (gs != ms || ge != me)
        return QStringLiteral("selection %1-%2 / %3-%4").arg(gs).arg(ge).arg(ms).arg(me);
    if (gui.GetLineCount() != mem.GetLineCount())
        return QStringLiteral("line count %1 / %2").arg(gui.GetLineCount()).arg(mem.GetLineCount());
    if (gui.CanUndo() != mem.CanUndo())
        return QStringLiteral("can undo");
    const int lines = mem.GetLineCount();
    for (int line = -1; line <= lines; ++line) {
        if (gui.LineIndex(line) != mem.LineIndex(line))
            return QStringLiteral("line index %1: %2 / %3")
                .arg(line)
                .arg(gui.LineIndex(line))
                .arg(mem.LineIndex(line));
        if (gui.GetLine(line) != mem.GetLine(line))
            return QStringLiteral("line %1").arg(line);
    }
    if (gui.LineIndex(-2) != -1)
        return QStringLiteral("line -2");
    const int length = mem.GetTextLength();
    QList<int> offsets{-1, 0, length, length + 5};
    for (int i = 0; i < 6; ++i)
        offsets.append(a.RandomOffset(length));
    for (int o : offsets) {
        if (gui.LineFromChar(o) != mem.LineFromChar(o))
            return QStringLiteral("line from char %1: %2 / %3")
                .arg(o)
                .arg(gui.LineFromChar(o))
                .arg(mem.LineFromChar(o));
        if (gui.LineLength(o) != mem.LineLength(o))
            return QStringLiteral("line length %1: %2 / %3")
                .arg(o)
                .arg(gui.LineLength(o))
                .arg(mem.LineLength(o));
    }
    return QString();
}

// A piece source that gives the pieces, in order.
EditBuffer::PieceSource SourceOf(const QStringList& pieces)
{
    auto rest = std::make_shared<QStringList>(pieces);
    return [rest]() -> std::optional<QString> {
        if (rest->isEmpty())
            return std::nullopt;
        return rest->takeFirst();
    };
}

// The text cut at random places, empty pieces included.
QStringList RandomCuts(const QString& text, QRandomGenerator& random)
{
    QStringList pieces;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype n = random.bounded(int(text.size() - at) + 1);
        pieces.append(text.mid(at, n));
        at += n;
    }
    return pieces;
}

} // namespace

class TestPlainTextEditBuffer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QString() << 1;
        QTest::newRow("line ends") << QStringLiteral("a\r\nb\r\n") << 3;
        QTest::newRow("lone CR stays a character") << QStringLiteral("a\rb") << 1;
        QTest::newRow("lone LF stays a character") << QStringLiteral("a\nb") << 1;
        QTest::newRow("CR CR LF: a CR and a line end") << QStringLiteral("a\r\r\nb") << 2;
        QTest::newRow("LF CR") << QStringLiteral("\n\r") << 1;
        QTest::newRow("only line ends") << QStringLiteral("\r\n\r\n\r\n") << 4;
        QTest::newRow("line and paragraph separators")
            << QStringLiteral("a\u2028b\u2029c") << 1;
        QTest::newRow("frame markers") << QStringLiteral("\uFDD0x\uFDD1") << 1;
        QTest::newRow("object replacement, nbsp, nul")
            << (QStringLiteral("\uFFFC\u00A0") + QChar(0) + QStringLiteral("z")) << 1;
        QTest::newRow("surrogate pair") << QStringLiteral("😀\r\n😀") << 2;
        QTest::newRow("stand-ins as text")
            << (QString(QChar(edittext::kLoneCr)) + QChar(edittext::kEscape) + u'\r'
                + QChar(edittext::kEscape) + QChar(edittext::kLoneLf) + QStringLiteral("\r\n"))
            << 2;
        QTest::newRow("lone surrogate halves")
            << (QString(QChar(0xD83D)) + u'x' + QChar(0xDE00)) << 1;
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        EditWidget w;
        w.Buffer().SetText(text);
        QCOMPARE(w.Buffer().GetText(), text);
        QCOMPARE(w.Buffer().GetTextLength(), int(text.size()));
        QCOMPARE(w.Buffer().GetLineCount(), lines);
        // The same text entered as an edit.
        w.Buffer().SetText(QString());
        w.Buffer().ReplaceSel(text);
        QCOMPARE(w.Buffer().GetText(), text);
        int s = 0, e = 0;
        w.Buffer().GetSel(s, e);
        QCOMPARE(e, int(text.size()));
    }

    // A long random run of edits and selections gives the same text,
    // selection and line answers as MemoryEditBuffer.
    void agreesWithMemoryBuffer_data()
    {
        QTest::addColumn<bool>("standIns");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("softLimit");  // lines longer are held in several blocks
        const int none = PlainTextEditBuffer::kDefaultSoftBreakLimit;
        QTest::newRow("file text 1") << false << 1u << none;
        QTest::newRow("file text 2") << false << 77u << none;
        QTest::newRow("with stand-ins and split surrogates") << true << 5u << none;
        QTest::newRow("long lines, file text") << false << 3u << 3;
        QTest::newRow("long lines, file text 2") << false << 41u << 8;
        QTest::newRow("long lines, stand-ins and split surrogates") << true << 9u << 4;
    }
    void agreesWithMemoryBuffer()
    {
        QFETCH(bool, standIns);
        QFETCH(quint32, seed);
        QFETCH(int, softLimit);
        EditWidget w;
        PlainTextEditBuffer& gui = w.Buffer();
        gui.SetSoftBreakLimit(softLimit);
        MemoryEditBuffer mem;
        QStringList pieces = kPlainPieces;
        if (standIns)
            pieces += kStandInPieces;
        Agreement a(pieces, seed);
        QString history;
        for (int step = 0; step < 2500; ++step) {
            const int length = mem.GetTextLength();
            QString op;
            switch (a.Random().bounded(20)) {
            case 0: {
                const QString t = a.RandomText(30);
                op = QStringLiteral("SetText(%1)").arg(Visible(t));
                gui.SetText(t);
                mem.SetText(t);
                break;
            }
            case 1: {
                // Undo steps only count real changes: never replace nothing
                // by nothing.
                const QString t = QStringLiteral("x") + a.RandomText(10);
                op = QStringLiteral("SetText undoable(%1)").arg(Visible(t));
                gui.SetText(t, true);
                mem.SetText(t, true);
                break;
            }
            case 2:
            case 3: {
                if (!mem.CanUndo())
                    continue;
                op = QStringLiteral("Undo");
                gui.Undo();
                mem.Undo();
                // Half the time taken back and done again.
                if (a.Random().bounded(2) == 0) {
                    gui.Redo();
                    gui.Undo();
                }
                // Where the caret goes after an undo, and whether the text
                // counts as changed, is the widget's own business; both
                // restart from the same state.
                gui.SetModified(true);
                mem.SetModified(true);
                const int o = a.RandomOffset(mem.GetTextLength());
                gui.SetSel(o, o);
                mem.SetSel(o, o);
                break;
            }
            case 4: {
                op = QStringLiteral("SetSel(-1)");
                // Deselecting keeps the caret where the selection was made
                // towards.
                gui.SetSel(-1, 0);
                mem.SetSel(-1, 0);
                break;
            }
            case 5:
                op = QStringLiteral("SetModified(false)");
                gui.SetModified(false);
                mem.SetModified(false);
                break;
            case 6:
            case 7:
            case 8:
            case 9: {
                const int s = a.RandomOffset(length);
                const int e = a.Random().bounded(4) == 0 ? -1 : a.RandomOffset(length);
                op = QStringLiteral("SetSel(%1,%2)").arg(s).arg(e);
                gui.SetSel(s, e);
                mem.SetSel(s, e);
                break;
            }
            default: {
                int s = 0, e = 0;
                mem.GetSel(s, e);
                QString t = a.RandomText(6);
                if (t.isEmpty() && s == e)
                    t = QStringLiteral("y");
                // Every third replacement reaches the widget in pieces.
                if (a.Random().bounded(3) == 0) {
                    const QStringList cuts = RandomCuts(t, a.Random());
                    op = QStringLiteral("ReplaceSelPieces(%1)").arg(Visible(cuts.join(u'|')));
                    gui.ReplaceSelPieces(SourceOf(cuts));
                } else {
                    op = QStringLiteral("ReplaceSel(%1)").arg(Visible(t));
                    gui.ReplaceSel(t);
                }
                mem.ReplaceSel(t);
                QVERIFY2(gui.IsModified() && mem.IsModified(), qPrintable(op));
                break;
            }
            }
            history += op + u'\n';
            const QString diff = Difference(gui, mem, a);
            if (!diff.isEmpty())
                QFAIL(qPrintable(QStringLiteral("step %1 %2: %3\nlast steps:\n%4")
                                     .arg(step)
                                     .arg(op, diff, history.right(600))));
            QVERIFY2(gui.IsModified() == mem.IsModified(), qPrintable(op));
        }
    }

    // A CR and an LF that an edit brings together make a line end, in the
    // widget as in the text.
    void joinsMakeLineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LF typed after a lone CR")
            << QStringLiteral("a\rb") << 2 << 2 << QStringLiteral("\nx")
            << QStringLiteral("a\r\nxb");
        QTest::newRow("CR typed before a lone LF")
            << QStringLiteral("a\nb") << 1 << 1 << QStringLiteral("x\r")
            << QStringLiteral("ax\r\nb");
        QTest::newRow("deleting what separates CR and LF")
            << QStringLiteral("a\rZ\nb") << 2 << 3 << QString() << QStringLiteral("a\r\nb");
        QTest::newRow("CR LF at the very end")
            << QStringLiteral("a\r") << 2 << 2 << QStringLiteral("\n") << QStringLiteral("a\r\n");
    }
    void joinsMakeLineEnds()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, insert);
        QFETCH(QString, expected);
        EditWidget w;
        w.Buffer().SetText(text);
        w.Buffer().SetSel(selStart, selEnd);
        w.Buffer().ReplaceSel(insert);
        QCOMPARE(w.Buffer().GetText(), expected);
        QCOMPARE(w.Buffer().GetLineCount(), int(expected.count(QStringLiteral("\r\n"))) + 1);
        QCOMPARE(w.blockCount(), w.Buffer().GetLineCount());
        // One undo step brings the old text back, stand-ins included.
        w.Buffer().Undo();
        QCOMPARE(w.Buffer().GetText(), text);
        QVERIFY(!w.Buffer().CanUndo());
    }

    // A text given in pieces ends up as the same text given whole: a CR LF
    // cut between two pieces is one line end, stand-ins keep their escapes,
    // and a lone CR or LF beside the selection joins as it does for a whole
    // text. One undo step takes all the pieces back.
    void piecesMakeTheWholeText_data()
    {
        const QString loneCr(QChar(edittext::kLoneCr));
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("CR LF cut between pieces")
            << "x\r\ny" << 0 << 4 << QStringList{"a\r", "\nb\r", "\n"};
        QTest::newRow("lone CR at the very end") << "xy" << 1 << 1 << QStringList{"a", "\r"};
        QTest::newRow("lone CR before a piece that holds no LF")
            << "xy" << 1 << 1 << QStringList{"a\r", "b"};
        QTest::newRow("empty pieces") << "x\r\ny" << 1 << 3 << QStringList{"", "a", "", "\r", "", "\n"};
        QTest::newRow("no pieces: the selection goes") << "xyz" << 1 << 2 << QStringList{};
        QTest::newRow("stand-ins, U+2029 and the escape")
            << "xy" << 1 << 1
            << QStringList{loneCr + u'\x2029', QString(QChar(edittext::kEscape)), QString(QChar(0xFDD0))};
        QTest::newRow("lone CR before the selection") << "a\rb" << 2 << 3 << QStringList{"\nc"};
        QTest::newRow("lone LF after the selection") << "a\nb" << 0 << 1 << QStringList{"c\r"};
    }
    void piecesMakeTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QStringList, pieces);
        MemoryEditBuffer whole;
        whole.SetText(text);
        whole.SetSel(selStart, selEnd);
        whole.ReplaceSel(pieces.join(QString()));
        EditWidget w;
        w.Buffer().SetText(text);
        w.Buffer().SetSel(selStart, selEnd);
        w.Buffer().ReplaceSelPieces(SourceOf(pieces));
        QCOMPARE(Visible(w.Buffer().GetText()), Visible(whole.GetText()));
        QCOMPARE(w.blockCount(), whole.GetLineCount());
        int gs = 0, ge = 0, ms = 0, me = 0;
        w.Buffer().GetSel(gs, ge);
        whole.GetSel(ms, me);
        QCOMPARE(QPair(gs, ge), QPair(ms, me));
        QVERIFY(w.Buffer().IsModified());
        w.Buffer().Undo();
        QCOMPARE(Visible(w.Buffer().GetText()), Visible(text));
        QVERIFY(!w.Buffer().CanUndo());
    }

    // Deleting in the widget what separated a lone CR from a lone LF makes
    // them a line end there too; one undo restores both.
    void widgetEditJoinsLineEnd()
    {
        EditWidget w;
        w.show();
        w.Buffer().SetText(QStringLiteral("a\rZ\nb"));
        w.Buffer().SetSel(2, 3);
        QTest::keyClick(&w, Qt::Key_Delete);
        QTRY_COMPARE(w.blockCount(), 2);
        QCOMPARE(w.Buffer().GetText(), QStringLiteral("a\r\nb"));
        QCOMPARE(w.Buffer().GetLineCount(), 2);
        w.undo();
        QCOMPARE(w.Buffer().GetText(), QStringLiteral("a\rZ\nb"));
        QCOMPARE(w.blockCount(), 1);
    }

    void undoableSetTextIsOneStep()
    {
        EditWidget w;
        w.Buffer().SetText(QStringLiteral("old\r\ntext"));
        QVERIFY(!w.Buffer().CanUndo());
        w.Buffer().SetModified(false);
        w.Buffer().SetText(QStringLiteral("new\r\n\rtext\n"), true);
        QVERIFY(w.Buffer().IsModified());
        w.Buffer().Undo();
        QCOMPARE(w.Buffer().GetText(), QStringLiteral("old\r\ntext"));
        QVERIFY(!w.Buffer().CanUndo());
    }

    void loadKeepsModifiedFlagAndClearsUndo()
    {
        EditWidget w;
        w.Buffer().ReplaceSel(QStringLiteral("typed"));
        QVERIFY(w.Buffer().CanUndo());
        w.Buffer().SetModified(false);
        w.Buffer().SetText(QStringLiteral("loaded"));
        QVERIFY(!w.Buffer().CanUndo());
        QVERIFY(!w.Buffer().IsModified());
        QVERIFY(!w.document()->isModified());
    }

    void selectionSnapsToCharacters_data() { AddSnapRows(); }
    void selectionSnapsToCharacters()
    {
        EditWidget w;
        CheckSnap(w.Buffer());
    }

    void deselectKeepsCaret_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("forward") << 1 << 4;
        QTest::newRow("backward") << 4 << 1;
    }
    void deselectKeepsCaret()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        EditWidget w;
        w.Buffer().SetText(QStringLiteral("abcdef\r\ngh"));
        w.Buffer().SetSel(start, end);
        w.Buffer().SetSel(-1, 0);
        int s = 0, e = 0;
        w.Buffer().GetSel(s, e);
        QCOMPARE(s, end);
        QCOMPARE(e, end);
    }

    void typingEnterGivesCrLf()
    {
        EditWidget w;
        w.show();
        QTest::keyClicks(&w, QStringLiteral("ab"));
        QTest::keyClick(&w, Qt::Key_Return);
        QTest::keyClicks(&w, QStringLiteral("c"));
        QCOMPARE(w.Buffer().GetText(), QStringLiteral("ab\r\nc"));
        int s = 0, e = 0;
        w.Buffer().GetSel(s, e);
        QCOMPARE(s, 5);
        QVERIFY(w.Buffer().IsModified());
    }

    // Shift+Enter is Enter: a line end in the text, never U+2028.
    void typingShiftEnterGivesCrLf_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
        QTest::newRow("Shift+Enter on the keypad")
            << int(Qt::Key_Enter) << int(Qt::ShiftModifier | Qt::KeypadModifier);
    }
    void typingShiftEnterGivesCrLf()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        EditWidget w;
        w.show();
        QTest::keyClicks(&w, QStringLiteral("ab"));
        QTest::keyClick(&w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClicks(&w, QStringLiteral("c"));
        QCOMPARE(w.Buffer().GetText(), QStringLiteral("ab\r\nc"));
        QCOMPARE(w.Buffer().GetLineCount(), 2);
    }

    // Keys next to a break that splits a long line act on the editor's
    // characters, from either side of it. "abc|def|gh" with breaks at
    // document positions 3 and 7.
    void keysAtSoftBreaks_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        const int shift = Qt::ShiftModifier;
        const int ctrl = Qt::ControlModifier;
        const QString same = QStringLiteral("abcdefgh");
        for (int p : {3, 4}) {
            const QString side = p == 3 ? QStringLiteral(", before the break")
                                        : QStringLiteral(", after the break");
            auto row = [&](const char* name) { return qPrintable(name + side); };
            QTest::newRow(row("Backspace")) << p << int(Qt::Key_Backspace) << 0 << "abdefgh" << 2 << 2;
            QTest::newRow(row("Delete")) << p << int(Qt::Key_Delete) << 0 << "abcefgh" << 3 << 3;
            QTest::newRow(row("Right")) << p << int(Qt::Key_Right) << 0 << same << 4 << 4;
            QTest::newRow(row("Left")) << p << int(Qt::Key_Left) << 0 << same << 2 << 2;
            QTest::newRow(row("Shift+Right")) << p << int(Qt::Key_Right) << shift << same << 3 << 4;
            QTest::newRow(row("Shift+Left")) << p << int(Qt::Key_Left) << shift << same << 2 << 3;
            QTest::newRow(row("Enter")) << p << int(Qt::Key_Return) << 0 << "abc\r\ndefgh" << 5 << 5;
            QTest::newRow(row("letter")) << p << int(Qt::Key_X) << 0 << "abcxdefgh" << 4 << 4;
        }
        QTest::newRow("Enter inside a continuing block")
            << 5 << int(Qt::Key_Return) << 0 << "abcd\r\nefgh" << 6 << 6;
        QTest::newRow("Ctrl+End") << 0 << int(Qt::Key_End) << ctrl << same << 8 << 8;
        QTest::newRow("Backspace in the last block")
            << 9 << int(Qt::Key_Backspace) << 0 << "abcdefh" << 6 << 6;
    }
    void keysAtSoftBreaks()
    {
        QFETCH(int, position);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        EditWidget w;
        w.show();
        PlainTextEditBuffer& b = w.Buffer();
        b.SetSoftBreakLimit(3);
        const QString text = QStringLiteral("abcdefgh");
        b.SetText(text);
        QCOMPARE(w.blockCount(), 3);
        QTextCursor c = w.textCursor();
        c.setPosition(position);
        w.setTextCursor(c);
        QTest::keyClick(&w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Visible(b.GetText()), Visible(expected));
        QCOMPARE(b.GetLineCount(), int(expected.count(QStringLiteral("\r\n"))) + 1);
        int s = 0, e = 0;
        b.GetSel(s, e);
        QCOMPARE(QPair(s, e), QPair(selStart, selEnd));
        // A block the key made longer than the limit is cut once the key is
        // done; the lines read back whole.
        auto longest = [&w] {
            int n = 0;
            for (QTextBlock block = w.document()->begin(); block.isValid(); block = block.next())
                n = std::max(n, block.length() - 1);
            return n;
        };
        QTRY_VERIFY(longest() <= 3);
        QCOMPARE(b.GetLine(b.GetLineCount() - 1), expected.mid(expected.lastIndexOf(u'\n') + 1));
        if (expected != text) {
            w.undo();
            QCOMPARE(b.GetText(), text);
            QCOMPARE(b.GetLineCount(), 1);
        }
    }

    // The tag pair and the search matches are found and marked the same
    // whether the line is one block or cut into many.
    void marksAcrossSoftBreaks_data()
    {
        QTest::addColumn<int>("softLimit");
        QTest::newRow("one block") << PlainTextEditBuffer::kDefaultSoftBreakLimit;
        QTest::newRow("cut every 5") << 5;
        QTest::newRow("cut every 2") << 2;
    }
    void marksAcrossSoftBreaks()
    {
        QFETCH(int, softLimit);
        EditWidget w;
        w.resize(400, 300);
        w.show();
        PlainTextEditBuffer& b = w.Buffer();
        b.SetSoftBreakLimit(softLimit);
        b.SetText(QStringLiteral("<p><div class=\"a\">x</div> class</p>\r\nclass"));
        EditDisplay display;
        display.searchText = QStringLiteral("CLASS");
        b.SetDisplay(display);
        b.SetSel(5, 5);  // in "<div"
        w.UpdateMarksNow();
        auto texts = [](const QList<QTextEdit::ExtraSelection>& marks) {
            QStringList out;
            for (const QTextEdit::ExtraSelection& m : marks)
                out << m.cursor.selectedText().remove(QChar(edittext::kBlockBreak));
            return out;
        };
        QCOMPARE(texts(w.TagMarks()), (QStringList{"<div class=\"a\">", "</div>"}));
        QCOMPARE(texts(w.SearchMarks()), (QStringList{"class", "class", "class"}));
        QCOMPARE(w.SearchMarks().at(2).cursor.blockNumber(), w.document()->blockCount() - 1);
    }

    // A stand-in character that really is in the text travels as a pair
    // (escape and stand-in); Delete and Backspace take the pair whole, so
    // that what is left neither turns into a line end nor into the escape.
    void deleteKeepsEscapedPairWhole_data()
    {
        const QString cr(QChar(edittext::kLoneCr));
        const QString lf(QChar(edittext::kLoneLf));
        const QString esc(QChar(edittext::kEscape));
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");  // in the document: a pair is two
        QTest::addColumn<bool>("backspace");
        QTest::addColumn<QString>("expected");
        const QString text = u'a' + cr + u'b';
        QTest::newRow("Backspace after the pair") << text << 3 << true << "ab";
        QTest::newRow("Delete before the pair") << text << 1 << false << "ab";
        QTest::newRow("Backspace inside the pair") << text << 2 << true << "ab";
        QTest::newRow("Delete inside the pair") << text << 2 << false << "ab";
        QTest::newRow("Backspace before the pair") << text << 1 << true << QString(cr + u'b');
        QTest::newRow("Delete after the pair") << text << 3 << false << QString(u'a' + cr);
        QTest::newRow("lone CR after an escaped escape")
            << QString(esc + u'\r') << 3 << true << esc;
        QTest::newRow("lone CR and LF brought together")
            << QString(QStringLiteral("x\r") + lf + QStringLiteral("\ny")) << 4 << true
            << "x\r\ny";
    }
    void deleteKeepsEscapedPairWhole()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(bool, backspace);
        QFETCH(QString, expected);
        EditWidget w;
        w.show();
        w.Buffer().SetText(text);
        QTextCursor c = w.textCursor();
        c.setPosition(position);
        w.setTextCursor(c);
        QTest::keyClick(&w, backspace ? Qt::Key_Backspace : Qt::Key_Delete);
        QCOMPARE(w.Buffer().GetText(), expected);
        QTRY_COMPARE(w.blockCount(), int(expected.count(QStringLiteral("\r\n"))) + 1);
        w.undo();
        QCOMPARE(w.Buffer().GetText(), text);
    }

    // The program's own clipboard keeps lone CRs and LFs; text from other
    // programs has all three kinds of line end taken as line ends.
    void clipboard_data()
    {
        QTest::addColumn<QString>("copied");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("own text exact")
            << QStringLiteral("x\ry\nz\r\n") << false << QStringLiteral("x\ry\nz\r\n");
        QTest::newRow("foreign line ends")
            << QStringLiteral("x\ry\nz\r\nw") << true << QStringLiteral("x\r\ny\r\nz\r\nw");
    }
    void clipboard()
    {
        QFETCH(QString, copied);
        QFETCH(bool, foreign);
        QFETCH(QString, pasted);
        EditWidget w;
        if (foreign) {
            QApplication::clipboard()->setText(copied);
        } else {
            w.Buffer().SetText(copied);
            w.Buffer().SetSel(0, -1);
            w.Buffer().Cut();
            QCOMPARE(w.Buffer().GetText(), QString());
            // Other programs see LF line ends.
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("x\ry\nz\n"));
        }
        w.Buffer().Paste();
        QCOMPARE(w.Buffer().GetText(), pasted);
        // The widget's own copy carries the same data.
        w.selectAll();
        w.copy();
        w.clear();
        w.paste();
        QCOMPARE(w.Buffer().GetText(), pasted);
    }

    // A tab of four reaches the fifth column of half-width characters, also
    // in a Japanese font whose average character is full-width.
    void tabAdvancesTabWidthCharacters_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("Latin font") << "DejaVu Sans Mono";
        QTest::newRow("Japanese font") << "Noto Sans Mono CJK JP";
    }
    void tabAdvancesTabWidthCharacters()
    {
        QFETCH(QString, face);
        EditWidget w;
        w.resize(400, 200);
        w.show();
        EditFont font;
        font.face = face;
        font.pointSize = 12;
        w.Buffer().SetEditFont(font);
        // The fonts come with the packages the set-up installs.
        QCOMPARE(QFontInfo(w.font()).family(), face);
        w.Buffer().SetTabWidth(4);
        w.Buffer().SetText(QStringLiteral("\tX"));
        QTextCursor c(w.document());
        const qreal start = w.cursorRect(c).left();
        c.setPosition(1);
        const qreal afterTab = w.cursorRect(c).left();
        const qreal expected = QFontMetricsF(w.font()).horizontalAdvance(u'x') * 4;
        QVERIFY2(qAbs((afterTab - start) - expected) <= 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(afterTab - start).arg(expected)));
    }

    // Tab width, margins and font are the widget's presentation: the text
    // stays unchanged and nothing can be undone.
    void presentationIsNoEdit()
    {
        EditWidget w;
        w.resize(300, 200);
        w.show();
        w.Buffer().SetText(QStringLiteral("abc"));
        w.Buffer().SetModified(false);
        w.Buffer().SetMargins(20);
        w.Buffer().SetTabWidth(4);
        EditFont font;
        font.face = QStringLiteral("Monospace");
        font.pointSize = 14;
        font.weight = 700;
        w.Buffer().SetEditFont(font);
        QVERIFY(!w.Buffer().IsModified());
        QVERIFY(!w.Buffer().CanUndo());
        // Left of the margin, the line numbers.
        QCOMPARE(w.viewport()->geometry().left() - w.contentsRect().left(),
                 20 + w.LineNumberWidth());
        QCOMPARE(w.contentsRect().right() - w.viewport()->geometry().right(), 20);
        QVERIFY(w.font().bold());
        QCOMPARE(w.font().pointSize(), 14);
    }

    void bulkEditNests()
    {
        EditWidget w;
        w.show();
        w.Buffer().BeginBulkEdit();
        w.Buffer().BeginBulkEdit();
        w.Buffer().EndBulkEdit();
        QVERIFY(!w.updatesEnabled());
        w.Buffer().EndBulkEdit();
        QVERIFY(w.updatesEnabled());
        w.Buffer().EndBulkEdit();
        QVERIFY(w.updatesEnabled());
    }
};
KELVO_TEST(TestPlainTextEditBuffer, "PlainTextEditBuffer");
#include "tst_PlainTextEditBuffer.moc"
