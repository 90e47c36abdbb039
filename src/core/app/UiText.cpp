#include "core/app/UiText.h"

#include <QCoreApplication>

QString UiText(const QString& japanese)
{
    if (japanese.isEmpty())
        return japanese;
    return QCoreApplication::translate(kUiTextContext, japanese.toUtf8().constData());
}
