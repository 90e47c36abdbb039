#include "core/tables/TableCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tables/TableCommandIds.h"
#include "core/tables/TableText.h"
#include "core/tables/TableWizard.h"
#include "core/tags/TagView.h"

#include <QDate>

#include <climits>
#include <memory>

using namespace table_settings;

namespace {

// The frame width is asked for each time and never stored.
const QString kBorder = QStringLiteral("Border");
const QString kDefaultMargin = QStringLiteral("10%");
// Rows of a table made from lines come in pieces of this many lines.
constexpr int kLinesPerPiece = 500;

// The colour fields of the colour dialog in display order: caption and
// setting key.
struct ColorField {
    const char16_t* label;
    const QString& key;
};
const ColorField kColorFields[] = {
    {u"左上(&A):", Color1},
    {u"左(&L):", Color4},
    {u"上(&L):", Color2},
    {u"その他(&O):", Color5},
};

} // namespace

TableCommands::TableCommands(CKelvoApp& app) : m_app(app), m_options(app) {}

void TableCommands::ConvertToTable(const QString& separators)
{
    EditBuffer& buffer = m_app.View().Buffer();
    BusyScope busy(m_app.GetUi());

    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const int startLine = buffer.LineFromChar(start);
    // A selection within one line converts that line from the selection
    // start to its end; the table then replaces all of that text, so
    // nothing converted is left behind beside the table.
    int replaceEnd = end;
    if (buffer.LineFromChar(end) == startLine)
        replaceEnd = buffer.LineIndex(startLine) + buffer.LineLength(start);
    const QString region = buffer.GetText().mid(start, replaceEnd - start);
    // One replacement, so one undo step brings the original lines back. The
    // rows are made in pieces, which the desktop widget inserts while the
    // next ones are made.
    buffer.SetSel(start, replaceEnd);
    // Comma- and tab-separated text comes from spreadsheets, which quote
    // a field that holds a separator, a quote or a line break.
    const bool quoted = separators == u"," || separators == u"\t";
    m_app.View().InsertTagPieces(DelimitedTablePieces(region.split(kCrLf), separators,
                                                      m_options.SplitEach(), m_options.Style(),
                                                      kLinesPerPiece, quoted));
    // The caret goes after the table even when inserted text usually stays
    // selected: the rows were typed in, not wrapped around a selection.
    int a = 0, b = 0;
    buffer.GetSel(a, b);
    if (a != b)
        buffer.SetSel(b, b);
    buffer.ScrollCaret();
}

void TableCommands::LinesToTable()
{
    // A bare caret stands for its whole line, not for the rest of it.
    EditBuffer& buffer = m_app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    if (start == end) {
        const int lineStart = buffer.LineIndex(buffer.LineFromChar(start));
        buffer.SetSel(lineStart, lineStart);
    }
    // Without separators every line is one cell.
    ConvertToTable(QString());
}

FormModel TableCommands::OptionsForm() const
{
    FormModel form;
    form.title = QStringLiteral("テーブル化時の設定");
    form.AddFlag(QStringLiteral("色を付加(&C)"), m_options.enable, Enable);
    form.AddFlag(QStringLiteral("クラスを付加(&S)"), m_options.classes, Class);
    form.AddFlag(QStringLiteral("空欄項目に全角空白を入れる(&J)"), m_options.space, Space);
    form.AddFlag(QStringLiteral("一行目をTHタグで処理(&H)"), m_options.item, Item);
    form.AddFlag(QStringLiteral("区切り文字の連続を空項目とする(&K)"), m_options.SplitEach(), Split);
    return form;
}

void TableCommands::ApplyOptionsForm(const FormModel& form)
{
    auto flag = [&form](const QString& name) {
        const FormField* f = form.Find(name);
        return f && f->checked;
    };
    m_options.enable = flag(Enable);
    m_options.classes = flag(Class);
    m_options.space = flag(Space);
    m_options.item = flag(Item);
    m_options.Save(flag(Split));
}

void TableCommands::OnTableOptions()
{
    FormModel form = OptionsForm();
    if (m_app.GetUi().RunForm(form) == Ui::Answer::Ok)
        ApplyOptionsForm(form);
}

