#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/ScriptedUi.h"
#include "gui/CFolderDlg.h"
#include "gui/EditWidget.h"
#include "gui/FileChooser.h"
#include "gui/FormDialog.h"
#include "gui/JapaneseBreaks.h"
#include "gui/QtUi.h"
#include "platform/FileAccess.h"
#include "gui/QuestionBox.h"

#include <QColorDialog>
#include <QFontInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTreeView>
#include <QInputDialog>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

#include <deque>

namespace {

// Works the modal dialogs a call opens: each step gets the next modal
// dialog that appears. A dialog no step expects is cancelled, so that a
// failing test ends instead of waiting for a user.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalDriver(std::initializer_list<Step> steps) : m_steps(steps)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(10);
    }
    bool Done() const { return m_steps.empty() && m_unexpected == 0; }

private:
    void Poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) {
            m_current = nullptr;
            return;
        }
        if (w == m_current)
            return;
        m_current = w;
        if (m_steps.empty()) {
            ++m_unexpected;
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        Step step = m_steps.front();
        m_steps.pop_front();
        step(w);
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
    QWidget* m_current = nullptr;
    int m_unexpected = 0;
};

QStringList ButtonTexts(QWidget* w)
{
    QStringList texts;
    for (QPushButton* b : qobject_cast<QuestionBox*>(w)->Buttons())
        texts.append(b->text());
    return texts;
}

void Click(QWidget* w, int button)
{
    qobject_cast<QuestionBox*>(w)->Buttons().at(button)->click();
}

} // namespace

class TestQtUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void externalUrl_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("localFile");
        QTest::newRow("absolute path") << "/tmp/a b.html" << "file" << "/tmp/a b.html";
        QTest::newRow("web address") << "http://example.com/x" << "http" << "";
        QTest::newRow("mail") << "mailto:a@example.com" << "mailto" << "";
        QTest::newRow("relative path")
            << "a.html" << "file" << QDir::current().absoluteFilePath(QStringLiteral("a.html"));
        QTest::newRow("CP932 name") << platform::DecodePath("/tmp/\x93\xfa.html") << "file" << "";
    }
    void externalUrl()
    {
        QFETCH(QString, input);
        QFETCH(QString, scheme);
        QFETCH(QString, localFile);
        const QUrl url = QtUi::ExternalUrl(input);
        QCOMPARE(url.scheme(), scheme);
        if (!localFile.isEmpty())
            QCOMPARE(url.toLocalFile(), localFile);
        else if (scheme == u"file")
            QCOMPARE(url.toEncoded(), "file://" + QUrl::toPercentEncoding(platform::EncodePath(input), "/"));
    }

    // The buttons stay in the order given, whatever the platform's habits.
    void questionButtonsInOrder_data()
    {
        QTest::addColumn<int>("press");  // a button, -1 Escape, -2 Enter
        QTest::addColumn<std::optional<Ui::Answer>>("preferred");
        QTest::addColumn<Ui::Answer>("answer");
        const std::optional<Ui::Answer> first;
        QTest::newRow("yes") << 0 << first << Ui::Answer::Yes;
        QTest::newRow("all") << 2 << first << Ui::Answer::All;
        QTest::newRow("escape") << -1 << first << Ui::Answer::Cancel;
        QTest::newRow("enter") << -2 << first << Ui::Answer::Yes;
        QTest::newRow("enter, no preferred") << -2 << std::optional(Ui::Answer::No) << Ui::Answer::No;
    }
    void questionButtonsInOrder()
    {
        QFETCH(int, press);
        QFETCH(std::optional<Ui::Answer>, preferred);
        QFETCH(Ui::Answer, answer);
        QtUi ui;
        Ui::Question q;
        q.text = QStringLiteral("置換しますか？");
        q.preferred = preferred;
        q.buttons = {{Ui::Answer::Yes, QStringLiteral("はい")},
                     {Ui::Answer::No, QStringLiteral("いいえ")},
                     {Ui::Answer::All, QStringLiteral("全て")},
                     {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
        q.escape = Ui::Answer::Cancel;
        QStringList shown;
        QString title;
        ModalDriver driver{[&](QWidget* w) {
            shown = ButtonTexts(w);
            title = w->windowTitle();
            if (press >= 0)
                Click(w, press);
            else
                QTest::keyClick(w, press == -1 ? Qt::Key_Escape : Qt::Key_Return);
        }};
        QCOMPARE(ui.Ask(q), answer);
        QVERIFY(driver.Done());
        QCOMPARE(shown, (QStringList{"はい", "いいえ", "全て", "キャンセル"}));
        QCOMPARE(title, QStringLiteral("Kelvopad"));
    }

    void messageHasOk()
    {
        QtUi ui;
        QStringList shown;
        ModalDriver driver{[&](QWidget* w) {
            shown = ButtonTexts(w);
            Click(w, 0);
        }};
        ui.Message(QStringLiteral("見つかりません"));
        QVERIFY(driver.Done());
        QCOMPARE(shown, QStringList{QStringLiteral("OK")});
    }

    // A question about the text lies across the top of the window, as wide
    // as the window.
    void questionOverTopOfWindow()
    {
        QtUi ui;
        QWidget window;
        window.resize(500, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ui.SetMainWindow(&window);
        QRect where;
        ModalDriver driver{[&](QWidget* w) {
            where = w->geometry();
            Click(w, 1);
        }};
        Ui::Question q;
        q.text = QStringLiteral("置換しますか？");
        q.buttons = {{Ui::Answer::Yes, QStringLiteral("はい")},
                     {Ui::Answer::No, QStringLiteral("いいえ")}};
        q.placement = Ui::Placement::TopOfMainWindow;
        QCOMPARE(ui.Ask(q), Ui::Answer::No);
        QVERIFY(driver.Done());
        QCOMPARE(where.width(), 500);
        QCOMPARE(where.topLeft(), window.mapToGlobal(QPoint(0, 0)));
        QVERIFY(where.height() < 300);
    }

    void inputBox_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void inputBox()
    {
        QFETCH(bool, confirm);
        QtUi ui;
        QString label, initial;
        ModalDriver driver{[&](QWidget* w) {
            auto* d = qobject_cast<QInputDialog*>(w);
            label = d->labelText();
            initial = d->textValue();
            d->setTextValue(QStringLiteral("新しいフォルダ"));
            confirm ? d->accept() : d->reject();
        }};
        const std::optional<QString> text = ui.Input(QStringLiteral("フォルダの指定"),
                                                     QStringLiteral("フォルダ名を入力してください"),
                                                     QStringLiteral("初期"));
        QVERIFY(driver.Done());
        QCOMPARE(label, QStringLiteral("フォルダ名を入力してください"));
        QCOMPARE(initial, QStringLiteral("初期"));
        QCOMPARE(text.has_value(), confirm);
        if (confirm)
            QCOMPARE(*text, QStringLiteral("新しいフォルダ"));
    }

    void saveChooserAddsExtensionAndAsksBeforeOverwriting()
    {
        QTemporaryDir dir;
        WriteBytes(dir.filePath(QStringLiteral("old.html")), "old");
        QtUi ui;
        Ui::FileDialog d;
        d.save = true;
        d.title = QStringLiteral("名前を付けて保存");
        d.defaultExtension = QStringLiteral("html");
        d.initialFolder = dir.path();
        d.overwritePrompt = true;
        d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html||");
        QString folder, question;
        // Typed into the name field and confirmed with Enter, as a user does.
        auto type = [](QWidget* w, const QString& name) {
            auto* f = qobject_cast<FileChooser*>(w);
            f->NameField()->clear();
            QTest::keyClicks(f->NameField(), name);
            QTimer::singleShot(0, f, [f] { QTest::keyClick(f->NameField(), Qt::Key_Return); });
        };
        ModalDriver driver{
            [&](QWidget* w) {
                folder = qobject_cast<FileChooser*>(w)->Model().Folder();
                type(w, QStringLiteral("old"));
            },
            [&](QWidget* w) {
                question = qobject_cast<QuestionBox*>(w)->TextLabel()->text();
                Click(w, 1);  // いいえ: choose another name
            },
            [&](QWidget* w) { type(w, QStringLiteral("new")); }};
        const std::optional<QString> path = ui.ChooseFile(d);
        QVERIFY(driver.Done());
        QCOMPARE(folder, QDir(dir.path()).absolutePath());
        QCOMPARE(question, QStringLiteral("old.html は既に存在します。\n上書きしますか？"));
        QVERIFY(path);
        QCOMPARE(*path, dir.filePath(QStringLiteral("new.html")));
    }

    // The file chooser in Japanese, a missing start folder replaced by home.
    void fileChooserSpeaksJapanese()
    {
        QtUi ui;
        Ui::FileDialog d;
        d.title = QStringLiteral("開く");
        d.initialFolder = QStringLiteral("/no/such/folder/anywhere");
        d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html||");
        QString folder, title;
        QStringList texts;
        ModalDriver driver{[&](QWidget* w) {
            auto* f = qobject_cast<FileChooser*>(w);
            folder = f->Model().Folder();
            title = f->windowTitle();
            for (const QLabel* l : f->findChildren<QLabel*>())
                texts.append(l->text());
            for (const QAbstractButton* b : f->findChildren<QAbstractButton*>())
                texts << b->text() << b->toolTip();
            f->reject();
        }};
        QVERIFY(!ui.ChooseFile(d));
        QVERIFY(driver.Done());
        QCOMPARE(folder, QDir::homePath());
        QCOMPARE(title, QStringLiteral("開く"));
        static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{2,}"));
        for (const QString& text : std::as_const(texts))
            QVERIFY2(!latinWord.match(QString(text).remove(QStringLiteral("Alt"))).hasMatch(),
                     qPrintable(text));
        QVERIFY(texts.contains(QStringLiteral("開く(&O)")));
    }

    // Family names as a user knows them, and a Japanese font for a face
    // this machine lacks.
    void fontFamilies_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::newRow("installed") << "DejaVu Sans Mono" << "DejaVu Sans Mono";
        QTest::newRow("missing proportional face") << "存在しないＰゴシック" << "Noto Sans CJK JP";
        QTest::newRow("missing face") << "存在しないゴシック" << "Noto Sans Mono CJK JP";
    }
    void fontFamilies()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QtUi ui;
        const QString installed = ui.InstalledFontFamily(face);
        QCOMPARE(installed, family);
        QVERIFY(ui.FontFamilies().contains(installed));
        for (const QString& name : ui.FontFamilies())
            QVERIFY2(!name.contains(u'['), qPrintable(name));
        // The editor draws a missing face's Japanese in that font.
        EditWidget w;
        EditFont font;
        font.face = face;
        w.Buffer().SetEditFont(font);
        QCOMPARE(QFontInfo(w.font()).family(), family);
    }

    // A name typed into an open dialog is the file of that name when there
    // is one; the default extension only completes a name that has no file.
    // Typing completes a name, Enter takes it.
    void openChooserTakesTheTypedName_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("mustExist");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("a file without extension")
            << QStringList{"README"} << true << "README" << "README";
        QTest::newRow("beside one with the extension")
            << QStringList{"README", "README.html"} << true << "README" << "README";
        QTest::newRow("completed when only that file exists")
            << QStringList{"README.html"} << false << "README" << "README.html";
        QTest::newRow("completed as typed")
            << QStringList{"index.html", "notes.html"} << true << "no" << "notes.html";
        QTest::newRow("a folder typed, then a name")
            << QStringList{"sub/page.html"} << true << "sub\npa" << "sub/page.html";
    }
    void openChooserTakesTheTypedName()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, mustExist);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        for (const QString& name : files) {
            QDir(dir.path()).mkpath(QFileInfo(name).path());
            WriteBytes(dir.filePath(name), "x");
        }
        QtUi ui;
        Ui::FileDialog d;
        d.title = QStringLiteral("開く");
        d.defaultExtension = QStringLiteral("html");
        d.initialFolder = dir.path();
        d.fileMustExist = mustExist;
        ModalDriver driver{[&](QWidget* w) {
            auto* f = qobject_cast<FileChooser*>(w);
            for (const QString& part : typed.split(u'\n')) {
                QTest::keyClicks(f->NameField(), part);
                QTest::keyClick(f->NameField(), Qt::Key_Return);
            }
        }};
        const std::optional<QString> path = ui.ChooseFile(d);
        QVERIFY(driver.Done());
        QCOMPARE(path.value_or(QString()), dir.filePath(chosen));
    }

    // Japanese that wraps breaks between phrases, and a fingerprint wider
    // than the line after its separators: at every width that holds the
    // widest phrase, each line ends where a phrase does.
    void japaneseWrapsBetweenPhrases_data()
    {
        QTest::addColumn<QString>("phrases");
        QTest::newRow("check box") << "大文字と|小文字の|区別をする";
        QTest::newRow("negative") << "タグ挿入後、|選択解除しない";
        QTest::newRow("polite") << "文字として|読めない|バイトが |3 |個あります";
        QTest::newRow("katakana and particles") << "この|変更は|次に|ファイルを|開いたときから|有効です";
        QTest::newRow("fingerprint") << "指紋：|SHA256:|0B:|30:|55:|7A:|9F:|C4:|E9:|0E:|33:|58:|7D:|A2";
    }
    void japaneseWrapsBetweenPhrases()
    {
        QFETCH(QString, phrases);
        // Where a line may end: the ends of the phrases, and those only.
        QString text;
        QSet<int> ends;
        int widest = 0;
        const QFontMetrics metrics(QApplication::font());
        for (const QString& phrase : phrases.split(u'|')) {
            text += phrase;
            ends.insert(int(text.size()));
            widest = std::max(widest, metrics.horizontalAdvance(phrase));
        }
        const QRegularExpression invisible(QStringLiteral("[\\x{2060}\\x{200B}]"));
        for (int width = widest + 1; width < metrics.horizontalAdvance(text); width += 3) {
            const QString shown = WithJapaneseBreaks(WithBreaksInLongWords(text, metrics, width));
            QCOMPARE(QString(shown).remove(invisible), text);
            QTextLayout layout(shown, QApplication::font());
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                const int end = int(QString(shown).first(line.textStart() + line.textLength())
                                        .count(invisible));
                const int at = line.textStart() + line.textLength() - end;
                QVERIFY2(ends.contains(at), qPrintable(QStringLiteral("%1 px: %2|%3").arg(width)
                                                           .arg(text.left(at), text.mid(at))));
            }
            layout.endLayout();
        }
    }

    void colorChooserGivesRrggbb()
    {
        QtUi ui;
        QColor start;
        ModalDriver driver{[&](QWidget* w) {
            auto* d = qobject_cast<QColorDialog*>(w);
            start = d->currentColor();
            d->setCurrentColor(QColor(0x12, 0xAB, 0x0F));
            d->accept();
        }};
        QCOMPARE(ui.ChooseColor(QStringLiteral("FF8000")), std::optional<QString>(QStringLiteral("12AB0F")));
        QCOMPARE(start, QColor(0xFF, 0x80, 0x00));
        QVERIFY(driver.Done());
    }

    void formRunsModally()
    {
        QtUi ui;
        FormModel form;
        form.title = QStringLiteral("検索");
        form.AddText(QStringLiteral("検索語(&W):"), QString());
        ModalDriver driver{[&](QWidget* w) {
            auto* d = qobject_cast<FormDialog*>(w);
            qobject_cast<QLineEdit*>(d->FieldWidget(0))->setText(QStringLiteral("abc"));
            d->OkButton()->click();
        }};
        QCOMPARE(ui.RunForm(form), Ui::Answer::Ok);
        QVERIFY(driver.Done());
        QCOMPARE(form.fields[0].text, QStringLiteral("abc"));
    }

    void titleWaitsForWindow()
    {
        QtUi ui;
        ui.SetWindowTitle(QStringLiteral("無題 - Kelvopad"));
        QWidget window;
        ui.SetMainWindow(&window);
        QCOMPARE(window.windowTitle(), QStringLiteral("無題 - Kelvopad"));
        ui.SetWindowTitle(QStringLiteral("index - Kelvopad"));
        QCOMPARE(window.windowTitle(), QStringLiteral("index - Kelvopad"));
    }

    void busyCursorNests()
    {
        QtUi ui;
        ui.BeginBusy();
        ui.BeginBusy();
        ui.EndBusy();
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.EndBusy();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The folder chooser opens down to the folder it is given, a CP932 name
    // from a Windows archive shown as it reads and kept by its bytes, and
    // fills the tree only as folders open.
    void folderChooserOpensAtInitialFolder()
    {
        QTemporaryDir dir;
        const QString named = platform::DecodePath(platform::EncodePath(dir.path()) + "/\x83T\x83" "C\x83g");
        QVERIFY(platform::MakeFolders(named + QStringLiteral("/img/icons")) && platform::MakeFolders(named + QStringLiteral("/css")));
        ScriptedUi ui;
        CFolderDlg dialog(named, ui);
        QCOMPARE(dialog.Path(), named);
        QTreeWidgetItem* site = dialog.Tree()->currentItem();
        QCOMPARE(site->text(0), QStringLiteral("サイト"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("フォルダの指定"));
        QCOMPARE(dialog.CreateButton()->text(), QStringLiteral("フォルダ作成(&F)..."));
        // "site" is not open yet: its folders are not read.
        QCOMPARE(site->childCount(), 0);
        site->setExpanded(true);
        QCOMPARE(site->childCount(), 2);
        QCOMPARE(site->child(0)->text(0), QStringLiteral("css"));
        QCOMPARE(site->child(1)->text(0), QStringLiteral("img"));
    }

    // A folder that cannot be created is reported with its path; a
    // cancelled input box reports nothing.
    void folderChooserCreatesFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("created");
        QTest::addColumn<bool>("reported");
        QTest::newRow("new name") << "画像" << true << false;
        QTest::newRow("existing name") << "css" << false << true;
        QTest::newRow("cancelled") << "" << false << false;
        QTest::newRow("a path is no name") << "a/b" << false << true;
        QTest::newRow("parent folder") << ".." << false << true;
    }
    void folderChooserCreatesFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, created);
        QFETCH(bool, reported);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("site/css"));
        ScriptedUi ui;
        if (!name.isEmpty())
            ui.QueueInput(name);
        const QString site = dir.filePath(QStringLiteral("site"));
        CFolderDlg dialog(site, ui);
        dialog.Tree()->currentItem()->setExpanded(true);
        const int before = dialog.Tree()->currentItem()->childCount();
        QCOMPARE(dialog.CreateFolder(), created);
        QCOMPARE(ui.Records()[0].text, QStringLiteral("フォルダ名を入力してください"));
        const QStringList messages = ui.Texts(QStringLiteral("message"));
        if (reported)
            QCOMPARE(messages,
                     QStringList{QStringLiteral("フォルダを作成できませんでした\n") + site + u'/' + name});
        else
            QCOMPARE(messages, QStringList());
        QCOMPARE(ui.Records().size(), size_t(reported ? 2 : 1));
        if (created) {
            QVERIFY(QDir(site + u'/' + name).exists());
            QCOMPARE(dialog.Path(), site + u'/' + name);
        } else {
            QCOMPARE(dialog.Path(), site);
            QCOMPARE(dialog.Tree()->currentItem()->childCount(), before);
        }
    }

    void folderChooserDoubleClickConfirms()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("site/css"));
        ScriptedUi ui;
        CFolderDlg dialog(dir.filePath(QStringLiteral("site")), ui);
        dialog.show();
        QTreeWidgetItem* site = dialog.Tree()->currentItem();
        site->setExpanded(true);
        QTreeWidgetItem* css = site->child(0);
        Q_EMIT dialog.Tree()->itemDoubleClicked(css, 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Path(), dir.filePath(QStringLiteral("site/css")));
    }

    void folderChooserThroughUi()
    {
        QTemporaryDir dir;
        QtUi ui;
        ModalDriver driver{[&](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); }};
        QCOMPARE(ui.ChooseFolder(dir.path()), std::optional<QString>(dir.path()));
        QVERIFY(driver.Done());
    }
};
KELVO_TEST(TestQtUi, "QtUi");
#include "tst_QtUi.moc"
