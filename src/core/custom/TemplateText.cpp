#include "core/custom/TemplateText.h"

#include "core/doc/DocumentCodec.h"
#include "platform/FileAccess.h"


namespace {

// A template is a page or a snippet; a file far larger is no template and
// is not read into memory.
constexpr qint64 kMaxTemplateSize = 64 * 1024 * 1024;

} // namespace

std::optional<TemplateContent> ReadTemplateFile(const QString& path, bool autoConvert)
{
    platform::FileRead file = platform::ReadRegularFile(path, kMaxTemplateSize);
    if (file.error != platform::FileError::None)
        return std::nullopt;
    DecodedDocument decoded = DecodeDocument(std::move(file.bytes), autoConvert);
    TemplateContent content{std::move(decoded.text), decoded.declared, decoded.code, decoded.lineEnd,
                            std::move(decoded.forms)};
    // A file with mixed line ends keeps its odd ones as lone CR or LF in a
    // document's text; inserted text has no file to go back to, so every
    // line end becomes the editor's own.
    QString& text = content.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return content;
}

int TemplateCaret(const QString& text)
{
    const qsizetype blank = text.indexOf(QStringLiteral("\r\n\r\n"));
    return blank >= 0 ? static_cast<int>(blank) + 2 : 0;
}
