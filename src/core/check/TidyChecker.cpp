#include "core/check/TidyChecker.h"

#include "core/app/UiText.h"
#include "core/tags/HtmlScanner.h"

#include <QThread>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <memory>

namespace {

// A page full of faults gives a report for every few characters; beyond
// this many the rest are not collected.
constexpr int kMaxReports = 100000;

// Tidy builds and walks its tree by recursion, and its time grows with the
// square of the nesting: 10,000 nested DIVs take it 0.4 s, 200,000 several
// minutes (and end the `tidy` program with a segmentation fault on an
// ordinary stack). Pages nested deeper than kMaxNesting, as a browser
// would nest them, are not given to it; the others run on a thread with a
// stack of kTidyStack, far more than an element's 160 bytes at most
// (nested tables with their rows and cells) times kMaxNesting.
constexpr uint kTidyStack = 64u * 1024 * 1024;
constexpr qsizetype kMaxNesting = 10000;

// Tidy's report keys with our texts. The arguments are Tidy's, in its
// order: element names ("p", or "<p>" where Tidy writes it so), attribute
// names and values. Markup that is legal or only dated is a hint: older
// pages are full of FONT and CENTER, and HTML lets end tags and empty
// elements go.
struct TidyText {
    const char* key;
    const char16_t* text;
    bool hint = false;
};

constexpr TidyText kTidyTexts[] = {
    {"MISSING_ENDTAG_FOR", u"</%1> がありません"},
    {"MISSING_ENDTAG_BEFORE", u"%2 の前に </%1> がありません"},
    {"MISSING_STARTTAG", u"<%1> の開始タグがありません"},
    {"NON_MATCHING_ENDTAG", u"終了タグ </%1> の位置が合っていません（入れ子の誤り）"},
    {"UNEXPECTED_ENDTAG", u"開始タグのない終了タグ </%1> があります"},
    {"UNEXPECTED_ENDTAG_ERR", u"開始タグのない終了タグ </%1> があります"},
    {"UNEXPECTED_ENDTAG_IN", u"<%2> の中に開始タグのない終了タグ </%1> があります"},
    {"DISCARDING_UNEXPECTED", u"ここには書けない %1 があります"},
    {"REPLACING_UNEX_ELEMENT", u"ここには書けない %1 があります（%2 として読まれます）"},
    {"TAG_NOT_ALLOWED_IN", u"%1 は <%2> の中に書けません"},
    {"ILLEGAL_NESTING", u"%1 は入れ子にできません"},
    {"CANT_BE_NESTED", u"%1 は入れ子にできません"},
    {"NESTED_EMPHASIS", u"%1 が同じ要素の中に入れ子になっています"},
    {"COERCE_TO_ENDTAG", u"<%1> は </%2> の誤りと思われます"},
    {"ELEMENT_NOT_EMPTY", u"%1 が空でないか、閉じていません"},
    {"TOO_MANY_ELEMENTS_IN", u"<%2> の中に %1 が多すぎます"},
    {"TOO_MANY_ELEMENTS", u"%1 が多すぎます"},
    {"CONTENT_AFTER_BODY", u"BODY の終わりの後に内容があります"},
    {"FOUND_STYLE_IN_BODY", u"STYLE 要素が BODY の中にあります"},
    {"INSERTING_TAG", u"<%1> が省略されています", true},
    {"TRIM_EMPTY_ELEMENT", u"%1 の中身が空です", true},
    {"UNKNOWN_ELEMENT", u"%1 は HTML の要素ではありません"},
    {"UNKNOWN_ELEMENT_LOOKS_CUSTOM", u"%1 は HTML の要素ではありません"},
    {"PROPRIETARY_ELEMENT", u"%1 は標準の HTML にない要素です"},
    {"REMOVED_HTML5", u"%1 は HTML5 で廃止された要素です", true},
    {"OBSOLETE_ELEMENT", u"%1 は古い要素です（%2 を使います）", true},
    {"ELEMENT_VERS_MISMATCH_WARN", u"%1 は %2 にない要素です", true},
    {"ELEMENT_VERS_MISMATCH_ERROR", u"%1 は %2 にない要素です"},
    {"PROPRIETARY_ATTRIBUTE", u"%1 の属性 %2 は標準の HTML にない属性です"},
    {"MISMATCHED_ATTRIBUTE_WARN", u"%1 の属性 %2 は %3 では使えません", true},
    {"MISMATCHED_ATTRIBUTE_ERROR", u"%1 の属性 %2 は %3 では使えません"},
    {"BAD_SUMMARY_HTML5", u"%1 の SUMMARY 属性は HTML5 で廃止されました", true},
    {"PROPRIETARY_ATTR_VALUE", u"%1 の属性値 \"%2\" は標準の値ではありません"},
    {"REPEATED_ATTRIBUTE", u"%1 に属性 %3 が二つあります（値 \"%2\" は使われません）"},
    {"JOINING_ATTRIBUTE", u"%1 に属性 %2 が二つあります"},
    {"MISSING_ATTR_VALUE", u"%1 の属性 %2 に値がありません"},
    {"BAD_ATTRIBUTE_VALUE", u"%1 の属性 %2 の値 \"%3\" は正しくありません"},
    {"INVALID_ATTRIBUTE", u"%1 の属性名 %2 は正しくありません"},
    {"MISSING_ATTRIBUTE", u"%1 に %2 属性がありません"},
    {"ANCHOR_NOT_UNIQUE", u"%1 の ID \"%2\" はこの文書で既に使われています"},
    {"ID_NAME_MISMATCH", u"%1 の ID と NAME の値が違います"},
    {"UNEXPECTED_GT", u"%1 の終わりの > がありません"},
    {"UNEXPECTED_QUOTEMARK", u"%1 に余分な引用符があります"},
    {"MISSING_QUOTEMARK", u"%1 の属性値を閉じる引用符がありません"},
    {"SUSPECTED_MISSING_QUOTE", u"属性値を閉じる引用符がないようです"},
    {"UNEXPECTED_EQUALSIGN", u"%1 に属性名のない = があります"},
    {"UNEXPECTED_END_OF_FILE", u"%1 の途中でファイルが終わっています"},
    {"UNEXPECTED_END_OF_FILE_ATTR", u"%1 の属性の途中でファイルが終わっています"},
    {"UNESCAPED_AMPERSAND", u"& は &amp; と書いてください"},
    {"UNKNOWN_ENTITY", u"%1 は文字参照として読めません（& は &amp; と書きます）"},
    {"MISSING_SEMICOLON", u"文字参照 %1 が ; で終わっていません"},
    {"MISSING_SEMICOLON_NCR", u"文字参照 %1 が ; で終わっていません"},
    {"INVALID_NCR", u"%1 の数値文字参照 %2 は正しくありません"},
    {"APOS_UNDEFINED", u"&apos; は XML と XHTML でしか使えません"},
    {"MISSING_DOCTYPE", u"<!DOCTYPE> 宣言がありません"},
    {"DOCTYPE_AFTER_TAGS", u"<!DOCTYPE> はタグより前に書いてください"},
    {"MALFORMED_DOCTYPE", u"<!DOCTYPE> 宣言が正しくありません"},
    {"MISSING_TITLE_ELEMENT", u"TITLE 要素がありません"},
    {"XML_DECLARATION_DETECTED", u"XML 宣言があります", true},
    {"MALFORMED_COMMENT_EOS", u"コメントが閉じないままファイルが終わっています"},
    {"MALFORMED_COMMENT_DROPPING", u"- の足りないコメントがあります"},
    {"ESCAPED_ILLEGAL_URI", u"%1 の URL に %XX で書くべき文字があります"},
    {"ILLEGAL_URI_REFERENCE", u"%1 の URL に %XX で書くべき文字があります"},
    {"ILLEGAL_URI_CODEPOINT", u"%1 の URL に使えない文字があります"},
    {"WHITE_IN_URI", u"%1 の URL に空白があります"},
    {"NEWLINE_IN_URI", u"%1 の URL に改行があります"},
    {"BACKSLASH_IN_URI", u"%1 の URL に \\ があります（/ の誤りではありませんか）"},
    {"USING_BR_INPLACE_OF", u"%1 は <br> として読まれます"},
    {"NOFRAMES_CONTENT", u"%1 が NOFRAMES 要素の中にありません"},
};

const TidyText* FindText(QByteArrayView key)
{
    for (const TidyText& t : kTidyTexts)
        if (key == t.key)
            return &t;
    return nullptr;
}

// "%1".."%9" of the text replaced by the arguments in one pass, so that a
// "%" inside an argument stays as it is; a number without an argument
// stays too.
QString FillArguments(const QString& format, const QStringList& args)
{
    QString out;
    out.reserve(format.size());
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'%' && i + 1 < format.size() && format[i + 1] >= u'1' && format[i + 1] <= u'9') {
            const int n = format[i + 1].unicode() - u'1';
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

struct TidyReport {
    int line = 0;
    int column = 0;
    ProblemLevel level = ProblemLevel::Warning;
    QByteArray key;
    QString message;
};

struct Collector {
    std::vector<TidyReport> reports;
};

std::optional<ProblemLevel> LevelOf(TidyReportLevel level)
{
    switch (level) {
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return ProblemLevel::Error;
    case TidyWarning:
        return ProblemLevel::Warning;
    case TidyAccess:
        return ProblemLevel::Hint;
    default:
        // Information about the run, the configuration and the summary.
        return std::nullopt;
    }
}

QStringList Arguments(TidyMessage message)
{
    QStringList args;
    TidyIterator it = tidyGetMessageArguments(message);
    while (it) {
        TidyMessageArgument arg = tidyGetNextMessageArgument(message, &it);
        switch (tidyGetArgType(message, &arg)) {
        case tidyFormatType_STRING: {
            ctmbstr value = tidyGetArgValueString(message, &arg);
            args.append(QString::fromUtf8(value ? value : ""));
            break;
        }
        case tidyFormatType_INT:
            args.append(QString::number(tidyGetArgValueInt(message, &arg)));
            break;
        case tidyFormatType_UINT:
            args.append(QString::number(tidyGetArgValueUInt(message, &arg)));
            break;
        case tidyFormatType_DOUBLE:
            args.append(QString::number(tidyGetArgValueDouble(message, &arg)));
            break;
        default:
            args.append(QString());
            break;
        }
    }
    return args;
}

Bool TIDY_CALL Collect(TidyMessage message)
{
    auto* collector = static_cast<Collector*>(tidyGetAppData(tidyGetMessageDoc(message)));
    const std::optional<ProblemLevel> level = LevelOf(tidyGetMessageLevel(message));
    if (!collector || !level || collector->reports.size() >= size_t(kMaxReports))
        return no;
    TidyReport report;
    report.line = tidyGetMessageLine(message);
    report.column = tidyGetMessageColumn(message);
    report.level = *level;
    ctmbstr key = tidyGetMessageKey(message);
    report.key = key ? QByteArray(key) : QByteArray();
    if (const TidyText* text = FindText(report.key)) {
        report.message = FillArguments(UiText(QString::fromUtf16(text->text)), Arguments(message));
        if (text->hint)
            report.level = ProblemLevel::Hint;
    } else {
        ctmbstr english = tidyGetMessageDefault(message);
        report.message = QString::fromUtf8(english ? english : "").trimmed();
    }
    collector->reports.push_back(std::move(report));
    // Nothing goes to Tidy's own output.
    return no;
}

struct TidyDocDeleter {
    void operator()(TidyDoc doc) const { tidyRelease(doc); }
};
using TidyDocPtr = std::unique_ptr<std::remove_pointer_t<TidyDoc>, TidyDocDeleter>;

struct TidyBufferGuard {
    TidyBuffer buffer;
    TidyBufferGuard() { tidyBufInit(&buffer); }
    ~TidyBufferGuard() { tidyBufFree(&buffer); }
};

bool IsOneOf(QStringView name, std::initializer_list<const char16_t*> names)
{
    return std::any_of(names.begin(), names.end(), [name](const char16_t* n) {
        return name.compare(QStringView(n), Qt::CaseInsensitive) == 0;
    });
}

// Whether the page's elements nest no deeper than kMaxNesting. Elements
// that never have content open nothing; an element whose end tag may be
// left out closes an open one of its name (a thousand paragraphs follow
// each other, they do not nest); an end tag closes the innermost open
// element of its name and those inside it, and is passed over when none is
// open. Where this misjudges, it judges too shallow: a page is refused
// only when it surely nests too deep.
bool NestsShallowEnough(QStringView text)
{
    std::vector<QStringView> open;
    auto closeTo = [&open](QStringView name) {
        for (size_t i = open.size(); i-- > 0;) {
            if (open[i].compare(name, Qt::CaseInsensitive) == 0) {
                open.resize(i);
                return;
            }
        }
    };
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        const QStringView name = token.Name(text);
        if (token.kind == HtmlToken::Kind::EndTag) {
            closeTo(name);
            continue;
        }
        if (token.kind != HtmlToken::Kind::StartTag || token.selfClosing
            || IsOneOf(name, {u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input",
                              u"link", u"meta", u"param", u"source", u"track", u"wbr"}))
            continue;
        if (IsOneOf(name, {u"p", u"li", u"dt", u"dd", u"tr", u"td", u"th", u"option", u"optgroup",
                           u"thead", u"tbody", u"tfoot", u"colgroup", u"rt", u"rp"}))
            closeTo(name);
        open.push_back(name);
        if (qsizetype(open.size()) > kMaxNesting)
            return false;
    }
    return true;
}

void RunTidy(QByteArray& utf8, Collector& collector)
{
    const TidyDocPtr doc(tidyCreate());
    if (!doc)
        return;
    // Tidy writes its reports to stderr unless given a buffer of its own.
    TidyBufferGuard errors;
    tidySetErrorBuffer(doc.get(), &errors.buffer);
    tidySetAppData(doc.get(), &collector);
    tidySetMessageCallback(doc.get(), Collect);
    tidyOptSetInt(doc.get(), TidyShowErrors, kMaxReports);
    tidyOptSetBool(doc.get(), TidyShowWarnings, yes);
    tidyOptSetBool(doc.get(), TidyShowInfo, no);
    tidyOptSetBool(doc.get(), TidyQuiet, yes);
    // A tab is one column, as it is one character to the editor.
    tidyOptSetInt(doc.get(), TidyTabSize, 1);
    tidySetInCharEncoding(doc.get(), "utf8");

    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte*>(utf8.data()), uint(utf8.size()));
    int status = tidyParseBuffer(doc.get(), &input);
    if (status >= 0)
        status = tidyCleanAndRepair(doc.get());
    if (status >= 0)
        tidyRunDiagnostics(doc.get());
    tidyBufDetach(&input);
}

} // namespace

