// The live preview after the last key on a page of about 1 MB (Debian's
// Japanese reference manual, chapters put together), next to the floor:
// the engine's own load of the same bytes through a scheme handler that
// hands them over from memory, in the same run.
//
// usage: preview_bench [--runs N]
// Without a display it runs on Qt's offscreen platform.

#include "BenchRuns.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/ScriptedUi.h"
#include "core/edit/CKelvoView.h"
#include "gui/DesktopProgram.h"
#include "gui/Preview.h"
#include "gui/preview/PreviewPane.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kChapters[] = {"ch01", "ch02", "ch09", "ch10"};
constexpr qsizetype kPageBytes = 1024 * 1024;

QByteArray MakePage()
{
    QByteArray page;
    for (const char* chapter : kChapters) {
        QFile file(QStringLiteral("/usr/share/debian-reference/%1.ja.html").arg(QLatin1String(chapter)));
        if (file.open(QIODevice::ReadOnly))
            page += file.readAll();
        if (page.size() >= kPageBytes)
            break;
    }
    return page;
}

class MemoryHandler : public QWebEngineUrlSchemeHandler {
public:
    QByteArray bytes;
    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        auto* buffer = new QBuffer(job);
        buffer->setData(bytes);
        job->reply("text/html; charset=UTF-8", buffer);
    }
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The engine alone: load() to loadFinished of the same bytes.
std::vector<double> Floor(const QByteArray& page, int runs)
{
    QWebEngineProfile profile;
    MemoryHandler handler;
    handler.bytes = page;
    profile.installUrlSchemeHandler("kelvo-preview", &handler);
    std::vector<double> times;
    {
        QWebEnginePage web(&profile);
        QSignalSpy finished(&web, &QWebEnginePage::loadFinished);
        for (int i = 0; i <= runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            web.load(QUrl(QStringLiteral("kelvo-preview://site/page.html")));
            if (!finished.wait(60000))
                return {};
            if (i > 0)  // the first run starts the engine
                times.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparePreview();
    QApplication app(argc, argv);
    int mb = 1;
    int runs = 10;
    ReadSizeAndRuns(app.arguments(), mb, runs);

    const QByteArray page = MakePage();
    if (page.size() < kPageBytes) {
        std::fprintf(stderr, "preview_bench: needs debian-reference-ja\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        return 1;
    file.close();
    QFile::copy(QStringLiteral("/usr/share/debian-reference/debian-reference.css"),
                dir.filePath(QStringLiteral("debian-reference.css")));

    const std::vector<double> floor = Floor(page, runs);
    if (floor.empty())
        return 1;

    ScriptedUi ui;
    platform::SettingsStore settings(dir.filePath(QStringLiteral("kelvo.ini")));
    std::vector<double> updates;
    {
        DesktopProgram program(settings, ui);
        StartupOptions options;
        options.screenWidth = 1280;
        options.screenHeight = 800;
        options.file = path;
        if (!program.Start(options))
            return 1;
        program.Frame().resize(1280, 800);
        program.Frame().show();
        auto* pane = program.Frame().findChild<PreviewPane*>();
        QSignalSpy updated(pane, &PreviewPane::Updated);
        program.Frame().ActionsFor(cmd::TogglePreview).first()->trigger();
        if (!updated.wait(60000)) {
            std::fprintf(stderr, "preview_bench: the preview showed nothing\n");
            return 1;
        }
        EditBuffer& buffer = program.View().Buffer();
        const int middle = buffer.GetTextLength() / 2;
        for (int i = 0; i < runs; ++i) {
            buffer.SetSel(middle, middle);
            QElapsedTimer clock;
            clock.start();
            buffer.ReplaceSel(QStringLiteral("x"));
            if (!updated.wait(60000)) {
                std::fprintf(stderr, "preview_bench: an edit never reached the preview\n");
                return 1;
            }
            updates.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::printf("page: %.2f MB, %d runs\n", page.size() / 1048576.0, runs);
    std::printf("engine load of the same bytes (floor): median %6.0f ms\n", Median(floor));
    std::printf("preview after the last key:            median %6.0f ms, worst %6.0f ms"
                " (of which %d ms waiting for the pause)\n",
                Median(updates), *std::max_element(updates.begin(), updates.end()),
                PreviewPane::kUpdateDelayMs);
    return 0;
}
