#include "core/links/ImageSize.h"

#include "core/app/Ui.h"
#include "core/links/RelativePath.h"
#include "core/tags/CTagObj.h"
#include "core/tags/HtmlScanner.h"
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <limits>

namespace {

// Enough for the size fields of the fixed-layout formats read here.
constexpr int kHeaderPeek = 32;
// An icon directory of 64 images; the start of an AVIF or SVG file, where
// their sizes are written.
constexpr int kIcoPeek = 6 + 64 * 16;
constexpr int kBoxPeek = 64 * 1024;

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

std::optional<QSize> BmpSize(const QByteArray& head)
{
    // A text that happens to start with "BM" is no picture: the header
    // after the file header must be one of the known sizes, with one plane.
    if (head.size() < 28)
        return std::nullopt;
    const quint32 header = Le32(head, 14);
    // The old OS/2 header holds 16-bit sizes; every later one 32-bit signed
    // ones, a negative height meaning rows stored top down.
    if (header == 12)
        return Le16(head, 22) == 1 ? Size(Le16(head, 18), Le16(head, 20)) : std::nullopt;
    static constexpr quint32 kHeaderSizes[] = {40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), header)
            == std::end(kHeaderSizes)
        || Le16(head, 26) != 1)
        return std::nullopt;
    const qint32 width = qint32(Le32(head, 18));
    const qint32 height = qint32(Le32(head, 22));
    if (width < 0 || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    return Size(quint32(width), quint32(height < 0 ? -height : height));
}

// Bytes at an offset from the device's position, which stays where it
// was; fewer when the data ends first.
QByteArray PeekAt(QIODevice& device, quint64 offset, int count)
{
    if (device.isSequential()) {
        if (offset + count > quint64(kBoxPeek))
            return QByteArray();
        return device.peek(qint64(offset) + count).mid(qsizetype(offset));
    }
    const qint64 from = device.pos();
    if (offset > quint64(device.size()) || !device.seek(from + qint64(offset)))
        return QByteArray();
    const QByteArray bytes = device.read(count);
    device.seek(from);
    return bytes;
}

// The largest image of the icon. A size byte of 0 stands for 256 or more:
// such an image is mostly a PNG, whose own header then gives the size.
std::optional<QSize> IcoSize(QIODevice& device)
{
    const QByteArray head = device.peek(kIcoPeek);
    if (head.size() < 6)
        return std::nullopt;
    const quint32 count = Le16(head, 4);
    if (count == 0)
        return std::nullopt;
    std::optional<QSize> largest;
    for (quint32 i = 0; i < count; ++i) {
        const int entry = 6 + int(i) * 16;
        if (entry + 16 > head.size())
            break;
        std::optional<QSize> size = QSize(quint8(head[entry]) == 0 ? 256 : quint8(head[entry]),
                                          quint8(head[entry + 1]) == 0 ? 256 : quint8(head[entry + 1]));
        if (quint8(head[entry]) == 0 || quint8(head[entry + 1]) == 0) {
            const QByteArray image = PeekAt(device, Le32(head, entry + 12), 24);
            if (image.startsWith("\x89PNG\r\n\x1A\n"))
                size = PngSize(image);
        }
        if (size && (!largest || qint64(size->width()) * size->height()
                                     > qint64(largest->width()) * largest->height()))
            largest = size;
    }
    return largest;
}

// A length of the svg element in CSS pixels: a number, without a unit or
// with an absolute one (any letter case). nullopt for what gives no size
// of its own: a percentage, "auto", a unit that depends on a font or a
// screen, a negative or unreadable value, or none.
std::optional<double> SvgLength(const QString& value)
{
    static const QRegularExpression length(QStringLiteral(
        "^\\s*(\\+?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)([a-zA-Z]*)\\s*$"));
    const QRegularExpressionMatch m = length.match(value);
    if (!m.hasMatch())
        return std::nullopt;
    static const std::pair<const char*, double> kUnits[] = {
        {"", 1}, {"px", 1}, {"in", 96}, {"cm", 96 / 2.54}, {"mm", 96 / 25.4},
        {"pt", 96.0 / 72}, {"pc", 16}};
    const QString unit = m.captured(2).toLower();
    for (const auto& [name, pixels] : kUnits) {
        if (unit == QLatin1String(name))
            return m.captured(1).toDouble() * pixels;
    }
    return std::nullopt;
}

