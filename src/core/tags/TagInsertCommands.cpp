#include "core/tags/TagInsertCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/CTagObj.h"
#include "core/tags/TagCommandIds.h"
#include "core/tags/TagView.h"

#include <QStringList>

#include <algorithm>
#include <optional>

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

// The lines the selection touches, taken whole. The line holding the
// selection end counts even when the end lies at its very start. The
// selection is widened to exactly these lines, so that the list replaces
// them instead of repeating the parts of them that lay outside it.
// `hadSelection` tells whether the user had selected anything.
QStringList TakeSelectedLines(EditBuffer& buffer, bool& hadSelection)
{
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    hadSelection = start != end;
    const int firstLine = buffer.LineFromChar(start);
    const int lastLine = buffer.LineFromChar(end);
    QStringList lines;
    for (int line = firstLine; line <= lastLine; ++line)
        lines.append(buffer.GetLine(line));
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

void InsertListFromLines(CKelvoView& view, const QString& name)
{
    bool hadSelection = false;
    const QStringList lines = TakeSelectedLines(view.Buffer(), hadSelection);
    QString text = u'<' + name + u'>' + kCrLf;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        QString indent, rest;
        SplitIndent(line, indent, rest);
        text += indent + QStringLiteral("<LI>") + rest + kCrLf;
    }
    text += QStringLiteral("</") + name + u'>';
    InsertLines(view, text, text, hadSelection);
}

// A definition list takes the first two non-empty lines as term and
// meaning. Selected lines after them are kept unchanged after the list
// rather than dropped.
void InsertDefinitionListFromLines(CKelvoView& view)
{
    bool hadSelection = false;
    const QStringList lines = TakeSelectedLines(view.Buffer(), hadSelection);
    static const QString kPrefixes[] = {QStringLiteral("<DT>"), QStringLiteral("<DD>")};
    QString text = QStringLiteral("<DL>") + kCrLf;
    int used = 0;
    qsizetype next = 0;
    for (; next < lines.size() && used < 2; ++next) {
        const QString& line = lines.at(next);
        if (line.isEmpty())
            continue;
        QString indent, rest;
        SplitIndent(line, indent, rest);
        text += indent + kPrefixes[used] + rest + kCrLf;
        ++used;
    }
    text += QStringLiteral("</DL>");
    const QString list = text;
    const QStringList left = lines.mid(next);
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
    enclose(Comment, u"<!--", u"-->");
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
