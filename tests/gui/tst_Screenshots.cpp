#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CFontNameDlg.h"
#include "core/links/LinkCommandIds.h"
#include "core/tags/CTagAttrDlg.h"
#include "core/tags/CTagTables.h"
#include "gui/CFolderDlg.h"
#include "gui/FileChooser.h"
#include "gui/FormDialog.h"
#include "gui/QtUi.h"
#include "gui/QuestionBox.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

// A scripted Ui that also shows every form, question and folder chooser as
// the desktop program would, and saves a picture of it. Forms are then
// cancelled (or, when asked, confirmed with the queued fields); questions
// and choosers answer as ScriptedUi does.
class RenderingUi : public ScriptedUi {
public:
    struct Shot {
        QString path;
        QImage image;
        bool fits = true;  // within the fit size, with nothing to scroll sideways
    };

    // The name the next pictures are saved under: "name.png", "name-2.png"
    // and so on, questions as "name-question.png".
    void SetName(const QString& name)
    {
        m_name = name;
        m_count.clear();
    }
    void SetConfirmForms(bool confirm) { m_confirm = confirm; }
    void SetWindow(QWidget* window) { m_window = window; }
    // Forms are shown fitted into a screen of that size (a phone's, say).
    void SetFitSize(const QSize& size) { m_fit = size; }
    const std::vector<Shot>& Shots() const { return m_shots; }

    Answer RunForm(FormModel& form) override
    {
        {
            FormDialog dialog(form, *this, m_window);
            if (m_fit.isValid())
                dialog.FitInto(m_fit);
            Save(dialog);
            if (m_fit.isValid()) {
                bool fits = dialog.width() <= m_fit.width();
                for (int i = 0; dialog.PageScrollArea(i); ++i)
                    fits = fits && dialog.PageScrollArea(i)->horizontalScrollBar()->maximum() == 0;
                m_shots.back().fits = fits;
            }
        }
        return m_confirm ? ScriptedUi::RunForm(form) : Answer::Cancel;
    }

    Answer Ask(const Question& question) override
    {
        QuestionBox box(question, m_window);
        if (question.placement == Placement::TopOfMainWindow && m_window
            && m_window->isVisible()) {
            box.PlaceOver(m_window);
            box.show();
            QApplication::processEvents();
            // The box over the window, as the user sees it.
            QImage picture = m_window->grab().toImage();
            QPainter p(&picture);
            p.drawImage(box.geometry().topLeft() - m_window->mapToGlobal(QPoint(0, 0)),
                        box.grab().toImage());
            p.end();
            Keep(picture, QStringLiteral("-question"));
        } else {
            Save(box, QStringLiteral("-question"));
        }
        return ScriptedUi::Ask(question);
    }

    void Message(const QString& text, Icon icon) override
    {
        {
            QuestionBox box(QuestionBox::MessageQuestion(text, icon), m_window);
            Save(box, QStringLiteral("-message"));
        }
        ScriptedUi::Message(text, icon);
    }

    std::optional<QString> ChooseFile(const FileDialog& d) override
    {
        {
            FileChooser dialog(d, m_window);
            Save(dialog, QStringLiteral("-file"));
        }
        return ScriptedUi::ChooseFile(d);
    }

    // Every dialog shown from now on is checked against this screen; what
    // does not fit is listed in Problems().
    void CheckAgainst(const QRect& screen) { m_screen = screen; }
    const QStringList& Problems() const { return m_problems; }

    std::optional<QString> ChooseFolder(const QString& initial) override
    {
        {
            CFolderDlg dialog(initial, *this, m_window);
            Save(dialog);
        }
        return ScriptedUi::ChooseFolder(initial);
    }

private:
    void Save(QWidget& w, const QString& kind = QString())
    {
        w.show();
        QApplication::processEvents();
        Check(w);
        Keep(w.grab().toImage(), kind);
        w.hide();
    }

