#include "core/tags/TagDialogCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/links/PageLinks.h"
#include "core/tags/CTagObj.h"
#include "core/tags/HtmlScanner.h"
#include "core/tags/TagDialogCommandIds.h"
#include "core/tags/TagDialogs.h"
#include "core/tags/TagView.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace {

using namespace cmd::tagdlg;

QString S(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// What the dialogs of one view remember between runs: the targets and
// keywords used, newest first.
struct TagDialogState {
    QStringList targetHistory;

    void Remember(const QString& target)
    {
        if (target.isEmpty())
            return;
        targetHistory.removeAll(target);
        while (targetHistory.size() >= kHistoryLength)
            targetHistory.removeLast();
        targetHistory.prepend(target);
    }
    static constexpr int kHistoryLength = 10;
};

// Edits the selected start tag named name, or makes a new one that starts
// as newTag (just the name when empty).
bool Run(CKelvoApp& app, CTagDlg& dlg, const QString& name, bool wrap, bool lineBreaks,
         bool classes = true, const QString& newTag = QString())
{
    if (!newTag.isEmpty())
        dlg.Tag().Parse(newTag);
    return TagView(app.View()).RunTagDialog(dlg, name, wrap, lineBreaks, classes);
}

// A new element around the selection, whatever the selection is.
bool RunAlwaysNew(CKelvoApp& app, CTagDlg& dlg, const QString& name, bool lineBreaks,
                  const QString& inner)
{
    TagView tags(app.View());
    tags.CollectStyleClasses(name, dlg.ClassList());
    dlg.Tag().SetName(name);
    dlg.Tag().SetInnerText(inner);
    if (!dlg.DoModal(app))
        return false;
    app.View().InsertTagText(dlg.Tag().GetElement(lineBreaks), true);
    return true;
}

void OnRule(CKelvoApp& app)
{
    CRuleDlg dlg(app);
    const QString name = QStringLiteral("HR");
    TagView tags(app.View());
    if (TagView::IsSelectedStartTag(tags.GetSelectionText(), name)) {
        Run(app, dlg, name, false, false);
        return;
    }
    tags.CollectStyleClasses(name, dlg.ClassList());
    dlg.Tag().SetName(name);
    if (dlg.DoModal(app))
        app.View().InsertTagText(dlg.Tag().GetStartTag() + kCrLf, true);
}

void OnBackground(CKelvoApp& app)
{
    CBackgroundDlg dlg(app);
    EditBuffer& buffer = app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const QString name = QStringLiteral("BODY");
    TagView tags(app.View());
    bool moved = false;
    // The selected BODY tag is edited whatever the tag-edit flag says;
    // with the flag on, so is the document's own BODY tag.
    if (!TagView::IsSelectedStartTag(tags.GetSelectionText(), name) && app.View().TagEditing()) {
        if (const std::optional<HtmlToken> body = HtmlScanner::FindStartTag(buffer.GetText(), name)) {
            buffer.SetSel(static_cast<int>(body->start), static_cast<int>(body->end));
            moved = true;
        }
    }
    if (!Run(app, dlg, name, true, true) && moved)
        buffer.SetSel(start, end);
}

void OnRefresh(CKelvoApp& app, TagDialogState& state)
{
    CRefreshDlg dlg(app, state.targetHistory);
    if (!Run(app, dlg, QStringLiteral("META"), false, false, false,
             QStringLiteral("<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"10\">")))
        return;
    state.Remember(dlg.Form().Find(QStringLiteral("URL"))->text.trimmed());
}

void OnHeading(CKelvoApp& app)
{
    CHeadingDlg dlg(app);
    TagView tags(app.View());
    for (int level = 1; level <= 6; ++level)
        tags.CollectStyleClasses(QStringLiteral("H%1").arg(level), dlg.LevelClasses()[level - 1]);
    const QString selection = tags.GetSelectionText();
    const QString name = TagView::GetTagName(selection);
    static const QRegularExpression heading(QStringLiteral("^[Hh][1-6]$"));
    // Only a selection that is the start tag alone is edited in place; a
    // selected heading with its text is wrapped, never cut down to a tag.
    if (heading.match(name).hasMatch() && TagView::IsSelectedStartTag(selection, name)) {
        // The dialog renames the tag; RunTagDialog takes its end tag along.
        tags.RunTagDialog(dlg, name, false, false, false);
        return;
    }
    dlg.Tag().SetName(QStringLiteral("H1"));
    dlg.Tag().SetInnerText(selection);
    if (dlg.DoModal(app))
        app.View().InsertTagText(dlg.Tag().GetElement(false) + kCrLf, true);
}

void OnFont(CKelvoApp& app)
{
    const QString text = app.View().Buffer().GetText();
    const std::optional<HtmlToken> baseFontTag =
        HtmlScanner::FindStartTag(text, QStringLiteral("BASEFONT"));
    int base = 3;
    if (baseFontTag) {
        CTagObj baseFont;
        baseFont.Parse(text.mid(baseFontTag->start, baseFontTag->end - baseFontTag->start));
        const int size = TagFieldSet::LeadingInt(baseFont.GetAttr(QStringLiteral("SIZE")));
        if (size >= 1 && size <= 7)
            base = size;
    }
    CFontDlg dlg(app, base, baseFontTag.has_value());
    Run(app, dlg, QStringLiteral("FONT"), true, false);
}

void OnForm(CKelvoApp& app)
{
    const QString section = QStringLiteral("Form");
    const QString key = QStringLiteral("Url");
    CFormDlg dlg(app, app.GetProfileString(section, key));
    if (Run(app, dlg, QStringLiteral("FORM"), true, true, true,
            QStringLiteral("<FORM METHOD=\"GET\">")))
        app.WriteProfileString(section, key, dlg.Form().Find(QStringLiteral("ACTION"))->text);
}

void OnAnchorLink(CKelvoApp& app, TagDialogState& state)
{
    // The keywords of the document: the NAME of every A tag.
    QStringList keywords;
    CollectAttrValues(app.View().Buffer().GetText(), QStringLiteral("A"), QStringLiteral("NAME"),
                      keywords);
    CAnchorLinkDlg dlg(app, keywords);
    if (RunAlwaysNew(app, dlg, QStringLiteral("A"), false,
                     TagView(app.View()).GetSelectionText()))
        state.Remember(dlg.Keyword());
}

void OnMail(CKelvoApp& app)
{
    const QString section = QStringLiteral("Link");
    const QString key = QStringLiteral("Mail");
    const QString href = QStringLiteral("HREF");
    CSingleValueDlg dlg(app, href, S(u"メールアドレスを入力してください"),
                        QStringLiteral("mailto:"));
    dlg.SetInitialValue(app.GetProfileString(section, key));
    if (RunAlwaysNew(app, dlg, QStringLiteral("A"), false, TagView(app.View()).GetSelectionText()))
        app.WriteProfileString(section, key, dlg.Form().Find(href)->text);
}

void OnScript(CKelvoApp& app)
{
    CScriptDlg dlg(app);
    const QString name = QStringLiteral("SCRIPT");
    TagView tags(app.View());
    const QString selection = tags.GetSelectionText();
    if (TagView::IsSelectedStartTag(selection, name)) {
        tags.RunTagDialog(dlg, name, false, false, false);
        return;
    }
    // Old browsers show a script's text unless it is inside a comment.
    const QString inner = QStringLiteral("<!--") + kCrLf + selection + kCrLf
                          + QStringLiteral("// -->") + kCrLf;
    dlg.Tag().SetName(name);
    dlg.Tag().SetInnerText(inner);
    if (dlg.DoModal(app))
        app.View().InsertTagText(dlg.Tag().GetElement(true), true);
}

void RunSingleValue(CKelvoApp& app, const char16_t* name, const char16_t* attr,
                    const char16_t* prompt, bool wrap, bool lineBreaks,
                    const QString& fixedType = QString())
{
    CSingleValueDlg dlg(app, S(attr), S(prompt), QString(), fixedType);
    Run(app, dlg, S(name), wrap, lineBreaks);
}

// A dialog edited through RunTagDialog, made fresh for every run.
template <class Dlg>
void RegisterDialog(CKelvoApp& app, int id, const char16_t* name, bool wrap, bool lineBreaks,
                    bool classes, const char16_t* newTag = u"")
{
    const QString n = S(name);
    const QString t = S(newTag);
    app.Commands().Register(id, [&app, n, wrap, lineBreaks, classes, t] {
        Dlg dlg(app);
        Run(app, dlg, n, wrap, lineBreaks, classes, t);
    });
}

const char16_t* const kStyleAttrTags[] = {u"EM", u"STRONG", u"BR", u"B",  u"I",  u"U",  u"SUP",
                                          u"SUB", u"LI",    u"UL", u"OL", u"DL", u"DT", u"DD"};

} // namespace