// The size of an SVG drawing as browsers give it to an image: width and
// height in absolute units; a side that has none takes the proportions of
// the viewBox, and without either side the viewBox is the size.
std::optional<QSize> SvgSize(const QByteArray& head)
{
    const QString text = QString::fromUtf8(head);
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.kind != HtmlToken::Kind::StartTag)
            continue;
        if (token.Name(text) != u"svg" || !token.closed)
            return std::nullopt;
        CTagObj svg;
        svg.Parse(text.mid(token.start, token.end - token.start));
        std::optional<double> w = SvgLength(svg.GetAttr(QStringLiteral("width")));
        std::optional<double> h = SvgLength(svg.GetAttr(QStringLiteral("height")));
        static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
        const QStringList box =
            svg.GetAttr(QStringLiteral("viewBox")).trimmed().split(separators, Qt::SkipEmptyParts);
        bool okW = false, okH = false;
        const double bw = box.value(2).toDouble(&okW);
        const double bh = box.value(3).toDouble(&okH);
        // A box without area draws nothing and gives no proportions.
        const bool hasBox = box.size() == 4 && okW && okH && bw > 0 && bh > 0;
        if (hasBox) {
            if (!w && !h) {
                w = bw;
                h = bh;
            } else if (!h) {
                h = *w * bh / bw;
            } else if (!w) {
                w = *h * bw / bh;
            }
        }
        if (!w || !h || *w >= 1e9 || *h >= 1e9)
            return std::nullopt;
        return Size(quint32(qRound(*w)), quint32(qRound(*h)));
    }
    return std::nullopt;
}

bool LooksLikeSvg(const QByteArray& head)
{
    QByteArray t = head;
    if (t.startsWith("\xEF\xBB\xBF"))
        t.remove(0, 3);
    t = t.trimmed();
    return t.startsWith("<?xml") || t.startsWith("<svg") || t.startsWith("<!--")
           || t.startsWith("<!DOCTYPE svg");
}

// An AVIF image: the boxes of an ISO media file, the size in the "ispe"
// property of meta/iprp/ipco (the largest one, as thumbnails and alpha
// planes have their own), turned by a quarter when an "irot" says so.
void WalkBoxes(const QByteArray& data, qsizetype from, qsizetype to, int depth, QSize& largest,
               bool& turned)
{
    while (from + 8 <= to && depth < 8) {
        quint64 size = Be32(data, int(from));
        const QByteArray type = data.mid(from + 4, 4);
        qsizetype header = 8;
        if (size == 1) {
            if (from + 16 > to)
                return;
            size = quint64(Be32(data, int(from + 8))) << 32 | Be32(data, int(from + 12));
            header = 16;
        } else if (size == 0) {
            size = quint64(to - from);
        }
        if (size < quint64(header) || size > quint64(to - from))
            return;
        const qsizetype end = from + qsizetype(size);
        if (type == "meta")
            WalkBoxes(data, from + header + 4, end, depth + 1, largest, turned);
        else if (type == "iprp" || type == "ipco")
            WalkBoxes(data, from + header, end, depth + 1, largest, turned);
        else if (type == "ispe" && end - from >= header + 12) {
            const QSize s(int(std::min<quint32>(Be32(data, int(from + header + 4)), INT_MAX)),
                          int(std::min<quint32>(Be32(data, int(from + header + 8)), INT_MAX)));
            if (qint64(s.width()) * s.height() > qint64(largest.width()) * largest.height())
                largest = s;
        } else if (type == "irot" && end - from > header) {
            turned = (quint8(data[from + header]) & 1) != 0;
        }
        from = end;
    }
}

// An ISO media file is AVIF when its major brand or one of its compatible
// brands says so: writers often lead with the general "mif1".
bool IsAvif(const QByteArray& ftyp)
{
    // The minor version, at 12, is no brand.
    for (qsizetype at = 8; at + 4 <= ftyp.size(); at += at == 8 ? 8 : 4) {
        const QByteArray brand = ftyp.mid(at, 4);
        if (brand == "avif" || brand == "avis")
            return true;
    }
    return false;
}

