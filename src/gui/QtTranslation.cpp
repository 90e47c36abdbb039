#include "gui/QtTranslation.h"

#include "platform/Folders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

UiLanguage UiLanguageOf(const QLocale& locale)
{
    return locale.language() == QLocale::Japanese || locale.language() == QLocale::C
        ? UiLanguage::Japanese
        : UiLanguage::English;
}

UiLanguage UserUiLanguage()
{
    // The first of the user's interface languages; "C" when none is set.
    const QStringList languages = QLocale::system().uiLanguages();
    return UiLanguageOf(languages.isEmpty() ? QLocale::c() : QLocale(languages.first()));
}

namespace {

// Lives as long as the application it is installed in.
bool Install(const QString& name, const QString& folder)
{
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(name, folder)) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    return true;
}

} // namespace

bool InstallTranslations(UiLanguage language)
{
    static int installed = -1;
    if (installed >= 0)
        return installed == 1;
    if (language == UiLanguage::Japanese) {
        installed = Install(QStringLiteral("qtbase_ja"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    } else {
        // Qt's own texts are English already.
        const QFileInfo file(
            platform::Folders::FindProgramFile(QStringLiteral("translations/kelvopad_en.qm")));
        installed = Install(file.fileName(), file.path());
    }
    return installed == 1;
}
