#include "TestRegistry.h"

#include "core/app/FileChooserModel.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Kind = FileChooserModel::Choice::Kind;

const QByteArray kShownCp932 = "\x95\x5c\x8e\xa6.html";  // 表示.html
const QByteArray kFolderCp932 = "\x8e\x91\x97\xbf";      // 資料
const QByteArray kNeither = "\xff\xfe.txt";               // neither UTF-8 nor CP932

// A folder as a Windows archive and a web site leave it, names by their
// bytes.
class Folder {
public:
    Folder()
    {
        for (const QByteArray& name : {QByteArray("README"), QByteArray("README.html"),
                                       QByteArray("LICENSE"), QByteArray("notes.html"),
                                       QByteArray("PAGE.HTM"), QByteArray(".hidden.html"),
                                       QByteArray("style.css"), kShownCp932, kNeither,
                                       QByteArray("p10.html"), QByteArray("p2.html"), QByteArray("p02.html"),
                                       QByteArray("sub/inner.html")}) {
            if (name.contains('/'))
                ::mkdir(Native(name.left(name.indexOf('/'))).constData(), 0755);
            const int fd = ::open(Native(name).constData(), O_WRONLY | O_CREAT, 0644);
            ::close(fd);
        }
        ::mkdir(Native(kFolderCp932).constData(), 0755);
        // A link to a folder is a folder; a broken one is nothing to open.
        [[maybe_unused]] const int linked = ::symlink("sub", Native("link").constData());
        [[maybe_unused]] const int broken = ::symlink("nowhere", Native("broken.html").constData());
    }
    // QTemporaryDir would not find the names that are not UTF-8.
    ~Folder()
    {
        for (const auto& e : std::filesystem::directory_iterator(m_dir.path().toStdString()))
            std::filesystem::remove_all(e.path());
    }
    QByteArray Native(const QByteArray& name) const
    {
        return QFile::encodeName(m_dir.path()) + '/' + name;
    }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

Ui::FileDialog Dialog(const QString& folder, bool save)
{
    Ui::FileDialog d;
    d.save = save;
    d.defaultExtension = QStringLiteral("html");
    d.initialFolder = folder;
    d.fileMustExist = !save;
    d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html;*.shtml|ｽﾀｲﾙｼｰﾄ(*.css) |*.css|"
                              "全てのﾌｧｲﾙ(*.*) |*.*||");
    return d;
}

QStringList Shown(const FileChooserModel& m)
{
    QStringList shown;
    for (const FileChooserModel::Entry& e : m.Visible())
        shown.append(e.folder ? e.shown + u'/' : e.shown);
    return shown;
}

} // namespace

class TestFileChooserModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the list shows: folders first, then the files of the type by
    // name, letter case ignored and numbers by value; CP932 names as their text, other
    // bytes as escapes; dot names only while the typed name starts with ".".
    void listing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("patterns");  // typed patterns, "" for the type's
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        const QStringList folders{"link/", "sub/", "資料/"};
        QTest::newRow("pages, any letter case")
            << 0 << "" << "" << folders + QStringList{"notes.html", "p02.html", "p2.html", "p10.html", "PAGE.HTM", "README.html", "表示.html"};
        QTest::newRow("every file")
            << 2 << "" << "" << folders + QStringList{"\\xFF\\xFE.txt", "LICENSE", "notes.html", "p02.html", "p2.html", "p10.html", "PAGE.HTM", "README",
                                                     "README.html", "style.css", "表示.html"};
        QTest::newRow("a dot shows hidden names")
            << 0 << "" << "." << folders + QStringList{".hidden.html", "notes.html", "p02.html", "p2.html", "p10.html", "PAGE.HTM", "README.html", "表示.html"};
        QTest::newRow("typed patterns")
            << 0 << "*.css *.TXT" << "" << folders + QStringList{"\\xFF\\xFE.txt", "style.css"};
        QTest::newRow("typed pattern with a wildcard after its star") << 0 << "*.c?s" << "" << folders + QStringList{"style.css"};
    }
    void listing()
    {
        QFETCH(int, type);
        QFETCH(QString, patterns);
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        Folder f;
        FileChooserModel m(Dialog(f.Path(), false));
        m.SetTypeIndex(type);
        if (!patterns.isEmpty())
            m.SetPatterns(patterns);
        m.SetTypedName(typed);
        QCOMPARE(Shown(m), shown);
    }

    // What a typed name (or the selected entry) chooses: a name shown as
    // CP932 text gives its bytes back; an open takes an existing name as
    // typed before completing it; a save always has an extension.
    void resolve_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QByteArray>("initialName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("current");  // the entry selected, shown name
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("path");  // below the folder, as bytes
        QTest::addColumn<bool>("exists");
        const int file = int(Kind::File), folder = int(Kind::Folder);
        const QByteArray none;
        QTest::newRow("CP932 name typed as shown") << false << none << "表示.html" << "" << file << kShownCp932 << true;
        QTest::newRow("CP932 name completed") << false << none << "表示" << "" << file << kShownCp932 << true;
        QTest::newRow("CP932 entry selected") << false << none << "" << "表示.html" << file << kShownCp932 << true;
        QTest::newRow("escaped entry selected") << false << none << "\\xFF\\xFE.txt" << "\\xFF\\xFE.txt" << file << kNeither << true;
        QTest::newRow("file without extension") << false << none << "LICENSE" << "" << file << QByteArray("LICENSE") << true;
        QTest::newRow("beside one with the extension") << false << none << "README" << "" << file << QByteArray("README") << true;
        QTest::newRow("completed") << false << none << "notes" << "" << file << QByteArray("notes.html") << true;
        QTest::newRow("missing") << false << none << "nothing" << "" << int(Kind::Missing) << QByteArray("nothing") << false;
        QTest::newRow("folder") << false << none << "sub" << "" << folder << QByteArray("sub") << true;
        QTest::newRow("CP932 folder") << false << none << "資料" << "" << folder << kFolderCp932 << true;
        QTest::newRow("into a folder") << false << none << "sub/inner" << "" << file << QByteArray("sub/inner.html") << true;
        QTest::newRow("up and back") << false << none << "sub/../notes.html" << "" << file << QByteArray("notes.html") << true;
        QTest::newRow("no such folder") << false << none << "nosuch/x.html" << "" << int(Kind::NoFolder) << QByteArray("nosuch") << false;
        QTest::newRow("patterns") << false << none << "*.css" << "" << int(Kind::Filter) << none << false;
        QTest::newRow("typed name wins over selection") << false << none << "LICENSE" << "表示.html" << file << QByteArray("LICENSE") << true;
        QTest::newRow("save adds the extension") << true << none << "new" << "" << file << QByteArray("new.html") << false;
        QTest::newRow("save keeps its own") << true << none << "new.txt" << "" << file << QByteArray("new.txt") << false;
        QTest::newRow("save dot name") << true << none << ".page" << "" << file << QByteArray(".page") << false;
        QTest::newRow("save over CP932 name") << true << none << "表示" << "" << file << kShownCp932 << true;
        QTest::newRow("save into a folder") << true << none << "sub" << "" << folder << QByteArray("sub") << true;
        QTest::newRow("save keeps the initial name's bytes")
            << true << QByteArray("\x82\xa0.html") << "あ.html" << "" << file << QByteArray("\x82\xa0.html") << false;
    }
    void resolve()
    {
        QFETCH(bool, save);
        QFETCH(QByteArray, initialName);
        QFETCH(QString, typed);
        QFETCH(QString, current);
        QFETCH(int, kind);
        QFETCH(QByteArray, path);
        QFETCH(bool, exists);
        Folder f;
        Ui::FileDialog d = Dialog(f.Path(), save);
        d.initialName = platform::DecodePath(initialName);
        FileChooserModel m(d);
        m.SetTypeIndex(2);
        int row = -1;
        for (size_t i = 0; i < m.Visible().size(); ++i)
            if (m.Visible()[i].shown == current)
                row = int(i);
        QCOMPARE(row >= 0, !current.isEmpty());
        const FileChooserModel::Choice c = m.Resolve(typed, row);
        QCOMPARE(int(c.kind), kind);
        if (kind == int(Kind::Filter))
            QCOMPARE(c.patterns, typed);
        else
            QCOMPARE(platform::EncodePath(c.path), f.Native(path));
        QCOMPARE(c.exists, exists);
    }

    // The types as the list of file types shows them.
    void typeNames_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("open dialog's filter")
            << "HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html;*.shtml|全てのﾌｧｲﾙ(*.*) |*.*||"
            << QStringList{"HTMLﾌｧｲﾙ (*.htm *.html *.shtml)", "全てのﾌｧｲﾙ (*)"};
        QTest::newRow("no closing bars") << "Text|*.txt" << QStringList{"Text (*.txt)"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("name without patterns") << "Perlﾌｧｲﾙ |*.pl|(x) |*.x||"
                                               << QStringList{"Perlﾌｧｲﾙ (*.pl)", "(x) (*.x)"};
    }
    void typeNames()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        Ui::FileDialog d;
        d.filter = filter;
        QCOMPARE(FileChooserModel(d).TypeNames(), expected);
    }

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none typed") << "/d/page" << "/d/page.html";
        QTest::newRow("own extension kept") << "/d/page.txt" << "/d/page.txt";
        QTest::newRow("dot in the folder only") << "/d.old/page" << "/d.old/page.html";
        QTest::newRow("hidden-file style name") << "/d/.page" << "/d/.page";
        QTest::newRow("nothing chosen") << "" << "";
    }
    void defaultExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FileChooserModel::WithDefaultExtension(path, QStringLiteral("html")), expected);
    }

    // A folder that is not there is never shown: the start falls back to
    // home, a move to it fails and leaves the folder shown; a new folder
    // takes one name only.
    void folders()
    {
        Folder f;
        FileChooserModel lost(Dialog(f.Path() + QStringLiteral("/gone"), false));
        QCOMPARE(lost.Folder(), QDir::homePath());
        QCOMPARE(FileChooserModel(Dialog(f.Path() + QStringLiteral("/./sub/.."), false)).Folder(), f.Path());
        FileChooserModel m(Dialog(f.Path(), true));
        QVERIFY(!m.SetFolder(f.Path() + QStringLiteral("/gone")));
        QCOMPARE(m.Folder(), f.Path());
        QVERIFY(!m.CreateFolder(QStringLiteral("a/b")));
        QVERIFY(!m.CreateFolder(QStringLiteral("sub")));
        const std::optional<QString> made = m.CreateFolder(QStringLiteral("新しいフォルダ"));
        QCOMPARE(made.value_or(QString()), f.Path() + QStringLiteral("/新しいフォルダ"));
        QVERIFY(Shown(m).contains(QStringLiteral("新しいフォルダ/")));
        QVERIFY(m.SetFolder(m.ParentFolder()));
        QCOMPARE(m.Folder(), QFileInfo(f.Path()).path());
        QVERIFY(m.SetFolder(QStringLiteral("/usr")));
        QCOMPARE(m.ParentFolder(), QStringLiteral("/"));
        QVERIFY(m.SetFolder(QStringLiteral("/")));
        QCOMPARE(m.ParentFolder(), QString());
    }
};

KELVO_TEST(TestFileChooserModel, "FileChooserModel");
#include "tst_FileChooserModel.moc"
