#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestCheckTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Our own checks in the compilers' format, in a folder named in CP932
    // bytes: the declared code against the code the page is saved in (a
    // page of ASCII alone reads right in any), a missing picture, pictures
    // shown at another size than their file's, one of them through the
    // folder's name in kanji.
    void check()
    {
        QTemporaryDir dir;
        const QByteArray site = QFile::encodeName(dir.path()) + "/\x83\x54\x83\x43\x83\x67";
        QCOMPARE(::mkdir(site.constData(), 0755), 0);
        const QString folder = platform::DecodePath(site);
        auto write = [&folder](const char* name, const QByteArray& bytes) {
            QCOMPARE(platform::WriteFileSafely(folder + u'/' + QLatin1String(name), bytes),
                     platform::FileError::None);
        };
        const QByteArray head = "<!DOCTYPE html>\n<html><head><title>t</title><meta charset=";
        write("euc.html", head + "\"EUC-JP\"></head><body>\n<img src=none.gif alt=\x93\xfa>\n</html>\n");
        write("sjis.html", head + "Shift_JIS></head><body>\n<img src=a.gif alt=\x93\xfa width=4 height=2>"
                                  "<img alt=x src=a.gif width=4 height=4>"
                                  "<img src=\"../\x83\x54\x83\x43\x83\x67/a.gif\" alt=x width=4 height=4>\n</html>\n");
        write("ascii.html", head + "EUC-JP></head><body>\n<img src=a.gif alt=x>\n</html>\n");
        write("a.gif", QByteArray("GIF89a") + QByteArray::fromHex("02000100"));
        const ToolResult r = RunTool({"check", dir.path()});
        const QString euc = dir.path() + u"/サイト/euc.html"_qs;
        const QString sjis = dir.path() + u"/サイト/sjis.html"_qs;
        QCOMPARE(r.Lines(),
                 (QStringList{euc + u":2:35: error: 文字コードの宣言は EUC ですが、シフトJIS で保存されています"_qs,
                              euc + u":3:10: error: リンク先 none.gif が見つかりません"_qs,
                              sjis + u":3:1: hint: 画像 a.gif の大きさは 2×1 ですが、4×2 に拡大・縮小して表示します"_qs,
                              sjis + u":3:39: warning: 画像 a.gif の大きさは 2×1 ですが、縦横の比を変えて 4×4 で表示します"_qs,
                              sjis + u":3:77: warning: <img> の URL に %XX で書くべき文字があります"_qs,
                              sjis + u":3:77: warning: 画像 ../サイト/a.gif の大きさは 2×1 ですが、縦横の比を変えて 4×4 で表示します"_qs}));
        QCOMPARE(r.status, 1);
    }

    // A folder is walked for pages; what is no page or cannot be read is
    // said on the error output.
    void checkFolderAndFailures()
    {
        QTemporaryDir dir;
        WriteBytes(dir.filePath("a.html"), "<!DOCTYPE html><title>t</title><body><p>x");
        WriteBytes(dir.filePath("b.htm"), "<!DOCTYPE html><title>t</title><body><foo>");
        WriteBytes(dir.filePath("c.css"), "p {}");
        const ToolResult folder = RunTool({"check", dir.path()});
        QCOMPARE(folder.Lines(), (QStringList{dir.filePath("b.htm:1:38: error: <foo> は HTML の要素ではありません"),
                                              dir.filePath("b.htm:1:38: warning: ここには書けない <foo> があります")}));
        QCOMPARE(folder.status, 1);
        // Hints and warnings alone do not fail.
        QCOMPARE(RunTool({"check", dir.filePath("a.html")}).status, 0);
        const ToolResult files = RunTool({"check", dir.filePath("c.css"), dir.filePath("none.html")});
        QCOMPARE(files.err.count(u'\n'), 2);
        QCOMPARE(files.status, 1);
        QCOMPARE(RunTool({"check"}).status, 2);
    }
};

KELVO_TEST(TestCheckTool, "CheckTool");
#include "tst_CheckTool.moc"
