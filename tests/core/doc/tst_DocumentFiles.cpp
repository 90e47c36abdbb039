#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/custom/CKeycustTable.h"
#include "core/custom/TemplateText.h"
#include "core/doc/TextFileReader.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTest>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// A file of each kind that is not a readable regular file.
QString MakeSpecial(TestEditor& t, const QString& kind)
{
    const QString path = t.Path(kind);
    const QByteArray native = QFile::encodeName(path);
    if (kind == u"missing")
        return path;
    if (kind == u"unreadable") {
        t.MakeFile(kind, "secret");
        ::chmod(native.constData(), 0);
    } else if (kind == u"folder") {
        QDir().mkdir(path);
    } else if (kind == u"fifo") {
        ::mkfifo(native.constData(), 0644);
    } else if (kind == u"device") {
        // The zero device, as a node of the test's own (reads never end,
        // writes vanish): the machine's devices are never written. Only
        // root makes one (CI runs as root); empty for an ordinary user.
        if (!MakeZeroDevice(path))
            return geteuid() == 0 ? path : QString();
    } else if (kind == u"huge") {
        // Sparse: it takes no disk space.
        t.MakeFile(kind, "");
        [[maybe_unused]] const int r = ::truncate(native.constData(), (qint64(1) << 30) + 1);
    }
    return path;
}

QMap<QByteArray, QByteArray> Attributes(const QString& path)
{
    QMap<QByteArray, QByteArray> out;
    const QByteArray native = QFile::encodeName(path);
    char names[4096];
    const ssize_t size = ::listxattr(native.constData(), names, sizeof names);
    for (const char* n = names; size > 0 && n < names + size; n += strlen(n) + 1) {
        char value[4096];
        const ssize_t length = ::getxattr(native.constData(), n, value, sizeof value);
        out.insert(n, QByteArray(value, int(std::max<ssize_t>(length, 0))));
    }
    return out;
}

// page.html with these bytes, open in the editor; empty if it did not open.
QString OpenPage(TestEditor& t, const QByteArray& bytes)
{
    const QString path = t.MakeFile(QStringLiteral("page.html"), bytes);
    return t.App().OpenDocumentFile(path) ? path : QString();
}

// A time of its own for the file, so that another program's change is seen
// however coarse the file system's clock.
bool TouchLater(const QString& path)
{
    const struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0) == 0;
}

} // namespace

class TestDocumentFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file that cannot be opened is named by why; a FIFO or device is
    // never read (it would block or never end), and the document shown
    // stays. The program's own files (template, key file, tables) read
    // through the same door: a FIFO or an endless device gives nothing, at
    // once.
    void openRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");  // %1: the path
        QTest::newRow("missing") << "missing" << "ファイルが見つかりません";
        QTest::newRow("no read permission") << "unreadable" << "ファイルを読み込めません - %1";
        QTest::newRow("folder") << "folder" << "フォルダーは開けません - %1";
        QTest::newRow("fifo") << "fifo" << "通常のファイルではないので開けません - %1";
        QTest::newRow("device") << "device" << "通常のファイルではないので開けません - %1";
        QTest::newRow("past the size limit") << "huge" << "ファイルが大きすぎて開けません - %1";
    }
    void openRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("keep.html", "keep")));
        const QString path = MakeSpecial(t, kind);
        if (path.isEmpty())
            QSKIP("making a device node takes root");
        // The test's folder is private; the ordinary user may look into it.
        ::chmod(QFile::encodeName(t.Path("")).constData(), 0755);
        bool opened;
        {
            AsOrdinaryUser user;
            opened = t.App().OpenDocumentFile(path);
        }
        QVERIFY(!opened);
        QCOMPARE(t.Ui().Texts("message"), QStringList{QString(message).replace("%1", path)});
        QCOMPARE(t.Text(), QStringLiteral("keep"));
        QCOMPARE(t.Doc().GetPathName(), t.Path("keep.html"));
        if (kind == u"fifo" || kind == u"device") {
            QVERIFY(!ReadTemplateFile(path));
            CKeycustTable keys;
            QVERIFY(!keys.Load(path));
            TextFileReader reader;
            QVERIFY(!reader.Open(path, QStringLiteral("rt")));
        }
    }

    // Saving onto what is not a regular file: a FIFO or device is written
    // into and stays what it is; a folder is refused; nothing waits for a
    // reader that is not there. A file its owner made read-only stays as it
    // is, although its folder would take a new file; a writable file in a
    // read-only folder is written in place.
    void saveTargets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");  // empty: saved
        QTest::newRow("fifo with a reader") << "fifo" << "";
        QTest::newRow("fifo nobody reads") << "lonely fifo"
                                           << "読み出す相手のいないパイプには書き込めません - %1";
        QTest::newRow("device") << "device" << "";
        QTest::newRow("folder") << "folder" << "フォルダーには保存できません - %1";
        QTest::newRow("read-only file of one's own") << "read-only" << "保存ファイルが開けません - %1";
        QTest::newRow("file in a read-only folder") << "ro/page.html" << "";
    }
    void saveTargets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        TestEditor t;
        QString path = t.Path(kind);
        std::optional<AsOrdinaryUser> user;
        if (kind == u"read-only" || kind == u"ro/page.html") {
            const QString folder = kind == u"read-only" ? t.Path("") : t.Path("ro");
            QVERIFY(QDir().mkpath(folder) && WriteBytes(path, "mine"));
            // The user's own file in the user's own folder.
            QVERIFY(GiveToOrdinaryUser({t.Path(""), folder, path}));
            QCOMPARE(kind == u"read-only" ? ::chmod(QFile::encodeName(path).constData(), 0444)
                                          : ::chmod(QFile::encodeName(folder).constData(), 0555),
                     0);
            user.emplace();
        } else {
            path = MakeSpecial(t, kind == u"lonely fifo" ? QStringLiteral("fifo") : kind);
            if (path.isEmpty())
                QSKIP("making a device node takes root");
        }
        int reader = -1;
        if (kind == u"fifo")
            reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        t.SetText(QStringLiteral("<P>text</P>"));
        QCOMPARE(t.Doc().OnSaveDocument(path), message.isEmpty());
        QCOMPARE(t.Ui().Texts("message"), message.isEmpty() ? QStringList() : QStringList{message.arg(path)});
        if (reader >= 0) {
            char got[64] = {};
            QCOMPARE(::read(reader, got, sizeof got), ssize_t(11));
            QCOMPARE(QByteArray(got), QByteArray("<P>text</P>"));
            ::close(reader);
        }
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        if (kind.startsWith(u"r"))
            QCOMPARE(ReadBytes(path), message.isEmpty() ? QByteArray("<P>text</P>") : QByteArray("mine"));
    }

    // The replacement file has the old one's extended attributes and ACL.
    void saveKeepsAttributes()
    {
        TestEditor t;
        const QString path = t.MakeFile("a.html", "old");
        const QByteArray native = QFile::encodeName(path);
        QCOMPARE(::setxattr(native.constData(), "user.origin", "site", 4, 0), 0);
        QCOMPARE(QProcess::execute("setfacl", {"-m", "u:nobody:rw", path}), 0);
        const auto before = Attributes(path);
        QVERIFY(before.contains("system.posix_acl_access"));
        t.SetText(QStringLiteral("new"));
        QVERIFY(t.Doc().OnSaveDocument(path));
        QCOMPARE(ReadBytes(path), QByteArray("new"));
        QCOMPARE(Attributes(path), before);
    }

    // A name in CP932 bytes (from a Windows archive) is opened, saved and
    // remembered by its bytes, and shown as the CP932 text it is.
    void nameThatIsNotUtf8()
    {
        TestEditor t;
        const QByteArray native = QFile::encodeName(t.Path("")) + "/\x95\x5c\x8e\xa6.html";
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "<P>", 3), ssize_t(3));
        ::close(fd);
        const QString path = platform::DecodePath(native);
        QCOMPARE(platform::EncodePath(path), native);
        QVERIFY(t.App().OpenDocumentFile(path));
        QCOMPARE(t.Text(), QStringLiteral("<P>"));
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("表示 - Kelvopad"));
        t.SetText(QStringLiteral("new"));
        QVERIFY(t.Doc().OnSaveDocument(path));
        QCOMPARE(platform::ReadRegularFile(path, 100).bytes, QByteArray("new"));
        // The recent-file list keeps the bytes through the settings file.
        t.App().RecentFiles().Save(t.App());
        t.App().RecentFiles().Load(t.App());
        QCOMPARE(t.App().RecentFiles().Files().value(0), path);
        QVERIFY(t.App().RecentFiles().Caption(0, 200).endsWith(QStringLiteral("/表示.html")));
    }

    // Names in CP932 bytes given relative to the current folder, as typed in
    // a terminal, also when the current folder has such a name: the real
    // file is saved and remembered (never a new one named with U+FFFD), and
    // the program's own files go into the real folder too.
    void relativeNamesThatAreNotUtf8_data()
    {
        QTest::addColumn<QByteArray>("current");   // the current folder, in the test's folder
        QTest::addColumn<QByteArray>("relative");  // the file, from there
        QTest::newRow("file name") << QByteArray() << QByteArray("\x95\x5c\x8e\xa6.html");
        QTest::newRow("current folder's name") << QByteArray("\x93\xfa\x96\x7b") << QByteArray("a.html");
        QTest::newRow("folder on the way") << QByteArray() << QByteArray("\x93\xfa\x96\x7b/a.html");
    }
    void relativeNamesThatAreNotUtf8()
    {
        QFETCH(QByteArray, current);
        QFETCH(QByteArray, relative);
        TestEditor t;
        QByteArray folder = QFile::encodeName(t.Path(QStringLiteral("top")));
        QCOMPARE(::mkdir(folder.constData(), 0700), 0);
        if (!current.isEmpty())
            QCOMPARE(::mkdir((folder += '/' + current).constData(), 0700), 0);
        if (relative.contains('/'))
            QCOMPARE(::mkdir((folder + '/' + relative.left(relative.indexOf('/'))).constData(), 0700), 0);
        const QByteArray file = folder + '/' + relative;
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "<P>", 3), ssize_t(3));
        ::close(fd);
        char before[4096];
        QVERIFY(::getcwd(before, sizeof before));
        QCOMPARE(::chdir(folder.constData()), 0);
        const auto back = qScopeGuard([&] { QCOMPARE(::chdir(before), 0); });

        QVERIFY(t.App().OpenDocumentFile(platform::DecodePath(relative)));
        t.SetText(QStringLiteral("new"));
        QVERIFY(t.Doc().OnSaveDocument(t.Doc().GetPathName()));
        CKeycustTable keys;
        QVERIFY(keys.Save(QStringLiteral("keys/kelvo.key")));

        QCOMPARE(platform::ReadRegularFile(platform::DecodePath(file), 100).bytes, QByteArray("new"));
        QCOMPARE(platform::EncodePath(t.Doc().GetPathName()), file);
        QCOMPARE(platform::EncodePath(t.App().RecentFiles().Files().value(0)), file);
        QCOMPARE(platform::EncodePath(t.Settings().ReadString("System", "IniFile", QString())), file);
        QVERIFY(platform::IsRegularFile(platform::DecodePath(folder + "/keys/kelvo.key")));
    }

    // Another program changes or deletes the open file: an unchanged
    // document offers to read it again, a changed one is warned, a deleted
    // one counts as unsaved; a file only touched is no change, and each
    // change is reported once.
    void changedOnDisk_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");  // question or message, "" for none
        QTest::addColumn<QString>("text");    // the buffer afterwards
        // What the other program writes while the box is shown (the rest
        // of its save, or the file made again): told once all the same.
        QTest::addColumn<QByteArray>("meanwhile");

        const QString reload = "「page.html」は、ほかのプログラムによって変更されました。\n読み込み直しますか？";
        const QString warned = "「page.html」は、ほかのプログラムによって変更されました。\n"
                               "このまま保存すると、その変更は失われます。";
        const QString gone = "「page.html」は、ほかのプログラムによって削除されたか、名前が変わりました。\n"
                             "保存すると、このファイルを作り直します。";
        const int yes = int(Ui::Answer::Yes), no = int(Ui::Answer::No);
        const QByteArray none;
        QTest::newRow("unchanged text, reloaded") << false << "rewrite" << yes << reload << "theirs!" << none;
        QTest::newRow("unchanged text, kept") << false << "rewrite" << no << reload << "mine" << none;
        QTest::newRow("changed text is warned") << true << "rewrite" << yes << warned << "mine+" << none;
        QTest::newRow("only touched") << false << "touch" << yes << "" << "mine" << none;
        QTest::newRow("deleted") << false << "delete" << yes << gone << "mine" << none;
        QTest::newRow("deleted with changes") << true << "delete" << yes << gone << "mine+" << none;
        QTest::newRow("kept while the save goes on") << false << "rewrite" << no << reload << "mine"
                                                     << QByteArray("theirs!!");
        QTest::newRow("reloaded after the save went on") << false << "rewrite" << yes << reload
                                                         << "theirs!!" << QByteArray("theirs!!");
        QTest::newRow("warned while the save goes on") << true << "rewrite" << yes << warned << "mine+"
                                                       << QByteArray("theirs!!");
        QTest::newRow("deleted, then made again") << false << "delete" << yes << gone << "mine"
                                                  << QByteArray("mine");
    }
    void changedOnDisk()
    {
        QFETCH(bool, modified);
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(QString, text);
        QFETCH(QByteArray, meanwhile);
        TestEditor t;
        const QString path = OpenPage(t, "mine");
        QVERIFY(!path.isEmpty());
        if (modified) {
            t.Buffer().SetSel(4, 4);
            t.Buffer().ReplaceSel(QStringLiteral("+"));
        }
        if (change == u"rewrite")
            QVERIFY(WriteBytes(path, "theirs!"));
        if (change == u"delete")
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(TouchLater(path));
        t.Ui().QueueAnswer(Ui::Answer(answer));
        if (!meanwhile.isEmpty())
            t.Ui().whileShown = [&] { QVERIFY(WriteBytes(path, meanwhile)); };
        t.Doc().CheckDiskChange();
        t.Doc().CheckDiskChange();
        const QStringList told = t.Ui().Texts("question") + t.Ui().Texts("message");
        QCOMPARE(told, asked.isEmpty() ? QStringList() : QStringList{asked});
        QCOMPARE(t.Text(), text);
        QCOMPARE(t.Doc().IsModified(), modified || change == u"delete");
    }

    // Saving over the file another program changed since it was read asks
    // first; no keeps their text, and a save after one's own save asks
    // nothing.
    void saveOverChangedFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("overwrite") << int(Ui::Answer::Yes) << QByteArray("mine+");
        QTest::newRow("keep theirs") << int(Ui::Answer::No) << QByteArray("theirs!");
    }
    void saveOverChangedFile()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, file);
        TestEditor t;
        const QString path = OpenPage(t, "mine");
        QVERIFY(!path.isEmpty());
        t.Buffer().SetSel(4, 4);
        t.Buffer().ReplaceSel(QStringLiteral("+"));
        QVERIFY(t.Doc().OnSaveDocument(path));
        QVERIFY(WriteBytes(path, "theirs!"));
        t.Ui().QueueAnswer(Ui::Answer(answer));
        QCOMPARE(t.Doc().OnSaveDocument(path), answer == int(Ui::Answer::Yes));
        QCOMPARE(t.Ui().Texts("question").size(), 1);
        QCOMPARE(ReadBytes(path), file);
    }

    // Read again after another program's change, the caret stays on its
    // line and column as far as the new text has them.
    void reloadKeepsTheCaret_data()
    {
        QTest::addColumn<QByteArray>("theirs");
        QTest::addColumn<int>("caret");  // the caret afterwards, from line 3 column 2
        QTest::newRow("line and column") << QByteArray("1\r\n2\r\nxyz") << 8;
        QTest::newRow("a shorter line: its end") << QByteArray("1\r\n2\r\nx") << 7;
        QTest::newRow("fewer lines: the last") << QByteArray("1\r\nabc") << 5;
    }
    void reloadKeepsTheCaret()
    {
        QFETCH(QByteArray, theirs);
        QFETCH(int, caret);
        TestEditor t;
        const QString path = OpenPage(t, "a\r\nb\r\ncdef");
        QVERIFY(!path.isEmpty());
        t.Buffer().SetSel(8, 8);
        QVERIFY(WriteBytes(path, theirs) && TouchLater(path));
        t.Ui().QueueAnswer(Ui::Answer::Yes);
        t.Doc().CheckDiskChange();
        int start = -1, end = -1;
        t.Buffer().GetSel(start, end);
        QCOMPARE(start, caret);
        QCOMPARE(end, caret);
    }
};

KELVO_TEST(TestDocumentFiles, "DocumentFiles");
#include "tst_DocumentFiles.moc"
