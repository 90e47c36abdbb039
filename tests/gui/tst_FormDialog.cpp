#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "gui/FormDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

Q_DECLARE_METATYPE(FieldKind)

namespace {

// Puts a value into a field's widget as a user would.
void Enter(QWidget* w, const QString& value)
{
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(value.toInt());
    } else if (auto* check = qobject_cast<QCheckBox*>(w))
        check->setChecked(value == u"1");
    else if (auto* list = qobject_cast<QListWidget*>(w))
        list->setCurrentRow(value.toInt());
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(w))
        multi->setPlainText(value);
}

// What a field's widget shows, in the same terms.
QString Shown(QWidget* w)
{
    if (auto* line = qobject_cast<QLineEdit*>(w))
        return line->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* list = qobject_cast<QListWidget*>(w))
        return QString::number(list->currentRow());
    if (auto* multi = qobject_cast<QPlainTextEdit*>(w))
        return multi->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().remove(QChar(0x2060));  // the joiners of a wrapping phrase
    return QString();
}

// The model's value in the same terms.
QString Value(const FormField& f)
{
    switch (f.kind) {
    case FieldKind::Flag:
        return f.checked ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Choice:
    case FieldKind::List:
        return QString::number(f.index);
    default:
        return f.text;
    }
}

int DistinctColors(const QImage& image)
{
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colors.insert(image.pixel(x, y));
    return colors.size();
}

} // namespace

class TestFormDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each kind shows the model's value and writes the user's change back.
    void roundTrip_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("shownInitial");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("stored");
        QTest::newRow("text") << FieldKind::Text << "abc" << "abc" << "xyz" << "xyz";
        QTest::newRow("number") << FieldKind::Number << "12" << "12" << "345" << "345";
        QTest::newRow("flag") << FieldKind::Flag << "1" << "1" << "0" << "0";
        QTest::newRow("choice") << FieldKind::Choice << "1" << "1" << "2" << "2";
        QTest::newRow("combo, text not in the list")
            << FieldKind::Combo << "b" << "b" << "free text" << "free text";
        QTest::newRow("list") << FieldKind::List << "0" << "0" << "2" << "2";
        QTest::newRow("color") << FieldKind::Color << "FF0000" << "FF0000" << "00FF80"
                               << "00FF80";
        QTest::newRow("file") << FieldKind::File << "/tmp/a.gif" << "/tmp/a.gif"
                              << "img/b.png" << "img/b.png";
        QTest::newRow("class") << FieldKind::Class << "head" << "head" << "body" << "body";
        QTest::newRow("target") << FieldKind::Target << "_top" << "_top" << "main" << "main";
        QTest::newRow("multi-line keeps CR LF in the model")
            << FieldKind::MultiLine << "one\r\ntwo" << "one\ntwo" << "x\ny\nz" << "x\r\ny\r\nz";
    }
    void roundTrip()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, initial);
        QFETCH(QString, shownInitial);
        QFETCH(QString, entered);
        QFETCH(QString, stored);
        FormModel form;
        form.title = QStringLiteral("テスト");
        FormField& f = form.Add(kind, QStringLiteral("値(&V):"), QStringLiteral("VALUE"));
        f.choices = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        if (kind == FieldKind::Flag)
            f.checked = initial == u"1";
        else if (kind == FieldKind::Choice || kind == FieldKind::List)
            f.index = initial.toInt();
        else
            f.text = initial;
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        QWidget* w = dialog.FieldWidget(0);
        QVERIFY(w);
        QCOMPARE(Shown(w), shownInitial);
        Enter(w, entered);
        QCOMPARE(Value(form.fields[0]), stored);
        if (kind == FieldKind::Choice || kind == FieldKind::List)
            QCOMPARE(form.fields[0].text, f.choices[entered.toInt()]);
        // The model's value shown again after a refresh is what was entered.
        dialog.Refresh();
        QCOMPARE(Value(form.fields[0]), stored);
    }

    // A multi-line field holds exactly the model's text: characters a text
    // widget would read back changed (no-break space, U+2028, lone line ends,
    // frame markers) survive a refresh after an edit in another field and
    // an edit in the field itself.
    void multiLineKeepsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no-break space and CR LF") << QStringLiteral("a\u00A0b\r\nc");
        QTest::newRow("line separator") << QStringLiteral("a\u2028b");
        QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b");
        QTest::newRow("lone LF and CR") << QStringLiteral("a\nb\rc");
        QTest::newRow("frame markers") << QStringLiteral("\uFDD0a\uFDD1");
    }
    void multiLineKeepsText()
    {
        QFETCH(QString, text);
        FormModel form;
        form.Add(FieldKind::MultiLine, QStringLiteral("内容(&C):")).text = text;
        FormField& other = form.AddText(QStringLiteral("名前(&N):"), QString());
        other.action = [](FormModel&) {};
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        Enter(dialog.FieldWidget(1), QStringLiteral("x"));
        QCOMPARE(form.fields[0].text, text);
        auto* multi = qobject_cast<QPlainTextEdit*>(dialog.FieldWidget(0));
        QTextCursor c = multi->textCursor();
        c.movePosition(QTextCursor::End);
        multi->setTextCursor(c);
        QTest::keyClicks(multi, QStringLiteral("d"));
        QCOMPARE(form.fields[0].text, text + u'd');
    }

    // Shift+Enter in a multi-line field makes a line end, not U+2028.
    void multiLineShiftEnterIsLineEnd()
    {
        FormModel form;
        form.Add(FieldKind::MultiLine, QStringLiteral("内容(&C):")).text = QStringLiteral("ab");
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        auto* multi = qobject_cast<QPlainTextEdit*>(dialog.FieldWidget(0));
        QTextCursor c = multi->textCursor();
        c.movePosition(QTextCursor::End);
        multi->setTextCursor(c);
        QTest::keyClick(multi, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(multi, QStringLiteral("c"));
        QCOMPARE(form.fields[0].text, QStringLiteral("ab\r\nc"));
    }

    void labelShowsItsText()
    {
        FormModel form;
        form.Add(FieldKind::Label, QStringLiteral("文字数:")).text = QStringLiteral("1234");
        form.Add(FieldKind::Label, QStringLiteral("説明だけの行"));
        // A caption with nothing to focus shows no mnemonic marks.
        form.Add(FieldKind::Label, QStringLiteral("対象(&T):")).text = QStringLiteral("P");
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        QCOMPARE(Shown(dialog.FieldWidget(0)), QStringLiteral("1234"));
        QCOMPARE(Shown(dialog.FieldWidget(1)), QStringLiteral("説明だけの行"));
        QStringList captions;
        for (const QLabel* l : dialog.findChildren<QLabel*>())
            captions.append(l->text());
        QVERIFY2(captions.contains(QStringLiteral("対象:")), qPrintable(captions.join(u'|')));
    }

    // A button runs its action on the model, and every widget then shows
    // the model as the action left it.
    void buttonRunsActionThenRefreshes()
    {
        FormModel form;
        form.AddText(QStringLiteral("名前(&N):"), QStringLiteral("old"));
        form.AddChoice(QStringLiteral("種類(&K):"), {QStringLiteral("x")}, 0);
        FormField& b = form.Add(FieldKind::Button, QStringLiteral("設定(&S)"));
        b.action = [](FormModel& m) {
            m.fields[0].text = QStringLiteral("new");
            m.fields[1].choices = {QStringLiteral("x"), QStringLiteral("y")};
            m.fields[1].index = 1;
        };
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.FieldWidget(2)), Qt::LeftButton);
        QCOMPARE(Shown(dialog.FieldWidget(0)), QStringLiteral("new"));
        auto* combo = qobject_cast<QComboBox*>(dialog.FieldWidget(1));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), 1);
    }

    // A field's action runs after each change; it may enable, hide or add
    // fields.
    void actionAfterChange()
    {
        FormModel form;
        form.AddFlag(QStringLiteral("指定する(&U)"), false);
        form.AddText(QStringLiteral("幅(&W):"), QString()).enabled = false;
        form.AddText(QStringLiteral("高さ(&H):"), QString()).visible = false;
        form.fields[0].action = [](FormModel& m) {
            m.fields[1].enabled = m.fields[0].checked;
            m.fields[2].visible = m.fields[0].checked;
            if (m.fields[0].checked && m.fields.size() == 3)
                m.AddText(QStringLiteral("追加(&A):"), QStringLiteral("added"));
        };
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QVERIFY(!dialog.FieldWidget(1)->isEnabled());
        QVERIFY(!dialog.FieldWidget(2)->isVisible());
        qobject_cast<QCheckBox*>(dialog.FieldWidget(0))->setChecked(true);
        QVERIFY(dialog.FieldWidget(1)->isEnabled());
        QVERIFY(dialog.FieldWidget(2)->isVisible());
        QCOMPARE(form.fields.size(), size_t(4));
        QVERIFY(dialog.FieldWidget(3));
        QCOMPARE(Shown(dialog.FieldWidget(3)), QStringLiteral("added"));
        // The rebuilt widgets still write to the model.
        Enter(dialog.FieldWidget(1), QStringLiteral("40"));
        QCOMPARE(form.fields[1].text, QStringLiteral("40"));
    }

    void invalidNumberKeepsDialogOpen_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << "abc" << QString::fromUtf16(kInvalidNumberMessage);
        QTest::newRow("negative") << "-1" << QString::fromUtf16(kInvalidNumberMessage);
        QTest::newRow("above the range") << "100" << "範囲外です";
    }
    void invalidNumberKeepsDialogOpen()
    {
        QFETCH(QString, entered);
        QFETCH(QString, message);
        FormModel form;
        FormField& n = form.AddNumber(QStringLiteral("タブ数(&T):"), 8, 0, 99);
        if (entered == u"100")
            n.rangeMessage = QStringLiteral("範囲外です");
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        Enter(dialog.FieldWidget(0), entered);
        dialog.OkButton()->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(ui.Texts(QStringLiteral("message")), QStringList{message});
        Enter(dialog.FieldWidget(0), QStringLiteral("4"));
        dialog.OkButton()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), Ui::Answer::Ok);
        QCOMPARE(form.fields[0].NumberOr(-1), 4);
    }

    void validateHookKeepsDialogOpen()
    {
        FormModel form;
        form.AddText(QStringLiteral("名前(&N):"), QString());
        form.validate = [](const FormModel& m) {
            return m.fields[0].text.isEmpty() ? QStringLiteral("名前を入力してください")
                                              : QString();
        };
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        dialog.OkButton()->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(ui.Texts(QStringLiteral("message")).value(0), QStringLiteral("名前を入力してください"));
    }

    void buttonsAndAnswers_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<Ui::Answer>("answer");
        QTest::newRow("ok") << "ok" << Ui::Answer::Ok;
        QTest::newRow("cancel") << "cancel" << Ui::Answer::Cancel;
        QTest::newRow("back") << "back" << Ui::Answer::Back;
        QTest::newRow("escape") << "escape" << Ui::Answer::Cancel;
    }
    void buttonsAndAnswers()
    {
        QFETCH(QString, press);
        QFETCH(Ui::Answer, answer);
        FormModel form;
        form.okCaption = QStringLiteral("次へ >");
        form.cancelCaption = QStringLiteral("閉じる");
        form.hasBack = true;
        form.AddText(QStringLiteral("名前(&N):"), QStringLiteral("x"));
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QCOMPARE(dialog.OkButton()->text(), QStringLiteral("次へ >"));
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("閉じる"));
        QCOMPARE(dialog.BackButton()->text(), QStringLiteral("< 戻る"));
        if (press == u"ok")
            dialog.OkButton()->click();
        else if (press == u"cancel")
            dialog.CancelButton()->click();
        else if (press == u"back")
            dialog.BackButton()->click();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), answer);
    }

    void backCaptionAndListDoubleClick()
    {
        FormModel form;
        form.hasBack = true;
        form.backCaption = QStringLiteral("<< 前へ");
        FormField& list = form.Add(FieldKind::List, QStringLiteral("名前(&N):"));
        list.choices = QStringList{"a", "b"};
        list.activate = [](FormModel& f) {
            f.fields[1].text = f.fields[0].text;
            return f.fields[0].index == 1;  // "b" closes the form
        };
        form.AddText(QStringLiteral("結果(&R):"), QString());
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QCOMPARE(dialog.BackButton()->text(), QStringLiteral("<< 前へ"));
        auto* widget = dialog.findChild<QListWidget*>();
        QVERIFY(widget);
        widget->setCurrentRow(0);
        Q_EMIT widget->itemDoubleClicked(widget->item(0));
        QCOMPARE(form.fields[1].text, QStringLiteral("a"));
        QVERIFY(dialog.isVisible());
        widget->setCurrentRow(1);
        Q_EMIT widget->itemDoubleClicked(widget->item(1));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), Ui::Answer::Ok);
    }

    void noBackButtonWithoutBack()
    {
        FormModel form;
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        QVERIFY(!dialog.BackButton());
        QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("キャンセル"));
    }

    void pagesBecomeTabs()
    {
        FormModel form;
        form.title = QStringLiteral("各種設定");
        form.AddText(QStringLiteral("一(&A):"), QString()).page = QStringLiteral("動作");
        form.AddText(QStringLiteral("二(&B):"), QString()).page = QStringLiteral("FTP");
        form.AddNumber(QStringLiteral("三(&C):"), 1, 0, 9).page = QStringLiteral("FTP");
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        QVERIFY(dialog.Tabs());
        QCOMPARE(dialog.Tabs()->count(), 2);
        QCOMPARE(dialog.Tabs()->tabText(0), QStringLiteral("動作"));
        QCOMPARE(dialog.Tabs()->tabText(1), QStringLiteral("FTP"));
        // An invalid number on a page not shown brings that page forward.
        dialog.show();
        Enter(dialog.FieldWidget(2), QStringLiteral("x"));
        dialog.OkButton()->click();
        QCOMPARE(dialog.Tabs()->currentIndex(), 1);
    }

    void gridFieldsFormATable()
    {
        FormModel form;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                FormField& f = form.AddText(QStringLiteral("%1-%2").arg(r + 1).arg(c + 1),
                                            QStringLiteral("%1%2").arg(r).arg(c));
                f.gridRow = r;
                f.gridColumn = c;
            }
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QWidget* topLeft = dialog.FieldWidget(0);
        QWidget* topRight = dialog.FieldWidget(2);
        QWidget* bottomLeft = dialog.FieldWidget(3);
        const QPoint tl = topLeft->mapTo(&dialog, QPoint());
        QVERIFY(topRight->mapTo(&dialog, QPoint()).x() > tl.x());
        QCOMPARE(topRight->mapTo(&dialog, QPoint()).y(), tl.y());
        QVERIFY(bottomLeft->mapTo(&dialog, QPoint()).y() > tl.y());
        QCOMPARE(bottomLeft->mapTo(&dialog, QPoint()).x(), tl.x());
    }

    // A label's mnemonic moves the focus to its field.
    void mnemonicFocusesField()
    {
        FormModel form;
        form.AddText(QStringLiteral("最初(&F):"), QString());
        form.AddText(QStringLiteral("検索語(&W):"), QString());
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.FieldWidget(0)->setFocus();
        QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.FieldWidget(1));
    }

    void colorChooserFillsFieldAndSwatch()
    {
        FormModel form;
        form.Add(FieldKind::Color, QStringLiteral("背景色(&B):")).text = QStringLiteral("nothing");
        // A colour as a style sheet names it.
        form.Add(FieldKind::Color, QStringLiteral("文字色(&C):")).text = QStringLiteral("red");
        ScriptedUi ui;
        ui.QueueInput(QStringLiteral("00FF00"));
        FormDialog dialog(form, ui);
        QVERIFY(dialog.BrowseButton(0)->icon().isNull());
        QCOMPARE(QColor(dialog.BrowseButton(1)->icon().pixmap(16, 16).toImage().pixel(8, 8)),
                 QColor(Qt::red));
        dialog.BrowseButton(0)->click();
        QCOMPARE(form.fields[0].text, QStringLiteral("00FF00"));
        QCOMPARE(Shown(dialog.FieldWidget(0)), QStringLiteral("00FF00"));
        const QImage swatch = dialog.BrowseButton(0)->icon().pixmap(16, 16).toImage();
        QCOMPARE(QColor(swatch.pixel(8, 8)), QColor(0, 255, 0));
    }

    void fileChooserFillsField()
    {
        FormModel form;
        FormField& f = form.Add(FieldKind::File, QStringLiteral("画像ファイル(&F):"));
        f.fileFilter = QStringLiteral("画像 |*.gif;*.jpg||");
        f.action = [](FormModel& m) { m.fields[0].text.prepend(QStringLiteral("./")); };
        ScriptedUi ui;
        ui.QueueInput(QStringLiteral("img/a.gif"));
        FormDialog dialog(form, ui);
        dialog.BrowseButton(0)->click();
        QCOMPARE(ui.LastFileDialog().filter, QStringLiteral("画像 |*.gif;*.jpg||"));
        QCOMPARE(ui.LastFileDialog().title, QStringLiteral("画像ファイル"));
        // The field's action (making the path relative, say) ran after the
        // choice.
        QCOMPARE(form.fields[0].text, QStringLiteral("./img/a.gif"));
        QCOMPARE(Shown(dialog.FieldWidget(0)), QStringLiteral("./img/a.gif"));
    }

    // A portrait phone screen: the dialog is never wider than the screen;
    // the page scrolls down instead of sideways.
    void fitsNarrowScreen()
    {
        FormModel form;
        form.title = QStringLiteral("とても長いタイトルのダイアログ");
        for (int i = 0; i < 25; ++i) {
            form.AddText(QStringLiteral("とても長いラベルの付いたテキスト項目その%1(&%2):")
                             .arg(i)
                             .arg(QChar(u'A' + i)),
                         QStringLiteral("値"));
        }
        form.AddCombo(QStringLiteral("コンボ(&C):"),
                      {QStringLiteral("非常に長い選択肢の文字列がここに入っていて画面の幅を超える")},
                      QString());
        form.AddFlag(QStringLiteral("長い説明の付いたチェックボックスの項目です(&Z)"), true);
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.FitInto(QSize(360, 640));
        dialog.show();
        QApplication::processEvents();
        QVERIFY2(dialog.width() <= 360, qPrintable(QString::number(dialog.width())));
        QVERIFY(dialog.height() <= 640);
        QScrollArea* page = dialog.PageScrollArea(0);
        QVERIFY(page);
        QCOMPARE(page->horizontalScrollBar()->maximum(), 0);
        QVERIFY(page->verticalScrollBar()->maximum() > 0);
        // Every field is reachable: the last one lies inside the page.
        QWidget* last = dialog.FieldWidget(int(form.fields.size()) - 1);
        QVERIFY(last->mapTo(page->widget(), QPoint()).y() < page->widget()->height());
        QVERIFY(DistinctColors(dialog.grab().toImage()) > 4);
    }

    // A short form with a wrapped text opens whole on a roomy screen: no
    // scroll bar, whatever width the page passes through while it opens.
    void shortFormNeedsNoScrolling()
    {
        FormModel form;
        form.title = QStringLiteral("属性");
        form.Add(FieldKind::Label, QString()).text = QStringLiteral("ブロック属性を定義します");
        form.AddChoice(QStringLiteral("行揃え(&L)"), {QStringLiteral("指定なし")}, 0);
        form.Add(FieldKind::Class, QStringLiteral("クラス名(&C)"));
        form.Add(FieldKind::Button, QStringLiteral("スタイル"));
        ScriptedUi ui;
        FormDialog dialog(form, ui);
        dialog.show();
        QApplication::processEvents();
        QCOMPARE(dialog.PageScrollArea(0)->verticalScrollBar()->maximum(), 0);
    }
};
KELVO_TEST(TestFormDialog, "FormDialog");
#include "tst_FormDialog.moc"
