#pragma once

// Qt's own dialogs (file chooser, colour chooser, the file list's column
// names) speak Japanese, as the program does, whatever the locale: loads
// Qt's Japanese translation into the running application. False when it is
// not installed (Debian: qt6-translations-l10n).
bool InstallQtJapaneseTranslation();