    // On a small screen every button outside a scrolled page lies on the
    // screen, no page needs scrolling sideways, and a message never breaks
    // a sentence of under 40 characters that the screen has room for.
    void Check(QWidget& w)
    {
        if (m_screen.isNull())
            return;
        const QString where = m_name + QStringLiteral(": ");
        for (const QPushButton* b : w.findChildren<QPushButton*>()) {
            if (!b->isVisible() || InsideScrollArea(b))
                continue;
            const QRect r(b->mapToGlobal(QPoint(0, 0)), b->size());
            if (!m_screen.contains(r))
                m_problems.append(where + b->text()
                                  + QStringLiteral(" off the screen at %1,%2 %3x%4")
                                        .arg(r.x())
                                        .arg(r.y())
                                        .arg(r.width())
                                        .arg(r.height()));
        }
        for (const QScrollArea* area : w.findChildren<QScrollArea*>())
            if (area->horizontalScrollBar()->isVisible())
                m_problems.append(where + QStringLiteral("a page scrolls sideways"));
        if (const auto* box = qobject_cast<QuestionBox*>(&w)) {
            const QLabel* label = box->TextLabel();
            const QFontMetrics metrics(label->font());
            for (const QString& sentence : label->text().split(u'\n')) {
                const int width = metrics.horizontalAdvance(sentence);
                if (sentence.size() < 40 && width < m_screen.width() - kRoomAroundText
                    && label->contentsRect().width() < width)
                    m_problems.append(where + QStringLiteral("wrapped ") + sentence);
            }
        }
    }

    static bool InsideScrollArea(const QWidget* w)
    {
        for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (qobject_cast<const QScrollArea*>(p))
                return true;
        return false;
    }

    void Keep(const QImage& image, const QString& kind)
    {
        const int n = ++m_count[kind];
        const QString file = m_name + kind + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        const QString path = ScreenshotFolder() + u'/' + file + QStringLiteral(".png");
        image.save(path);
        m_shots.push_back({path, image});
    }

    QString m_name = QStringLiteral("dialog");
    std::map<QString, int> m_count;
    bool m_confirm = false;
    QWidget* m_window = nullptr;
    QSize m_fit;
    std::vector<Shot> m_shots;
    QRect m_screen;
    QStringList m_problems;
    // A box's margins and frame: a sentence wider than the screen less
    // these may wrap.
    static constexpr int kRoomAroundText = 60;
};

using RenderingEditor = BasicGuiEditor<RenderingUi>;

const QString kSample = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<TITLE>サンプル</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "<H1>見出し</H1>\r\n<P>本文の段落です。abc def abc</P>\r\n"
    "<IMG SRC=\"a.gif\" WIDTH=\"10\" HEIGHT=\"10\">\r\n</BODY>\r\n</HTML>\r\n");

// A picture with only a handful of colours shows nothing.
constexpr int kMinimumColors = 8;

void VerifyShots(const std::vector<RenderingUi::Shot>& shots, size_t from)
{
    for (size_t i = from; i < shots.size(); ++i)
        QVERIFY2(DistinctColors(shots[i].image) >= kMinimumColors, qPrintable(shots[i].path));
}

} // namespace

