#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/HeadlessEditor.h"
#include "core/app/MenuData.h"
#include "core/app/ScriptedUi.h"
#include "core/app/UiText.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <functional>
#include <map>
#include <set>

// The English interface: every text of the sources has a finished English
// translation that keeps its values and mnemonic, and under the English
// translation no Japanese reaches the screen through the seams where texts
// are shown.

namespace {

const QString kSourceRoot = QStringLiteral(KELVO_TEST_DATA_DIR "/../..");
const QString kQmFile = QStringLiteral(KELVO_BUILD_DIR "/src/translations/kelvopad_en.qm");

bool HasJapanese(const QString& text)
{
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

QStringList Arguments(const QString& text)
{
    static const QRegularExpression arg(QStringLiteral("%\\d"));
    QStringList found;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

int Mnemonics(QString text)
{
    text.remove(QStringLiteral("&&"));
    return static_cast<int>(text.count(u'&'));
}

// Records every text the headless editor would show, as the desktop
// program's seams receive it.
class CollectingUi : public ScriptedUi {
public:
    std::set<QString> shown;

    void Message(const QString& text, Icon icon) override
    {
        shown.insert(text);
        ScriptedUi::Message(text, icon);
    }
    Answer Ask(const Question& q) override
    {
        shown.insert(q.text);
        shown.insert(q.title);
        for (const Button& b : q.buttons)
            shown.insert(b.caption);
        return ScriptedUi::Ask(q);
    }
    std::optional<QString> Input(const QString& title, const QString& prompt,
                                 const QString& initial) override
    {
        shown.insert(title);
        shown.insert(prompt);
        return ScriptedUi::Input(title, prompt, initial);
    }
    std::optional<QString> ChooseFile(const FileDialog& d) override
    {
        shown.insert(d.title);
        InsertFilterNames(d.filter);
        return ScriptedUi::ChooseFile(d);
    }
    // A chooser shows a filter's names without their patterns, each
    // translated by itself when the whole filter has no translation.
    void InsertFilterNames(const QString& filter)
    {
        if (filter.isEmpty() || UiText(filter) != filter)
            return;
        static const QRegularExpression patterns(QStringLiteral("\\([^()]*\\*[^()]*\\)\\s*$"));
        for (const auto& [name, list] : ParseFilter(filter))
            shown.insert(QString(name).remove(patterns).trimmed());
    }
    Answer RunForm(FormModel& form) override
    {
        for (const QString& t : {form.title, form.okCaption, form.cancelCaption, form.backCaption})
            shown.insert(t);
        for (const FormField& f : form.fields) {
            for (const QString& t : {f.label, f.suffix, f.page})
                shown.insert(t);
            InsertFilterNames(f.fileFilter);
            if (f.kind == FieldKind::Label)
                shown.insert(f.text);
            if (f.kind == FieldKind::Choice || (f.kind == FieldKind::List && f.columns.isEmpty()))
                shown.insert(f.choices.begin(), f.choices.end());
            shown.insert(f.columns.begin(), f.columns.end());
        }
        return ScriptedUi::RunForm(form);
    }
};

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The sources' texts and the translation file agree (the script that
    // keeps the file up to date lists what is missing).
    void everySourceTextTranslated()
    {
        QProcess check;
        check.start(QStringLiteral("/usr/bin/python3"),
                    {kSourceRoot + QStringLiteral("/scripts/update-translations.py"),
                     QStringLiteral("--check")});
        QVERIFY(check.waitForFinished(60000));
        QVERIFY2(check.exitCode() == 0,
                 qPrintable(QStringLiteral("texts without an English translation (run "
                                           "scripts/update-translations.py, then translate them in "
                                           "translations/kelvopad_en.ts):\n")
                            + QString::fromUtf8(check.readAllStandardOutput())));
    }

    void translationKeepsValuesAndMnemonic_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QFile file(kSourceRoot + QStringLiteral("/translations/kelvopad_en.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                const bool vanished = xml.attributes().value(QStringLiteral("type")) == u"vanished";
                const QString translation = xml.readElementText();
                if (!vanished)
                    QTest::newRow(qPrintable(source.left(40))) << source << translation;
            }
        }
        QVERIFY(!xml.hasError());
    }
    void translationKeepsValuesAndMnemonic()
    {
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QCOMPARE(Arguments(translation), Arguments(source));
        QCOMPARE(Mnemonics(translation), Mnemonics(source));
        // Japanese left in a translation is a text nobody translated; a
        // text kept as it is (a font's name) is meant to be.
        if (translation != source)
            QVERIFY2(!HasJapanese(translation), qPrintable(translation));
    }

    // Alt and a letter reach one item: in every menu of both layouts, in
    // both languages, no two items share a mnemonic.
    void mnemonicsUniqueAmongSiblings_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("layout");
        for (bool english : {false, true})
            for (MenuLayout layout : {MenuLayout::Landscape, MenuLayout::Portrait})
                QTest::addRow("%s %s", english ? "English" : "Japanese",
                              layout == MenuLayout::Landscape ? "landscape" : "portrait")
                    << english << int(layout);
    }
    void mnemonicsUniqueAmongSiblings()
    {
        QFETCH(bool, english);
        QFETCH(int, layout);
        QTranslator translator;
        QVERIFY(translator.load(kQmFile));
        if (english)
            QCoreApplication::installTranslator(&translator);
        const auto remove = qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
        QStringList clashes;
        std::function<void(const QString&, const std::vector<MenuItem>&)> walk =
            [&](const QString& where, const std::vector<MenuItem>& items) {
                std::map<QChar, QString> taken;
                for (const MenuItem& m : items) {
                    static const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
                    const QString caption = QString(m.caption).remove(QStringLiteral("&&"));
                    const QRegularExpressionMatch hit = mnemonic.match(caption);
                    if (hit.hasMatch()) {
                        const QChar key = hit.captured(1).at(0).toUpper();
                        if (taken.count(key))
                            clashes << where + QStringLiteral(": ") + taken[key] + QStringLiteral(" / ") + m.caption;
                        taken[key] = m.caption;
                    }
                    walk(where + u'>' + m.caption, m.children);
                }
            };
        walk(QString(), MainMenu(MenuLayout(layout)));
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
    }

