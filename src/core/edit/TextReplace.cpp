#include "core/edit/TextReplace.h"

int ReplaceAllText(QString& text, const QString& find, const QString& replacement,
                   Qt::CaseSensitivity cs)
{
    if (find.isEmpty())
        return 0;
    QString out;
    int count = 0;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype hit = text.indexOf(find, pos, cs);
        if (hit < 0)
            break;
        if (count == 0)
            out.reserve(text.size());
        out += QStringView(text).mid(pos, hit - pos);
        out += replacement;
        pos = hit + find.size();
        ++count;
    }
    if (count == 0)
        return 0;
    out += QStringView(text).mid(pos);
    text = out;
    return count;
}
