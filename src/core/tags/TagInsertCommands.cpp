#include "core/tags/TagInsertCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/CTagObj.h"
#include "core/tags/TagCommandIds.h"
#include "core/tags/TagRemoval.h"
#include "core/tags/TagView.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Puts the selection between a fixed prefix and suffix.
void Enclose(CKelvoView& view, const QString& prefix, const QString& suffix)
{
    view.InsertTagText(prefix + TagView(view).GetSelectionText() + suffix, true);
}

// A fixed start tag written the way generated tags are written (values in
// double quotes).
CTagObj NormalisedTag(const QString& tagText)
{
    CTagObj parsed;
    parsed.Parse(tagText);
    CTagObj tag(parsed.Name());
    for (const CTagAttr& a : parsed.Attrs()) {
        if (a.value.isEmpty())
            tag.SetFlagAttr(a.name, true);
        else
            tag.SetAttr(a.name, a.value);
    }
    return tag;
}

QString Normalised(const QString& tagText)
{
    return NormalisedTag(tagText).GetStartTag();
}

void AlignedBlock(CKelvoView& view, const QString& startTag)
{
    CTagObj tag = NormalisedTag(startTag);
    tag.SetInnerText(TagView(view).GetSelectionText());
    view.InsertTagText(tag.GetElement(true) + kCrLf, true);
}

void InsertParagraph(CKelvoView& view)
{
    TagView tags(view);
    if (tags.GetSelectionText().isEmpty())
        tags.InsertSimpleTag(QStringLiteral("P"), true);
    else
        tags.WrapSelection(QStringLiteral("P"), true, true);
}

// One line of a list made from lines. A line that begins inside markup (a
// tag, script or server code that runs over lines) is part of that markup
// and is kept as it is.
struct ListLine {
    QString text;
    bool inMarkup = false;
};

// The lines the selection touches, taken whole, widened to whole markup:
// "<UL>" or "</UL>" written inside a tag or a script would break it. The
// line holding the selection end counts even when the end lies at its very
// start. The selection is widened to exactly these lines, so that the list
// replaces them instead of repeating the parts of them that lay outside it.
// `hadSelection` tells whether the user had selected anything.
std::vector<ListLine> TakeSelectedLines(EditBuffer& buffer, bool& hadSelection)
{
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    hadSelection = start != end;
    int firstLine = buffer.LineFromChar(start);
    int lastLine = buffer.LineFromChar(end);
    const QString text = buffer.GetText();
    const std::vector<MarkupPiece> pieces = MarkupPieces(text, 0, text.size());
    auto inMarkup = [&](int line) { return LineInMarkup(pieces, buffer.LineIndex(line)); };
    while (firstLine > 0 && inMarkup(firstLine))
        --firstLine;
    while (lastLine + 1 < buffer.GetLineCount() && inMarkup(lastLine + 1))
        ++lastLine;
    std::vector<ListLine> lines;
    for (int line = firstLine; line <= lastLine; ++line)
        lines.push_back({buffer.GetLine(line), inMarkup(line)});
    const int rangeStart = buffer.LineIndex(firstLine);
    const int lastStart = buffer.LineIndex(lastLine);
    buffer.SetSel(rangeStart, lastStart + buffer.LineLength(lastStart));
    return lines;
}

// Splits a line into its indentation (blanks and tabs) and the rest.
void SplitIndent(const QString& line, QString& indent, QString& rest)
{
    qsizetype i = 0;
    while (i < line.size() && (line.at(i) == u' ' || line.at(i) == u'\t'))
        ++i;
    indent = line.left(i);
    rest = line.mid(i);
}

// The widened selection is the command's own doing: a list made from a bare
// caret leaves the caret after it, whatever "TagSelectContinue" says.
// `remembered` is the part of the text whose tags re-insertion repeats.
void InsertLines(CKelvoView& view, const QString& text, const QString& remembered,
                 bool hadSelection)
{
    view.InsertTagText(text, false);
    view.RememberTagsOf(remembered);
    if (!hadSelection) {
        EditBuffer& buffer = view.Buffer();
        int start = 0, end = 0;
        buffer.GetSel(start, end);
        buffer.SetSel(end, end);
    }
}

// Appends a line: one in markup as it is, an empty one not at all, any
// other with the mark after its indentation.
void AppendListLine(QString& text, const ListLine& line, const QString& mark)
{
    if (line.inMarkup) {
        text += line.text + kCrLf;
        return;
    }
    if (line.text.isEmpty())
        return;
    QString indent, rest;
    SplitIndent(line.text, indent, rest);
    text += indent + mark + rest + kCrLf;
}

void InsertListFromLines(CKelvoView& view, const QString& name)
{
    bool hadSelection = false;
    const std::vector<ListLine> lines = TakeSelectedLines(view.Buffer(), hadSelection);
    QString text = u'<' + name + u'>' + kCrLf;
    for (const ListLine& line : lines)
        AppendListLine(text, line, QStringLiteral("<LI>"));
    text += QStringLiteral("</") + name + u'>';
    InsertLines(view, text, text, hadSelection);
}

