// Link check of a page with 2,000 links in a folder of 2,000 files, run as
// the editor runs it (the command on a headless editor), next to the floor:
// asking the file system about the same 2,000 files and nothing else. The
// check should take less than 100 ms.
//
// usage: link_bench [--links N] [--runs N]

#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/links/LinkCommandIds.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
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
    if (links < 10 || runs < 1) {
        std::printf("usage: link_bench [--links N>=10] [--runs N]\n");
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
    return ms < 100 ? 0 : 2;
}
