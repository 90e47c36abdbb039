#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "gui/FormDialog.h"
#include "gui/preview/PreviewArea.h"
#include "gui/preview/PreviewPane.h"

#include <QDir>
#include <QAction>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QTest>
#include <QTranslator>

// The pictures of the user manual, taken of the desktop program as a user
// sees it; scripts/update-manual-screenshots.sh copies them next to the
// manual. Every picture the manual shows must come out of this test.

namespace {

// Saves the first form a command shows under the name the next shot is
// due to have, and cancels it. The pictures go to the folder of the
// manual's language.
class ShootingUi : public ScriptedUi {
public:
    void Expect(const QString& name) { m_name = name; }
    QWidget* window = nullptr;
    static inline QString language;  // "" for Japanese, "en" for English

    Answer RunForm(FormModel& form) override
    {
        if (!m_name.isEmpty()) {
            FormDialog dialog(form, *this, window);
            dialog.show();
            QApplication::processEvents();
            Save(dialog.grab().toImage(), m_name);
            m_name.clear();
        }
        return Answer::Cancel;
    }

    static QString Folder()
    {
        const QString dir = ScreenshotFolder() + QStringLiteral("/manual")
                            + (language.isEmpty() ? QString() : u'/' + language);
        QDir().mkpath(dir);
        return dir;
    }
    static void Save(const QImage& image, const QString& name)
    {
        image.save(Folder() + u'/' + name + QStringLiteral(".png"));
    }

private:
    QString m_name;
};

const QString kPage = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
    "<TITLE>ようこそ</TITLE>\r\n<LINK REL=\"stylesheet\" HREF=\"style.css\">\r\n</HEAD>\r\n<BODY>\r\n"
    "<H1>ようこそ</H1>\r\n<P>このページは Kelvopad で作りました。</P>\r\n"
    "<IMG SRC=\"logo.gif\" WIDTH=\"120\" HEIGHT=\"40\" ALT=\"ロゴ\">\r\n"
    "<UL>\r\n<LI><A HREF=\"about.htm\">自己紹介</A>\r\n<LI><A HREF=\"diary.htm\">日記</A>\r\n</UL>\r\n"
    "</BODY>\r\n</HTML>\r\n");

// The images a manual shows ("screenshots/NAME.png" or, for the English
// one, "screenshots/en/NAME.png"), without the folder of its language.
QStringList ManualImages(const QString& language)
{
    QFile file(QStringLiteral(KELVO_TEST_DATA_DIR "/../../data/help/index%1.html")
                   .arg(language.isEmpty() ? QString() : u'.' + language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString html = QString::fromUtf8(file.readAll());
    QStringList names;
    const QRegularExpression src(
        QStringLiteral("src=\"screenshots/%1([^\"/]+)\\.png\"")
            .arg(language.isEmpty() ? QString() : language + u'/'));
    for (auto it = src.globalMatch(html); it.hasNext();)
        names.append(it.next().captured(1));
    return names;
}

} // namespace

class TestManualShots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictures_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Japanese") << "";
        QTest::newRow("English") << "en";
    }
    void pictures()
    {
        QFETCH(QString, language);
        QTranslator english;
        if (!language.isEmpty()) {
            QVERIFY(english.load(QStringLiteral(KELVO_BUILD_DIR "/src/translations/kelvopad_en.qm")));
            QCoreApplication::installTranslator(&english);
        }
        const auto remove = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });
        ShootingUi::language = language;
        QDir(ShootingUi::Folder()).removeRecursively();
        BasicGuiEditor<ShootingUi> g;
        g.Frame().resize(800, 560);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        g.Ui().window = &g.Frame();
        const QString page = g.MakeFile(QStringLiteral("index.htm"), kPage.toUtf8());
        QVERIFY(g.App().OpenDocumentFile(page));
        g.Edit().Buffer().SetSel(200, 200);
        QApplication::processEvents();
        ShootingUi::Save(g.Frame().grab().toImage(), QStringLiteral("main"));

        const std::pair<int, const char*> dialogs[] = {
            {cmd::EditFind, "find"},         {cmd::CharCode, "charcode"},
            {32788, "image"},                {33015, "style"},
            {32824, "table-wizard"},         {cmd::GeneralSettings, "settings"},
            {32963, "ftp-upload"},           {32936, "keys"},
            {cmd::PageCheck, "check"},
        };
        for (const auto& [id, name] : dialogs) {
            g.Ui().Expect(QString::fromLatin1(name));
            QVERIFY(g.App().Commands().Run(id));
        }

        // The preview beside the text on a laptop's screen, in its place on
        // a phone's; each taken once the page has been drawn.
        QImage logo(120, 40, QImage::Format_RGB32);
        logo.fill(QColor(0x33, 0x66, 0x99));
        logo.save(g.Path(QStringLiteral("logo.gif")), "PNG");  // the engine reads it by its bytes
        g.MakeFile(QStringLiteral("style.css"), "H1 { color: #036; border-bottom: 3px solid #69c }");
        auto* pane = g.Frame().findChild<PreviewPane*>();
        QSignalSpy updated(pane, &PreviewPane::Updated);
        g.Frame().ActionsFor(cmd::TogglePreview).first()->trigger();
        for (const auto& [size, name] : {std::pair(QSize(1280, 800), "preview"),
                                         std::pair(QSize(360, 640), "preview-narrow")}) {
            g.Frame().resize(size);
            QVERIFY(updated.count() > 0 || updated.wait(30000));
            const bool narrow = size.width() < PreviewArea::kNarrowWidth;
            QTRY_VERIFY(g.Edit().isVisible() != narrow && (pane->x() == 0) == narrow);
            QTRY_VERIFY_WITH_TIMEOUT(DistinctColors(pane->View()->grab().toImage()) >= 8, 30000);
            ShootingUi::Save(g.Frame().grab().toImage(), QString::fromLatin1(name));
        }
        g.Frame().ActionsFor(cmd::TogglePreview).first()->trigger();

        const QStringList wanted = ManualImages(language);
        QVERIFY(!wanted.isEmpty());
        for (const QString& name : wanted) {
            const QImage shot(ShootingUi::Folder() + u'/' + name + QStringLiteral(".png"));
            QVERIFY2(!shot.isNull(), qPrintable(name + QStringLiteral(" was not taken")));
            QVERIFY2(DistinctColors(shot) >= 8, qPrintable(name + QStringLiteral(" shows nothing")));
        }
    }
};
KELVO_TEST(TestManualShots, "ManualShots");
#include "tst_ManualShots.moc"
