#include "gui/FontFamilies.h"

#include <QFontDatabase>
#include <QRegularExpression>

namespace {

QString WithoutFoundry(const QString& family)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QString name = family;
    name.remove(foundry);
    return name;
}

} // namespace

QStringList InstalledFontFamilies()
{
    QStringList names;
    for (const QString& family : QFontDatabase::families()) {
        const QString name = WithoutFoundry(family);
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QString InstalledFontFamily(const QString& face)
{
    const QStringList installed = InstalledFontFamilies();
    for (const QString& name : installed)
        if (name.compare(face.trimmed(), Qt::CaseInsensitive) == 0)
            return name;
    // A proportional face ("Ｐゴシック") is best replaced by a proportional
    // font, any other by the monospaced one.
    const bool proportional = face.contains(u'Ｐ') || face.contains(QStringLiteral("P "));
    const QString sans = QStringLiteral("Noto Sans CJK JP");
    const QString mono = QStringLiteral("Noto Sans Mono CJK JP");
    for (const QString& candidate : proportional ? QStringList{sans, mono} : QStringList{mono, sans})
        if (installed.contains(candidate))
            return candidate;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}