std::optional<QSize> AvifSize(const QByteArray& head)
{
    QSize largest(0, 0);
    bool turned = false;
    WalkBoxes(head, 0, head.size(), 0, largest, turned);
    if (largest.isEmpty())
        return std::nullopt;
    return turned ? largest.transposed() : largest;
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

// The EXIF orientation (1-8) of an APP1 segment's data; 0 when it has
// none. The offsets of the TIFF structure are checked against the data, so
// a mutated segment gives 0.
int ExifOrientation(const QByteArray& data)
{
    if (!data.startsWith(QByteArray("Exif\0\0", 6)) || data.size() < 14)
        return 0;
    const QByteArray tiff = data.mid(6);
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM"))
        return 0;
    auto u16 = [&](qsizetype at) { return little ? Le16(tiff, int(at)) : Be16(tiff, int(at)); };
    auto u32 = [&](qsizetype at) { return little ? Le32(tiff, int(at)) : Be32(tiff, int(at)); };
    const quint32 ifd = u32(4);
    if (ifd > quint32(tiff.size()) || tiff.size() - ifd < 2)
        return 0;
    const quint32 count = u16(ifd);
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + qsizetype(i) * 12;
        if (entry + 12 > tiff.size())
            return 0;
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3) {
            const quint32 value = u16(entry + 8);
            return value >= 1 && value <= 8 ? int(value) : 0;
        }
    }
    return 0;
}

// Every step reads at least one byte or fails, so the loop ends with the
// data however the segment lengths lie. Orientations 5 to 8 turn the image
// by a quarter, and browsers show it turned: width and height swap.
std::optional<QSize> JpegSize(QIODevice& device)
{
    constexpr quint8 kApp1 = 0xE1;
    int orientation = 0;
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
            if (orientation >= 5)
                return Size(Be16(frame, 1), Be16(frame, 3));
            return Size(Be16(frame, 3), Be16(frame, 1));
        }
        if (code == kApp1 && orientation == 0) {
            const QByteArray data = device.read(length - 2);
            if (data.size() != qsizetype(length - 2))
                return std::nullopt;
            orientation = ExifOrientation(data);
            continue;
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
    if (head.startsWith("BM"))
        return BmpSize(head);
    if (head.startsWith(QByteArray("\0\0\1\0", 4)))
        return IcoSize(device);
    if (head.mid(4, 4) == "ftyp" && IsAvif(device.peek(qMin<quint32>(Be32(head, 0), kBoxPeek))))
        return AvifSize(device.peek(kBoxPeek));
    if (LooksLikeSvg(head))
        return SvgSize(device.peek(kBoxPeek));
    if (head.startsWith("\xFF\xD8")) {
        if (device.skip(2) != 2)
            return std::nullopt;
        return JpegSize(device);
    }
    return std::nullopt;
}

bool OpenImageFile(QFile& file, const QString& filePath)
{
    // Only a regular file: a FIFO or device named like a picture would block
    // or never end (OpenFile reads nothing else).
    return platform::OpenFile(file, filePath, QIODevice::ReadOnly);
}

std::optional<QSize> ReadImageSizeOfFile(const QString& filePath)
{
    QFile file;
    if (!OpenImageFile(file, filePath))
        return std::nullopt;
    return ReadImageSize(file);
}

const QStringList& ImageFileTypes()
{
    static const QStringList types = {QStringLiteral("GIF"),  QStringLiteral("JPG"),
                                      QStringLiteral("JPEG"), QStringLiteral("PNG"),
                                      QStringLiteral("WEBP"), QStringLiteral("SVG"),
                                      QStringLiteral("BMP"),  QStringLiteral("ICO"),
                                      QStringLiteral("AVIF")};
    return types;
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
    static const QStringList kTypes = ImageFileTypes();
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

    QFile file;
    if (!OpenImageFile(file, path)) {
        ui.Message(ImageNotFoundText());
        return std::nullopt;
    }
    return ReadImageSize(file).value_or(QSize(0, 0));
}
