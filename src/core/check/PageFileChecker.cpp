#include "core/check/PageFileChecker.h"

#include "core/app/UiText.h"
#include "core/doc/DocumentCodec.h"
#include "core/links/ImageSize.h"
#include "core/links/PageLinks.h"
#include "core/links/RelativePath.h"
#include "core/tags/HtmlScanner.h"
#include "platform/FileAccess.h"

#include <QHash>

#include <algorithm>

namespace {

PageProblem At(const EditorLines& lines, qsizetype offset, ProblemLevel level, const char* code,
               QString message)
{
    PageProblem p;
    lines.Position(offset, p.line, p.column);
    p.level = level;
    p.code = QString::fromLatin1(code);
    p.message = std::move(message);
    return p;
}

// A WIDTH or HEIGHT in pixels: digits alone, blanks around allowed; 0 for
// a percentage or anything else, which is not compared.
int PixelLength(const std::optional<QString>& value)
{
    if (!value)
        return 0;
    const QString v = value->trimmed();
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n > 0 && v.front().isDigit() ? n : 0;
}

void CheckLinks(const CheckedPage& page, const EditorLines& lines,
                std::vector<PageProblem>& problems)
{
    const QString base = PageBase(page.text);
    bool rootNamed = false;
    for (const PlacedLink& placed : PlacedPageLinks(page.text)) {
        const LinkTarget target = ResolveLink(page.path, placed.link, page.siteRoot, base);
        if (target.kind == LinkTarget::Kind::NoSiteRoot && !rootNamed) {
            rootNamed = true;
            problems.push_back(At(lines, placed.offset, ProblemLevel::Hint, "ROOT_LINKS_UNCHECKED",
                                  UiText(QStringLiteral("サイトのフォルダが分からないため、/ で始まるリンクは確かめていません"))));
        } else if (IsMissingTarget(target)) {
            problems.push_back(At(lines, placed.offset, ProblemLevel::Error, "MISSING_LINK",
                                  UiText(QStringLiteral("リンク先 %1 が見つかりません")).arg(placed.link)));
        }
    }
}

void CheckImageSizes(const CheckedPage& page, const EditorLines& lines,
                     std::vector<PageProblem>& problems)
{
    const QString base = PageBase(page.text);
    // A page shows the same picture many times; its file is read once.
    QHash<QString, std::optional<QSize>> sizes;
    HtmlScanner scanner(page.text);
    HtmlToken tag;
    while (scanner.Next(tag)) {
        if (tag.kind != HtmlToken::Kind::StartTag || !tag.closed
            || tag.Name(page.text).compare(u"IMG", Qt::CaseInsensitive) != 0)
            continue;
        const int width = PixelLength(TagAttrValue(page.text, tag, u"WIDTH"));
        const int height = PixelLength(TagAttrValue(page.text, tag, u"HEIGHT"));
        const QString source = CleanLinkText(TagAttrValue(page.text, tag, u"SRC").value_or(QString()));
        if ((width == 0 && height == 0) || source.isEmpty())
            continue;
        const LinkTarget target = ResolveLink(page.path, source, page.siteRoot, base);
        if (target.kind != LinkTarget::Kind::File)
            continue;
        auto known = sizes.find(target.path);
        if (known == sizes.end()) {
            const QString file = platform::DiskSpelling(target.path);
            known = sizes.insert(target.path, platform::IsRegularFile(file)
                                                  ? ReadImageSizeOfFile(file)
                                                  : std::nullopt);
        }
        if (!known.value())
            continue;
        const QSize actual = *known.value();
        const std::optional<ProblemLevel> level = ImageSizeProblem(actual, width, height);
        if (!level)
            continue;
        const QString shown =
            width && height ? QStringLiteral("%1×%2").arg(width).arg(height)
            : width         ? UiText(QStringLiteral("幅 %1")).arg(width)
                            : UiText(QStringLiteral("高さ %1")).arg(height);
        const bool distorted = *level == ProblemLevel::Warning;
        const QString message =
            distorted ? UiText(QStringLiteral("画像 %1 の大きさは %2 ですが、縦横の比を変えて %3 で表示します"))
                      : UiText(QStringLiteral("画像 %1 の大きさは %2 ですが、%3 に拡大・縮小して表示します"));
        const QString size = QStringLiteral("%1×%2").arg(actual.width()).arg(actual.height());
        problems.push_back(At(lines, tag.start, *level,
                              distorted ? "IMAGE_SIZE_DISTORTED" : "IMAGE_SIZE_SCALED",
                              message.arg(source, size, shown)));
    }
}

// The code a page is written in when saved: a page detected as ASCII, or
// as either EUC or Shift-JIS, is written as Shift-JIS.
CodeKind WrittenCode(CodeKind code)
{
    return code == CodeKind::Ascii || code == CodeKind::Unknown ? CodeKind::ShiftJis : code;
}

void CheckDeclaredCode(const CheckedPage& page, const EditorLines& lines,
                       std::vector<PageProblem>& problems)
{
    // Declarations are ASCII; Latin-1 keeps one byte per character, so
    // offsets in the head are offsets in the text.
    const QByteArray head = QStringView(page.text).first(std::min<qsizetype>(page.text.size(), 4096)).toLatin1();
    const std::optional<CodeKind> declared = DeclaredCode(head);
    const CodeKind written = WrittenCode(page.saveCode);
    if (!declared || *declared == written)
        return;
    // Our codes agree on ASCII: a page of ASCII alone reads right whatever
    // it declares.
    if (std::all_of(page.text.begin(), page.text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return;
    const QByteArray lower = head.toLower();
    qsizetype at = lower.startsWith("<?xml") ? lower.indexOf("encoding") : -1;
    if (at < 0)
        at = lower.indexOf("charset");
    const QStringList names = CodeKindCaptions();
    problems.push_back(At(lines, std::max<qsizetype>(at, 0), ProblemLevel::Error, "DECLARED_CODE_DIFFERS",
                          UiText(QStringLiteral("文字コードの宣言は %1 ですが、%2 で保存されています"))
                              .arg(UiText(names.value(int(*declared))), UiText(names.value(int(written))))));
}

} // namespace

std::optional<ProblemLevel> ImageSizeProblem(QSize actual, int width, int height)
{
    const qint64 w = actual.width(), h = actual.height();
    if (w <= 0 || h <= 0 || ((width == 0 || width == w) && (height == 0 || height == h)))
        return std::nullopt;
    if (width == 0 || height == 0)
        return ProblemLevel::Hint;
    // The other side as the proportions give it, either way round.
    const bool heightFits = std::abs(height * w - width * h) <= w;
    const bool widthFits = std::abs(width * h - height * w) <= h;
    return heightFits || widthFits ? ProblemLevel::Hint : ProblemLevel::Warning;
}

std::vector<PageProblem> PageFileChecker::Check(const CheckedPage& page, const EditorLines& lines) const
{
    std::vector<PageProblem> problems;
    CheckDeclaredCode(page, lines, problems);
    if (page.path.isEmpty()) {
        problems.push_back(At(lines, 0, ProblemLevel::Hint, "UNSAVED_PAGE",
                              UiText(QStringLiteral("保存していない文書のため、リンクと画像は確かめていません"))));
    } else {
        CheckLinks(page, lines, problems);
        CheckImageSizes(page, lines, problems);
    }
    return problems;
}
