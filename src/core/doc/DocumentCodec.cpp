#include "core/doc/DocumentCodec.h"

#include "core/doc/CodeDeclarations.h"
#include "core/doc/CodecIo.h"
#include "core/doc/CodeDetect.h"
#include "platform/Cp932.h"
#include "platform/LargeBuffers.h"

#include <algorithm>
#include <cctype>
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
    const qsizetype lfs = codec::CountByte(bytes, '\n');
    QByteArray out(bytes.size() + lfs, Qt::Uninitialized);
    platform::AdviseLargeBuffer(out.data(), out.size());
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

// Every CR gets an LF, also one followed by CR LF: the save rewrite turns
// each CR LF back into CR, so the bytes come back exactly.
QByteArray CrToCrLf(QByteArrayView bytes)
{
    const qsizetype crs = codec::CountByte(bytes, '\r');
    QByteArray out(bytes.size() + crs, Qt::Uninitialized);
    platform::AdviseLargeBuffer(out.data(), out.size());
    char* d = out.data();
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* cr = static_cast<const char*>(memchr(s, '\r', end - s));
        const char* stop = cr ? cr : end;
        memcpy(d, s, stop - s);
        d += stop - s;
        if (!cr)
            break;
        *d++ = '\r';
        *d++ = '\n';
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

namespace {

using codec::DecodeResult;
using codec::NextChar;
using codec::TextChar;

enum class Family { Cp932, Euc, Jis, Utf8 };

Family FamilyOf(CodeKind code)
{
    switch (code) {
    case CodeKind::Euc:
        return Family::Euc;
    case CodeKind::Jis:
        return Family::Jis;
    case CodeKind::Utf8:
        return Family::Utf8;
    default:
        return Family::Cp932;
    }
}

// The encoding table of a table-driven family, looked up once per text.
const uint32_t* EncodeTable(Family family)
{
    switch (family) {
    case Family::Cp932:
        return platform::Cp932Tables().encode.data();
    case Family::Euc:
        return platform::EucJpTables().encode.data();
    default:
        return nullptr;
    }
}

bool Encodable(Family family, const uint32_t* table, char32_t ch)
{
    if (ch < 0x80)
        return true;
    switch (family) {
    case Family::Utf8:
        return ch < 0xD800 || ch > 0xDFFF;
    case Family::Cp932:
    case Family::Euc:
        return ch <= 0xFFFF && table[ch] != 0;
    case Family::Jis:
        return codec::JisEncodable(ch);
    }
    return false;
}

} // namespace

std::optional<CodeKind> DeclaredCode(QByteArrayView bytes)
{
    // Declarations belong in the head, which the first 4 KB hold: a value
    // that ends in them counts, though its tag may close after them. They
    // are ASCII: read as Latin-1, the bytes keep their offsets, and no byte
    // of a Shift-JIS, EUC or UTF-8 character reads as markup.
    constexpr qsizetype kHead = 4096;
    constexpr qsizetype kTagRest = 256;
    const QString head = QString::fromLatin1(bytes.first(std::min(bytes.size(), kHead + kTagRest)));
    for (const CodeDeclaration& d : FindCodeDeclarations(head, DeclarationSyntax::Html, DeclarationScope::Head))
        if (d.OfOwnText())
            return d.end <= kHead ? d.code : std::nullopt;
    return std::nullopt;
}

QString NumericReference(char32_t ch)
{
    return QStringLiteral("&#x") + QString::number(static_cast<uint>(ch), 16).toUpper() + u';';
}

std::vector<Unencodable> FindUnencodable(QStringView text, CodeKind code, qsizetype limit,
                                         qsizetype* total)
{
    std::vector<Unencodable> found;
    qsizetype count = 0;
    const Family family = FamilyOf(code);
    const uint32_t* const table = EncodeTable(family);
    const char16_t* const start = text.utf16();
    const char16_t* p = start;
    const char16_t* const end = p + text.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const qsizetype at = p - start;
        const TextChar c = NextChar(p, end);
        if (c.kept || Encodable(family, table, c.ch))
            continue;
        ++count;
        if (static_cast<qsizetype>(found.size()) < limit)
            found.push_back({at, c.ch});
        else if (!total)
            break;
    }
    if (total)
        *total = count;
    return found;
}

namespace {

DecodedDocument Decode(QByteArray bytes, CodeKind code, LineEndKind lineEnd, bool autoConvert)
{
    DecodedDocument doc;
    doc.code = code;
    doc.lineEnd = lineEnd;
    doc.declared = DeclaredCode(bytes);
    if (bytes.isEmpty())
        return doc;
    const Family family = autoConvert ? FamilyOf(code) : Family::Cp932;
    // The decoders write a file's LF or CR line ends as CR LF as they go.
    DecodeResult r;
    switch (family) {
    case Family::Cp932:
        r = codec::DecodeCp932(bytes, lineEnd, &doc.forms);
        doc.forms.DropCanonical(platform::Cp932Tables().encode);
        break;
    case Family::Euc:
        doc.forms.eucFamily = true;
        r = codec::DecodeEuc(bytes, lineEnd, &doc.forms);
        doc.forms.DropCanonical(platform::EucJpTables().encode);
        break;
    case Family::Jis:
        r = codec::DecodeJis(bytes, lineEnd, &doc.forms);
        doc.forms.DropCanonical(platform::EucJpTables().encode);
        doc.forms.KeepOriginal(bytes, lineEnd, r.text);
        break;
    case Family::Utf8:
        r = codec::DecodeUtf8(bytes, lineEnd, &doc.forms);
        break;
    }
    bytes = QByteArray();
    doc.text = std::move(r.text);
    doc.undecodable = r.escaped;
    doc.firstUndecodable = r.first;
    return doc;
}

} // namespace

DecodedDocument DecodeDocument(QByteArray bytes, bool autoConvert)
{
    const CodeKind code = DetectDocumentCode(bytes);
    ByteReader reader(bytes);
    const LineEndKind lineEnd = DetectLineEnd(reader);
    return Decode(std::move(bytes), code, lineEnd, autoConvert);
}

DecodedDocument DecodeDocumentAs(QByteArray bytes, CodeKind code, bool autoConvert)
{
    ByteReader reader(bytes);
    const LineEndKind lineEnd = DetectLineEnd(reader);
    return Decode(std::move(bytes), code, lineEnd, autoConvert);
}

QByteArray EncodeDocument(QStringView text, CodeKind code, LineEndKind lineEnd,
                          const FileForms* forms, qsizetype* references)
{
    const Family family = FamilyOf(code);
    // Forms read in another family of codes mean other bytes.
    const bool formsApply = forms && forms->eucFamily == (family == Family::Euc || family == Family::Jis);
    const FileForms* f = formsApply ? forms : nullptr;
    // The encoders write the file's line ends as they go, except JIS,
    // whose shift states have their own writer.
    QByteArray bytes;
    if (references)
        *references = 0;
    switch (family) {
    case Family::Cp932:
        return codec::EncodeMultiByte(text, platform::Cp932Tables(), f, lineEnd, references);
    case Family::Euc:
        return codec::EncodeMultiByte(text, platform::EucJpTables(), f, lineEnd, references);
    case Family::Utf8:
        return codec::EncodeUtf8(text, forms, lineEnd, references);
    case Family::Jis:
        if (f && f->Unchanged(text, lineEnd))
            return f->original;
        bytes = codec::EncodeJis(text, f, references);
        break;
    }
    if (lineEnd == LineEndKind::Lf)
        CrLfToLf(bytes);
    else if (lineEnd == LineEndKind::Cr)
        CrLfToCr(bytes);
    return bytes;
}