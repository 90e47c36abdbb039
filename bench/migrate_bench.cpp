// A site of 500 Shift-JIS pages (about 20 KB each, with a style sheet and a
// script) moved to UTF-8 by "kelvo-tool migrate" in one process: planned
// and converted, every page's declaration rewritten, every file written
// through the safe-save layer. Target: under 3 s. Beside it the floor:
// glibc's iconv converting the same files in one process, writing one
// stream and nothing else (no detection, no declarations, no safe saves).
//
// usage: migrate_bench [--pages N] [--runs N]

#include "BenchRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <iconv.h>

namespace {

QByteArray ToSjis(const QString& text)
{
    const QByteArray in = text.toUtf8();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    QByteArray out(in.size() * 2 + 16, '\0');
    char* ip = const_cast<char*>(in.constData());
    char* op = out.data();
    size_t il = size_t(in.size()), ol = size_t(out.size());
    iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(ol));
    return out;
}

// The site's files, for the floor's command line.
QStringList MakeSite(const QString& root, int pages)
{
    QStringList files;
    QDir().mkpath(root + QStringLiteral("/pages"));
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(root + u'/' + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        files.append(f.fileName());
    };
    write(QStringLiteral("site.css"), ToSjis(QStringLiteral("@charset \"Shift_JIS\";\r\nh1:before{content:\"見出し\"}\r\n")));
    write(QStringLiteral("site.js"), ToSjis(QStringLiteral("var 挨拶 = 'こんにちは';\r\n")));
    const QString paragraph = QStringLiteral(
        "<p>日本語のウェブサイトは、長いあいだシフトJISやEUC-JPで書かれてきました。"
        "今日のサーバやブラウザはUTF-8を前提にしています。<a href=\"p%1.html\">次へ</a></p>\r\n");
    for (int p = 0; p < pages; ++p) {
        QString page = QStringLiteral(
            "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
            "<link rel=\"stylesheet\" href=\"../site.css\" charset=\"Shift_JIS\">\r\n"
            "<script src=\"../site.js\" charset=\"Shift_JIS\"></script>\r\n<title>%1 ページ</title>\r\n"
            "</head>\r\n<body>\r\n").arg(p);
        for (int i = 0; i < 80; ++i)
            page += paragraph.arg((p + i) % pages);
        page += QStringLiteral("</body>\r\n</html>\r\n");
        write(QStringLiteral("pages/p%1.html").arg(p), ToSjis(page));
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int pages = 500, runs = 3;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--pages")
            pages = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
    QTemporaryDir dir;
    // A fresh Shift-JIS site for each run, made before the clock starts.
    double migrate = 1e9;
    QStringList files;
    for (int run = 0; run < runs && migrate >= 0; ++run) {
        const QString root = dir.filePath(QStringLiteral("site%1").arg(run));
        files = MakeSite(root, pages);
        QProcess tool;
        QElapsedTimer clock;
        clock.start();
        tool.start(QStringLiteral(KELVO_TOOL_PATH), {QStringLiteral("migrate"), root});
        const bool ok = tool.waitForFinished(-1) && tool.exitCode() == 0
                        && tool.readAllStandardOutput().count("convert ") == pages + 2;
        migrate = ok ? std::min(migrate, clock.nsecsElapsed() / 1e9) : -1;
    }
    qint64 bytes = 0;
    const QStringList floorFiles = MakeSite(dir.filePath(QStringLiteral("floor")), pages);
    for (const QString& f : floorFiles)
        bytes += QFileInfo(f).size();
    const double floor = Best(runs, [&] {
        QProcess iconvTool;
        iconvTool.setStandardOutputFile(QProcess::nullDevice());
        iconvTool.start(QStringLiteral("iconv"),
                        QStringList{QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"),
                                    QStringLiteral("UTF-8")}
                            + floorFiles);
        return iconvTool.waitForFinished(-1) && iconvTool.exitCode() == 0;
    });
    std::printf("site of %d pages, %.1f MB in %lld files\n", pages, bytes / 1e6, qlonglong(files.size()));
    std::printf("kelvo-tool migrate (plan and run): %7.3f s (target < 3 s)\n", migrate);
    std::printf("iconv over the same files:         %7.3f s (floor)\n", floor);
    return migrate < 0 || floor < 0 ? 1 : 0;
}
