#include "core/custom/TemplateText.h"

#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "platform/Cp932.h"
#include "platform/FileAccess.h"


namespace {

// A template is a page or a snippet; a file far larger is no template and
// is not read into memory.
constexpr qint64 kMaxTemplateSize = 64 * 1024 * 1024;

} // namespace

std::optional<QString> ReadTemplateFile(const QString& path)
{
    const platform::FileRead file = platform::ReadRegularFile(path, kMaxTemplateSize);
    if (file.error != platform::FileError::None)
        return std::nullopt;
    const QByteArray& bytes = file.bytes;
    QString text = ScanUtf8(bytes).valid ? Utf8ToText(bytes) : platform::Cp932ToUnicode(bytes);
    // Files made on this desktop end their lines in LF; the editor's text
    // holds CR LF, and a lone LF would stay in the document as one.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

int TemplateCaret(const QString& text)
{
    const qsizetype blank = text.indexOf(QStringLiteral("\r\n\r\n"));
    return blank >= 0 ? static_cast<int>(blank) + 2 : 0;
}
