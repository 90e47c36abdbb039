#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "core/links/ImageSize.h"

#include <QBuffer>
#include <QDirIterator>
#include <QRegularExpression>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

std::optional<QSize> SizeOf(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadImageSize(buffer);
}

QString Show(const std::optional<QSize>& size)
{
    return size ? u"%1x%2"_qs.arg(size->width()).arg(size->height())
                : u"none"_qs;
}

// A JPEG with an EXIF block holding the TIFF data right after its start.
QByteArray WithExif(const QByteArray& jpeg, const QByteArray& tiff)
{
    QByteArray app1 = QByteArray("Exif", 4) + QByteArray(2, '\0') + tiff;
    const int length = app1.size() + 2;
    QByteArray segment = Hex("ffe1");
    segment.append(char(length >> 8)).append(char(length & 0xFF));
    return jpeg.left(2) + segment + app1 + jpeg.mid(2);
}

// A JPEG with an EXIF block holding a thumbnail of another size ahead of
// the image's own frame header, as cameras write them: the thumbnail's
// frame header must not be taken for the image's.
QByteArray WithExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail)
{
    return WithExif(jpeg, Hex("49492a0008000000") + thumbnail);
}

} // namespace

class TestImageSize : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_convert;

    // Makes an image of the size with ImageMagick.
    QString Make(const QString& name, const QString& size, const QStringList& options)
    {
        const QString path = m_dir.filePath(name);
        QStringList args{u"-size"_qs, size, u"gradient:red-blue"_qs};
        args << options << path;
        QProcess p;
        p.start(m_convert, args);
        // A failed encoder leaves no file, which every caller reports.
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            qWarning() << "convert failed:" << args << p.readAllStandardError();
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_convert = QStandardPaths::findExecutable(u"convert"_qs);
        QVERIFY2(!m_convert.isEmpty(), "ImageMagick's convert is needed (scripts/kelvo.sh)");
    }

    void encodedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("size");

        QTest::newRow("gif") << "a.gif" << QStringList() << "300x260";
        QTest::newRow("interlaced gif") << "i.gif" << QStringList{"-interlace", "GIF"} << "37x21";
        QTest::newRow("baseline jpeg") << "a.jpg" << QStringList() << "300x260";
        QTest::newRow("progressive jpeg")
            << "p.jpg" << QStringList{"-interlace", "Plane"} << "640x1";
        QTest::newRow("grey jpeg with restart markers")
            << "r.jpg" << QStringList{"-colorspace", "Gray", "-define", "jpeg:restart-interval=1"}
            << "33x17";
        QTest::newRow("png") << "a.png" << QStringList() << "12000x2";
        QTest::newRow("interlaced png") << "i.png" << QStringList{"-interlace", "PNG"} << "5x9";
        QTest::newRow("lossy webp") << "a.webp" << QStringList() << "301x257";
        QTest::newRow("lossless webp")
            << "l.webp" << QStringList{"-define", "webp:lossless=true"} << "12001x3";
        QTest::newRow("extended webp with alpha")
            << "x.webp" << QStringList{"-alpha", "set", "-channel", "A", "-evaluate", "set", "50%"}
            << "1x12003";
        QTest::newRow("bmp") << "a.bmp" << QStringList() << "301x257";
        QTest::newRow("old bmp header") << "o.bmp" << QStringList{"-define", "bmp:format=bmp2"}
                                        << "77x3";
        QTest::newRow("icon, its largest image")
            << "a.ico" << QStringList{"-define", "icon:auto-resize=16,48,32"} << "48x48";
        QTest::newRow("avif") << "a.avif" << QStringList() << "301x257";
    }
    void encodedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(QString, size);
        const QString path = Make(name, size, options);
        QCOMPARE(Show(ReadImageSizeOfFile(path)), size);
    }

    // Real drawings in the sizes they are written in, and in other units
    // with sides left out, each compared with librsvg's rendering.
    void svgAgreesWithLibrsvg()
    {
        const QString rsvg = QStandardPaths::findExecutable(u"rsvg-convert"_qs);
        QVERIFY2(!rsvg.isEmpty(), "librsvg's rsvg-convert is needed (scripts/kelvo.sh)");
        QStringList drawings;
        QDirIterator it(u"/usr/share/icons"_qs, {u"*.svg"_qs}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            drawings << it.next();
        QVERIFY2(drawings.size() >= 12, "icon themes are needed (scripts/kelvo.sh)");
        drawings.sort();
        // Whole pixels in every unit, so that librsvg's rounding up cannot
        // differ from ours; one side alone needs a viewBox.
        const QStringList variants = {u"width=\"12pt\" height=\"1pc\""_qs, u"width=\"25.4mm\""_qs,
                                      u"width=\"100%\" height=\"2.54cm\""_qs, u"height=\"1in\""_qs};
        static const QRegularExpression svgTag(u"<svg\\b[^>]*>"_qs);
        static const QRegularExpression sides(u"\\s(width|height)\\s*=\\s*(\"[^\"]*\"|'[^']*')"_qs);
        const QString file = m_dir.filePath(u"v.svg"_qs), png = m_dir.filePath(u"v.png"_qs);
        for (qsizetype i = 0; i < drawings.size(); i += drawings.size() / 12) {
            const QString text = QString::fromUtf8(ReadBytes(drawings.at(i)));
            const QRegularExpressionMatch tag = svgTag.match(text);
            const bool boxed = tag.captured().contains(u"viewBox"_qs);
            for (const QString& variant : QStringList{QString()} + variants.mid(0, boxed ? 4 : 1)) {
                QString start = tag.captured();
                if (!variant.isEmpty())
                    start.remove(sides).insert(4, u' ' + variant);
                QVERIFY(WriteBytes(file, QString(text).replace(tag.capturedStart(), tag.capturedLength(), start).toUtf8()));
                QFile::remove(png);
                QCOMPARE(QProcess::execute(rsvg, {file, u"-o"_qs, png}), 0);
                const QString where = u' ' + drawings.at(i) + u' ' + variant;
                QCOMPARE(Show(ReadImageSizeOfFile(file)) + where, Show(ReadImageSizeOfFile(png)) + where);
            }
        }
    }

    // EXIF orientations 5 to 8 turn the picture by a quarter: browsers show
    // it with width and height swapped.
    void exifOrientation_data()
    {
        QTest::addColumn<QByteArray>("tiff");
        QTest::addColumn<QString>("size");
        QTest::newRow("6, little-endian")
            << Hex("49492a00080000000100120103000100000006000000" "00000000") << "80x120";
        QTest::newRow("8, big-endian")
            << Hex("4d4d002a000000080001011200030000000100080000" "00000000") << "80x120";
        QTest::newRow("5, the first turned one")
            << Hex("49492a00080000000100120103000100000005000000" "00000000") << "80x120";
        QTest::newRow("4, upside down only")
            << Hex("49492a00080000000100120103000100000004000000" "00000000") << "120x80";
        QTest::newRow("entries past the data") << Hex("49492a0008000000ff00") << "120x80";
        QTest::newRow("directory past the data") << Hex("49492a00ffff0000") << "120x80";
    }
    void exifOrientation()
    {
        QFETCH(QByteArray, tiff);
        QFETCH(QString, size);
        const QByteArray image = ReadBytes(Make(u"o.jpg"_qs, u"120x80"_qs, {}));
        QVERIFY(!image.isEmpty());
        QCOMPARE(Show(SizeOf(WithExif(image, tiff))), size);
    }

    void exifJpeg()
    {
        const QByteArray image = ReadBytes(Make(u"e.jpg"_qs, u"120x80"_qs, {}));
        const QByteArray thumb = ReadBytes(Make(u"t.jpg"_qs, u"12x8"_qs, {}));
        QVERIFY(!image.isEmpty() && !thumb.isEmpty());
        QCOMPARE(Show(SizeOf(WithExifThumbnail(image, thumb))), u"120x80"_qs);
    }

    void headerRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");

        const QByteArray soi = Hex("ffd8");
        const QByteArray sof0 = Hex("ffc0000b08004000a0010100");   // 160 x 64
        QTest::newRow("gif screen size, little-endian")
            << QByteArray("GIF89a") + Hex("20014000") << "288x64";
        QTest::newRow("gif cut before the height") << QByteArray("GIF87a") + Hex("2001") << "none";
        QTest::newRow("progressive frame") << soi + Hex("ffc2000b08004000a0010100") << "160x64";
        QTest::newRow("lossless hierarchical frame")
            << soi + Hex("ffc5000b08004000a0010100") << "160x64";
        QTest::newRow("arithmetic frame") << soi + Hex("ffc9000b08004000a0010100") << "160x64";
        QTest::newRow("Huffman tables are no frame")
            << soi + Hex("ffc4000400ff") + sof0 << "160x64";
        QTest::newRow("fill bytes before a marker") << soi + Hex("ffffffff") + sof0.mid(1)
                                                    << "160x64";
        QTest::newRow("junk between segments")
            << soi + Hex("ffe0000400001234") + sof0 << "160x64";
        QTest::newRow("restart marker has no length") << soi + Hex("ffd0") + sof0 << "160x64";
        QTest::newRow("scan before any frame") << soi + Hex("ffda000400ff") + sof0 << "none";
        QTest::newRow("end of image before any frame") << soi + Hex("ffd9") + sof0 << "none";
        QTest::newRow("segment length 0") << soi + Hex("ffe00000") + sof0 << "none";
        QTest::newRow("segment length 1") << soi + Hex("ffe00001") + sof0 << "none";
        QTest::newRow("segment longer than the file") << soi + Hex("ffe0fff0") + sof0 << "none";
        QTest::newRow("frame header cut short") << soi + sof0.left(8) << "none";
        QTest::newRow("no start of image") << Hex("ffe0") + sof0 << "none";
        QTest::newRow("png without its header chunk")
            << Hex("89504e470d0a1a0a0000000d49444154000000100000000800") << "none";
        QTest::newRow("png wider than a size can hold")
            << Hex("89504e470d0a1a0a0000000d494844528000000000000008") << "none";
        QTest::newRow("lossy webp without its start code")
            << QByteArray("RIFF\x30\0\0\0WEBPVP8 \x20\0\0\0", 20) + Hex("5003009d012b25001500") << "none";
        QTest::newRow("bmp stored top down") << QByteArray("BM") + QByteArray(12, '\0')
                                                    + Hex("280000000300000002ffffff0100") << "3x254";
        // The old header, the smallest and largest of the newer ones, and
        // their neighbours; one plane.
        const QByteArray fileHeader = QByteArray("BM") + QByteArray(12, '\0');
        for (const int header : {11, 12, 13, 39, 40, 41, 124, 125}) {
            const bool known = QList<int>{12, 40, 124}.contains(header);
            // Width 7, height 5, one plane: 16-bit fields in the old header.
            QByteArray dib = header == 12 ? Hex("070005000100") : Hex("07000000050000000100");
            dib.prepend(QByteArray(1, char(header)) + QByteArray(3, '\0')).append(4, '\0');
            QTest::addRow("bmp header of %d bytes", header)
                << fileHeader + dib << (known ? "7x5" : "none");
        }
        QTest::newRow("bmp with two planes") << fileHeader + Hex("28000000070000000500000002000000")
                                             << "none";
        QTest::newRow("old bmp with two planes") << fileHeader + Hex("0c000000070005000200000000000000")
                                                 << "none";
        QTest::newRow("text that starts with BM")
            << QByteArray("BM is how this text starts, and it is no picture") << "none";
        // Sizes only the inside of a container tells: the PNG of a large
        // icon image (its size byte 0 says "256 or more"), the brands of
        // an AVIF file.
        const QByteArray png = ReadBytes(Make(u"big.png"_qs, u"512x384"_qs, {}));
        auto icon = [](const QByteArray& image, const char* offset) {
            // A 48 px bitmap entry, then one of 0 x 0 at the offset given.
            return Hex("000001000200303000000100200010000000260000000000000001002000")
                   + Hex("00000000") + Hex(offset) + QByteArray(16, '\0') + image;
        };
        QTest::newRow("icon with a 512 px PNG") << icon(png, "36000000") << "512x384";
        QTest::newRow("icon whose large image is a bitmap") << icon(QByteArray(40, '('), "36000000")
                                                            << "256x256";
        QTest::newRow("icon whose image lies past the end") << icon(png, "36ffff00") << "256x256";
        const QByteArray avif = ReadBytes(Make(u"b.avif"_qs, u"40x30"_qs, {}));
        QCOMPARE(avif.mid(4, 16), QByteArray("ftypavif\0\0\0\0avif", 16));
        QByteArray general = avif;
        general.replace(8, 4, "mif1");
        QTest::newRow("avif led by mif1") << general << "40x30";
        QTest::newRow("heif without an avif brand")
            << QByteArray(general).replace(12, 4, "avif").replace(16, 4, "heic") << "none";
        QTest::newRow("svg width and height in pixels")
            << QByteArray("<?xml version=\"1.0\"?>\n<!-- <svg width='1'> -->\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height='80px'>")
            << "120x80";
        QTest::newRow("svg sized by its viewBox")
            << QByteArray("<svg viewBox=\"0,0 300.4 150\" width=\"100%\">") << "300x150";
        // Sizes as browsers (and librsvg) give them: 96 pixels an inch.
        const QList<std::pair<const char*, const char*>> svgs = {
            {"width=\"282pt\" height=\"3pc\"", "376x48"},
            {"width=\"210mm\" height=\"297mm\"", "794x1123"},
            {"width=\"2.54cm\" height=\"1.28125in\"", "96x123"},
            {"width=\" 10PX \" height=\"1e1\"", "10x10"},
            {"width=\"10.5\" height=\"10.49px\"", "11x10"},
            {"width=\"123px\" viewBox=\"0 0 246 912\"", "123x456"},
            {"width=\"100%\" height=\"60\" viewBox=\"0 0 30 20\"", "90x60"},
            {"width=\"auto\" height=\"-4\" viewBox=\"0 0 30 20\"", "30x20"},
            {"width=\"60\" viewBox=\"0 0 0 20\"", "none"},
            {"width=\"60\"", "none"},
        };
        for (const auto& [attrs, size] : svgs)
            QTest::addRow("svg %s", attrs) << QByteArray("<svg ") + attrs + ">" << size;
        QTest::newRow("svg in relative units only") << QByteArray("<svg width=\"10em\" height=\"5em\">")
                                                    << "none";
        QTest::newRow("avif boxes cut short") << Hex("0000001c667479706176696600000000") << "none";
        QTest::newRow("empty") << QByteArray() << "none";
        QTest::newRow("text") << QByteArray("<html>") << "none";
    }
    void headerRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        QCOMPARE(Show(SizeOf(bytes)), size);
    }

    // Every cut and thousands of byte changes of real files: the reader ends
    // each time, and a cut file gives the true size or none, never another.
    void truncatedAndMutated()
    {
        QList<QByteArray> samples;
        for (const char* type : {"gif", "jpg", "png", "webp", "bmp", "ico", "avif"})
            samples << ReadBytes(Make(u"f."_qs + QLatin1String(type), u"40x30"_qs, {}));
        const QByteArray thumb = ReadBytes(Make(u"ft.jpg"_qs, u"4x3"_qs, {}));
        samples << WithExifThumbnail(samples.at(1), thumb);

        QRandomGenerator random(14);
        for (const QByteArray& sample : samples) {
            QVERIFY(!sample.isEmpty());
            const std::optional<QSize> whole = SizeOf(sample);
            QCOMPARE(Show(whole), u"40x30"_qs);
            for (int cut = 0; cut < sample.size(); ++cut) {
                const std::optional<QSize> part = SizeOf(sample.left(cut));
                QVERIFY2(!part || *part == *whole, qPrintable(QString::number(cut)));
            }
            for (int round = 0; round < 3000; ++round) {
                QByteArray mutated = sample.left(qMin<qsizetype>(sample.size(), 700));
                const int changes = 1 + random.bounded(4);
                for (int c = 0; c < changes; ++c) {
                    const int at = random.bounded(int(mutated.size()));
                    // Marker-like bytes make the scan take its rarer paths.
                    static const char kBytes[] = {'\xff', '\x00', '\x01', '\xd8', '\xda', '\xc0'};
                    mutated[at] = random.bounded(2) ? kBytes[random.bounded(6)]
                                                    : char(random.bounded(256));
                }
                const std::optional<QSize> size = SizeOf(mutated);
                QVERIFY(!size || (size->width() >= 0 && size->height() >= 0));
            }
        }
    }

    void dialogReading_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("fields");   // "unchanged" when nothing is filled in
        QTest::addColumn<QString>("message");

        const QString notFound = ImageNotFoundText();
        QTest::newRow("relative to the document") << true << "img/d.gif" << "11x7" << "";
        QTest::newRow("type in any case") << true << "img/D.Jpg" << "13x5" << "";
        QTest::newRow("jpeg spelled out") << true << "img/d.jpeg" << "13x5" << "";
        QTest::newRow("escaped name") << true << "img/my%20d.png" << "3x4" << "";
        QTest::newRow("other type") << true << "img/d.tif" << "unchanged" << ImageTypeErrorText();
        QTest::newRow("no dot") << true << "img/d" << "unchanged" << "";
        QTest::newRow("missing file") << true << "img/none.gif" << "unchanged" << notFound;
        QTest::newRow("not an image inside") << true << "img/text.jpg" << "0x0" << "";
        QTest::newRow("above the root") << true << "../../../../../../../../../../x.gif"
                                        << "unchanged" << "相対パスが誤っています";
        QTest::newRow("web address") << true << "http://example.com/d.gif" << "unchanged"
                                     << notFound;
        QTest::newRow("unsaved, relative") << false << "img/d.gif" << "unchanged" << notFound;
        QTest::newRow("unsaved, absolute") << false << "SITE/img/d.gif" << "11x7" << "";
    }
    void dialogReading()
    {
        QFETCH(bool, saved);
        QFETCH(QString, reference);
        QFETCH(QString, fields);
        QFETCH(QString, message);

        QTemporaryDir site;
        QVERIFY(QDir(site.path()).mkpath(u"img"_qs));
        const QString img = site.filePath(u"img/"_qs);
        QVERIFY(QFile::copy(Make(u"d.gif"_qs, u"11x7"_qs, {}), img + "d.gif"));
        const QString jpg = Make(u"d.jpg"_qs, u"13x5"_qs, {});
        QVERIFY(QFile::copy(jpg, img + "D.Jpg"));
        QVERIFY(QFile::copy(jpg, img + "d.jpeg"));
        QVERIFY(QFile::copy(Make(u"d.png"_qs, u"3x4"_qs, {}), img + "my d.png"));
        QVERIFY(WriteBytes(img + "text.jpg", "not a picture"));
        QVERIFY(WriteBytes(img + "d.bmp", "BM"));

        ScriptedUi ui;
        const QString document = saved ? site.filePath(u"index.htm"_qs) : QString();
        const std::optional<QSize> size =
            ReadImageSize(ui, reference.replace(u"SITE"_qs, site.path()), document);
        QCOMPARE(size ? Show(size) : u"unchanged"_qs, fields);
        QCOMPARE(ui.Texts(u"message"_qs).join(u'|'), message);
        if (message.isEmpty())
            QVERIFY(ui.Records().empty());
    }
};

KELVO_TEST(TestImageSize, "ImageSize");
#include "tst_ImageSize.moc"
