#include "TestRegistry.h"

#include "gui/Preview.h"
#include "gui/QtTranslation.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Beside the desktop screen, the offscreen platform shows two phone screens
// (240x320 and 360x640) and a laptop's (1280x800) that the GUI tests move the
// program onto.
constexpr char kScreens[] = R"({"screens": [
  {"name": "desktop", "x": 0, "y": 0, "width": 800, "height": 600,
   "logicalDpi": 96, "logicalBpi": 96, "dpr": 1},
  {"name": "phone-240x320", "x": 1000, "y": 0, "width": 240, "height": 320,
   "logicalDpi": 96, "logicalBpi": 96, "dpr": 1},
  {"name": "phone-360x640", "x": 1400, "y": 0, "width": 360, "height": 640,
   "logicalDpi": 96, "logicalBpi": 96, "dpr": 1},
  {"name": "laptop-1280x800", "x": 2000, "y": 0, "width": 1280, "height": 800,
   "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})";

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir configDir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && configDir.isValid()) {
        const QString path = configDir.filePath(QStringLiteral("screens.json"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(kScreens) > 0) {
            file.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
        }
    }
    PreparePreview();
    QApplication app(argc, argv);
    // Qt's dialogs as the program shows them.
    InstallQtJapaneseTranslation();
    return testing_support::RunRegisteredTests(argc, argv);
}
