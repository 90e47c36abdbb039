#include "gui/EditTextMapping.h"

#include <cstring>

namespace edittext {

namespace {

// True for the characters both directions copy unchanged: everything but
// CR, LF, U+2029, U+FDD0/1 and the stand-ins (U+DC01..U+DC06). Tested
// first in the loops below, as nearly every character of a text is one.
inline bool IsPlain(char16_t c)
{
    if (c > u'\r' && c < 0x2029)
        return true;
    if (c > 0x2029 && c < kLoneCr)
        return true;
    return c > kEscape && c != 0xFDD0 && c != 0xFDD1;
}

// The stand-in of a character QTextDocument would turn into a block break;
// 0 for every other character.
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

// Output written through a pointer into a string sized for the worst case
// and cut to length at the end: large documents pass through here whole.
class Writer {
public:
    explicit Writer(qsizetype capacity) : m_out(capacity, Qt::Uninitialized)
    {
        m_p = reinterpret_cast<char16_t*>(m_out.data());
    }
    void Put(char16_t c) { *m_p++ = c; }
    void Put(const char16_t* from, qsizetype count)
    {
        std::memcpy(m_p, from, static_cast<size_t>(count) * sizeof(char16_t));
        m_p += count;
    }
    QString Take()
    {
        m_out.truncate(m_p - reinterpret_cast<char16_t*>(m_out.data()));
        return std::move(m_out);
    }

private:
    QString m_out;
    char16_t* m_p;
};

QString ToDocument(QStringView text, bool* escaped)
{
    const qsizetype n = text.size();
    const char16_t* d = text.utf16();
    // Only escapes make the text longer; they are rare, so count them first.
    qsizetype extra = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (!IsPlain(d[i]) && NeedsEscape(d[i]))
            ++extra;
    Writer out(n + extra);
    // Copy runs of ordinary characters in one go: a large document is mostly
    // runs.
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > runStart)
            out.Put(d + runStart, end - runStart);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (IsPlain(c))
            continue;
        if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n') {
            flush(i);
            out.Put(u'\n');
            ++i;
            runStart = i + 1;
        } else if (const char16_t s = StandInFor(c)) {
            flush(i);
            out.Put(s);
            runStart = i + 1;
        } else if (NeedsEscape(c)) {
            flush(i);
            out.Put(kEscape);
            out.Put(c);
            if (escaped)
                *escaped = true;
            runStart = i + 1;
        }
    }
    flush(n);
    return out.Take();
}

QString FromDocument(QStringView raw)
{
    const qsizetype n = raw.size();
    const char16_t* d = raw.utf16();
    // Each block break becomes two characters; nothing else grows.
    const qsizetype breaks = raw.count(QChar(kBlockBreak));
    Writer out(n + breaks);
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > runStart)
            out.Put(d + runStart, end - runStart);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (IsPlain(c))
            continue;
        if (c == kBlockBreak) {
            flush(i);
            out.Put(u'\r');
            out.Put(u'\n');
            runStart = i + 1;
        } else if (c == kEscape && i + 1 < n && NeedsEscape(d[i + 1])) {
            flush(i);
            out.Put(d[i + 1]);
            ++i;
            runStart = i + 1;
        } else if (c != FromStandIn(c)) {
            flush(i);
            out.Put(FromStandIn(c));
            runStart = i + 1;
        }
    }
    flush(n);
    return out.Take();
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
