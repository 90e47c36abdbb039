#include "gui/EditTextMapping.h"

namespace edittext {

namespace {

// The stand-in of a character QTextDocument would turn into a block break;
// 0 for every other character.
// True for the characters both directions copy unchanged: everything but
// CR, LF, U+2029, U+FDD0/1 and the stand-in range (U+DC00..U+DCFF). Tested
// first in the loops below, as nearly every character of a text is one.
inline bool IsPlain(char16_t c)
{
    if (c > u'\r' && c < 0x2029)
        return true;
    if (c > 0x2029 && c < 0xDC00)
        return true;
    return c > 0xDCFF && c != 0xFDD0 && c != 0xFDD1;
}

char16_t StandInFor(char16_t c)
{
    switch (c) {
    case u'\r':
        return kLoneCr;
    case u'\n':
        return kLoneLf;
    case 0x2029:
        return kParagraphSeparator;
    case 0xFDD0:
        return kFrameStart;
    case 0xFDD1:
        return kFrameEnd;
    default:
        return 0;
    }
}

} // namespace

bool NeedsEscape(char16_t c)
{
    return c == kLoneCr || c == kLoneLf || c == kParagraphSeparator || c == kFrameStart
           || c == kFrameEnd || c == kEscape;
}

char16_t FromStandIn(char16_t c)
{
    switch (c) {
    case kLoneCr:
        return u'\r';
    case kLoneLf:
        return u'\n';
    case kParagraphSeparator:
        return 0x2029;
    case kFrameStart:
        return 0xFDD0;
    case kFrameEnd:
        return 0xFDD1;
    default:
        return c;
    }
}

QString ToDocument(QStringView text, bool* escaped)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    const char16_t* d = text.utf16();
    // Copy runs of ordinary characters in one go: a large document is mostly
    // runs.
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > runStart)
            out.append(QStringView(d + runStart, end - runStart));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (IsPlain(c))
            continue;
        if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n') {
            flush(i);
            out.append(u'\n');
            ++i;
            runStart = i + 1;
        } else if (const char16_t s = StandInFor(c)) {
            flush(i);
            out.append(QChar(s));
            runStart = i + 1;
        } else if (NeedsEscape(c)) {
            flush(i);
            out.append(QChar(kEscape));
            out.append(QChar(c));
            if (escaped)
                *escaped = true;
            runStart = i + 1;
        }
    }
    flush(n);
    return out;
}

QString FromDocument(QStringView raw)
{
    QString out;
    out.reserve(raw.size() + raw.size() / 32);
    const qsizetype n = raw.size();
    const char16_t* d = raw.utf16();
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > runStart)
            out.append(QStringView(d + runStart, end - runStart));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (IsPlain(c))
            continue;
        if (c == kBlockBreak) {
            flush(i);
            out.append(QStringLiteral("\r\n"));
            runStart = i + 1;
        } else if (c == kEscape && i + 1 < n && NeedsEscape(d[i + 1])) {
            flush(i);
            out.append(QChar(d[i + 1]));
            ++i;
            runStart = i + 1;
        } else if (c != FromStandIn(c)) {
            flush(i);
            out.append(QChar(FromStandIn(c)));
            runStart = i + 1;
        }
    }
    flush(n);
    return out;
}

int EditorLength(QStringView raw)
{
    int length = 0;
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = raw[i].unicode();
        if (c == kBlockBreak)
            length += 2;
        else if (c == kEscape && i + 1 < n && NeedsEscape(raw[i + 1].unicode())) {
            ++i;
            ++length;
        } else
            ++length;
    }
    return length;
}

QString FromForeignText(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out.append(QStringLiteral("\r\n"));
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(QStringLiteral("\r\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

QString ToForeignText(QStringView text)
{
    QString out = text.toString();
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

} // namespace edittext
