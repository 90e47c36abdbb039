#include "core/custom/CRegToolList.h"

#include "core/app/CKelvoApp.h"
#include "platform/FileAccess.h"


#include <algorithm>
#include <optional>

namespace {
const QString kSection = QStringLiteral("Tool");
}

void CRegToolList::Load(const CKelvoApp& app)
{
    entries = LoadRegisteredTools(app, kMaxEntries);
}

void CRegToolList::Save(CKelvoApp& app) const
{
    app.WriteProfileInt(kSection, QStringLiteral("Count"), static_cast<int>(entries.size()));
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        app.WriteProfileString(kSection, ListKey(QStringLiteral("Name"), i), entries[i].name);
        app.WriteProfileString(kSection, ListKey(QStringLiteral("File"), i), entries[i].file);
    }
}

namespace {

struct ToolWord {
    QString text;
    // Where each "%" outside quotes stands in the text.
    std::vector<qsizetype> documentAt;
    qsizetype start = 0;  // the word's extent in the line
    qsizetype end = 0;
    bool plain = true;    // no quote and no backslash in it
};

// The words of the line; nullopt when a quote is left open.
std::optional<std::vector<ToolWord>> SplitToolLine(const QString& line)
{
    std::vector<ToolWord> words;
    std::optional<ToolWord> word;
    auto part = [&](qsizetype at) -> ToolWord& {
        if (!word) {
            word.emplace();
            word->start = at;
        }
        return *word;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u' ' || c == u'\t') {
            if (word) {
                word->end = i;
                words.push_back(std::move(*word));
                word.reset();
            }
        } else if (c == u'\'') {
            ToolWord& w = part(i);
            w.plain = false;
            const qsizetype close = line.indexOf(u'\'', i + 1);
            if (close < 0)
                return std::nullopt;
            w.text += line.mid(i + 1, close - i - 1);
            i = close;
        } else if (c == u'"') {
            ToolWord& w = part(i);
            w.plain = false;
            for (++i;; ++i) {
                if (i >= line.size())
                    return std::nullopt;
                if (line[i] == u'"')
                    break;
                if (line[i] == u'\\' && i + 1 < line.size()
                    && QStringView(u"\"\\$`").contains(line[i + 1]))
                    ++i;
                w.text += line[i];
            }
        } else if (c == u'\\') {
            ToolWord& w = part(i);
            w.plain = false;
            if (i + 1 < line.size())
                w.text += line[++i];
        } else {
            ToolWord& w = part(i);
            if (c == u'%')
                w.documentAt.push_back(w.text.size());
            w.text += c;
        }
    }
    if (word) {
        word->end = line.size();
        words.push_back(std::move(*word));
    }
    return words;
}

// The word's text with the document's path where "%" stood; nullopt when
// it needs a path the document does not have.
std::optional<QString> WithDocument(const ToolWord& word, const QString& documentPath)
{
    if (word.documentAt.empty())
        return word.text;
    if (documentPath.isEmpty())
        return std::nullopt;
    QString text = word.text;
    for (auto it = word.documentAt.rbegin(); it != word.documentAt.rend(); ++it)
        text.replace(*it, 1, documentPath);
    return text;
}

} // namespace

ToolInvocation ToolInvocationFor(const QString& file, const QString& documentPath)
{
    ToolInvocation run;
    const std::optional<std::vector<ToolWord>> split = SplitToolLine(file);
    if (!split) {
        run.error = QStringLiteral("引用符が閉じていません");
        return run;
    }
    const std::vector<ToolWord>& words = *split;
    // The longest run of plain words, with the blanks between them, that
    // names an existing file is the program.
    size_t programWords = words.empty() ? 0 : 1;
    for (size_t n = words.size(); n > 1; --n) {
        const auto first = words.begin();
        const auto last = first + static_cast<std::ptrdiff_t>(n);
        if (!std::all_of(first, last, [](const ToolWord& w) { return w.plain && w.documentAt.empty(); }))
            continue;
        const QString path = file.mid(first->start, (last - 1)->end - first->start);
        if (platform::IsRegularFile(path)) {
            programWords = n;
            break;
        }
    }
    if (programWords == 0 || !words[0].documentAt.empty()) {
        // The document itself is never the program.
        run.error = QStringLiteral("プログラムが指定されていません");
        return run;
    }
    run.program = programWords == 1
                      ? words[0].text
                      : file.mid(words[0].start, words[programWords - 1].end - words[0].start);
    for (size_t i = programWords; i < words.size(); ++i)
        if (const std::optional<QString> argument = WithDocument(words[i], documentPath))
            run.arguments.append(*argument);
    return run;
}

QString QuotedToolWord(const QString& path)
{
    static const QString special = QStringLiteral(" \t'\"\\%$`");
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return special.contains(c); }))
        return path;
    // Inside apostrophes nothing is special but the apostrophe itself.
    QString quoted = path;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}
