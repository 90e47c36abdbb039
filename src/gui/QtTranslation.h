#pragma once

class QLocale;

// The interface speaks Japanese, its source language, under a Japanese
// locale and under none (C, POSIX); under any other it speaks English.
enum class UiLanguage { Japanese, English };
UiLanguage UiLanguageOf(const QLocale& locale);
// The language of the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
UiLanguage UserUiLanguage();

// Loads the program's translation for the language and Qt's own (colour
// chooser, print dialogs, the command-line help), so that Qt's dialogs
// speak the program's language whatever the locale. False when a file is
// missing: the program's translation from the data files, Qt's Japanese
// from qt6-translations-l10n. Installs once per application.
bool InstallTranslations(UiLanguage language);

// Qt's own texts in Japanese, the program's texts untranslated.
inline bool InstallQtJapaneseTranslation()
{
    return InstallTranslations(UiLanguage::Japanese);
}