bool DispatchTagEdit(CKelvoApp& app)
{
    TagView tags(app.View());
    const QString selection = tags.GetSelectionText();
    const QString name = TagView::GetTagName(selection);
    if (name.isEmpty())
        return false;
    auto is = [&name](const char16_t* n) {
        return name.compare(QString::fromUtf16(n), Qt::CaseInsensitive) == 0;
    };
    CommandTable& commands = app.Commands();
    auto run = [&commands](int id) { return commands.Run(id); };

    static const std::pair<const char16_t*, int> kDialogs[] = {
        {u"FONT", Font},   {u"IMG", Image},          {u"BODY", Background}, {u"HR", Rule},
        {u"H1", Heading},  {u"H2", Heading},         {u"H3", Heading},      {u"H4", Heading},
        {u"H5", Heading},  {u"H6", Heading},         {u"TABLE", Table},     {u"TR", Row},
        {u"TD", Cell},     {u"TH", HeaderCell},      {u"TEXTAREA", TextArea}, {u"FRAME", Frame},
        {u"BASE", LinkTarget}, {u"DIV", BlockStyle}, {u"P", ParagraphStyle}, {u"SPAN", InlineStyle},
        {u"FORM", Form}};
    for (const auto& [n, id] : kDialogs)
        if (is(n))
            return run(id);
    if (is(u"A"))
        return run(TagView::ProbeAttr(selection, QStringLiteral("NAME")).isEmpty() ? Link
                                                                                    : Keyword);
    if (is(u"INPUT")) {
        const QString type = TagView::ProbeAttr(selection, QStringLiteral("TYPE"));
        auto typeIs = [&type](const char* t) {
            return type.compare(QLatin1String(t), Qt::CaseInsensitive) == 0;
        };
        // An INPUT without a TYPE is a text box.
        if (type.isEmpty() || typeIs("TEXT") || typeIs("PASSWORD"))
            return run(TextBox);
        if (typeIs("CHECKBOX"))
            return run(CheckBox);
        if (typeIs("RADIO"))
            return run(Radio);
        return false;
    }
    for (const char16_t* n : kStyleAttrTags) {
        if (!is(n))
            continue;
        if (!app.StyleHooks().editInlineStyle)
            return false;
        CTagStyleDlg dlg(app);
        TagView(app.View()).RunTagDialog(dlg, name, true, false, true);
        return true;
    }
    return false;
}

