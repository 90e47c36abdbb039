// Listing a large folder in the file chooser (read, sorted, filtered), next
// to `ls -1` listing and sorting the same folder, in the same run.
//
// usage: chooser_bench [--files N] [--runs N]

#include "BenchRuns.h"

#include "core/app/FileChooserModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int files = 20000, runs = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--files")
            files = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
    QTemporaryDir dir;
    for (int i = 0; i < files; ++i) {
        // Pages, and every tenth something the type leaves out.
        QFile f(dir.filePath(QStringLiteral("page%1.%2").arg(i).arg(i % 10 ? "html" : "jpg")));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
    }
    Ui::FileDialog d;
    d.initialFolder = dir.path();
    d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html;*.shtml|全てのﾌｧｲﾙ(*.*) |*.*||");
    size_t shown = 0;
    const double chooser = Best(runs, [&] {
        FileChooserModel m(d);
        shown = m.Visible().size();
        return m.Folder() == dir.path();
    });
    const double ls = Best(runs, [&] {
        QProcess p;
        p.start(QStringLiteral("ls"), {QStringLiteral("-1"), dir.path()});
        return p.waitForFinished(-1) && p.exitCode() == 0 && !p.readAllStandardOutput().isEmpty();
    });
    std::printf("%d files (%zu pages shown)\n", files, shown);
    std::printf("file chooser listing   %8.1f ms\n", chooser * 1000);
    std::printf("ls -1 (peer)           %8.1f ms\n", ls * 1000);
    return 0;
}
