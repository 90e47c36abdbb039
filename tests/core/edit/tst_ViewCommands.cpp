#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"

#include <QTest>

namespace {

const QString kSystem = QStringLiteral("System");
const QString kFont = QStringLiteral("Font");

} // namespace

class TestViewCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void creationReadsSettings()
    {
        TestEditor t;
        t.Settings().WriteString(kFont, QStringLiteral("FaceName"), QStringLiteral("DejaVu Sans Mono"));
        t.Settings().WriteInt(kFont, QStringLiteral("Point"), 14);
        t.Settings().WriteInt(kFont, QStringLiteral("Weight"), 700);
        t.Settings().WriteInt(kFont, QStringLiteral("Italic"), 1);
        t.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("EditMergin"), 7);
        t.Settings().WriteInt(kSystem, QStringLiteral("Wrap"), 0);
        t.Settings().WriteInt(kSystem, QStringLiteral("TagEdit"), 0);
        t.Settings().WriteString(QStringLiteral("View"), QStringLiteral("TextColor"), QStringLiteral("255"));
        const EditFont& font = t.Buffer().Font();
        QCOMPARE(font.face, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(font.pointSize, 14);
        QCOMPARE(font.weight, 700);
        QVERIFY(font.italic);
        QVERIFY(!font.underline);
        QCOMPARE(t.Buffer().Margins(), 7);
        QVERIFY(!t.View().WordWrap());
        QVERIFY(!t.View().TagEditing());
        QCOMPARE(t.View().TextColor(), 255u);
        QCOMPARE(t.View().BackColor(), 0xFFFFFFu);
    }

    void creationDefaults()
    {
        TestEditor t;
        QCOMPARE(t.Buffer().Font().face, QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(t.Buffer().Font().pointSize, 10);
        QCOMPARE(t.Buffer().Font().weight, 400);
        QCOMPARE(t.Buffer().Margins(), 5);
        QVERIFY(t.View().WordWrap());
        QVERIFY(t.View().TagEditing());
    }

    // Values no font or colour can have fall back to the defaults.
    void creationRepairsBadSettings_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("color");
        QTest::newRow("zero size") << "0" << "abc";
        QTest::newRow("negative size") << "-4" << "-1";
        QTest::newRow("huge size") << "100000" << "99999999999";
    }
    void creationRepairsBadSettings()
    {
        QFETCH(QString, point);
        QFETCH(QString, color);
        TestEditor t;
        t.Settings().WriteString(kFont, QStringLiteral("Point"), point);
        t.Settings().WriteString(QStringLiteral("View"), QStringLiteral("BackColor"), color);
        QCOMPARE(t.Buffer().Font().pointSize, 10);
        QCOMPARE(t.View().BackColor(), 0xFFFFFFu);
    }

    void windowTitle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("extension dropped") << "index.html" << "index - Kelvopad";
        QTest::newRow("no dot used whole") << "README" << "README - Kelvopad";
        QTest::newRow("last dot only") << "site.tar.gz" << "site.tar - Kelvopad";
    }
    void windowTitle()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile(file, "x")));
        QCOMPARE(t.Ui().WindowTitle(), title);
    }

    void tabStopsFollowSettingsAtEveryDocument()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("TabNo"), 4);
        QVERIFY(t.App().NewDocument());
        QCOMPARE(t.Buffer().TabWidth(), 4);
        t.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("TabNo"), 0);
        QVERIFY(t.App().NewDocument());
        QCOMPARE(t.Buffer().TabWidth(), 8);
    }

    void tagEditingIsWrittenAtDestruction()
    {
        TestEditor t;
        {
            HeadlessEditor editor(t.Settings(), t.Ui());
            QVERIFY(editor.View().TagEditing());
            QVERIFY(editor.Run(cmd::TagEditing));
            QVERIFY(!editor.View().TagEditing());
            // Not written before the view goes.
            QVERIFY(!t.Settings().HasKey(kSystem, QStringLiteral("TagEdit")));
        }
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("TagEdit"), -1), 0);
        {
            HeadlessEditor editor(t.Settings(), t.Ui());
            QVERIFY(!editor.View().TagEditing());
            QVERIFY(editor.Run(cmd::TagEditing));
        }
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("TagEdit"), -1), 1);
    }

    // The window wraps or stops wrapping at once, with nothing to read.
    void wordWrapToggles()
    {
        TestEditor t;
        QVERIFY(t.Run(cmd::WordWrap));
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("Wrap"), -1), 0);
        QVERIFY(!t.View().WordWrap());
        QVERIFY(!t.Buffer().WordWrap());
        QVERIFY(t.Run(cmd::WordWrap));
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("Wrap"), -1), 1);
        QVERIFY(t.Buffer().WordWrap());
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList());
        // A value other than 0 and 1 counts as on.
        t.Settings().WriteInt(kSystem, QStringLiteral("Wrap"), 5);
        QVERIFY(t.Run(cmd::WordWrap));
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("Wrap"), -1), 0);
        QVERIFY(!t.Buffer().WordWrap());
    }

    void deselectKeepsTheCaret()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abcdef"), 2, 5);
        QVERIFY(t.Run(cmd::Deselect));
        int s = 0, e = 0;
        t.Buffer().GetSel(s, e);
        QCOMPARE(s, e);
        QVERIFY(s == 2 || s == 5);
        QCOMPARE(t.Text(), QStringLiteral("abcdef"));
    }

    void preview_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("autoSave");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("saves");
        QTest::newRow("silent save") << true << 0 << int(Ui::Answer::No) << false << true;
        QTest::newRow("unmodified, nothing to save") << false << 0 << int(Ui::Answer::No) << false << false;
        QTest::newRow("ask, yes") << true << 1 << int(Ui::Answer::Yes) << true << true;
        QTest::newRow("ask, no") << true << 1 << int(Ui::Answer::No) << true << false;
        QTest::newRow("unmodified still asks, yes saves nothing")
            << false << 1 << int(Ui::Answer::Yes) << true << false;
    }
    void preview()
    {
        QFETCH(bool, modified);
        QFETCH(int, autoSave);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(bool, saves);
        TestEditor t;
        const QString path = t.MakeFile(QStringLiteral("page.htm"), "OLD\r\n");
        QVERIFY(t.App().OpenDocumentFile(path));
        t.Settings().WriteInt(kSystem, QStringLiteral("AutoSave"), autoSave);
        // The buffer differs from the file either way, so a save shows.
        t.Buffer().SetText(QStringLiteral("NEW\r\n"));
        t.Buffer().SetModified(modified);
        t.Ui().QueueAnswer(Ui::Answer(answer));
        QVERIFY(t.Run(cmd::Preview));
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")).size(), asks ? 1 : 0);
        if (asks)
            QCOMPARE(t.Ui().Texts(QStringLiteral("question")).first(), QStringLiteral("ファイルを保存しますか？"));
        QCOMPARE(ReadBytes(path), saves ? QByteArray("NEW\r\n") : QByteArray("OLD\r\n"));
        QCOMPARE(t.Ui().Texts(QStringLiteral("open")), QStringList{t.Doc().GetPathName()});
    }

    void previewWithoutPath()
    {
        TestEditor t;
        QVERIFY(t.App().NewDocument());
        QVERIFY(t.Run(cmd::Preview));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{QStringLiteral("ファイルを保存してください")});
        QVERIFY(t.Ui().Texts(QStringLiteral("open")).isEmpty());
    }

    void fontFormShape()
    {
        TestEditor t;
        t.Settings().WriteInt(kFont, QStringLiteral("Weight"), 600);
        t.Settings().WriteString(kFont, QStringLiteral("FaceName"), QStringLiteral("DejaVu Sans"));
        t.Settings().WriteInt(kFont, QStringLiteral("Point"), 13);
        const FormModel form = t.View().FontForm();
        QCOMPARE(form.title, QStringLiteral("フォントの設定"));
        const FormField* faces = form.Find(QStringLiteral("フォント"));
        QVERIFY(faces);
        QCOMPARE(faces->kind, FieldKind::List);
        QCOMPARE(faces->choices, t.Ui().FontFamilies());
        QCOMPARE(faces->index, 0);
        const FormField* sizes = form.Find(QStringLiteral("サイズ"));
        QVERIFY(sizes);
        QCOMPARE(sizes->choices, QStringList({"8", "9", "10", "11", "12", "14", "16", "20", "24", "28", "36"}));
        // 13 is not offered: nothing selected, but the size field has it.
        QCOMPARE(sizes->index, -1);
        QCOMPARE(form.Find(QStringLiteral("Point"))->text, QStringLiteral("13"));
        QVERIFY(form.Find(QStringLiteral("太字"))->checked);
        QVERIFY(form.Find(QStringLiteral("斜体")));
        QVERIFY(form.Find(QStringLiteral("取消線")));
        QVERIFY(form.Find(QStringLiteral("下線")));
    }

    void fontCommandAppliesAndSaves()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("TabNo"), 3);
        t.Ui().QueueField(QStringLiteral("フォント"), QStringLiteral("Noto Sans CJK JP"));
        t.Ui().QueueField(QStringLiteral("サイズ"), QStringLiteral("14"));
        t.Ui().QueueField(QStringLiteral("太字"), QStringLiteral("1"));
        t.Ui().QueueField(QStringLiteral("下線"), QStringLiteral("1"));
        t.Ui().QueueField(QStringLiteral("取消線"), QStringLiteral("1"));
        QVERIFY(t.Run(cmd::FontSettings));
        const FormModel* shown = t.Ui().LastForm();
        QVERIFY(shown);
        // Choosing in a list copied the choice into its edit field.
        QCOMPARE(shown->Find(QStringLiteral("FaceName"))->text, QStringLiteral("Noto Sans CJK JP"));
        QCOMPARE(shown->Find(QStringLiteral("Point"))->text, QStringLiteral("14"));

        const EditFont& font = t.Buffer().Font();
        QCOMPARE(font.face, QStringLiteral("Noto Sans CJK JP"));
        QCOMPARE(font.pointSize, 14);
        QCOMPARE(font.weight, 700);
        QVERIFY(font.underline);
        QVERIFY(!font.italic);
        QCOMPARE(t.Settings().ReadString(kFont, QStringLiteral("FaceName"), QString()),
                 QStringLiteral("Noto Sans CJK JP"));
        QCOMPARE(t.Settings().ReadInt(kFont, QStringLiteral("Point"), 0), 14);
        QCOMPARE(t.Settings().ReadInt(kFont, QStringLiteral("Weight"), 0), 700);
        QCOMPARE(t.Settings().ReadInt(kFont, QStringLiteral("Italic"), -1), 0);
        QCOMPARE(t.Settings().ReadInt(kFont, QStringLiteral("Underline"), -1), 1);
        QCOMPARE(t.Buffer().TabWidth(), 3);
    }

    void fontCommandTypedFace()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("FaceName"), QStringLiteral("IPAGothic"));
        t.Ui().QueueField(QStringLiteral("Point"), QStringLiteral("13"));
        QVERIFY(t.Run(cmd::FontSettings));
        QCOMPARE(t.Buffer().Font().face, QStringLiteral("IPAGothic"));
        QCOMPARE(t.Settings().ReadInt(kFont, QStringLiteral("Point"), 0), 13);
    }

    // An invalid size keeps the dialog open with a message; giving up
    // writes nothing, so no size of 0 is ever stored.
    void fontCommandRefusesBadSize_data()
    {
        QTest::addColumn<QString>("size");
        QTest::newRow("text") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-2";
        QTest::newRow("too large") << "1000";
    }
    void fontCommandRefusesBadSize()
    {
        QFETCH(QString, size);
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("Point"), size);
        QVERIFY(t.Run(cmd::FontSettings));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("サイズには1から999までの整数を入力してください。")});
        QVERIFY(!t.Settings().HasKey(kFont, QStringLiteral("Point")));
        QCOMPARE(t.Buffer().Font().pointSize, 10);
    }

    void fontCommandCancelled()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("Point"), QStringLiteral("20"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::FontSettings));
        QVERIFY(!t.Settings().HasKey(kFont, QStringLiteral("Point")));
        QCOMPARE(t.Buffer().Font().pointSize, 10);
    }

    void editCommands()
    {
        TestEditor t;
        t.SetText(QStringLiteral("hello world"), 0, 0);
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditCut));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditCopy));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditClear));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditUndo));

        t.Buffer().SetSel(0, 6);
        QVERIFY(t.Run(cmd::EditCut));
        QCOMPARE(t.Text(), QStringLiteral("world"));
        QVERIFY(t.Run(cmd::EditUndo));
        QCOMPARE(t.Text(), QStringLiteral("hello world"));

        t.Buffer().SetSel(6, 11);
        QVERIFY(t.Run(cmd::EditCopy));
        t.Buffer().SetSel(0, 0);
        QVERIFY(t.Run(cmd::EditPaste));
        QCOMPARE(t.Text(), QStringLiteral("worldhello world"));

        QVERIFY(t.Run(cmd::EditSelectAll));
        QCOMPARE(t.Selection(), t.Text());
        QVERIFY(t.Run(cmd::EditClear));
        QCOMPARE(t.Text(), QString());
    }
};
KELVO_TEST(TestViewCommands, "ViewCommands");
#include "tst_ViewCommands.moc"
