#include "core/app/UiText.h"
#include "gui/DesktopProgram.h"
#include "gui/Preview.h"
#include "gui/QtTranslation.h"
#include "gui/QtUi.h"
#include "platform/FileAccess.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

namespace {

void SetUpParser(QCommandLineParser& parser)
{
    parser.setApplicationDescription(UiText(QStringLiteral("HTML ソースエディタ")));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), UiText(QStringLiteral("開くファイル")),
                                 QStringLiteral("[file]"));
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
    options.file = parser.positionalArguments().value(0);
    if (!program.Start(options))
        return 1;
    frame.RestoreWindowSize();
    frame.show();
    // What a crashed or killed run had not saved, over the window.
    QTimer::singleShot(0, &frame, [&program] { program.Doc().OfferRecovery(); });
    return qapp.exec();
}