FormModel TableCommands::ColorsForm()
{
    FormModel form;
    form.title = QStringLiteral("テーブル色の設定");
    Ui& ui = m_app.GetUi();
    for (const ColorField& c : kColorFields) {
        const QString& key = c.key;
        // The fields show the colours blue first, as the platform's colour
        // values are written; the settings hold them red first.
        form.AddText(QString::fromUtf16(c.label),
                     SwapColorPairs(m_app.GetProfileString(Table, key, White)), key);
        FormField& button = form.Add(FieldKind::Button, QStringLiteral("色参照"), key + QStringLiteral("Ref"));
        button.action = [&ui, key](FormModel& f) {
            FormField& field = f[key];
            if (const std::optional<QString> chosen = ui.ChooseColor(SwapColorPairs(field.text)))
                field.text = SwapColorPairs(*chosen);
        };
    }
    return form;
}

void TableCommands::ApplyColorsForm(const FormModel& form)
{
    for (const ColorField& c : kColorFields) {
        const QString& key = c.key;
        if (const FormField* f = form.Find(key))
            m_app.WriteProfileString(Table, key, SwapColorPairs(f->text));
    }
}

void TableCommands::OnTableColors()
{
    FormModel form = ColorsForm();
    if (m_app.GetUi().RunForm(form) == Ui::Answer::Ok)
        ApplyColorsForm(form);
}

void TableCommands::OnTableWizard()
{
    TableWizard wizard;
    if (!wizard.Run(m_app.GetUi()))
        return;
    m_app.View().InsertTagText(
        WizardTableText(wizard.Rows(), wizard.Columns(), wizard.Cells(), m_options.Style()), true);
}

FormModel TableCommands::FrameBoxForm() const
{
    FormModel form;
    form.title = QStringLiteral("枠で囲む");
    FormField& color = form.Add(FieldKind::Color, QStringLiteral("色(&C):"), RectColor);
    color.text = m_app.GetProfileString(Tool, RectColor, White);
    form.AddNumber(QStringLiteral("枠の太さ(&W):"), 1, 0, INT_MAX, kBorder);
    return form;
}

void TableCommands::OnFrameBox()
{
    FormModel form = FrameBoxForm();
    if (m_app.GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    const QString color = form[RectColor].text;
    m_app.WriteProfileString(Tool, RectColor, color);
    CKelvoView& view = m_app.View();
    const QString inner = TagView(view).GetSelectionText();
    view.InsertTagText(FramedBoxText(form[kBorder].NumberOr(1), color, inner), true);
}

FormModel TableCommands::SideMarginsForm() const
{
    FormModel form;
    form.title = QStringLiteral("左右余白設定");
    form.AddText(QStringLiteral("左余白(&L):"),
                 m_app.GetProfileString(Tool, LeftMargin, kDefaultMargin), LeftMargin);
    form.AddText(QStringLiteral("右余白(&R):"),
                 m_app.GetProfileString(Tool, RightMargin, kDefaultMargin), RightMargin);
    return form;
}

void TableCommands::OnSideMargins()
{
    FormModel form = SideMarginsForm();
    if (m_app.GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    const QString left = form[LeftMargin].text;
    const QString right = form[RightMargin].text;
    m_app.WriteProfileString(Tool, LeftMargin, left);
    m_app.WriteProfileString(Tool, RightMargin, right);
    CKelvoView& view = m_app.View();
    view.InsertTagText(MarginsTableText(left, right, TagView(view).GetSelectionText()), true);
}

void TableCommands::OnInsertDate()
{
    m_app.View().InsertTagText(DateText(QDate::currentDate()), true);
}

void RegisterTableCommands(CKelvoApp& app)
{
    // The handlers share the group, which lives as long as any of them.
    auto group = std::make_shared<TableCommands>(app);
    CommandTable& table = app.Commands();
    table.Register(cmd::TabToTable, [group] { group->ConvertToTable(QStringLiteral("\t")); });
    table.Register(cmd::CommaToTable, [group] { group->ConvertToTable(QStringLiteral(",")); });
    table.Register(cmd::BlankTabToTable,
                   [group] { group->ConvertToTable(QStringLiteral(" \t")); });
    table.Register(cmd::LinesToTable, [group] { group->LinesToTable(); });
    table.Register(cmd::TableOptionsDialog, [group] { group->OnTableOptions(); });
    table.Register(cmd::TableColorsDialog, [group] { group->OnTableColors(); });
    table.Register(cmd::TableWizard, [group] { group->OnTableWizard(); });
    table.Register(cmd::FrameBox, [group] { group->OnFrameBox(); });
    table.Register(cmd::SideMargins, [group] { group->OnSideMargins(); });
    table.Register(cmd::InsertDate, [group] { group->OnInsertDate(); });
}
