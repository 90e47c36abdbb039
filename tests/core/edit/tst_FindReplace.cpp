#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/edit/FindCommands.h"

#include <QTest>

namespace {

const QString kFind = QStringLiteral("Find");
const QString kNotFound = QStringLiteral("見つかりません");
const QString kNoSearchHit = QStringLiteral("検索語が見つかりません");
const QString kQuestion = QStringLiteral("置換しますか？");

struct Sel {
    int start;
    int end;
    friend bool operator==(const Sel&, const Sel&) = default;
};

Sel Selection(TestEditor& t)
{
    Sel s{0, 0};
    t.Buffer().GetSel(s.start, s.end);
    return s;
}

char* toString(const Sel& s)
{
    return qstrdup(QByteArray::number(s.start) + "-" + QByteArray::number(s.end));
}

void SetSearch(TestEditor& t, const QString& what, bool matchCase = false)
{
    t.View().SetSearchText(what);
    t.View().SetMatchCase(matchCase);
}

QStringList History(TestEditor& t, const QString& prefix)
{
    return FindCommands::LoadHistory(t.App(), prefix);
}

} // namespace

class TestFindReplace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findNextWalksForwardWithoutWrapping()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abcabc"), 0);
        t.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("abc"));
        QVERIFY(t.Run(cmd::EditFind));
        QCOMPARE(Selection(t), (Sel{0, 3}));
        QVERIFY(t.Run(cmd::EditRepeat));
        QCOMPARE(Selection(t), (Sel{3, 6}));
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
        QVERIFY(t.Run(cmd::EditRepeat));
        QCOMPARE(Selection(t), (Sel{3, 6}));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
    }

    void findDialogWithoutHit()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 1);
        t.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("zzz"));
        QVERIFY(t.Run(cmd::EditFind));
        QCOMPARE(Selection(t), (Sel{1, 1}));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
    }

    void matchCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("hit");
        QTest::newRow("case ignored") << "xx abc" << "ABC" << false << 3;
        QTest::newRow("case matched") << "xx abc" << "ABC" << true << -1;
        QTest::newRow("exact case") << "xx ABC" << "ABC" << true << 3;
        QTest::newRow("full-width letters") << "ｘＡＢＣ" << "ａｂｃ" << false << 1;
        QTest::newRow("kana has no case") << "あいう" << "いう" << false << 1;
        QTest::newRow("hit across a line end") << "ab\r\ncd" << "b\r\nc" << false << 1;
    }
    void matchCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, matchCase);
        QFETCH(int, hit);
        TestEditor t;
        t.SetText(text, 0);
        t.Ui().QueueField(QStringLiteral("検索語"), search);
        t.Ui().QueueField(QStringLiteral("大文字と小文字の区別をする"), matchCase ? QStringLiteral("1") : QStringLiteral("0"));
        QVERIFY(t.Run(cmd::EditFind));
        QCOMPARE(t.View().MatchCase(), matchCase);
        QCOMPARE(t.Settings().ReadInt(kFind, QStringLiteral("StrUL"), -1), matchCase ? 1 : 0);
        if (hit < 0) {
            QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
            QCOMPARE(Selection(t), (Sel{0, 0}));
        } else {
            QCOMPARE(Selection(t), (Sel{hit, hit + int(search.size())}));
        }
    }

    void findPrevious_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("hits");  // start of each hit, -1 for the message
        QTest::newRow("abcabc") << "abcabc" << QList<int>{3, -1};
        QTest::newRow("abc-abc") << "abc-abc" << QList<int>{4, 0, -1};
    }
    void findPrevious()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, hits);
        TestEditor t;
        t.SetText(text, int(text.size()));
        SetSearch(t, QStringLiteral("abc"));
        Sel last = Selection(t);
        for (int hit : hits) {
            t.Ui().ClearRecords();
            QVERIFY(t.Run(cmd::FindPrevious));
            if (hit < 0) {
                QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
                QCOMPARE(Selection(t), last);
            } else {
                QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
                last = Sel{hit, hit + 3};
                QCOMPARE(Selection(t), last);
            }
        }
    }

    // A selection at the very start leaves nothing before it to search.
    void findPreviousFromSelectionAtStart()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abcabc"), 0, 3);
        SetSearch(t, QStringLiteral("abc"));
        QVERIFY(t.Run(cmd::FindPrevious));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
        QCOMPARE(Selection(t), (Sel{0, 3}));
    }

    void findNextNeedsASearchText()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditRepeat));
        QVERIFY(!t.Run(cmd::EditRepeat));
        SetSearch(t, QStringLiteral("b"));
        QVERIFY(t.App().Commands().IsEnabled(cmd::EditRepeat));
        // Find previous is always offered; with nothing to look for it
        // finds nothing.
        SetSearch(t, QString());
        QVERIFY(t.Run(cmd::FindPrevious));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNotFound});
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("newCaret");
        QTest::newRow("aXa") << "aXa" << 0 << "a" << "bb" << false << "bbXbb" << 2 << 2;
        // The caret starts from the hit the loop selected (2) and moves by both
        // replacements, though only one was before it.
        QTest::newRow("covers text before the caret") << "aXa" << 1 << "a" << "bb" << false << "bbXbb" << 2 << 4;
        QTest::newRow("case ignored") << "aXA" << 0 << "a" << "-" << false << "-X-" << 2 << 0;
        QTest::newRow("case matched") << "aXA" << 0 << "a" << "-" << true << "-XA" << 1 << 0;
        QTest::newRow("removing everything keeps the caret inside")
            << "aaaa" << 0 << "a" << "" << false << "" << 4 << 0;
        QTest::newRow("replacement holds the search text")
            << "aa" << 0 << "a" << "aa" << false << "aaaa" << 2 << 2;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(bool, matchCase);
        QFETCH(QString, result);
        QFETCH(int, count);
        QFETCH(int, newCaret);
        TestEditor t;
        t.SetText(text, caret);
        t.Ui().QueueField(QStringLiteral("検索語"), search);
        t.Ui().QueueField(QStringLiteral("置換語"), replacement);
        t.Ui().QueueField(QStringLiteral("大文字と小文字の区別をする"), matchCase ? QStringLiteral("1") : QStringLiteral("0"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueAnswer(Ui::Answer::All);
        QVERIFY(t.Run(cmd::EditReplace));
        QCOMPARE(t.Text(), result);
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")), QStringList{kQuestion});
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{QStringLiteral("%1個 置換しました").arg(count)});
        QCOMPARE(Selection(t), (Sel{newCaret, newCaret}));
        QVERIFY(t.Buffer().IsModified());
        // One undo brings the whole text back.
        QVERIFY(t.Run(cmd::EditUndo));
        QCOMPARE(t.Text(), text);
    }

    // The loop asks at every hit: yes replaces, no skips, and the search
    // goes on after the hit; running out of hits ends it silently.
    void replaceLoop_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("messages");
        const QList<int> yes{int(Ui::Answer::Yes)};
        const int y = int(Ui::Answer::Yes), n = int(Ui::Answer::No), c = int(Ui::Answer::Cancel),
                  a = int(Ui::Answer::All);
        QTest::newRow("yes no yes") << QList<int>{y, n, y} << "XabcX" << 3 << QStringList();
        QTest::newRow("all after a no") << QList<int>{n, a} << "XXX" << 2
                                        << QStringList{QStringLiteral("3個 置換しました")};
        QTest::newRow("cancel at once") << QList<int>{c} << "abcabcabc" << 1 << QStringList();
        QTest::newRow("no answer closes the box") << QList<int>{} << "abcabcabc" << 1 << QStringList();
        QTest::newRow("yes then cancel") << QList<int>{y, c} << "Xabcabc" << 2 << QStringList();
    }
    void replaceLoop()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, result);
        QFETCH(int, questions);
        QFETCH(QStringList, messages);
        TestEditor t;
        t.SetText(QStringLiteral("abcabcabc"), 0);
        t.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("abc"));
        t.Ui().QueueField(QStringLiteral("置換語"), QStringLiteral("X"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        for (int a : answers)
            t.Ui().QueueAnswer(Ui::Answer(a));
        QVERIFY(t.Run(cmd::EditReplace));
        QCOMPARE(t.Text(), result);
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")).size(), questions);
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), messages);
    }

    void replaceQuestionSitsOnTopOfTheWindow()
    {
        // A Ui that keeps the question it was asked.
        class Recorder : public ScriptedUi {
        public:
            Question last;
            Answer Ask(const Question& q) override
            {
                last = q;
                return ScriptedUi::Ask(q);
            }
        };
        TestEditor files;
        Recorder ui;
        HeadlessEditor editor(files.Settings(), ui);
        editor.Buffer().SetText(QStringLiteral("abc"));
        ui.QueueField(QStringLiteral("検索語"), QStringLiteral("b"));
        QVERIFY(editor.Run(cmd::EditReplace));
        QCOMPARE(ui.last.text, kQuestion);
        QCOMPARE(ui.last.placement, Ui::Placement::TopOfMainWindow);
        QStringList captions;
        for (const Ui::Button& b : ui.last.buttons)
            captions.append(b.caption);
        QCOMPARE(captions, QStringList({"はい", "いいえ", "全て", "キャンセル"}));
        QCOMPARE(ui.last.buttons[2].answer, Ui::Answer::All);
        QCOMPARE(ui.last.escape, Ui::Answer::Cancel);
    }

    void replaceWithoutHit_data()
    {
        QTest::addColumn<QString>("search");
        QTest::newRow("no hit") << "zzz";
        QTest::newRow("empty search text") << "";
    }
    void replaceWithoutHit()
    {
        QFETCH(QString, search);
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 0);
        t.Ui().QueueField(QStringLiteral("検索語"), search);
        t.Ui().QueueField(QStringLiteral("置換語"), QStringLiteral("X"));
        QVERIFY(t.Run(cmd::EditReplace));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kNoSearchHit});
        QVERIFY(t.Ui().Texts(QStringLiteral("question")).isEmpty());
        QCOMPARE(t.Text(), QStringLiteral("abc"));
    }

    void replaceCancelledDialogChangesNothing()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 0);
        t.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("b"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::EditReplace));
        QVERIFY(t.View().SearchText().isEmpty());
        QVERIFY(History(t, QStringLiteral("str")).isEmpty());
        QVERIFY(t.Ui().Texts(QStringLiteral("question")).isEmpty());
    }

    void historyKeepsTheLastTextFirst()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc def"));
        for (const char* s : {"abc", "def", "abc"}) {
            t.Ui().QueueField(QStringLiteral("検索語"), QString::fromLatin1(s));
            QVERIFY(t.Run(cmd::EditFind));
        }
        QCOMPARE(History(t, QStringLiteral("str")), QStringList({"abc", "def"}));
        // The dialog opens with the last search text and the list.
        const FormModel form = FindCommands(t.View()).FindForm();
        const FormField* field = form.Find(QStringLiteral("検索語"));
        QVERIFY(field);
        QCOMPARE(field->kind, FieldKind::Combo);
        QCOMPARE(field->text, QStringLiteral("abc"));
        QCOMPARE(field->choices, QStringList({"abc", "def"}));
    }

    void historyHoldsTenEntries()
    {
        TestEditor t;
        QStringList shown;
        for (int i = 0; i < 12; ++i) {
            FindCommands::SaveHistory(t.App(), QStringLiteral("str"), shown, QString::number(i));
            shown = History(t, QStringLiteral("str"));
        }
        QCOMPARE(shown, QStringList({"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}));
        // An empty text leaves the list alone.
        FindCommands::SaveHistory(t.App(), QStringLiteral("str"), shown, QString());
        QCOMPARE(History(t, QStringLiteral("str")), shown);
    }

    void historyEndsAtTheFirstGap()
    {
        TestEditor t;
        t.Settings().WriteString(kFind, QStringLiteral("str00"), QStringLiteral("a"));
        t.Settings().WriteString(kFind, QStringLiteral("str02"), QStringLiteral("c"));
        QCOMPARE(History(t, QStringLiteral("str")), QStringList{"a"});
        // Saving writes the list without the gap, so the stale entry
        // behind it does not come back.
        FindCommands::SaveHistory(t.App(), QStringLiteral("str"), History(t, QStringLiteral("str")),
                                  QStringLiteral("b"));
        QCOMPARE(History(t, QStringLiteral("str")), QStringList({"b", "a"}));
        QVERIFY(!t.Settings().HasKey(kFind, QStringLiteral("str02")));
    }

    void replaceHistoriesAreSeparate()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 0);
        t.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("b"));
        t.Ui().QueueField(QStringLiteral("置換語"), QStringLiteral("B"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::EditReplace));
        QCOMPARE(History(t, QStringLiteral("str")), QStringList{"b"});
        QCOMPARE(History(t, QStringLiteral("replace")), QStringList{"B"});
        // An empty replacement is a valid one but is not remembered.
        t.Buffer().SetSel(0, 0);
        t.Ui().QueueField(QStringLiteral("置換語"), QString());
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueAnswer(Ui::Answer::All);
        QVERIFY(t.Run(cmd::EditReplace));
        QCOMPARE(t.Text(), QStringLiteral("ac"));
        QCOMPARE(History(t, QStringLiteral("replace")), QStringList{"B"});
        const FormModel form = FindCommands(t.View()).ReplaceForm();
        QCOMPARE(form.Find(QStringLiteral("置換語"))->text, QStringLiteral("B"));
        QCOMPARE(form.Find(QStringLiteral("置換語"))->kind, FieldKind::Combo);
    }

    void goToLine_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("message");
        // The caret starts in the middle of the second line.
        QTest::newRow("first line") << "1" << 0 << "";
        QTest::newRow("last line") << "3" << 10 << "";
        QTest::newRow("zero is the caret's own line") << "0" << 5 << "";
        QTest::newRow("beyond the last line") << "4" << 6 << "行番号がありません";
        QTest::newRow("far beyond") << "2147483647" << 6 << "行番号がありません";
        QTest::newRow("negative") << "-1" << 6 << "正の整数を入力してください。";
        QTest::newRow("not a number") << "abc" << 6 << "正の整数を入力してください。";
    }
    void goToLine()
    {
        QFETCH(QString, number);
        QFETCH(int, caret);
        QFETCH(QString, message);
        TestEditor t;
        t.SetText(QStringLiteral("one\r\ntwo\r\nthree"), 6);
        t.Ui().QueueField(QStringLiteral("移動する行番号"), number);
        QVERIFY(t.Run(cmd::GoToLine));
        QCOMPARE(Selection(t), (Sel{caret, caret}));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 message.isEmpty() ? QStringList() : QStringList{message});
    }

    void goToLineForm()
    {
        TestEditor t;
        t.SetText(QStringLiteral("one\r\ntwo\r\nthree"), 12);
        const FormModel form = FindCommands(t.View()).GoToLineForm();
        QCOMPARE(form.title, QStringLiteral("指定行へ移動"));
        const FormField* field = form.Find(QStringLiteral("移動する行番号"));
        QVERIFY(field);
        QCOMPARE(field->kind, FieldKind::Number);
        QCOMPARE(field->suffix, QStringLiteral("行"));
        QCOMPARE(field->text, QStringLiteral("3"));
    }
};
KELVO_TEST(TestFindReplace, "FindReplace");
#include "tst_FindReplace.moc"
