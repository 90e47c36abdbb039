#include "core/links/ImageSize.h"

#include "core/app/Ui.h"
#include "core/links/RelativePath.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QIODevice>

#include <limits>

namespace {

// Enough for the size fields of every header format read here.
constexpr int kHeaderPeek = 32;

quint32 Le16(const QByteArray& b, int at)
{
    return quint8(b[at]) | quint32(quint8(b[at + 1])) << 8;
}

quint32 Le24(const QByteArray& b, int at)
{
    return Le16(b, at) | quint32(quint8(b[at + 2])) << 16;
}

quint32 Le32(const QByteArray& b, int at)
{
    return Le24(b, at) | quint32(quint8(b[at + 3])) << 24;
}

quint32 Be16(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) << 8 | quint8(b[at + 1]);
}

quint32 Be32(const QByteArray& b, int at)
{
    return Be16(b, at) << 16 | Be16(b, at + 2);
}

std::optional<QSize> Size(quint32 width, quint32 height)
{
    constexpr quint32 kMax = std::numeric_limits<int>::max();
    if (width > kMax || height > kMax)
        return std::nullopt;
    return QSize(int(width), int(height));
}

std::optional<QSize> GifSize(const QByteArray& head)
{
    // The logical screen size.
    if (head.size() < 10)
        return std::nullopt;
    return Size(Le16(head, 6), Le16(head, 8));
}

std::optional<QSize> PngSize(const QByteArray& head)
{
    if (head.size() < 24 || head.mid(12, 4) != "IHDR")
        return std::nullopt;
    return Size(Be32(head, 16), Be32(head, 20));
}

std::optional<QSize> WebpSize(const QByteArray& head)
{
    if (head.size() < 30)
        return std::nullopt;
    const QByteArray chunk = head.mid(12, 4);
    if (chunk == "VP8 ") {
        // Lossy: a key frame's start code, then 14-bit width and height.
        if (quint8(head[23]) != 0x9D || quint8(head[24]) != 0x01 || quint8(head[25]) != 0x2A)
            return std::nullopt;
        return Size(Le16(head, 26) & 0x3FFF, Le16(head, 28) & 0x3FFF);
    }
    if (chunk == "VP8L") {
        // Lossless: width - 1 and height - 1 as two 14-bit fields.
        if (quint8(head[20]) != 0x2F)
            return std::nullopt;
        const quint32 bits = Le32(head, 21);
        return Size((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
    }
    if (chunk == "VP8X")
        return Size(Le24(head, 24) + 1, Le24(head, 27) + 1);
    return std::nullopt;
}

bool IsStartOfFrame(quint8 code)
{
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning)
    // share the range but are no frame headers.
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers that stand alone, without a length: TEM, RST0-7, SOI. A 0x00
// after 0xFF is a stuffed byte of entropy-coded data.
bool IsStandalone(quint8 code)
{
    return code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= 0xD8);
}

// Every step reads at least one byte or fails, so the loop ends with the
// data however the segment lengths lie.
std::optional<QSize> JpegSize(QIODevice& device)
{
    auto readByte = [&device](quint8& byte) {
        char c = 0;
        if (!device.getChar(&c))
            return false;
        byte = quint8(c);
        return true;
    };
    quint8 last = 0;
    for (;;) {
        while (last != 0xFF) {
            if (!readByte(last))
                return std::nullopt;
        }
        quint8 code = 0xFF;
        while (code == 0xFF) {
            if (!readByte(code))
                return std::nullopt;
        }
        last = code;
        if (IsStandalone(code))
            continue;
        // Start of scan or end of image: no frame header comes before the
        // image data.
        if (code == 0xDA || code == 0xD9)
            return std::nullopt;
        const QByteArray lengthBytes = device.read(2);
        if (lengthBytes.size() < 2)
            return std::nullopt;
        const quint32 length = Be16(lengthBytes, 0);
        if (length < 2)
            return std::nullopt;
        if (IsStartOfFrame(code)) {
            // Sample precision, then height and width.
            const QByteArray frame = device.read(5);
            if (frame.size() < 5)
                return std::nullopt;
            return Size(Be16(frame, 3), Be16(frame, 1));
        }
        if (device.skip(length - 2) != qint64(length - 2))
            return std::nullopt;
    }
}

} // namespace

std::optional<QSize> ReadImageSize(QIODevice& device)
{
    const QByteArray head = device.peek(kHeaderPeek);
    if (head.startsWith("GIF8"))
        return GifSize(head);
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return PngSize(head);
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return WebpSize(head);
    if (head.startsWith("\xFF\xD8")) {
        if (device.skip(2) != 2)
            return std::nullopt;
        return JpegSize(device);
    }
    return std::nullopt;
}

std::optional<QSize> ReadImageSizeOfFile(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadImageSize(file);
}

QString ImageTypeErrorText()
{
    return QStringLiteral("ファイルが.GIF,.JPGファイルではありませんので、サイズ挿入されません");
}

QString ImageNotFoundText()
{
    return QStringLiteral("ファイルが見つかりません");
}

std::optional<QSize> ReadImageSize(Ui& ui, const QString& reference,
                                   const QString& documentPath)
{
    const QString fileName = reference.mid(reference.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    static const QStringList kTypes = {QStringLiteral("GIF"), QStringLiteral("JPG"),
                                       QStringLiteral("JPEG"), QStringLiteral("PNG"),
                                       QStringLiteral("WEBP")};
    if (!kTypes.contains(fileName.mid(dot + 1).toUpper())) {
        ui.Message(ImageTypeErrorText());
        return std::nullopt;
    }

    QString path;
    if (documentPath.isEmpty()) {
        // Without a document folder only an absolute path names a file; a
        // relative one would be read from wherever the program was started.
        if (!QDir::isAbsolutePath(reference)) {
            ui.Message(ImageNotFoundText());
            return std::nullopt;
        }
        path = reference;
    } else if (IsSchemeLink(reference)) {
        ui.Message(ImageNotFoundText());
        return std::nullopt;
    } else {
        const std::optional<QString> resolved = LinkTargetPath(documentPath, reference);
        if (!resolved) {
            ui.Message(RelativePathErrorText());
            return std::nullopt;
        }
        path = *resolved;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui.Message(ImageNotFoundText());
        return std::nullopt;
    }
    return ReadImageSize(file).value_or(QSize(0, 0));
}
