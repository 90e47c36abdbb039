#include "core/tags/TagCase.h"

void ConvertTagCase(QString& text, bool lower)
{
    bool inTag = false;
    bool inQuotes = false;
    const qsizetype n = text.size();
    QChar* d = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = d[i];
        if (c == u'<') {
            if (i + 1 < n && d[i + 1] == u'!')
                continue;
            inTag = true;
            inQuotes = false;
        } else if (c == u'>') {
            inTag = false;
        } else if (inTag) {
            if (c == u'"')
                inQuotes = !inQuotes;
            else if (!inQuotes && c.isLetter())
                d[i] = lower ? c.toLower() : c.toUpper();
        }
    }
}
