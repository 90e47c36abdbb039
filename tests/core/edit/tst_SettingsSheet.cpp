#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/edit/CFontNameDlg.h"
#include "core/edit/CSetPage.h"
#include "core/edit/SettingsSheet.h"
#include "core/ftp/CFtpSetForm.h"

#include <QTest>

namespace {

const QString kSystem = QStringLiteral("System");
const QString kView = QStringLiteral("View");

} // namespace

class TestSettingsSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheetIsFilledFromSettingsAndView()
    {
        TestEditor t;
        t.Settings().WriteInt(kView, QStringLiteral("TabNo"), 6);
        t.Settings().WriteInt(kView, QStringLiteral("EditMergin"), 9);
        t.Settings().WriteInt(kSystem, QStringLiteral("AutoSave"), 1);
        t.Settings().WriteInt(kSystem, QStringLiteral("IniMode"), 1);
        t.Settings().WriteInt(kSystem, QStringLiteral("TagSelectContinue"), 1);
        t.Settings().WriteString(kSystem, QStringLiteral("InitDir"), QStringLiteral("/srv/www"));
        t.Settings().WriteInt(kSystem, QStringLiteral("TagLower"), 1);
        CFtpPage ftpPage(t.Ui(), t.Settings());
        const FormModel sheet = SettingsSheetForm(t.View(), ftpPage);
        QCOMPARE(sheet.title, QStringLiteral("各種設定"));
        QCOMPARE(sheet.Pages(), (QStringList{QStringLiteral("動作"), QStringLiteral("FTP")}));
        QCOMPARE(sheet.Find(QStringLiteral("タブ数"))->text, QStringLiteral("6"));
        QCOMPARE(sheet.Find(QStringLiteral("マージン"))->text, QStringLiteral("9"));
        QVERIFY(sheet.Find(QStringLiteral("プレビュー時、保存を確認する"))->checked);
        const FormField* startup = sheet.Find(QStringLiteral("起動時のファイル"));
        QCOMPARE(startup->kind, FieldKind::Choice);
        QCOMPARE(startup->choices, QStringList({"ファイル新規作成", "前回開いたファイル"}));
        QCOMPARE(startup->index, 1);
        QVERIFY(sheet.Find(QStringLiteral("タグの小文字化"))->checked);
        QVERIFY(sheet.Find(QStringLiteral("タグ挿入後、選択解除しない"))->checked);
        QCOMPARE(sheet.Find(QStringLiteral("初期フォルダ"))->text, QStringLiteral("/srv/www"));
        QVERIFY(!sheet.Find(QStringLiteral("文字色"))->visible);
        QVERIFY(!sheet.Find(QStringLiteral("背景色"))->visible);
    }

    void applyingWritesEverything()
    {
        TestEditor t;
        t.Settings().WriteString(kView, QStringLiteral("TextColor"), QStringLiteral("255"));
        t.Ui().QueueField(QStringLiteral("タブ数"), QStringLiteral("4"));
        t.Ui().QueueField(QStringLiteral("マージン"), QStringLiteral("0"));
        t.Ui().QueueField(QStringLiteral("プレビュー時、保存を確認する"), QStringLiteral("1"));
        t.Ui().QueueField(QStringLiteral("起動時のファイル"), QStringLiteral("前回開いたファイル"));
        t.Ui().QueueField(QStringLiteral("タグの小文字化"), QStringLiteral("1"));
        t.Ui().QueueField(QStringLiteral("タグ挿入後、選択解除しない"), QStringLiteral("1"));
        t.Ui().QueueField(QStringLiteral("初期フォルダ"), QStringLiteral("/home/me/www"));
        QVERIFY(t.Run(cmd::GeneralSettings));
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
        // Tab width and margin change at once, without reopening the file.
        QCOMPARE(t.Buffer().TabWidth(), 4);
        QCOMPARE(t.Buffer().Margins(), 0);
        QCOMPARE(t.View().Margin(), 0);
        QVERIFY(t.App().TagLower());
        QCOMPARE(t.Settings().ReadInt(kView, QStringLiteral("TabNo"), -1), 4);
        QCOMPARE(t.Settings().ReadInt(kView, QStringLiteral("EditMergin"), -1), 0);
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("AutoSave"), -1), 1);
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("IniMode"), -1), 1);
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("TagLower"), -1), 1);
        QCOMPARE(t.Settings().ReadInt(kSystem, QStringLiteral("TagSelectContinue"), -1), 1);
        QCOMPARE(t.Settings().ReadString(kSystem, QStringLiteral("InitDir"), QString()),
                 QStringLiteral("/home/me/www"));
        // The hidden colours keep their values, as decimal colour references.
        QCOMPARE(t.Settings().ReadString(kView, QStringLiteral("TextColor"), QString()), QStringLiteral("255"));
        QCOMPARE(t.Settings().ReadString(kView, QStringLiteral("BackColor"), QString()),
                 QStringLiteral("16777215"));
    }

    void colorsSetByScript()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("文字色"), QStringLiteral("FF0000"));
        t.Ui().QueueField(QStringLiteral("背景色"), QStringLiteral("not a colour"));
        QVERIFY(t.Run(cmd::GeneralSettings));
        QCOMPARE(t.View().TextColor(), 0x0000FFu);
        QCOMPARE(t.Settings().ReadString(kView, QStringLiteral("TextColor"), QString()), QStringLiteral("255"));
        QCOMPARE(t.View().BackColor(), 0xFFFFFFu);
    }

    void lastFileChoiceTakesEffectAtNextStart()
    {
        TestEditor t;
        const QString page = t.MakeFile(QStringLiteral("page.htm"), "PAGE\r\n");
        {
            HeadlessEditor editor(t.Settings(), t.Ui());
            QVERIFY(editor.App().OpenDocumentFile(page));
            t.Ui().QueueField(QStringLiteral("起動時のファイル"), QStringLiteral("前回開いたファイル"));
            QVERIFY(editor.Run(cmd::GeneralSettings));
        }
        HeadlessEditor next(t.Settings(), t.Ui());
        QVERIFY(next.App().InitInstance(StartupOptions{800, 600, QString()}));
        QCOMPARE(next.Doc().GetPathName(), page);
        QCOMPARE(next.Buffer().GetText(), QStringLiteral("PAGE\r\n"));
    }

    // Invalid numbers keep the sheet open with the message; giving up
    // changes nothing.
    void invalidNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("tab text") << "タブ数" << "abc";
        QTest::newRow("tab zero") << "タブ数" << "0";
        QTest::newRow("tab negative") << "タブ数" << "-3";
        QTest::newRow("tab empty") << "タブ数" << "";
        QTest::newRow("margin negative") << "マージン" << "-1";
        QTest::newRow("margin fraction") << "マージン" << "2.5";
        QTest::newRow("margin overflow") << "マージン" << "99999999999";
    }
    void invalidNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        TestEditor t;
        t.Ui().QueueField(field, value);
        t.Ui().QueueField(QStringLiteral("プレビュー時、保存を確認する"), QStringLiteral("1"));
        QVERIFY(t.Run(cmd::GeneralSettings));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("正の整数を入力してください。")});
        QVERIFY(!t.Settings().HasKey(kView, QStringLiteral("TabNo")));
        QVERIFY(!t.Settings().HasKey(kSystem, QStringLiteral("AutoSave")));
        QCOMPARE(t.Buffer().TabWidth(), 8);
    }

    void invalidNumberThenCorrected()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("タブ数"), QStringLiteral("x"));
        // The first OK is refused; the user cancels the second time round.
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::GeneralSettings));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")).size(), 1);
        QVERIFY(!t.Settings().HasKey(kView, QStringLiteral("TabNo")));
    }

    void folderButton_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("folder chosen") << true;
        QTest::newRow("chooser cancelled") << false;
    }
    void folderButton()
    {
        QFETCH(bool, chosen);
        TestEditor t;
        t.Settings().WriteString(kSystem, QStringLiteral("InitDir"), QStringLiteral("/old"));
        if (chosen)
            t.Ui().QueueInput(QStringLiteral("/new/folder"));
        t.Ui().QueueField(QStringLiteral("InitDirBrowse"), QString());
        QVERIFY(t.Run(cmd::GeneralSettings));
        // The chooser starts at the field's folder.
        QCOMPARE(t.Ui().Texts(QStringLiteral("folder")), QStringList{QStringLiteral("/old")});
        QCOMPARE(t.Settings().ReadString(kSystem, QStringLiteral("InitDir"), QString()),
                 chosen ? QStringLiteral("/new/folder") : QStringLiteral("/old"));
    }

    void cancelChangesNothing()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("タブ数"), QStringLiteral("2"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::GeneralSettings));
        QVERIFY(!t.Settings().HasKey(kView, QStringLiteral("TabNo")));
        QCOMPARE(t.Buffer().TabWidth(), 8);
    }

    void colorConversion_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<qlonglong>("colorRef");  // -1: invalid
        QTest::newRow("red") << "FF0000" << 0x0000FFLL;
        QTest::newRow("blue") << "0000ff" << 0xFF0000LL;
        QTest::newRow("mixed") << "123456" << 0x563412LL;
        QTest::newRow("with hash") << "#00FF00" << 0x00FF00LL;
        QTest::newRow("too short") << "FFF" << -1LL;
        QTest::newRow("sign") << "-FFFFF" << -1LL;
        QTest::newRow("not hex") << "GGGGGG" << -1LL;
        QTest::newRow("full-width digits") << "１２３４５６" << -1LL;
    }
    void colorConversion()
    {
        QFETCH(QString, hex);
        QFETCH(qlonglong, colorRef);
        const std::optional<CKelvoView::ColorRef> c = CSetPage::HexToColorRef(hex);
        if (colorRef < 0) {
            QVERIFY(!c);
            return;
        }
        QVERIFY(c);
        QCOMPARE(qlonglong(*c), colorRef);
        QCOMPARE(CSetPage::ColorRefToHex(*c), hex.remove(u'#').toUpper());
    }

    void fontNameChooserList()
    {
        TestEditor t;
        const FormModel form = CFontNameDlg(t.App()).Form(QString());
        QCOMPARE(form.title, QStringLiteral("フォント名"));
        const FormField* list = form.Find(QStringLiteral("Names"));
        QVERIFY(list);
        QCOMPARE(list->choices.size(), 16);
        QCOMPARE(list->choices.first(), QStringLiteral("Arial"));
        QCOMPARE(list->choices.at(7), QStringLiteral("Cosmin Sans MS"));
        QCOMPARE(list->choices.last(), QStringLiteral("ＭＳ 明朝"));
        // Nothing chosen yet: the default name is selected.
        QCOMPARE(list->choices.at(list->index), QStringLiteral("ＭＳ ゴシック"));
        QVERIFY(form.Find(QStringLiteral("追加")));
        QVERIFY(form.Find(QStringLiteral("選択")));
    }

    void fontNameChooserAddCollectsNames()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("Names"), QStringLiteral("Arial"));
        t.Ui().QueueField(QStringLiteral("追加"), QString());
        t.Ui().QueueField(QStringLiteral("Names"), QStringLiteral("Verdana"));
        t.Ui().QueueField(QStringLiteral("追加"), QString());
        QCOMPARE(CFontNameDlg(t.App()).Run(QString()), std::optional<QString>(QStringLiteral("Arial,Verdana")));
        QCOMPARE(t.Settings().ReadString(QStringLiteral("FontFace"), QStringLiteral("Init"), QString()),
                 QStringLiteral("Verdana"));
        // Opening again preselects the name chosen last.
        const FormModel again = CFontNameDlg(t.App()).Form(QString());
        QCOMPARE(again.Find(QStringLiteral("Names"))->text, QStringLiteral("Verdana"));
    }

    void fontNameChooserResult_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("choose");   // list entry, empty for none
        QTest::addColumn<QString>("button");   // "追加", "選択" or empty
        QTest::addColumn<QString>("result");
        QTest::newRow("OK alone gives the selected name") << "" << "Georgia" << "" << "Georgia";
        QTest::newRow("OK alone gives the default") << "" << "" << "" << "ＭＳ ゴシック";
        QTest::newRow("caller's text kept") << "serif" << "" << "" << "serif";
        QTest::newRow("add to caller's text") << "serif" << "Impact" << "追加" << "serif,Impact";
        QTest::newRow("select replaces") << "serif" << "Impact" << "選択" << "Impact";
    }
    void fontNameChooserResult()
    {
        QFETCH(QString, initial);
        QFETCH(QString, choose);
        QFETCH(QString, button);
        QFETCH(QString, result);
        TestEditor t;
        if (!choose.isEmpty())
            t.Ui().QueueField(QStringLiteral("Names"), choose);
        if (!button.isEmpty())
            t.Ui().QueueField(button, QString());
        QCOMPARE(CFontNameDlg(t.App()).Run(initial), std::optional<QString>(result));
        // Only the buttons remember a name.
        QCOMPARE(t.Settings().HasKey(QStringLiteral("FontFace"), QStringLiteral("Init")), !button.isEmpty());
    }

    void fontNameDoubleClickChooses()
    {
        TestEditor t;
        FormModel form = CFontNameDlg(t.App()).Form(QStringLiteral("serif"));
        QVERIFY(form.SetFromText(QStringLiteral("Names"), QStringLiteral("Impact")));
        FormField* list = form.Find(QStringLiteral("Names"));
        QVERIFY(list->activate);
        QVERIFY(!list->activate(form));  // chooses, the dialog stays open
        QCOMPARE(CFontNameDlg::Result(form), QStringLiteral("Impact"));
        QCOMPARE(t.Settings().ReadString(QStringLiteral("FontFace"), QStringLiteral("Init"), QString()),
                 QStringLiteral("Impact"));
    }

    void fontNameChooserCancelled()
    {
        TestEditor t;
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QCOMPARE(CFontNameDlg(t.App()).Run(QStringLiteral("x")), std::nullopt);
    }
};
KELVO_TEST(TestSettingsSheet, "SettingsSheet");
#include "tst_SettingsSheet.moc"