bool OnTagDoubleClick(CKelvoApp& app)
{
    const auto& editRule = app.StyleHooks().editRuleAtCaret;
    if (editRule && editRule())
        return true;
    if (!TagView(app.View()).SelectTagAtCaret())
        return false;
    DispatchTagEdit(app);
    return true;
}

void DoubleClickAt(CKelvoApp& app, int offset)
{
    EditBuffer& buffer = app.View().Buffer();
    offset = std::clamp(offset, 0, buffer.GetTextLength());
    buffer.SetSel(offset, offset);
    if (!OnTagDoubleClick(app))
        SelectWordAt(buffer, offset);
}

void SelectWordAt(EditBuffer& buffer, int offset)
{
    const QString text = buffer.GetText();
    const int n = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, n);
    auto isWord = [&text](int i) {
        const QChar c = text.at(i);
        return c.isLetterOrNumber() || c == u'_';
    };
    if (offset >= n || text.at(offset).isSpace()) {
        buffer.SetSel(offset, offset);
        return;
    }
    if (!isWord(offset)) {
        buffer.SetSel(offset, offset + 1);
        return;
    }
    int start = offset, end = offset;
    while (start > 0 && isWord(start - 1))
        --start;
    while (end < n && isWord(end))
        ++end;
    buffer.SetSel(start, end);
}

