#pragma once

#include <QString>
#include <QStringList>

// The font families of this machine as a user names them: without the
// foundry Qt adds when two foundries make a family ("C059 [UKWN]"), each once.
QStringList InstalledFontFamilies();

// The family the editor uses for a face name from the settings: the face
// itself when it is installed; for a face this machine lacks (the handheld's
// Japanese fonts), an installed Japanese font, so that Japanese lines are
// drawn in the same font, and as tall, as the others.
QString InstalledFontFamily(const QString& face);
