#include "core/style/StyleCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/style/CBlockStyleDlg.h"
#include "core/style/CExternalStyleDlg.h"
#include "core/style/CStyleDlg.h"
#include "core/style/CStyleListDlg.h"
#include "core/style/CStyleSelectorDlg.h"
#include "core/style/StyleCommandIds.h"
#include "core/links/RelativePath.h"
#include "core/tags/CTagObj.h"
#include "core/tags/CharRefs.h"
#include "core/tags/StyleEditHooks.h"
#include "core/style/StyleRuleSelect.h"
#include "core/tags/TagView.h"


namespace {

const QString kSaveFirst = QStringLiteral("ファイルを保存してください");

// The rule of the selection, or one made in the selector dialog.
std::optional<CStyleRule> RuleFromSelectorDialog(CKelvoApp& app)
{
    CStyleSelectorDlg selector(&app, app.Doc().GetPathName());
    if (!selector.DoModal(app.GetUi()))
        return std::nullopt;
    return selector.rule;
}

// A rule the user confirmed without a change stays as it was written; a
// changed one has only what changed rewritten, in the line end of the text
// around it.
void EditRuleAndReplace(CKelvoApp& app, CStyleRule rule)
{
    CStyleDlg dlg(&app);
    dlg.rule = std::move(rule);
    dlg.documentPath = app.Doc().GetPathName();
    if (!dlg.DoModal(app.GetUi()) || !dlg.rule.Changed())
        return;
    EditBuffer& buffer = app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const QString lineEnd = LineEndAround(buffer.GetText(), start, end);
    app.View().InsertTagText(dlg.rule.WriteBack(false, lineEnd), true);
}

void OnStyleArea(CKelvoView& view)
{
    CTagObj style(QStringLiteral("STYLE"));
    style.SetInnerText(QStringLiteral("<!--\r\n") + TagView(view).GetSelectionText()
                       + QStringLiteral("\r\n-->"));
    view.InsertTagText(style.GetElement(true) + QStringLiteral("\r\n"), true);
}

void OnNewRule(CKelvoApp& app)
{
    if (auto rule = RuleFromSelectorDialog(app))
        EditRuleAndReplace(app, *rule);
}

void OnEditRule(CKelvoApp& app)
{
    const QString selection = TagView(app.View()).GetSelectionText();
    if (selection.isEmpty()) {
        OnNewRule(app);
        return;
    }
    CStyleRule rule;
    int ruleStart = 0, ruleEnd = 0;
    if (!rule.ParseRule(selection, &ruleStart, &ruleEnd)) {
        EditRuleAndReplace(app, CStyleRule());
        return;
    }
    // The rule alone is replaced: text selected around it stays.
    EditBuffer& buffer = app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    buffer.SetSel(start + ruleStart, start + ruleEnd);
    EditRuleAndReplace(app, rule);
}

void OnInlineStyleOnly(CKelvoApp& app)
{
    QString text;
    if (EditInlineStyle(app, text, app.Doc().GetPathName()))
        app.View().InsertTagText(QStringLiteral("STYLE=") + QuoteAttrValue(text), true);
}

void OnExternalStyleSheet(CKelvoApp& app)
{
    CKelvoView& view = app.View();
    EditBuffer& buffer = view.Buffer();
    TagView tags(view);
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    CExternalStyleDlg dlg(app);
    if (tags.SelectTagAtCaret()
        && TagView::GetTagName(tags.GetSelectionText()).compare(u"LINK", Qt::CaseInsensitive) == 0) {
        dlg.Tag().Parse(tags.GetSelectionText());
    } else {
        buffer.SetSel(start, end);
        dlg.Tag().Parse(QStringLiteral("<LINK REL=\"stylesheet\" TYPE=\"text/css\">"));
    }
    const QString documentPath = app.Doc().GetPathName();
    Ui& ui = app.GetUi();
    if (!dlg.DoModal(app)) {
        buffer.SetSel(start, end);
        return;
    }
    const QString href = QStringLiteral("HREF");
    const QString file = dlg.Tag().GetAttr(href).trimmed();
    dlg.Tag().SetAttr(href, file);
    view.InsertTagText(dlg.Tag().GetStartTag(), true);
    if (!dlg.OpenRequested() || file.contains(QStringLiteral("://")))
        return;
    if (documentPath.isEmpty()) {
        ui.Message(kSaveFirst);
        return;
    }
    const std::optional<QString> target = ResolveRelativePath(documentPath, file);
    if (!target) {
        ui.Message(RelativePathErrorText());
        return;
    }
    app.OpenDocumentFile(*target);
}

// DIV, P and SPAN: the element at the caret is edited, otherwise the
// selection is wrapped in a new one.
void OnElementStyle(CKelvoApp& app, const QString& name, const QString& description)
{
    TagView tags(app.View());
    EditBuffer& buffer = app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    // Only a bare caret looks for the tag around it: a selection is text
    // the user chose to wrap.
    if (start == end && tags.SelectTagAtCaret()
        && !TagView::IsSelectedStartTag(tags.GetSelectionText(), name))
        buffer.SetSel(start, end);
    CBlockStyleDlg dlg(app, description);
    if (!tags.RunTagDialog(dlg, name, true, false, true))
        buffer.SetSel(start, end);
}

// Nothing is written unless a rule was added, changed, moved or removed.
void OnStyleList(CKelvoApp& app)
{
    CKelvoView& view = app.View();
    EditBuffer& buffer = view.Buffer();
    const QString documentPath = app.Doc().GetPathName();
    const QString text = buffer.GetText();
    const bool css = IsCssPath(documentPath);
    std::optional<StyleContents> element;
    QString source;
    if (css) {
        source = text;
    } else {
        element = FirstStyleContents(text);
        // The area is read as it stands, "<!--" and "-->" included (a
        // browser skips them between rules), so that rules nobody changed
        // come back byte for byte.
        if (element)
            source = text.mid(element->start, element->end - element->start);
    }
    CStyleListDlg dlg(&app, documentPath);
    dlg.sheet.ParseSheet(source);
    if (!dlg.DoModal(app.GetUi()))
        return;
    const QString sheet = dlg.sheet.ToText();
    if (sheet == source)
        return;
    if (css) {
        buffer.SetSel(0, buffer.GetTextLength());
        view.InsertTagText(sheet, false);
        buffer.SetSel(0, 0);
        buffer.ScrollCaret();
        return;
    }
    if (element) {
        buffer.SetSel(element->start, element->end);
        buffer.ReplaceSel(sheet);
        return;
    }
    // No STYLE element yet: a new one goes at the end of the HEAD, or at the
    // caret in a document without one; nothing of the text is replaced.
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const qsizetype headEnd = text.indexOf(QStringLiteral("</head"), 0, Qt::CaseInsensitive);
    const int at = headEnd >= 0 ? static_cast<int>(headEnd) : start;
    buffer.SetSel(at, at);
    CTagObj style(QStringLiteral("STYLE"));
    style.SetInnerText(QStringLiteral("<!--\r\n") + sheet + QStringLiteral("\r\n-->"));
    view.InsertTagText(style.GetElement(true) + QStringLiteral("\r\n"), false);
}

} // namespace

