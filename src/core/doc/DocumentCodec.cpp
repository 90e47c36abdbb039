#include "core/doc/DocumentCodec.h"

#include "core/doc/CodeDetect.h"
#include "core/doc/JisConvert.h"
#include "platform/Cp932.h"

#include <cstring>

QString Utf8ToText(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

QByteArray TextToUtf8(QStringView text)
{
    return text.toUtf8();
}

QByteArray LfToCrLf(QByteArrayView bytes)
{
    const qsizetype lfs = bytes.count('\n');
    QByteArray out(bytes.size() + lfs, Qt::Uninitialized);
    char* d = out.data();
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* lf = static_cast<const char*>(memchr(s, '\n', end - s));
        const char* stop = lf ? lf : end;
        memcpy(d, s, stop - s);
        d += stop - s;
        if (!lf)
            break;
        *d++ = '\r';
        *d++ = '\n';
        s = lf + 1;
    }
    return out;
}

QByteArray CrToCrLf(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.count('\r'));
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* cr = static_cast<const char*>(memchr(s, '\r', end - s));
        if (!cr) {
            out.append(s, end - s);
            break;
        }
        out.append(s, cr - s);
        out.append("\r\n", 2);
        // A CR CR LF in a CR file is one line end (written by a program that
        // wrote CR LF after a CR); it stands for a single CR.
        if (end - cr >= 3 && cr[1] == '\r' && cr[2] == '\n')
            s = cr + 3;
        else
            s = cr + 1;
    }
    return out;
}

namespace {

void CollapseCrLf(QByteArray& bytes, bool keepCr)
{
    char* d = bytes.data();
    const char* s = d;
    const char* const end = s + bytes.size();
    char* out = d;
    while (s < end) {
        const char* cr = static_cast<const char*>(memchr(s, '\r', end - s));
        if (!cr) {
            memmove(out, s, end - s);
            out += end - s;
            break;
        }
        memmove(out, s, cr - s);
        out += cr - s;
        if (cr + 1 < end && cr[1] == '\n') {
            *out++ = keepCr ? '\r' : '\n';
            s = cr + 2;
        } else {
            *out++ = '\r';
            s = cr + 1;
        }
    }
    bytes.truncate(out - d);
}

} // namespace

void CrLfToLf(QByteArray& bytes)
{
    CollapseCrLf(bytes, false);
}

void CrLfToCr(QByteArray& bytes)
{
    CollapseCrLf(bytes, true);
}

QString DecodeText(QByteArray bytes, CodeKind code, LineEndKind lineEnd, bool autoConvert)
{
    if (bytes.isEmpty())
        return QString();
    bool byLines = false;
    if (autoConvert && (code == CodeKind::Jis || code == CodeKind::Euc)) {
        const QByteArrayView separator =
            lineEnd == LineEndKind::None ? QByteArrayView() : LineEndSeparator(lineEnd);
        const LineConverter convert = code == CodeKind::Jis ? LineConverter(JisLineToSjis)
                                                            : LineConverter(EucLineToSjis);
        bytes = ConvertByLines(bytes, separator, convert);
        byLines = true;
    }
    if (!byLines) {
        if (lineEnd == LineEndKind::Lf)
            bytes = LfToCrLf(bytes);
        else if (lineEnd == LineEndKind::Cr)
            bytes = CrToCrLf(bytes);
    }
    if (autoConvert && code == CodeKind::Utf8)
        return Utf8ToText(bytes);
    return platform::Cp932ToUnicode(bytes);
}

DecodedDocument DecodeDocument(QByteArray bytes, bool autoConvert)
{
    DecodedDocument doc;
    doc.code = DetectDocumentCode(bytes);
    ByteReader reader(bytes);
    doc.lineEnd = DetectLineEnd(reader);
    doc.text = DecodeText(std::move(bytes), doc.code, doc.lineEnd, autoConvert);
    return doc;
}

QByteArray EncodeDocument(QStringView text, CodeKind code, LineEndKind lineEnd)
{
    QByteArray bytes;
    if (code == CodeKind::Utf8) {
        bytes = TextToUtf8(text);
    } else {
        bytes = platform::UnicodeToCp932(text);
        if (code == CodeKind::Jis)
            bytes = ConvertByLines(bytes, "\r\n", LineConverter(SjisLineToJis));
        else if (code == CodeKind::Euc)
            bytes = ConvertByLines(bytes, "\r\n", LineConverter(SjisLineToEuc));
    }
    if (lineEnd == LineEndKind::Lf)
        CrLfToLf(bytes);
    else if (lineEnd == LineEndKind::Cr)
        CrLfToCr(bytes);
    return bytes;
}
