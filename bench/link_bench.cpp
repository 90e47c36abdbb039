// Link check of a page with 2,000 links in a folder of 2,000 files, run as
// the editor runs it (the command on a headless editor), next to the floor:
// asking the file system about the same 2,000 files and nothing else. The
// check should take less than 100 ms.
//
// Then a site of 500 pages checked by "kelvo-tool links" in one process
// (target: under 2 s), next to the html5lib reading the tests use as their
// oracle, on the same site.
//
// usage: link_bench [--links N] [--runs N] [--pages N]

#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/links/LinkCommandIds.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QProcess>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString FileName(int i)
{
    return QStringLiteral("page%1.htm").arg(i, 4, 10, QLatin1Char('0'));
}

// A site of pages that link to each other, to style sheets, scripts and
// images, written the ways real pages write links; every page links to two
// pages that are not there. Gives the number of missing targets.
int MakeSite(const QString& root, int pages)
{
    QDir(root).mkpath(QStringLiteral("css"));
    QDir(root).mkpath(QStringLiteral("img"));
    QDir(root).mkpath(QStringLiteral("pages"));
    QFile css(root + QStringLiteral("/css/site.css"));
    QFile logo(root + QStringLiteral("/img/logo.png"));
    if (!css.open(QIODevice::WriteOnly) || !logo.open(QIODevice::WriteOnly))
        return -1;
    for (int p = 0; p < pages; ++p) {
        QString page = QStringLiteral(
            "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
            "<title>Page %1 &amp; more</title>\r\n<link rel=\"stylesheet\" href=\"/css/site.css\">\r\n"
            "<script>\r\n  document.write('<a href=\"nowhere.html\">x</a>');\r\n"
            "  if (a < b && c > d) run();\r\n</script>\r\n</head>\r\n<body>\r\n"
            "<!-- <a href=\"old.html\">old</a> -->\r\n<div class=\"nav\">\r\n").arg(p);
        for (int l = 1; l <= 30; ++l) {
            const int target = (p + l * 7) % pages;
            page += QStringLiteral("\t<a\r\n\t\thref=\"p%1.html#s%2\"\r\n\t\ttitle='Page %1 > \"%2\"'>"
                                   "Page %1</a>\r\n")
                        .arg(target)
                        .arg(l);
        }
        page += QStringLiteral(
                    "</div>\r\n<p><img src=\"../img/logo.png\" srcset=\"../img/logo.png 1x, "
                    "../img/logo.png 2x\" alt=\"\"> <a href=\"missing%1.html\">gone</a> "
                    "<a href=\"//cdn.example.com/x.js\">cdn</a> <a href=\"https://example.com/\">"
                    "web</a> <a href=\"/pages/none%1.html\">gone too</a></p>\r\n</body>\r\n</html>\r\n")
                    .arg(p);
        QFile f(root + QStringLiteral("/pages/p%1.html").arg(p));
        if (!f.open(QIODevice::WriteOnly))
            return -1;
        f.write(page.toUtf8());
    }
    return 2 * pages;
}

