// A site of 500 pages checked by "kelvo-tool check" in one process (target:
// under 5 s), next to its floor: the tidy program reading the same pages in
// one run, which is what the check adds to. The pages are of the size and
// the faults of hand-written pages: older markup (FONT, CENTER), pictures
// without ALT or with sizes, links to pages that are there and are not.
//
// usage: check_bench [--pages N] [--runs N]

#include "BenchRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

bool MakeSite(const QString& root, int pages, QStringList& files)
{
    QDir(root).mkpath(QStringLiteral("img"));
    QFile gif(root + QStringLiteral("/img/logo.gif"));
    if (!gif.open(QIODevice::WriteOnly))
        return false;
    gif.write(QByteArray("GIF89a") + QByteArray::fromHex("40002000"));
    gif.close();
    for (int p = 0; p < pages; ++p) {
        QString page = QStringLiteral(
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html lang=\"ja\">\r\n"
            "<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
            "<title>ページ %1</title>\r\n</head>\r\n<body bgcolor=\"#ffffff\">\r\n"
            "<center><font size=\"+2\" color=\"navy\">日記 %1</font></center>\r\n"
            "<img src=\"img/logo.gif\" width=\"64\" height=\"32\"> <img src=\"img/logo.gif\" width=\"100\" height=\"20\" alt=\"\">\r\n")
                           .arg(p);
        for (int s = 0; s < 40; ++s)
            page += QStringLiteral("<h3 id=\"s%1\">%1 月の記録</h3>\r\n<p>今日は <a href=\"p%2.html#s%1\">前の日</a> "
                                   "の続き & <b>太字<i>斜体</b></i> を書きました。<br>\r\n<table border=1><tr><td>表"
                                   "<td>セル</table>\r\n")
                        .arg(s)
                        .arg((p + s) % (pages + 5));
        page += QStringLiteral("</body>\r\n</html>\r\n");
        const QString path = root + QStringLiteral("/p%1.html").arg(p);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(page.toUtf8());
        files.append(path);
    }
    return true;
}

// Seconds of the best run of the program, and its output lines then;
// negative when it did not run or failed otherwise than with status 1 or 2
// (tidy's status for warnings and errors).
double Timed(const QString& program, const QStringList& args, int runs, qsizetype& lines)
{
    return Best(runs, [&] {
        QProcess process;
        process.start(program, args);
        if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() > 2)
            return false;
        lines = (process.readAllStandardOutput() + process.readAllStandardError()).count('\n');
        return true;
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int pages = 500;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--pages")
            pages = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
    if (pages < 1 || runs < 1) {
        std::printf("usage: check_bench [--pages N>=1] [--runs N>=1]\n");
        return 2;
    }
    QTemporaryDir dir;
    QStringList files;
    if (!MakeSite(dir.path(), pages, files)) {
        std::fprintf(stderr, "check_bench: cannot write the site\n");
        return 1;
    }
    qsizetype ours = 0, theirs = 0;
    const double check = Timed(QStringLiteral(KELVO_TOOL_PATH), {"check", dir.path()}, runs, ours);
    const double tidy = Timed(QStringLiteral("tidy"), QStringList{"-e", "-q"} + files, runs, theirs);
    if (check < 0 || tidy < 0) {
        std::fprintf(stderr, "check_bench: kelvo-tool check or tidy failed\n");
        return 1;
    }
    std::printf("%d pages: kelvo-tool check %.2f s (%lld problems; target < 5 s), "
                "tidy -e alone %.2f s (%lld lines), check/tidy %.2f\n",
                pages, check, static_cast<long long>(ours), tidy, static_cast<long long>(theirs),
                check / tidy);
    return check < 5 ? 0 : 1;
}
