#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;
class QIODevice;
class Ui;

// The pixel size written in the header of a GIF, JPEG, PNG, WebP, BMP,
// ICO, AVIF or SVG image, as browsers show it.
// The format is told by the data's own signature, not by a file name, so a
// misnamed file still gives its true size. Reads forward from the device's
// current position only as far as the size and never past the end of the
// data: a truncated, empty or mutated file ends the read, whatever its
// segment lengths say. nullopt when the data is none of these formats or
// ends (or a JPEG reaches its scan data) before the size.
//
// JPEG: markers are followed from segment to segment by their lengths (fill
// bytes and junk between segments are passed over; a length below 2 ends
// the read); the first start-of-frame segment of any coding (baseline,
// progressive, lossless, arithmetic) gives the size, so an EXIF thumbnail
// inside APP1 is never taken for the image. An EXIF orientation of 5 to 8
// (a quarter turn) swaps width and height.
std::optional<QSize> ReadImageSize(QIODevice& device);

// Opens a regular file for reading by the bytes of its name (a name that
// is not UTF-8 too, see platform::EncodePath).
bool OpenImageFile(QFile& file, const QString& filePath);

// The same for a file; nullopt also when it cannot be opened.
std::optional<QSize> ReadImageSizeOfFile(const QString& filePath);

// The image dialog's size reading for its "サイズ挿入" button and after a
// file was picked with its browse button. The reference is the dialog's
// file field (the SRC link text); documentPath is empty while the document
// has no path. Gives the size for the width and height fields: 0 x 0 when
// the file's header gives none. nullopt leaves the fields as they are:
//   - no "." in the file name: nothing happens;
//   - a name whose type is none of ImageFileTypes() (any case): shows
//     ImageTypeErrorText();
//   - a link above the root: shows "相対パスが誤っています";
//   - a file that cannot be opened, a scheme link ("http:..."), or a
//     relative reference while there is no document folder to resolve it
//     against: shows "ファイルが見つかりません".
std::optional<QSize> ReadImageSize(Ui& ui, const QString& reference,
                                   const QString& documentPath);

// The file name types (upper case, without ".") of the formats read here.
const QStringList& ImageFileTypes();

QString ImageTypeErrorText();
QString ImageNotFoundText();