class TestScreenshots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mainWindow_data()
    {
        QTest::addColumn<MenuLayout>("layout");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("name");
        QTest::newRow("landscape") << MenuLayout::Landscape << QSize(800, 520)
                                   << "main-landscape";
        QTest::newRow("portrait") << MenuLayout::Portrait << QSize(360, 640) << "main-portrait";
    }
    void mainWindow()
    {
        QFETCH(MenuLayout, layout);
        QFETCH(QSize, size);
        QFETCH(QString, name);
        GuiEditor g(layout);
        g.Edit().Buffer().SetText(kSample);
        g.Edit().Buffer().SetSel(112, 118);
        g.Frame().resize(size);
        g.Frame().UpdateCommandStates();
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        const QImage picture = g.Frame().grab().toImage();
        QVERIFY(picture.save(ScreenshotFolder() + u'/' + name + QStringLiteral(".png")));
        QVERIFY(DistinctColors(picture) >= kMinimumColors);
        QVERIFY(g.Frame().width() <= size.width());
    }

    // The dialogs of the application shell, each under its own name.
    void namedDialogs_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("find") << cmd::EditFind << "find";
        QTest::newRow("go to line") << cmd::GoToLine << "goto-line";
        QTest::newRow("font") << cmd::FontSettings << "font";
        QTest::newRow("settings") << cmd::GeneralSettings << "settings";
        QTest::newRow("character code") << cmd::CharCode << "char-code";
    }
    void namedDialogs()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        RenderingEditor g;
        g.Frame().show();
        g.Ui().SetWindow(&g.Frame());
        g.Ui().SetName(name);
        g.Edit().Buffer().SetText(kSample);
        QVERIFY(g.App().Commands().Run(id));
        QCOMPARE(g.Ui().Shots().size(), size_t(1));
        VerifyShots(g.Ui().Shots(), 0);
    }

    // The customization dialogs, with some entries in their lists; "input"
    // rows press 追加 and picture the entry dialog as well.
    void customDialogs_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("input");
        QTest::newRow("keys") << 32936 << "key-customize" << false;
        QTest::newRow("tags") << int(cmd::RegisteredTagEdit) << "tag-list" << true;
        QTest::newRow("tools") << int(cmd::RegisteredToolEdit) << "tool-list" << true;
        QTest::newRow("templates") << 32930 << "templates" << true;
        QTest::newRow("components") << 32929 << "components" << false;
    }
    void customDialogs()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(bool, input);
        RenderingEditor g(MenuLayout::Landscape, false);
        platform::SettingsStore& s = g.Settings();
        s.WriteInt("TagMenu", "TagNo", 2);
        s.WriteString("TagMenu", "Name00", "太字");
        s.WriteString("TagMenu", "Tag100", "<B>");
        s.WriteString("TagMenu", "Tag200", "</B>");
        s.WriteString("TagMenu", "Tag101", "<DIV CLASS=\"note\">");
        s.WriteString("TagMenu", "Tag201", "</DIV>");
        s.WriteInt("Tool", "Count", 1);
        s.WriteString("Tool", "Name00", "画像ビューア");
        s.WriteString("Tool", "File00", "/usr/bin/eog %");
        for (const char* section : {"Template", "DirMenu"}) {
            s.WriteInt(section, "DirNo", 2);
            s.WriteString(section, "Name00", "標準のページ");
            s.WriteString(section, "Dir00", "/usr/share/kelvopad/templates/basic.htm");
            s.WriteString(section, "Name01", "記事のページ");
            s.WriteString(section, "Dir01", "/usr/share/kelvopad/templates/article.htm");
        }
        g.Build(MenuLayout::Landscape);
        g.Ui().SetName(name);
        if (input) {
            g.Ui().SetConfirmForms(true);
            g.Ui().QueueField(QStringLiteral("追加"), QString());
            g.Ui().QueueAnswer(Ui::Answer::Cancel);  // the entry dialog
            g.Ui().QueueAnswer(Ui::Answer::Cancel);  // the list dialog
        }
        QVERIFY(g.App().Commands().Run(id));
        QCOMPARE(g.Ui().Shots().size(), size_t(input ? 2 : 1));
        VerifyShots(g.Ui().Shots(), 0);
    }

    // Replace: the dialog, then the question across the top of the window.
    void replaceAndQuestion()
    {
        RenderingEditor g;
        g.Frame().resize(640, 480);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        g.Ui().SetWindow(&g.Frame());
        g.Ui().SetName(QStringLiteral("replace"));
        g.Ui().SetConfirmForms(true);
        g.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("abc"));
        g.Ui().QueueField(QStringLiteral("置換語"), QStringLiteral("xyz"));
        g.Edit().Buffer().SetText(kSample);
        QVERIFY(g.App().Commands().Run(cmd::EditReplace));
        QCOMPARE(g.Ui().Shots().size(), size_t(2));
        QVERIFY(g.Ui().Shots()[1].path.endsWith(QStringLiteral("/replace-question.png")));
        QCOMPARE(g.Ui().Texts(QStringLiteral("question")),
                 QStringList{QStringLiteral("置換しますか？")});
        VerifyShots(g.Ui().Shots(), 0);
    }

    // The question before a save in a code that cannot hold the text,
    // and the status bar of a page with undecodable bytes, at 360 px.
    void unencodableQuestion()
    {
        RenderingEditor g(MenuLayout::Portrait);
        g.Frame().resize(360, 640);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        g.Ui().SetWindow(&g.Frame());
        g.Ui().SetName(QStringLiteral("unencodable"));
        const QByteArray page = "<meta charset=\"euc-jp\">\r\n<P>\xf0\x9f\x8d\xba \xf0\xa0\xae\xb7 \x80</P>\r\n"
                                + QStringLiteral("<P>日本語のページです。</P>\r\n").repeated(3).toUtf8();
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile("u.html", page)));
        QCOMPARE(g.Doc().GetCodeKind(), CodeKind::Utf8);
        g.Frame().UpdateCommandStates();
        QApplication::processEvents();
        g.Frame().grab().save(ScreenshotFolder() + QStringLiteral("/main-undecodable.png"));
        g.Doc().SetCodeKind(CodeKind::ShiftJis);
        QVERIFY(!g.Doc().OnSaveDocument(g.Path("out.html")));
        // The note on opening, then the question before the save.
        QCOMPARE(g.Ui().Shots().size(), size_t(2));
        QVERIFY(g.Ui().Shots()[1].path.endsWith(QStringLiteral("/unencodable-question.png")));
        VerifyShots(g.Ui().Shots(), 0);
    }

    // The all-attributes editor and, from its edit button, the box for one
    // attribute, on a phone's width.
    void tagAttributes()
    {
        RenderingEditor g;
        g.Ui().SetName(QStringLiteral("tag-attributes"));
        g.Ui().SetConfirmForms(true);
        g.Ui().SetFitSize(QSize(360, 640));
        g.Ui().QueueField(QStringLiteral("属性"), QStringLiteral("ALIGN"));
        g.Ui().QueueField(QStringLiteral("編集"), QString());
        CTagTables tables;
        const QString data = QDir::cleanPath(QStringLiteral(KELVO_TEST_DATA_DIR "/../../data/"));
        QCOMPARE(tables.Load(data + u'/' + CTagTables::kElementFile,
                             data + u'/' + CTagTables::kTagFile,
                             data + u'/' + CTagTables::kStyleFile),
                 3);
        CTagObj tag;
        tag.Parse(QStringLiteral("<IMG SRC=\"images/photo.jpg\" ALT=\"庭の写真\" WIDTH=\"120\" "
                                 "HEIGHT=\"80\" ALIGN=\"left\">"));
        CTagAttrDlg dlg(tag, &tables);
        QVERIFY(dlg.DoModal(g.Ui()));
        QCOMPARE(g.Ui().Shots().size(), size_t(2));
        QVERIFY(g.Ui().Shots()[1].path.endsWith(QStringLiteral("/tag-attributes-2.png")));
        for (const auto& shot : g.Ui().Shots())
            QVERIFY2(shot.fits, qPrintable(shot.path));
        VerifyShots(g.Ui().Shots(), 0);
    }

    void folderChooser()
    {
        RenderingEditor g;
        g.Ui().SetName(QStringLiteral("folder"));
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("site/images"));
        QDir(dir.path()).mkpath(QStringLiteral("site/css"));
        g.Ui().ChooseFolder(dir.filePath(QStringLiteral("site")));
        QCOMPARE(g.Ui().Shots().size(), size_t(1));
        VerifyShots(g.Ui().Shots(), 0);
    }

    void fontNameChooser()
    {
        RenderingEditor g;
        g.Ui().SetName(QStringLiteral("font-name"));
        FormModel form = CFontNameDlg(g.App()).Form(QString());
        g.Ui().RunForm(form);
        QCOMPARE(g.Ui().Shots().size(), size_t(1));
        VerifyShots(g.Ui().Shots(), 0);
    }

    // The program on a phone's screen: the window fills it, and every
    // dialog any command opens fits it (see RenderingUi::Check). The file
    // chooser, the font dialog, a message and the replace question are
    // pictured under their own names.
    void smallScreens_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("240x320") << QSize(240, 320);
        QTest::newRow("360x640") << QSize(360, 640);
    }
    void smallScreens()
    {
        QFETCH(QSize, size);
        QScreen* screen = ScreenOfSize(size);
        if (!screen)
            QSKIP("the platform has no screen of that size");
        const QString prefix =
            QStringLiteral("phone-%1x%2-").arg(size.width()).arg(size.height());
        RenderingEditor g(MenuLayout::Portrait);
        g.Frame().setScreen(screen);
        g.Frame().move(screen->availableGeometry().topLeft());
        g.Frame().RestoreWindowSize();
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        QCOMPARE(g.Frame().screen(), screen);
        QCOMPARE(g.Frame().frameGeometry().size(), screen->availableGeometry().size());
        g.Ui().SetWindow(&g.Frame());
        g.Ui().CheckAgainst(screen->geometry());

        g.Edit().Buffer().SetText(kSample);
        const std::pair<int, QString> named[] = {
            {cmd::FileOpen, QStringLiteral("file")},
            {cmd::FontSettings, QStringLiteral("font")},
            {cmd::EditFind, QStringLiteral("not-found")},
        };
        g.Ui().SetConfirmForms(true);
        g.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("見つからない語"));
        for (const auto& [id, name] : named) {
            g.Ui().SetName(prefix + name);
            g.App().Commands().Run(id);
        }
        g.Ui().SetName(prefix + QStringLiteral("replace"));
        g.Ui().QueueField(QStringLiteral("検索語"), QStringLiteral("abc"));
        g.Ui().QueueField(QStringLiteral("置換語"), QStringLiteral("xyz"));
        g.App().Commands().Run(cmd::EditReplace);
        QVERIFY(g.Ui().Texts(QStringLiteral("question")).contains(QStringLiteral("置換しますか？")));
        g.Ui().SetConfirmForms(false);

        for (int id : g.App().Commands().Ids()) {
            g.Edit().Buffer().SetText(kSample);
            g.Edit().Buffer().SetModified(false);
            g.Edit().Buffer().SetSel(80, 95);
            g.Ui().SetName(prefix + QStringLiteral("command-%1").arg(id));
            g.App().Commands().Run(id);
        }
        QVERIFY2(g.Ui().Problems().isEmpty(), qPrintable(g.Ui().Problems().join(u'\n')));
        VerifyShots(g.Ui().Shots(), 0);
    }

    // The link tools on a saved page whose links are long and partly
    // missing, at a desktop width and on a narrow portrait screen.
    void linkDialogs_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("link browser") << cmd::LinkBrowser << "link-browser";
        QTest::newRow("link check") << cmd::LinkCheck << "link-check";
        QTest::newRow("size information") << cmd::SizeInfo << "size-info";
    }
    void linkDialogs()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QTemporaryDir site;
        QDir(site.path()).mkpath(QStringLiteral("img"));
        QFile image(site.filePath(QStringLiteral("img/logo.gif")));
        QVERIFY(image.open(QIODevice::WriteOnly));
        image.write(QByteArray(2345, 'g'));
        image.close();
        QString page = QStringLiteral("<BODY>\r\n<IMG SRC=\"img/logo.gif\">\r\n"
                                      "<IMG SRC=\"http://example.com/banner.gif\">\r\n");
        for (const char* link : {"index.htm", "contents/chapter-one/section-two/details-of-the-parts.htm",
                                 "https://example.com/", "about.htm#top", "img/missing.gif",
                                 "archive/2024/12/日本語のページ.htm", "faq.htm?lang=ja"})
            page += QStringLiteral("<A HREF=\"%1\">リンク</A>\r\n").arg(QString::fromUtf8(link));
        for (const QSize& size : {QSize(640, 480), QSize(360, 640)}) {
            RenderingEditor g;
            g.Frame().resize(size);
            g.Frame().show();
            g.Ui().SetWindow(&g.Frame());
            g.Ui().SetName(name + (size.width() < 400 ? QStringLiteral("-narrow") : QString()));
            g.Edit().Buffer().SetText(page);
            g.Doc().SetPathName(site.filePath(QStringLiteral("index.htm")), false);
            QVERIFY(g.App().Commands().Run(id));
            QCOMPARE(g.Ui().Shots().size(), size_t(1));
            VerifyShots(g.Ui().Shots(), 0);
            QVERIFY(g.Ui().Shots()[0].image.width() <= size.width());
        }
    }

    // Every registered command, run on the desktop program with a document
    // and a selection: whatever form or question it shows is pictured and
    // must show something.
    void everyCommand()
    {
        RenderingEditor g;
        g.Frame().resize(640, 480);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        g.Ui().SetWindow(&g.Frame());
        size_t checked = 0;
        for (int id : g.App().Commands().Ids()) {
            g.Edit().Buffer().SetText(kSample);
            g.Edit().Buffer().SetModified(false);
            g.Edit().Buffer().SetSel(80, 95);
            g.Ui().SetName(QStringLiteral("command-%1").arg(id));
            g.App().Commands().Run(id);
            VerifyShots(g.Ui().Shots(), checked);
            checked = g.Ui().Shots().size();
        }
        QVERIFY(checked > 5);
    }
};
KELVO_TEST(TestScreenshots, "Screenshots");
#include "tst_Screenshots.moc"