// A definition list takes the first two non-empty lines as term and
// meaning (with the lines of markup they begin). Selected lines after them
// are kept unchanged after the list rather than dropped.
void InsertDefinitionListFromLines(CKelvoView& view)
{
    bool hadSelection = false;
    const std::vector<ListLine> lines = TakeSelectedLines(view.Buffer(), hadSelection);
    static const QString kPrefixes[] = {QStringLiteral("<DT>"), QStringLiteral("<DD>")};
    QString text = QStringLiteral("<DL>") + kCrLf;
    int used = 0;
    size_t next = 0;
    for (; next < lines.size() && (used < 2 || lines[next].inMarkup); ++next) {
        const ListLine& line = lines[next];
        if (!line.inMarkup && !line.text.isEmpty())
            ++used;
        AppendListLine(text, line, kPrefixes[std::max(used - 1, 0)]);
    }
    text += QStringLiteral("</DL>");
    const QString list = text;
    QStringList left;
    for (; next < lines.size(); ++next)
        left.append(lines[next].text);
    const bool anyLeft = std::any_of(left.begin(), left.end(),
                                     [](const QString& l) { return !l.isEmpty(); });
    if (anyLeft)
        text += kCrLf + left.join(kCrLf);
    InsertLines(view, text, list, hadSelection);
}

void AskSsiExec(CKelvoView& view)
{
    const std::optional<QString> command = view.App().GetUi().Input(
        QString(), QStringLiteral("コマンド名を入力してください"), QString());
    if (!command)
        return;
    view.InsertTagText(QStringLiteral("<!--#exec cmd=\"") + *command + QStringLiteral("\"-->"),
                       true);
}

} // namespace

void RegisterTagInsertCommands(CKelvoApp& app)
{
    CommandTable& table = app.Commands();
    auto wrap = [&](int id, const char16_t* name, bool lineBreaks, bool trailingBreak) {
        const QString tag = QString::fromUtf16(name);
        table.Register(id, [&app, tag, lineBreaks, trailingBreak] {
            TagView(app.View()).WrapSelection(tag, lineBreaks, trailingBreak);
        });
    };
    auto simple = [&](int id, const char16_t* name, bool trailingBreak) {
        const QString tag = QString::fromUtf16(name);
        table.Register(id, [&app, tag, trailingBreak] {
            TagView(app.View()).InsertSimpleTag(tag, trailingBreak);
        });
    };
    auto fixed = [&](int id, const QString& text) {
        table.Register(id, [&app, text] { app.View().InsertTagText(text, true); });
    };
    auto enclose = [&](int id, const char16_t* prefix, const char16_t* suffix) {
        const QString p = QString::fromUtf16(prefix);
        const QString s = QString::fromUtf16(suffix);
        table.Register(id, [&app, p, s] { Enclose(app.View(), p, s); });
    };
    auto aligned = [&](int id, const char16_t* startTag) {
        const QString t = QString::fromUtf16(startTag);
        table.Register(id, [&app, t] { AlignedBlock(app.View(), t); });
    };

    using namespace cmd::tag;
    wrap(Title, u"TITLE", false, false);
    simple(Rule, u"HR", true);
    fixed(RuleNoShade, Normalised(QStringLiteral("<HR NOSHADE>")));
    table.Register(Comment, [&app] {
        app.View().InsertTagText(HideInComments(TagView(app.View()).GetSelectionText()), true);
    });
    enclose(Head, u"<HEAD>", u"</HEAD>");

    wrap(Bold, u"B", false, false);
    wrap(Italic, u"I", false, false);
    wrap(Emphasis, u"EM", false, false);
    wrap(Strong, u"STRONG", false, false);
    wrap(Superscript, u"SUP", false, false);
    wrap(Subscript, u"SUB", false, false);
    fixed(EntityAmp, QStringLiteral("&amp;"));
    fixed(EntityLt, QStringLiteral("&lt;"));
    fixed(EntityGt, QStringLiteral("&gt;"));
    fixed(EntityQuot, QStringLiteral("&quot;"));

    wrap(Preformatted, u"PRE", true, true);
    table.Register(Paragraph, [&app] { InsertParagraph(app.View()); });
    simple(LineBreak, u"BR", true);
    wrap(NoBreak, u"NOBR", false, false);
    fixed(ClearBreak, Normalised(QStringLiteral("<BR CLEAR=all>")) + kCrLf);
    wrap(Center, u"CENTER", false, false);
    aligned(AlignLeft, u"<DIV ALIGN=\"left\">");
    aligned(AlignCenter, u"<DIV ALIGN=\"center\">");
    aligned(AlignRight, u"<DIV ALIGN=\"right\">");
    simple(ListItem, u"LI", false);
    wrap(IndentBlock, u"UL", false, false);
    table.Register(UnorderedList, [&app] { InsertListFromLines(app.View(), QStringLiteral("UL")); });
    table.Register(OrderedList, [&app] { InsertListFromLines(app.View(), QStringLiteral("OL")); });
    wrap(DefinitionList, u"DL", true, false);
    simple(DefinitionTerm, u"DT", false);
    simple(DefinitionData, u"DD", false);
    table.Register(DefinitionListFromLines, [&app] { InsertDefinitionListFromLines(app.View()); });
    wrap(Blink, u"BLINK", false, false);
    wrap(Quote, u"BLOCKQUOTE", true, true);

    table.Register(SsiExec, [&app] { AskSsiExec(app.View()); });
    fixed(SsiLastModified, QStringLiteral("<!--#echo var=\"LAST_MODIFIED\"-->"));
    fixed(SsiDate, QStringLiteral("<!--#echo var=\"DATE_LOCAL\"-->"));

    wrap(NoFrames, u"NOFRAMES", true, false);
}