// Runs a program and gives its output lines and the milliseconds it took;
// an empty list when it did not run or failed otherwise than with status 1.
QStringList Timed(const QString& program, const QStringList& args, double& ms)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() > 1)
        return {};
    ms = timer.nsecsElapsed() / 1e6;
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int links = 2000;
    int runs = 9;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--links")
            links = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
    int pages = 500;
    for (int i = 1; i + 1 < args.size(); i += 2)
        if (args[i] == u"--pages")
            pages = args[i + 1].toInt();
    if (links < 10 || runs < 1 || pages < 2) {
        std::printf("usage: link_bench [--links N>=10] [--runs N] [--pages N>=2]\n");
        return 2;
    }

    QTemporaryDir dir;
    // Every tenth link misses its file; the others are written every way a
    // page writes them.
    QString page;
    QStringList files;
    for (int i = 0; i < links; ++i) {
        const QString name = FileName(i);
        files << dir.filePath(name);
        if (i % 10 != 3) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::WriteOnly)) {
                std::printf("FAIL: cannot write the test folder\n");
                return 1;
            }
        }
        switch (i % 4) {
        case 0: page += QStringLiteral("<A HREF=\"%1#part\">link</A>\r\n").arg(name); break;
        case 1: page += QStringLiteral("<a  href='%1'>link</a>\r\n").arg(name); break;
        case 2: page += QStringLiteral("<IMG SRC=\"./%1\" ALT=\"x\">\r\n").arg(name); break;
        default: page += QStringLiteral("<A\r\nHREF=%1?q=1>link</A>\r\n").arg(name); break;
        }
    }
    const int expectedMissing = (links + 6) / 10;

    QTemporaryDir config;
    platform::SettingsStore settings(config.filePath(QStringLiteral("kelvo.ini")));
    ScriptedUi ui;
    HeadlessEditor editor(settings, ui);
    editor.Buffer().SetText(page);
    editor.Doc().SetPathName(dir.filePath(QStringLiteral("index.htm")), false);

    std::vector<double> check, floor;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        editor.Run(cmd::LinkCheck);
        check.push_back(timer.nsecsElapsed() / 1e6);
        const FormModel* form = ui.LastForm();
        const FormField* missing = form ? form->Find(QStringLiteral("missing")) : nullptr;
        if (!missing || missing->choices.size() != expectedMissing) {
            std::printf("FAIL: the check found %lld missing files, not %d\n",
                        missing ? qint64(missing->choices.size()) : 0LL, expectedMissing);
            return 1;
        }

        timer.restart();
        int present = 0;
        for (const QString& f : files)
            present += QFileInfo::exists(f) ? 1 : 0;
        floor.push_back(timer.nsecsElapsed() / 1e6);
        if (present != links - expectedMissing) {
            std::printf("FAIL: the folder does not hold the files written\n");
            return 1;
        }
    }

    const double ms = Median(check);
    std::printf("link check of %d links in a folder of %d files, median of %d runs\n", links,
                links - expectedMissing, runs);
    std::printf("  link check command:              %8.2f ms (target < 100) %s\n", ms,
                ms < 100 ? "ok" : "SLOW");
    std::printf("  peer: file system lookups alone: %8.2f ms\n", Median(floor));

    QTemporaryDir siteDir;
    const QString site = siteDir.path();
    const int siteMissing = MakeSite(site, pages);
    if (siteMissing < 0) {
        std::printf("FAIL: cannot write the site\n");
        return 1;
    }
    std::vector<double> tool;
    for (int r = 0; r < std::min(runs, 5); ++r) {
        double t = 0;
        const QStringList lines = Timed(QStringLiteral(KELVO_TOOL_PATH),
                                        {QStringLiteral("links"), QStringLiteral("--root"), site, site}, t);
        if (lines.size() != siteMissing) {
            std::printf("FAIL: kelvo-tool links reported %lld lines, not %d\n", qint64(lines.size()),
                        siteMissing);
            return 1;
        }
        tool.push_back(t);
    }
    const double siteMs = Median(tool);
    std::printf("site of %d pages (%d links each), median of %zu runs\n", pages, 34, tool.size());
    std::printf("  kelvo-tool links --root:         %8.2f ms (target < 2000) %s\n", siteMs,
                siteMs < 2000 ? "ok" : "SLOW");
    double oracleMs = 0;
    const QStringList oracle = Timed(QStringLiteral("/usr/bin/python3"),
                                     {QStringLiteral(KELVO_ORACLE_PATH), site}, oracleMs);
    if (oracle.size() == siteMissing)
        std::printf("  peer: html5lib and urllib:       %8.2f ms\n", oracleMs);
    else
        std::printf("  peer: html5lib not run (python3-html5lib missing?)\n");
    return ms < 100 && siteMs < 2000 ? 0 : 2;
}