bool EditInlineStyle(CKelvoApp& app, QString& declarationText, const QString& documentPath)
{
    CStyleDlg dlg(&app);
    dlg.inlineStyle = true;
    dlg.documentPath = documentPath;
    dlg.rule.ParseInline(declarationText);
    if (!dlg.DoModal(app.GetUi()))
        return false;
    declarationText = dlg.rule.WriteBack(true);
    return true;
}

bool EditRuleAtCaret(CKelvoView& view)
{
    CKelvoApp& app = view.App();
    if (!SelectStyleRuleAtCaret(view, app.Doc().GetPathName()))
        return false;
    OnEditRule(app);
    return true;
}

void RegisterStyleCommands(CKelvoApp& app)
{
    CommandTable& table = app.Commands();
    table.Register(cmd::StyleArea, [&app] { OnStyleArea(app.View()); });
    table.Register(cmd::StyleRuleNew, [&app] { OnNewRule(app); });
    table.Register(cmd::StyleRuleEdit, [&app] { OnEditRule(app); });
    table.Register(cmd::ExternalStyleSheet, [&app] { OnExternalStyleSheet(app); });
    const auto element = [&app, &table](int id, const char* name, const char16_t* description) {
        const QString n = QString::fromLatin1(name);
        const QString d = QString::fromUtf16(description);
        table.Register(id, [&app, n, d] { OnElementStyle(app, n, d); });
    };
    element(cmd::BlockStyle, "DIV", u"ブロック属性を定義します");
    element(cmd::ParagraphStyle, "P", u"段落の属性を定義します");
    element(cmd::SpanStyle, "SPAN", u"インライン属性を定義します");
    table.Register(cmd::InlineStyleOnly, [&app] { OnInlineStyleOnly(app); });
    table.Register(cmd::StyleList, [&app] { OnStyleList(app); });

    StyleEditHooks& hooks = app.StyleHooks();
    hooks.editInlineStyle = [&app](QString& declarationText, const QString& documentPath) {
        return EditInlineStyle(app, declarationText, documentPath);
    };
    hooks.editRuleAtCaret = [&app] { return EditRuleAtCaret(app.View()); };
}
