#include "core/search/FolderSearch.h"

#include "core/app/UiText.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QStringView kLineEnd = u"\r\n";

QString SkipReadError(platform::FileError error)
{
    switch (error) {
    case platform::FileError::NotRegular:
    case platform::FileError::NoReader:
    case platform::FileError::Folder:
        return QStringLiteral("通常のファイルではありません");
    case platform::FileError::TooLarge:
        static_assert(kMaxSearchFileSize == qint64(32) << 20, "the reason names the size");
        return QStringLiteral("ファイルが大きすぎます（32 MB まで）");
    default:
        return QStringLiteral("読み込めません");
    }
}

// "\0".."\9" and "\\" in a regular expression's replacement; any other
// backslash stays as it is written.
QString ExpandReplacement(const QString& pattern, const QRegularExpressionMatch& match)
{
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            const QChar next = pattern[i + 1];
            if (next.isDigit() && next.unicode() < 0x80) {
                out += match.captured(next.unicode() - u'0');
                ++i;
                continue;
            }
            if (next == u'\\') {
                out += u'\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The file's bytes cut at its line ends, as the text is cut at CR LF: the
// decoders turn exactly these separators into CR LF and nothing else into
// CR LF, so line n of the text is piece n of the bytes.
std::vector<QByteArrayView> SplitBytes(QByteArrayView bytes, LineEndKind lineEnd)
{
    std::vector<QByteArrayView> pieces;
    const QByteArrayView separator = LineEndSeparator(lineEnd);
    qsizetype from = 0;
    if (lineEnd != LineEndKind::None) {
        for (qsizetype at; (at = bytes.indexOf(separator, from)) >= 0; from = at + separator.size())
            pieces.push_back(bytes.sliced(from, at - from));
    }
    pieces.push_back(bytes.sliced(from));
    return pieces;
}

// The code a changed file is written in: its own, except that a file of
// ASCII alone takes the code its page declares (a kanji replacement in a
// UTF-8 page that happens to be all ASCII must be UTF-8).
CodeKind WriteCode(const DecodedDocument& decoded)
{
    if (decoded.code == CodeKind::Ascii && decoded.declared)
        return *decoded.declared;
    return decoded.code;
}

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

QStringList ParseFilePatterns(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

LineMatcher::LineMatcher(const FolderSearchOptions& options) : m_options(options)
{
    if (options.find.isEmpty()) {
        m_error = QStringLiteral("検索語を入力してください");
        return;
    }
    if (options.replacement.contains(u'\r') || options.replacement.contains(u'\n')) {
        m_error = QStringLiteral("置換語に改行は使えません");
        return;
    }
    if (!options.regex)
        return;
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    m_expression = QRegularExpression(options.find, flags);
    if (!m_expression.isValid())
        m_error = UiText(QStringLiteral("正規表現が正しくありません（%1 文字目: %2）"))
                      .arg(m_expression.patternErrorOffset() + 1)
                      .arg(m_expression.errorString());
}

std::vector<LineMatcher::Hit> LineMatcher::Find(const QString& line, bool withReplacement) const
{
    std::vector<Hit> hits;
    if (!m_error.isEmpty())
        return hits;
    if (!m_options.regex) {
        const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        const qsizetype n = m_options.find.size();
        for (qsizetype at = 0; (at = line.indexOf(m_options.find, at, cs)) >= 0; at += n)
            hits.push_back({at, n, withReplacement ? m_options.replacement : QString()});
        return hits;
    }
    QRegularExpressionMatchIterator it = m_expression.globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() == 0)
            continue;
        hits.push_back({m.capturedStart(), m.capturedLength(),
                        withReplacement ? ExpandReplacement(m_options.replacement, m) : QString()});
    }
    return hits;
}

FileOutcome SearchFileBytes(const QString& path, const QByteArray& bytes,
                            const LineMatcher& matcher, bool replacing)
{
    FileOutcome out;
    out.path = path;
    out.digest = Digest(bytes);
    if (IsUtf16File(bytes)) {
        out.skipped = QStringLiteral("UTF-16 のファイルは扱えません");
        return out;
    }
    DecodedDocument decoded = DecodeDocument(bytes, true);
    out.code = decoded.code;
    out.lineEnd = decoded.lineEnd;
    if (decoded.code == CodeKind::Unknown) {
        out.skipped = QStringLiteral("文字コードを判定できません");
        return out;
    }
    if (decoded.undecodable > 0) {
        out.skipped = QStringLiteral("文字として読めないバイトがあります");
        return out;
    }

    const QString& text = decoded.text;
    QString newText;
    QString inserted;  // every replacement, to check the code can hold it
    qsizetype from = 0;
    for (int line = 0;; ++line) {
        const qsizetype end = text.indexOf(kLineEnd, from);
        const qsizetype stop = end < 0 ? text.size() : end;
        const QString lineText = text.mid(from, stop - from);
        std::vector<LineMatcher::Hit> hits = matcher.Find(lineText, replacing);
        if (!hits.empty()) {
            LineHits entry;
            entry.line = line;
            entry.text = lineText;
            if (replacing) {
                qsizetype at = 0;
                for (const LineMatcher::Hit& h : hits) {
                    entry.replaced += QStringView(lineText).sliced(at, h.start - at);
                    entry.replaced += h.replacement;
                    inserted += h.replacement;
                    at = h.start + h.length;
                }
                entry.replaced += QStringView(lineText).sliced(at);
            }
            out.hitCount += int(hits.size());
            entry.hits = std::move(hits);
            out.lines.push_back(std::move(entry));
        }
        if (replacing) {
            newText += out.lines.empty() || out.lines.back().line != line ? lineText
                                                                          : out.lines.back().replaced;
            if (end >= 0)
                newText += kLineEnd;
        }
        if (end < 0)
            break;
        from = end + kLineEnd.size();
    }
    if (!replacing || out.hitCount == 0)
        return out;

    const CodeKind code = WriteCode(decoded);
    if (!FindUnencodable(inserted, code, 1).empty()) {
        out.skipped = QStringLiteral("置換語に、このファイルの文字コードで表せない文字があります");
        return out;
    }
    if (EncodeDocument(text, code, decoded.lineEnd, &decoded.forms) != bytes) {
        out.skipped = QStringLiteral("元のバイトのまま書き戻せません");
        return out;
    }
    QByteArray newBytes = EncodeDocument(newText, code, decoded.lineEnd, &decoded.forms);

    // What is written must read back as the new text, and every line that
    // was not replaced must keep its bytes (a JIS shift state or a
    // character with two forms could otherwise move them).
    const DecodedDocument reread = DecodeDocumentAs(newBytes, code, true);
    const std::vector<QByteArrayView> oldLines = SplitBytes(bytes, decoded.lineEnd);
    const std::vector<QByteArrayView> newLines = SplitBytes(newBytes, decoded.lineEnd);
    bool kept = reread.undecodable == 0 && reread.text == newText
                && oldLines.size() == newLines.size();
    for (size_t i = 0, next = 0; kept && i < oldLines.size(); ++i) {
        if (next < out.lines.size() && out.lines[next].line == int(i)) {
            ++next;
            continue;
        }
        kept = oldLines[i] == newLines[i];
    }
    if (!kept) {
        out.skipped = QStringLiteral("置換しない部分を元のバイトのまま保てません");
        return out;
    }
    out.newBytes = std::move(newBytes);
    return out;
}

QStringList ListSearchFiles(const FolderSearchOptions& options)
{
    std::vector<QRegularExpression> patterns;
    for (const QString& p : options.patterns)
        patterns.emplace_back(QRegularExpression::wildcardToRegularExpression(
                                  p, QRegularExpression::UnanchoredWildcardConversion),
                              QRegularExpression::CaseInsensitiveOption);
    const auto wanted = [&](const QString& name) {
        if (patterns.empty())
            return !name.startsWith(u'.');
        // A name that is not UTF-8 keeps its bytes as lone surrogates, which
        // no regular expression matches: it is matched as it is shown.
        const QString shown = platform::DisplayPath(name);
        for (size_t i = 0; i < patterns.size(); ++i) {
            // A hidden file is listed only when a pattern names its dot.
            if (name.startsWith(u'.') && !options.patterns[qsizetype(i)].startsWith(u'.'))
                continue;
            const QRegularExpressionMatch m = patterns[i].match(shown);
            if (m.hasMatch() && m.capturedStart() == 0 && m.capturedLength() == shown.size())
                return true;
        }
        return false;
    };

    QStringList files;
    QString root = options.folder;
    while (root.size() > 1 && root.endsWith(u'/'))
        root.chop(1);
    // An explicit stack: no depth of folders recurses.
    std::vector<QString> folders{root};
    while (!folders.empty()) {
        const QString folder = folders.back();
        folders.pop_back();
        std::vector<platform::FolderEntry> entries = platform::ListFolder(folder);
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
        const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
        std::vector<QString> below;
        for (const platform::FolderEntry& e : entries) {
            if (e.kind == platform::FolderEntry::Kind::Folder) {
                if (options.subfolders && !e.name.startsWith(u'.'))
                    below.push_back(prefix + e.name);
            } else if (e.kind != platform::FolderEntry::Kind::FolderLink && wanted(e.name)) {
                files.append(prefix + e.name);
            }
        }
        // Pushed in reverse, so they are taken in name order.
        folders.insert(folders.end(), below.rbegin(), below.rend());
    }
    return files;
}

int FolderSearchResult::HitCount() const
{
    int n = 0;
    for (const FileOutcome& f : files)
        if (f.skipped.isEmpty())
            n += f.hitCount;
    return n;
}

int FolderSearchResult::SkippedCount() const
{
    return int(std::count_if(files.begin(), files.end(),
                             [](const FileOutcome& f) { return !f.skipped.isEmpty(); }));
}

namespace {

FileOutcome ReadAndSearch(const QString& path, const LineMatcher& matcher, bool replacing)
{
    platform::FileRead read = platform::ReadRegularFile(path, kMaxSearchFileSize);
    if (read.error != platform::FileError::None) {
        FileOutcome out;
        out.path = path;
        out.skipped = SkipReadError(read.error);
        return out;
    }
    return SearchFileBytes(path, read.bytes, matcher, replacing);
}

} // namespace

FolderSearchResult SearchFolder(const FolderSearchOptions& options, const SearchProgress& progress,
                                bool replacing)
{
    FolderSearchResult result;
    const LineMatcher matcher(options);
    if (!matcher.Error().isEmpty())
        return result;
    const QStringList files = ListSearchFiles(options);
    for (int i = 0; i < files.size(); ++i) {
        if (progress && !progress(i, int(files.size()), files[i])) {
            result.cancelled = true;
            break;
        }
        FileOutcome outcome = ReadAndSearch(files[i], matcher, replacing);
        ++result.filesSearched;
        outcome.newBytes.clear();
        if (!outcome.skipped.isEmpty() || outcome.hitCount > 0)
            result.files.push_back(std::move(outcome));
    }
    return result;
}

ReplaceApplied ApplyReplacements(const FolderSearchOptions& options,
                                 const std::vector<FileOutcome>& plan,
                                 const SearchProgress& progress, const QStringList& keep,
                                 const QString& keepReason)
{
    ReplaceApplied applied;
    const LineMatcher matcher(options);
    const auto skip = [&](const QString& path, const QString& reason) {
        FileOutcome f;
        f.path = path;
        f.skipped = reason;
        applied.skipped.push_back(std::move(f));
    };
    std::vector<const FileOutcome*> planned;
    for (const FileOutcome& f : plan)
        if (f.skipped.isEmpty() && f.hitCount > 0)
            planned.push_back(&f);
    for (size_t i = 0; i < planned.size(); ++i) {
        const FileOutcome& want = *planned[i];
        if (progress && !progress(int(i), int(planned.size()), want.path)) {
            applied.cancelled = true;
            break;
        }
        if (keep.contains(want.path)) {
            skip(want.path, keepReason);
            continue;
        }
        platform::FileRead read = platform::ReadRegularFile(want.path, kMaxSearchFileSize);
        if (read.error != platform::FileError::None) {
            skip(want.path, SkipReadError(read.error));
            continue;
        }
        FileOutcome now = SearchFileBytes(want.path, read.bytes, matcher, true);
        if (now.digest != want.digest || now.hitCount != want.hitCount) {
            skip(want.path, QStringLiteral("検索の後で変更されています"));
            continue;
        }
        if (!now.skipped.isEmpty()) {
            skip(want.path, now.skipped);
            continue;
        }
        if (platform::WriteFileSafely(want.path, now.newBytes) != platform::FileError::None) {
            skip(want.path, QStringLiteral("書き込めませんでした（元のファイルはそのままです）"));
            continue;
        }
        ++applied.filesChanged;
        applied.hitsReplaced += now.hitCount;
        applied.changedPaths.append(want.path);
    }
    return applied;
}

QString LineExcerpt(const QString& line, qsizetype start, qsizetype length, int width)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    if (line.size() > width) {
        // A quarter of the width before the hit, the rest after it; a hit
        // longer than the width is shown from its start.
        from = length >= width ? start : std::max<qsizetype>(0, start - width / 4);
        to = std::min(line.size(), from + width);
        if (to == line.size())
            from = std::max<qsizetype>(0, to - width);
        // Never cut a surrogate pair in two.
        if (from > 0 && line[from].isLowSurrogate())
            --from;
        if (to < line.size() && line[to].isLowSurrogate())
            ++to;
    }
    QString out = line.mid(from, to - from);
    out.replace(u'\t', u' ');
    // A stray CR or LF of the line would break the list's row.
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    if (from > 0)
        out.prepend(u'…');
    if (to < line.size())
        out.append(u'…');
    return out;
}
