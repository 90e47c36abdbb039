#include "core/style/CStyleSimpleSelector.h"

void CStyleSimpleSelector::Parse(const QString& source)
{
    const QString text = source.trimmed();
    element.clear();
    classOrId.clear();
    isId = false;
    pseudo.clear();
    qsizetype sep = text.indexOf(u'.');
    if (sep < 0) {
        sep = text.indexOf(u'#');
        isId = sep >= 0;
    }
    if (sep >= 0) {
        element = text.left(sep);
        const qsizetype colon = text.indexOf(u':', sep + 1);
        if (colon < 0) {
            classOrId = text.mid(sep + 1);
        } else {
            classOrId = text.mid(sep + 1, colon - sep - 1);
            pseudo = text.mid(colon + 1);
        }
        return;
    }
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        element = text;
    } else {
        element = text.left(colon);
        pseudo = text.mid(colon + 1);
    }
}

QString CStyleSimpleSelector::ToText() const
{
    QString out = element;
    if (!classOrId.isEmpty())
        out += (isId ? u'#' : u'.') + classOrId;
    if (!pseudo.isEmpty())
        out += u':' + pseudo;
    return out;
}
