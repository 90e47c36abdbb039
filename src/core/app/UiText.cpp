#include "core/app/UiText.h"

#include <QCoreApplication>

QString UiText(const QString& japanese)
{
    if (japanese.isEmpty())
        return japanese;
    const QString translated = QCoreApplication::translate(kUiTextContext, japanese.toUtf8().constData());
    return translated;
}