    // Printing names the page in the header and in the file it proposes:
    // an untitled page by the interface's word for it, in the folder the
    // open chooser starts in; a saved page in its own folder.
    void printJobInEnglish()
    {
        QTranslator english;
        QVERIFY(english.load(kQmFile));
        QCoreApplication::installTranslator(&english);
        const auto remove = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });
        QTemporaryDir dir;
        platform::SettingsStore settings(dir.filePath(QStringLiteral("kelvo.ini")));
        ScriptedUi ui;
        HeadlessEditor editor(settings, ui);
        editor.App().NewDocument();
        QVERIFY(editor.Run(cmd::FilePrint));
        QCOMPARE(ui.LastPrintJob().name, QStringLiteral("Untitled"));
        QCOMPARE(ui.LastPrintJob().folder, editor.App().InitialFolder());
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("site"))));
        QFile page(dir.filePath(QStringLiteral("site/index.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly) && page.write("<P>") == 3);
        page.close();
        QVERIFY(editor.App().OpenDocumentFile(page.fileName()));
        QVERIFY(editor.Run(cmd::FilePrintPreview));
        QCOMPARE(ui.LastPrintJob().folder, dir.filePath(QStringLiteral("site")));
    }

    // Every command run headless on a page, with the English translation
    // installed: whatever reaches a seam comes out of it in English.
    void seamsShowEnglish()
    {
        QTranslator english;
        QVERIFY2(english.load(kQmFile), qPrintable(kQmFile));
        QCoreApplication::installTranslator(&english);
        const auto remove = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });

        QTemporaryDir dir;
        platform::SettingsStore settings(dir.filePath(QStringLiteral("kelvo.ini")));
        CollectingUi ui;
        HeadlessEditor editor(settings, ui);
        QFile page(dir.filePath(QStringLiteral("index.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<HTML>\r\n<HEAD><TITLE>Test</TITLE></HEAD>\r\n<BODY>\r\n"
                   "<P><A HREF=\"missing.htm\">link</A> <IMG SRC=\"a.gif\"></P>\r\n</BODY>\r\n</HTML>\r\n");
        page.close();
        QVERIFY(editor.App().OpenDocumentFile(page.fileName()));
        for (int id : editor.App().Commands().Ids()) {
            editor.Buffer().SetSel(40, 60);
            editor.Run(id);
        }
        std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
            for (const MenuItem& m : items) {
                ui.shown.insert(m.caption);
                if (m.kind == MenuItem::Kind::Command)
                    ui.shown.insert(CommandPrompt(m.id));
                walk(m.children);
            }
        };
        for (MenuLayout layout : {MenuLayout::Landscape, MenuLayout::Portrait})
            walk(MainMenu(layout));
        QVERIFY(ui.shown.size() > 300);
        // The manual in English too.
        QVERIFY(CKelvoApp::HelpFilePath().endsWith(QStringLiteral("help/index.en.html")));

        // A text kept in Japanese on purpose (a font's name) is translated
        // to itself.
        QStringList japanese;
        for (const QString& text : ui.shown)
            if (HasJapanese(UiText(text))
                && english.translate(kUiTextContext, text.toUtf8().constData()) != text)
                japanese.append(text);
        QVERIFY2(japanese.isEmpty(),
                 qPrintable(QStringLiteral("Japanese shown in English (a text completed with values "
                                           "needs UiText() before .arg(); see core/app/UiText.h):\n")
                            + japanese.join(u'\n')));
    }
};
KELVO_TEST(TestTranslations, "Translations");
#include "tst_Translations.moc"
