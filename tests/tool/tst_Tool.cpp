#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

class TestTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detect()
    {
        QTemporaryDir dir;
        const QString sjis = dir.filePath("s.html");
        const QString euc = dir.filePath("e.html");
        const QString utf = dir.filePath("u.html");
        const QString empty = dir.filePath("x.txt");
        const QString damaged = dir.filePath("d.html");
        WriteBytes(damaged, "\x88\x9f\x80\x80<P>\r\n");
        WriteBytes(sjis, "\x88\x9f\r\n");
        WriteBytes(euc, "\xbb\xfa\xa4\xce\n");
        WriteBytes(utf, "\xe6\xbc\xa2\r");
        WriteBytes(empty, "");
        const ToolResult r = RunTool({"detect", sjis, euc, utf, empty, damaged});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), (QStringList{sjis + ": ShiftJis CrLf", euc + ": Euc Lf",
                                         utf + ": Utf8 Cr", empty + ": Ascii None",
                                         damaged + ": ShiftJis CrLf undecodable=2"}));
    }

    void detectMissingFile()
    {
        const ToolResult r = RunTool({"detect", "/nonexistent/a.html"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("/nonexistent/a.html"));
    }

    void convert_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("unchanged") << QStringList{} << QByteArray("\x88\x9f\n")
                                   << QByteArray("\x88\x9f\n");
        QTest::newRow("to euc") << QStringList{"--code", "Euc"} << QByteArray("\x88\x9f\n")
                                << QByteArray("\xb0\xa1\n");
        QTest::newRow("to jis crlf") << QStringList{"--code", "Jis", "--eol", "CrLf"}
                                     << QByteArray("\x88\x9f\n") << QByteArray("\x1b$B0!\x1b(B\r\n");
        QTest::newRow("utf-8 to sjis cr") << QStringList{"--code", "ShiftJis", "--eol", "Cr"}
                                          << QByteArray("\xe4\xba\x9c\r\n")
                                          << QByteArray("\x88\x9f\r");
        QTest::newRow("names ignore case") << QStringList{"--code", "utf8", "--eol", "lf"}
                                           << QByteArray("\x88\x9f\r\n")
                                           << QByteArray("\xe4\xba\x9c\n");
        QTest::newRow("declaration kept") << QStringList{"--code", "ShiftJis"}
                                          << QByteArray("<meta charset=\"UTF-8\">\xe4\xba\x9c\n")
                                          << QByteArray("<meta charset=\"UTF-8\">\x88\x9f\n");
        QTest::newRow("references, then the declaration")
            << QStringList{"--code", "ShiftJis", "--ncr", "--declare"}
            << QByteArray("<meta charset=utf-8><P>\xf0\x9f\x8d\xba\xe4\xba\x9c</P>\n")
            << QByteArray("<meta charset=shift_jis><P>&#x1F37A;\x88\x9f</P>\n");
    }
    void convert()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QTemporaryDir dir;
        WriteBytes(dir.filePath("in.html"), input);
        const ToolResult r = RunTool(QStringList{"convert"} + options
                                     + QStringList{dir.filePath("in.html"), dir.filePath("out.html")});
        QCOMPARE(r.status, 0);
        QCOMPARE(ReadBytes(dir.filePath("out.html")), output);
    }

    // A code that cannot hold every character: refused with the list, or
    // written with numeric references when asked for.
    void convertUnencodable_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");  // empty: no file
        QTest::newRow("refused") << QStringList{"--code", "ShiftJis"} << 1 << QByteArray();
        QTest::newRow("references") << QStringList{"--code", "ShiftJis", "--ncr"} << 0
                                    << QByteArray("<P>&#x1F37A;\x88\x9f</P>\n");
        QTest::newRow("nothing to refer to") << QStringList{"--ncr"} << 0
                                             << QByteArray("<P>\xf0\x9f\x8d\xba\xe4\xba\x9c</P>\n");
    }
    void convertUnencodable()
    {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        QTemporaryDir dir;
        WriteBytes(dir.filePath("in.html"), "<P>\xf0\x9f\x8d\xba\xe4\xba\x9c</P>\n");
        const ToolResult r = RunTool(QStringList{"convert"} + options
                                     + QStringList{dir.filePath("in.html"), dir.filePath("out.html")});
        QCOMPARE(r.status, status);
        QCOMPARE(QFile::exists(dir.filePath("out.html")), !output.isEmpty());
        if (!output.isEmpty())
            QCOMPARE(ReadBytes(dir.filePath("out.html")), output);
        else
            QVERIFY2(r.err.contains(QStringLiteral("message: シフトJIS では書けない文字が 1 個あります。\\n"
                                                   "  1 行 4 桁目: 🍺 (U+1F37A)")),
                     qPrintable(r.err));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown verb") << QStringList{"frobnicate"};
        QTest::newRow("convert unknown code") << QStringList{"convert", "--code", "Big5", "a", "b"};
        QTest::newRow("convert one file") << QStringList{"convert", "a"};
        QTest::newRow("exec without command") << QStringList{"exec", "FILE"};
        QTest::newRow("exec unknown command id") << QStringList{"exec", "--command", "1", "FILE"};
        QTest::newRow("exec bad id") << QStringList{"exec", "--command", "x", "FILE"};
        QTest::newRow("exec bad selection") << QStringList{"exec", "--select", "3", "--command",
                                                           "57603", "FILE"};
        QTest::newRow("exec bad answer") << QStringList{"exec", "--answer", "maybe", "--command",
                                                        "57603", "FILE"};
        QTest::newRow("exec bad setting") << QStringList{"exec", "--setting", "System=1",
                                                         "--command", "57603", "FILE"};
        QTest::newRow("exec unknown option") << QStringList{"exec", "--frob", "--command", "57603",
                                                            "FILE"};
        QTest::newRow("exec field nobody takes") << QStringList{"exec", "--field", "Nothing=1",
                                                                "--command", "57603", "FILE"};
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        WriteBytes(dir.filePath("f.html"), "<P>\r\n");
        for (QString& a : args)
            if (a == u"FILE")
                a = dir.filePath("f.html");
        const ToolResult r = RunTool(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.startsWith("kelvo-tool: "));
        // Nothing was written.
        QCOMPARE(ReadBytes(dir.filePath("f.html")), QByteArray("<P>\r\n"));
    }

    void execChangesCodeAndSaves()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.html");
        WriteBytes(in, "\x88\x9f\r\n");
        const ToolResult r = RunTool({"exec", "--field", "日本語コード=UTF-8", "--command", "32940",
                                      in, "-o", dir.filePath("out.html")});
        QCOMPARE(r.status, 0);
        QCOMPARE(ReadBytes(dir.filePath("out.html")), QByteArray("\xe4\xba\x9c\r\n"));
        QCOMPARE(ReadBytes(in), QByteArray("\x88\x9f\r\n"));
    }

    void execSavesInPlaceAndPrintsMessages()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.html");
        WriteBytes(in, "abc");
        // Save As into a folder that does not exist: the message is printed
        // and the in-place save at the end still writes the file.
        const ToolResult r = RunTool({"exec", "--input", dir.filePath("no/such/x.html"),
                                      "--command", "57604", in});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), QStringList{"message: 保存ファイルが開けません - " + dir.filePath("no/such/x.html")});
    }

    void execSettingsBeforeStartAndInConfigFolder()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.html");
        WriteBytes(in, "\x1b$B0!\x1b(B\n");
        // AutoCode is read when the document is made: a setting given
        // before the first command is in place by then.
        const ToolResult r = RunTool({"exec", "--config", dir.filePath("cfg"), "--setting",
                                      "System/AutoCode=0", "--field", "日本語コード=シフトJIS",
                                      "--command", "32940", in, "-o", dir.filePath("out.html")});
        QCOMPARE(r.status, 0);
        QCOMPARE(ReadBytes(dir.filePath("out.html")), QByteArray("\x1b$B0!\x1b(B\n"));
        QVERIFY(QFile::exists(dir.filePath("cfg/kelvo.ini")));
        QVERIFY(ReadBytes(dir.filePath("cfg/kelvo.ini")).contains("AutoCode=0"));
    }

    // A name in CP932 bytes (a Windows archive), relative, in a folder whose
    // name ends in 0x5C: the file itself is read and saved, no other is made.
    void execOnNamesThatAreNotUtf8()
    {
        QTemporaryDir dir;
        const QByteArray folder = dir.path().toUtf8() + "/\x95\x5c";
        const QByteArray file = folder + "/\x93\xfa\x96\x7b.htm";
        QCOMPARE(::mkdir(folder.constData(), 0700), 0);
        // QTemporaryDir cannot remove names that are not UTF-8.
        const auto cleanUp = qScopeGuard([&] { ::unlink(file.constData()); ::rmdir(folder.constData()); });
        std::ofstream(file.constData(), std::ios::binary) << "a\nb\n";
        // Through a shell, as typed: QProcess would pass the name as UTF-8.
        const char* typed = R"sh("$1" exec --config cfg --select 0:6 --command 32901 "$(printf '\225\134/\223\372\226{.htm')")sh";
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QString::fromLatin1(typed),
                 QStringLiteral("sh"), QStringLiteral(KELVO_TOOL_PATH)});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        std::ifstream saved(file.constData(), std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(saved), {}), std::string("a<BR>\nb<BR>\n"));
        const auto names = [](const QByteArray& path) {
            QList<QByteArray> found;
            if (DIR* d = ::opendir(path.constData())) {
                while (const dirent* e = ::readdir(d))
                    if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                        found << e->d_name;
                ::closedir(d);
            }
            std::sort(found.begin(), found.end());
            return found;
        };
        QCOMPARE(names(folder), QList<QByteArray>{"\x93\xfa\x96\x7b.htm"});
        QCOMPARE(names(dir.path().toUtf8()), (QList<QByteArray>{"cfg", "\x95\x5c"}));
    }

    void execMissingFile()
    {
        const ToolResult r = RunTool({"exec", "--command", "57603", "/nonexistent/x.html"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.Lines(), QStringList{"message: ファイルが見つかりません"});
    }
};

KELVO_TEST(TestTool, "Tool");
#include "tst_Tool.moc"