void RegisterTagDialogCommands(CKelvoApp& app)
{
    CommandTable& table = app.Commands();
    auto state = std::make_shared<TagDialogState>();
    auto on = [&](int id, std::function<void(CKelvoApp&)> handler) {
        table.Register(id, [&app, handler] { handler(app); });
    };
    RegisterDialog<CTableDlg>(app, Table, u"TABLE", true, true, true);
    RegisterDialog<CRowDlg>(app, Row, u"TR", true, false, true);
    RegisterDialog<CCellDlg>(app, Cell, u"TD", true, false, true);
    RegisterDialog<CCellDlg>(app, HeaderCell, u"TH", true, false, true);
    RegisterDialog<CCaptionDlg>(app, Caption, u"CAPTION", true, false, true);
    RegisterDialog<CImageDlg>(app, Image, u"IMG", false, false, true);
    RegisterDialog<CLinkDlg>(app, Link, u"A", true, false, true);
    RegisterDialog<CBaseDlg>(app, LinkTarget, u"BASE", false, false, false);
    RegisterDialog<CTextBoxDlg>(app, TextBox, u"INPUT", false, false, true,
                                 u"<INPUT TYPE=\"text\">");
    RegisterDialog<CTextAreaDlg>(app, TextArea, u"TEXTAREA", true, true, true);
    RegisterDialog<CCheckDlg>(app, CheckBox, u"INPUT", false, false, true,
                               u"<INPUT TYPE=\"checkbox\">");
    RegisterDialog<CCheckDlg>(app, Radio, u"INPUT", false, false, true, u"<INPUT TYPE=\"radio\">");
    RegisterDialog<CImageButtonDlg>(app, ImageButton, u"INPUT", false, false, true,
                                     u"<INPUT TYPE=\"image\">");
    RegisterDialog<CHiddenDlg>(app, Hidden, u"INPUT", false, false, true,
                                u"<INPUT TYPE=\"hidden\">");
    RegisterDialog<CMarqueeDlg>(app, Marquee, u"MARQUEE", true, false, true);
    RegisterDialog<CBgmDlg>(app, Bgm, u"BGSOUND", false, false, false);
    RegisterDialog<CVideoDlg>(app, Video, u"IMG", false, false, true);
    RegisterDialog<CFrameDlg>(app, Frame, u"FRAME", false, false, true);
    RegisterDialog<CAppletDlg>(app, Applet, u"APPLET", true, true, false);
    RegisterDialog<CParamDlg>(app, Param, u"PARAM", false, false, false);
    RegisterDialog<CPluginDlg>(app, Plugin, u"EMBED", true, true, true);

    on(Rule, OnRule);
    on(Background, OnBackground);
    on(Heading, OnHeading);
    on(Font, OnFont);
    on(Form, OnForm);
    on(Script, OnScript);
    on(Mail, OnMail);
    table.Register(Refresh, [&app, state] { OnRefresh(app, *state); });
    table.Register(AnchorLink, [&app, state] { OnAnchorLink(app, *state); });
    table.Register(Frameset, [&app] {
        CFramesetDlg dlg(app);
        RunAlwaysNew(app, dlg, QStringLiteral("FRAMESET"), true,
                     TagView(app.View()).GetSelectionText());
    });

    on(ListBox, [](CKelvoApp& a) {
        RunSingleValue(a, u"SELECT", u"NAME", u"選択ﾎﾞｯｸｽ名を入力してください", true, true);
    });
    on(Option, [](CKelvoApp& a) {
        RunSingleValue(a, u"OPTION", u"VALUE", u"選択項目名を入力してください", true, false);
    });
    on(Submit, [](CKelvoApp& a) {
        RunSingleValue(a, u"INPUT", u"VALUE", u"送信ボタンに表示される文字を入力してください",
                       false, false, QStringLiteral("submit"));
    });
    on(Reset, [](CKelvoApp& a) {
        RunSingleValue(a, u"INPUT", u"VALUE",
                       u"リセットボタンに表示される文字を入力してください", false, false,
                       QStringLiteral("reset"));
    });
    on(Keyword, [](CKelvoApp& a) {
        RunSingleValue(a, u"A", u"NAME", u"ｷｰﾜｰﾄﾞ(ｱﾝｶｰ)を入力してください", true, false);
    });
    on(TargetFrame, [](CKelvoApp& a) {
        RunSingleValue(a, u"BASE", u"TARGET", u"リンク先を表示するフレーム名を入力してください",
                       true, false);
    });

    on(EditTag, [](CKelvoApp& a) {
        TagView tags(a.View());
        if (tags.GetSelectionText().isEmpty())
            tags.SelectTagAtCaret();
        DispatchTagEdit(a);
    });
}