TidyPositions::TidyPositions(QStringView text) : m_text(text)
{
    m_starts.push_back(0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        m_ends.push_back(i);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        m_starts.push_back(i + 1);
    }
    m_ends.push_back(text.size());
}

qsizetype TidyPositions::Offset(int line, int column) const
{
    if (line < 1)
        return 0;
    const size_t index = std::min(size_t(line - 1), m_starts.size() - 1);
    qsizetype offset = m_starts[index];
    const qsizetype end = m_ends[index];
    for (int c = 1; c < column && offset < end; ++c)
        offset += (m_text[offset].isHighSurrogate() && offset + 1 < end
                   && m_text[offset + 1].isLowSurrogate())
                      ? 2
                      : 1;
    return offset;
}

std::vector<PageProblem> TidyChecker::Check(const CheckedPage& page, const EditorLines& lines) const
{
    if (!NestsShallowEnough(page.text)) {
        PageProblem p;
        p.level = ProblemLevel::Warning;
        p.code = QStringLiteral("NESTING_TOO_DEEP");
        p.message = UiText(QStringLiteral("要素の入れ子が深すぎるため、タグの誤りは確かめていません"));
        return {p};
    }
    Collector collector;
    // Tidy reads its own copy; the page's text is never handed over.
    QByteArray utf8 = page.text.toUtf8();
    std::unique_ptr<QThread> thread(QThread::create([&] { RunTidy(utf8, collector); }));
    thread->setStackSize(kTidyStack);
    thread->start();
    thread->wait();

    std::vector<PageProblem> problems;
    problems.reserve(collector.reports.size());
    const TidyPositions positions(page.text);
    for (TidyReport& r : collector.reports) {
        PageProblem p;
        lines.Position(positions.Offset(r.line, r.column), p.line, p.column);
        p.level = r.level;
        p.code = QString::fromLatin1(r.key);
        p.message = std::move(r.message);
        problems.push_back(std::move(p));
    }
    return problems;
}
