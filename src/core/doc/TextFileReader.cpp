#include "core/doc/TextFileReader.h"

#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "platform/Cp932.h"
#include "platform/FileAccess.h"

namespace {

constexpr char16_t kEndOfFile = 0x1A;
// Tables and lists of a few hundred kilobytes; far more is no such file.
constexpr qint64 kMaxTextFile = 64 * 1024 * 1024;

} // namespace

bool TextFileReader::Open(const QString& path, const QString& mode)
{
    Close();
    m_write = mode.startsWith(u'w');
    m_text = !mode.contains(u'b');
    if (!m_write) {
        platform::FileRead file = platform::ReadRegularFile(path, kMaxTextFile);
        m_open = file.error == platform::FileError::None;
        m_bytes = std::move(file.bytes);
        return m_open;
    }
    m_file.setFileName(path);
    m_open = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    return m_open;
}

void TextFileReader::Close()
{
    if (m_file.isOpen())
        m_file.close();
    m_open = false;
    m_loaded = false;
    m_content.clear();
    m_bytes.clear();
    m_pos = 0;
}

void TextFileReader::Load()
{
    m_loaded = true;
    const QByteArray bytes = std::move(m_bytes);
    m_bytes = QByteArray();
    // A UTF-8 byte-order mark is dropped with the decoding, so that the
    // first entry of a table file matches its name.
    if (ScanUtf8(bytes).valid)
        m_content = Utf8ToText(bytes);
    else
        m_content = platform::Cp932ToUnicode(bytes);
    m_pos = 0;
}

bool TextFileReader::ReadLine(QString& line)
{
    line.clear();
    if (!m_open || m_write)
        return false;
    if (!m_loaded)
        Load();
    const qsizetype n = m_content.size();
    if (m_pos >= n)
        return false;
    if (m_text && m_content[m_pos] == kEndOfFile) {
        m_pos = n;
        return false;
    }
    qsizetype i = m_pos;
    for (; i < n; ++i) {
        const QChar c = m_content[i];
        if (c == u'\n')
            break;
        if (c == kEndOfFile) {
            if (m_text)
                break;
            continue;
        }
        line += c;
    }
    // The line's own end (LF, or 0x1A in text mode) is consumed.
    m_pos = i < n ? i + 1 : n;
    // A 0x1A that ended the line also ends the file.
    if (i < n && m_content[i] == kEndOfFile)
        m_pos = n;
    // The line never holds its LF; a CR before it belongs to the line end.
    if (line.endsWith(u'\r'))
        line.chop(1);
    return true;
}

bool TextFileReader::WriteLine(const QString& line)
{
    if (!m_open || !m_write)
        return false;
    QByteArray bytes = line.toUtf8();
    bytes += m_text ? "\r\n" : "\n";
    return m_file.write(bytes) == bytes.size();
}
