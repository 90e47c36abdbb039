#include "core/app/UiText.h"
#include "core/edit/EditBuffer.h"
#include "core/edit/FindCommands.h"
#include "gui/DesktopProgram.h"
#include "gui/OtherWindows.h"
#include "gui/Preview.h"
#include "gui/QtTranslation.h"
#include "gui/QtUi.h"
#include "platform/FileAccess.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

void SetUpParser(QCommandLineParser& parser)
{
    parser.setApplicationDescription(UiText(QStringLiteral("HTML ソースエディタ")));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("line"), UiText(QStringLiteral("カーソルを置く行")),
                      QStringLiteral("N")});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 UiText(QStringLiteral("開くファイル（二つ目からは新しいウィンドウで）。"
                                                       "+N は --line N と同じです。")),
                                 QStringLiteral("[+N] [file...]"));
}

// The files named and the line to go to ("+N", as other editors take it,
// or "--line N"; 0 for none); nullopt when the line is no number.
struct FileArguments {
    QStringList files;
    int line = 0;
};
std::optional<FileArguments> ReadFileArguments(const QCommandLineParser& parser)
{
    FileArguments read;
    QString line = parser.value(QStringLiteral("line"));
    static const QRegularExpression plusLine(QStringLiteral("^\\+\\d+$"));
    for (const QString& argument : parser.positionalArguments()) {
        if (plusLine.match(argument).hasMatch())
            line = argument.mid(1);
        else
            read.files << argument;
    }
    bool ok = true;
    if (!line.isEmpty())
        read.line = line.toInt(&ok);
    if (!ok || read.line < 0)
        return std::nullopt;
    return read;
}

// Runs once the window manager has framed the window, and so placed it (or,
// with none that frames it, after a moment): a box shown before is centred
// on where Qt guessed the window would be.
void WhenPlaced(QWidget& window, std::function<void()> then)
{
    constexpr int kPollMs = 20;
    constexpr int kLongestWaitMs = 2000;
    auto* poll = new QTimer(&window);
    const QDeadlineTimer deadline(kLongestWaitMs);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, deadline, then] {
        const QWindow* handle = window.windowHandle();
        if (!deadline.hasExpired() && !(handle && handle->isExposed() && !handle->frameMargins().isNull()))
            return;
        poll->stop();
        poll->deleteLater();
        then();
    });
    poll->start(kPollMs);
}

// --help and --version only print; they must work without a display.
bool OnlyPrints(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v"
            || arg == "--version" || arg == "-?")
            return true;
    }
    return false;
}

void SetNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("kelvopad"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVO_VERSION));
}

} // namespace

int main(int argc, char** argv)
{
    if (OnlyPrints(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetNames();
        InstallTranslations(UserUiLanguage());
        QCommandLineParser parser;
        SetUpParser(parser);
        parser.process(core);
        return 0;
    }

    PreparePreview();
    QApplication qapp(argc, argv);
    SetNames();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvopad-48.png")));

    InstallTranslations(UserUiLanguage());

    QCommandLineParser parser;
    SetUpParser(parser);
    // A file name that is not UTF-8 keeps its bytes (Qt's own decoding
    // would replace them).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(platform::DecodePath(QByteArrayView(argv[i])));
    parser.process(arguments);
    const std::optional<FileArguments> files = ReadFileArguments(parser);
    if (!files) {
        fputs(qPrintable(UiText(QStringLiteral("行番号が正しくありません: %1\n"))
                             .arg(parser.value(QStringLiteral("line")))),
              stderr);
        return 2;
    }

    QtUi ui;
    platform::SettingsStore settings;
    DesktopProgram program(settings, ui);
    CMainFrame& frame = program.Frame();
    ui.SetMainWindow(&frame);

    StartupOptions options;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        options.screenWidth = screen->size().width();
        options.screenHeight = screen->size().height();
    }
    // The others first: they open whatever becomes of the first.
    OpenInOtherWindows(files->files.mid(1), files->line, ui);
    options.file = files->files.value(0);
    if (!program.Start(options))
        return 1;
    frame.RestoreWindowSize();
    frame.show();
    if (files->line > 0 && !options.file.isEmpty())
        QTimer::singleShot(0, &frame, [&program, line = files->line] {
            // A line beyond the end goes to the last, as other editors do.
            FindCommands(program.View()).GoToLine(std::min(line, program.View().Buffer().GetLineCount()));
        });
    // What a crashed or killed run had not saved, over the window.
    WhenPlaced(frame, [&program] { program.Doc().OfferRecovery(); });
    return qapp.exec();
}
