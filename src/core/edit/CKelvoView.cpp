#include "core/edit/CKelvoView.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/custom/VirtualKeys.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/HtmlScanner.h"
#include "core/tags/TagCase.h"

#include <algorithm>

namespace {

const QString kTagEdit = QStringLiteral("TagEdit");

// The display's settings, "View" section.
const QString kHighlightKey = QStringLiteral("Highlight");
const QString kLineNumbersKey = QStringLiteral("LineNumbers");
const QString kCurrentLineKey = QStringLiteral("CurrentLine");
const QString kTagMatchKey = QStringLiteral("TagMatch");
const QString kSearchMarksKey = QStringLiteral("SearchMarks");
const QString kZoomKey = QStringLiteral("Zoom");

constexpr int kDefaultTabWidth = 8;
constexpr int kDefaultMargin = 5;
constexpr int kDefaultPointSize = 10;
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;
// Weights from this one up show as bold in the font dialog.
constexpr int kBoldThreshold = 600;

const QString kDefaultFace = QStringLiteral("ＭＳ Ｐゴシック");

// Field names of the font dialog's lists and of the edit fields beside them,
// which show no label of their own.
const QString kFaceField = QStringLiteral("FaceName");
const QString kSizeField = QStringLiteral("Point");
const QString kFaceList = QStringLiteral("FaceList");
const QString kSizeList = QStringLiteral("SizeList");
const QString kBold = QStringLiteral("太字");
const QString kItalic = QStringLiteral("斜体");
const QString kStrikeOut = QStringLiteral("取消線(&T)");
const QString kUnderline = QStringLiteral("下線");

CKelvoView::ColorRef ReadColor(const CKelvoApp& app, const QString& key,
                               CKelvoView::ColorRef defaultValue)
{
    bool ok = false;
    const qulonglong v =
        app.GetProfileString(settings::View, key, QString::number(defaultValue)).trimmed().toULongLong(&ok);
    return ok && v <= 0xFFFFFF ? static_cast<CKelvoView::ColorRef>(v) : defaultValue;
}

// Copies the entry chosen in a list into the edit field beside it.
void CopyChoiceTo(FormModel& form, const QString& listKey, const QString& fieldName)
{
    const FormField* list = form.Find(listKey);
    FormField* edit = form.Find(fieldName);
    if (list && edit && !list->SelectedChoice().isEmpty())
        edit->text = list->SelectedChoice();
}

} // namespace

CKelvoView::CKelvoView(CKelvoApp& app, EditBuffer& buffer) : m_app(app), m_buffer(buffer)
{
    m_wrap = m_app.GetProfileInt(settings::System, QStringLiteral("Wrap"), 1) != 0;
    m_tagEdit = m_app.GetProfileInt(settings::System, kTagEdit, 1) != 0;

    m_font.face = m_app.GetProfileString(settings::Font, QStringLiteral("FaceName"), kDefaultFace);
    m_font.pointSize = m_app.GetProfileInt(settings::Font, QStringLiteral("Point"), kDefaultPointSize);
    // A size no font can have (an edited settings file) falls back to the
    // default rather than giving an invisible or enormous font.
    if (m_font.pointSize < 1 || m_font.pointSize > kMaxFontSize)
        m_font.pointSize = kDefaultPointSize;
    m_font.weight = m_app.GetProfileInt(settings::Font, QStringLiteral("Weight"), kNormalWeight);
    m_font.italic = m_app.GetProfileInt(settings::Font, QStringLiteral("Italic"), 0) != 0;
    m_font.underline = m_app.GetProfileInt(settings::Font, QStringLiteral("Underline"), 0) != 0;
    m_buffer.SetEditFont(m_font);

    m_margin = std::max(0, m_app.GetProfileInt(settings::View, QStringLiteral("EditMergin"),
                                               kDefaultMargin));
    m_buffer.SetMargins(m_margin);

    m_textColor = ReadColor(m_app, QStringLiteral("TextColor"), 0);
    m_backColor = ReadColor(m_app, QStringLiteral("BackColor"), 0xFFFFFF);

    const auto flag = [this](const QString& key) {
        return m_app.GetProfileInt(settings::View, key, 1) != 0;
    };
    m_display.highlight = flag(kHighlightKey);
    m_display.lineNumbers = flag(kLineNumbersKey);
    m_display.currentLine = flag(kCurrentLineKey);
    m_display.tagMatch = flag(kTagMatchKey);
    m_display.searchMatches = flag(kSearchMarksKey);
    m_display.zoom = std::clamp(m_app.GetProfileInt(settings::View, kZoomKey, 0),
                                EditDisplay::kZoomMin, EditDisplay::kZoomMax);
    m_buffer.SetDisplay(m_display);
}

CKelvoView::~CKelvoView()
{
    m_app.WriteProfileInt(settings::System, kTagEdit, m_tagEdit ? 1 : 0);
}

void CKelvoView::RegisterCommands(CommandTable& commands)
{
    commands.Register(cmd::FontSettings, [this] { OnFontSettings(); });
    commands.Register(cmd::WordWrap, [this] { OnWordWrap(); });
    commands.Register(cmd::TagEditing, [this] { OnTagEditing(); });
    commands.Register(cmd::Deselect, [this] { OnDeselect(); });
    commands.Register(cmd::Preview, [this] { OnPreview(); });

    const auto selection = [this] { return HasSelection(); };
    commands.Register(cmd::EditUndo, [this] { m_buffer.Undo(); },
                      [this] { return m_buffer.CanUndo(); });
    commands.Register(cmd::EditRedo, [this] { m_buffer.Redo(); },
                      [this] { return m_buffer.CanRedo(); });
    commands.Register(cmd::EditCut, [this] { m_buffer.Cut(); }, selection);
    commands.Register(cmd::EditCopy, [this] { m_buffer.Copy(); }, selection);
    commands.Register(cmd::EditPaste, [this] { m_buffer.Paste(); });
    commands.Register(cmd::EditClear, [this] { m_buffer.ReplaceSel(QString()); }, selection);
    commands.Register(cmd::EditSelectAll, [this] {
        m_buffer.SetSel(0, m_buffer.GetTextLength());
        m_buffer.ScrollCaret();
    });
    commands.SetToggle(cmd::WordWrap, [this] { return m_wrap; });
    commands.SetToggle(cmd::TagEditing, [this] { return m_tagEdit; });
    RegisterDisplayCommands(commands);
}

void CKelvoView::RegisterDisplayCommands(CommandTable& commands)
{
    const std::pair<int, std::pair<bool EditDisplay::*, QString>> toggles[] = {
        {cmd::ToggleHighlight, {&EditDisplay::highlight, kHighlightKey}},
        {cmd::ToggleLineNumbers, {&EditDisplay::lineNumbers, kLineNumbersKey}},
        {cmd::ToggleCurrentLine, {&EditDisplay::currentLine, kCurrentLineKey}},
        {cmd::ToggleTagMatch, {&EditDisplay::tagMatch, kTagMatchKey}},
        {cmd::ToggleSearchMarks, {&EditDisplay::searchMatches, kSearchMarksKey}},
    };
    for (const auto& [id, toggle] : toggles) {
        const auto [flag, key] = toggle;
        commands.Register(id, [this, flag, key] { ToggleDisplay(flag, key); });
        commands.SetToggle(id, [this, flag] { return m_display.*flag; });
    }
    commands.Register(cmd::ZoomIn, [this] { SetZoom(m_display.zoom + 1); },
                      [this] { return m_display.zoom < EditDisplay::kZoomMax; });
    commands.Register(cmd::ZoomOut, [this] { SetZoom(m_display.zoom - 1); },
                      [this] { return m_display.zoom > EditDisplay::kZoomMin; });
    commands.Register(cmd::ZoomReset, [this] { SetZoom(0); });
}

void CKelvoView::ToggleDisplay(bool EditDisplay::*flag, const QString& key)
{
    m_display.*flag = !(m_display.*flag);
    m_app.WriteProfileInt(settings::View, key, m_display.*flag ? 1 : 0);
    m_buffer.SetDisplay(m_display);
}

void CKelvoView::SetZoom(int zoom)
{
    m_display.zoom = std::clamp(zoom, EditDisplay::kZoomMin, EditDisplay::kZoomMax);
    m_app.WriteProfileInt(settings::View, kZoomKey, m_display.zoom);
    m_buffer.SetDisplay(m_display);
}

void CKelvoView::SetSearchText(const QString& text)
{
    m_searchText = text;
    m_display.searchText = text;
    m_buffer.SetDisplay(m_display);
}

void CKelvoView::SetMatchCase(bool matchCase)
{
    m_matchCase = matchCase;
    m_display.matchCase = matchCase;
    m_buffer.SetDisplay(m_display);
}

bool CKelvoView::HasSelection() const
{
    int start = 0, end = 0;
    m_buffer.GetSel(start, end);
    return start != end;
}

void CKelvoView::OnInitialUpdate()
{
    ApplyTabStops();
    m_display.language = SyntaxForPath(m_app.Doc().GetPathName());
    m_buffer.SetDisplay(m_display);
    m_app.GetUi().SetWindowTitle(CKelvoDoc::WindowTitleFor(m_app.Doc().GetTitle()));
}

int CKelvoView::TabWidth() const
{
    const int tabs = m_app.GetProfileInt(settings::View, QStringLiteral("TabNo"), kDefaultTabWidth);
    return tabs >= 1 ? tabs : kDefaultTabWidth;
}

void CKelvoView::ApplyTabStops()
{
    m_buffer.SetTabWidth(TabWidth());
}

void CKelvoView::SetMargin(int pixels)
{
    m_margin = std::max(0, pixels);
    m_buffer.SetMargins(m_margin);
}

void CKelvoView::SetColors(ColorRef text, ColorRef back)
{
    m_textColor = text;
    m_backColor = back;
}

bool CKelvoView::RunAssignedCommand(int vk, bool alt, bool shift, bool ctrl)
{
    const int id = m_app.KeyTable().Lookup(vk, alt, shift, ctrl);
    m_keyHandled = id != 0;
    // The key belongs to its command even when the command cannot run just
    // now; typing its character instead would surprise.
    if (id)
        m_app.Commands().Run(id);
    return m_keyHandled;
}

bool CKelvoView::TakesKey(int vk, bool alt, bool shift, bool ctrl) const
{
    // Plain keys below the function keys are text and editing keys; only
    // with a modifier are they looked up.
    if (!alt && !shift && !ctrl && vk < vk::FirstUnmodifiedLookup)
        return false;
    return m_app.KeyTable().Lookup(vk, alt, shift, ctrl) != 0;
}

bool CKelvoView::OnKeyDown(int vk, bool alt, bool shift, bool ctrl)
{
    if (alt || shift || ctrl || vk >= vk::FirstUnmodifiedLookup)
        return RunAssignedCommand(vk, alt, shift, ctrl);
    m_keyHandled = false;
    return false;
}

bool CKelvoView::OnSysKeyDown(int vk, bool shift, bool ctrl)
{
    return RunAssignedCommand(vk, true, shift, ctrl);
}

const QList<int>& CKelvoView::FontSizes()
{
    static const QList<int> sizes = {8, 9, 10, 11, 12, 14, 16, 20, 24, 28, 36};
    return sizes;
}

FormModel CKelvoView::FontForm() const
{
    FormModel form;
    form.title = QStringLiteral("フォントの設定");

    FormField& faces = form.Add(FieldKind::List, QStringLiteral("フォント(&F)"), kFaceList);
    faces.choices = m_app.GetUi().FontFamilies();
    // The list shows the font the editor really uses; the face field keeps
    // the setting as the user chose it.
    faces.index = static_cast<int>(
        faces.choices.indexOf(m_app.GetUi().InstalledFontFamily(m_font.face)));
    if (faces.index >= 0)
        faces.text = faces.choices[faces.index];
    faces.action = [](FormModel& f) { CopyChoiceTo(f, kFaceList, kFaceField); };
    form.AddText(QString(), m_font.face, kFaceField);

    FormField& sizes = form.Add(FieldKind::List, QStringLiteral("サイズ(&S):"), kSizeList);
    for (int size : FontSizes())
        sizes.choices.append(QString::number(size));
    const int point = m_app.GetProfileInt(settings::Font, QStringLiteral("Point"), kDefaultPointSize);
    sizes.index = static_cast<int>(FontSizes().indexOf(point));
    if (sizes.index >= 0)
        sizes.text = sizes.choices[sizes.index];
    sizes.action = [](FormModel& f) { CopyChoiceTo(f, kSizeList, kSizeField); };
    FormField& size = form.AddNumber(QString(), m_font.pointSize, 1, kMaxFontSize, kSizeField);
    size.rangeMessage = UiText(QStringLiteral("サイズには1から%1までの整数を入力してください。")).arg(kMaxFontSize);

    form.AddFlag(kBold, m_font.weight >= kBoldThreshold);
    form.AddFlag(kItalic, m_font.italic);
    // Offered as the font dialog always has, but the editor shows no
    // struck-out text.
    form.AddFlag(kStrikeOut, false);
    form.AddFlag(kUnderline, m_font.underline);
    return form;
}

void CKelvoView::ApplyFontForm(const FormModel& form)
{
    const FormField* face = form.Find(kFaceField);
    const FormField* size = form.Find(kSizeField);
    int points = 0;
    if (!face || !size || !size->NumberValue(points))
        return;
    const auto checked = [&form](const QString& label) {
        const FormField* f = form.Find(label);
        return f && f->checked;
    };
    EditFont font = m_font;
    font.face = face->text.trimmed();
    font.pointSize = points;
    font.weight = checked(kBold) ? kBoldWeight : kNormalWeight;
    font.italic = checked(kItalic);
    font.underline = checked(kUnderline);
    m_font = font;
    m_buffer.SetEditFont(m_font);

    m_app.WriteProfileString(settings::Font, QStringLiteral("FaceName"), m_font.face);
    m_app.WriteProfileInt(settings::Font, QStringLiteral("Point"), m_font.pointSize);
    m_app.WriteProfileInt(settings::Font, QStringLiteral("Weight"), m_font.weight);
    m_app.WriteProfileInt(settings::Font, QStringLiteral("Italic"), m_font.italic ? 1 : 0);
    m_app.WriteProfileInt(settings::Font, QStringLiteral("Underline"), m_font.underline ? 1 : 0);
    ApplyTabStops();
}

void CKelvoView::OnFontSettings()
{
    FormModel form = FontForm();
    if (m_app.GetUi().RunForm(form) == Ui::Answer::Ok)
        ApplyFontForm(form);
}

void CKelvoView::OnWordWrap()
{
    // Takes effect at once; the setting, not the window's state, decides,
    // so that a value written elsewhere meanwhile is what is toggled.
    const bool wrap = m_app.GetProfileInt(settings::System, QStringLiteral("Wrap"), 1) != 0;
    m_app.WriteProfileInt(settings::System, QStringLiteral("Wrap"), wrap ? 0 : 1);
    m_wrap = !wrap;
    m_buffer.SetWordWrap(m_wrap);
}

void CKelvoView::OnTagEditing()
{
    m_tagEdit = !m_tagEdit;
}

void CKelvoView::OnDeselect()
{
    m_buffer.SetSel(-1, 0);
    m_buffer.ScrollCaret();
}

void CKelvoView::OnPreview()
{
    CKelvoDoc& doc = m_app.Doc();
    Ui& ui = m_app.GetUi();
    const QString path = doc.GetPathName();
    if (path.isEmpty()) {
        ui.Message(QStringLiteral("ファイルを保存してください"));
        return;
    }
    if (m_app.GetProfileInt(settings::System, QStringLiteral("AutoSave"), 0) == 0) {
        if (doc.IsModified())
            doc.OnSaveDocument(path);
    } else if (ui.Ask(QStringLiteral("ファイルを保存しますか？"), Ui::Buttons::YesNo,
                      Ui::Icon::Question)
                   == Ui::Answer::Yes
               && doc.IsModified()) {
        doc.OnSaveDocument(path);
    }
    ui.OpenExternal(path);
}

void CKelvoView::ReplaceWithTagText(const std::function<void()>& replace)
{
    int start = 0, end = 0;
    m_buffer.GetSel(start, end);
    replace();
    if (end != start
        && m_app.GetProfileInt(settings::System, QStringLiteral("TagSelectContinue"), 0) != 0) {
        // The caret is after the inserted text.
        int caret = 0, unused = 0;
        m_buffer.GetSel(caret, unused);
        m_buffer.SetSel(start, caret);
        m_buffer.ScrollCaret();
    }
}

void CKelvoView::InsertTagPieces(const EditBuffer::PieceSource& next)
{
    // Each piece is converted where it is made, possibly on another thread.
    const bool lower = m_app.TagLower();
    const EditBuffer::PieceSource converted = [&next, lower]() -> std::optional<QString> {
        std::optional<QString> piece = next();
        if (piece && lower)
            ConvertTagCase(*piece, true);
        return piece;
    };
    ReplaceWithTagText([&] { m_buffer.ReplaceSelPieces(converted); });
}

void CKelvoView::InsertTagText(const QString& text, bool remember, bool tagCase)
{
    QString t = text;
    if (tagCase && m_app.TagLower())
        ConvertTagCase(t, true);
    ReplaceWithTagText([&] { m_buffer.ReplaceSel(t); });
    if (remember)
        RememberTagsOf(text);
}

void CKelvoView::RememberTagsOf(const QString& text)
{
    QString t = text;
    if (m_app.TagLower())
        ConvertTagCase(t, true);
    // The first tag ends at its own ">", not at one inside a quoted value.
    const std::optional<HtmlToken> first = HtmlScanner::ReadAt(t, 0);
    const qsizetype firstClose =
        first && first->closed ? first->end - 1 : t.indexOf(u'>');
    m_lastStartTag = firstClose >= 0 ? t.left(firstClose + 1) : QString();
    const qsizetype lastClose = t.lastIndexOf(u'>');
    if (firstClose == lastClose) {
        m_lastEndTag.clear();
    } else {
        const qsizetype slash = t.lastIndexOf(u'/');
        m_lastEndTag = slash >= 1 ? t.mid(slash - 1) : t.mid(std::max<qsizetype>(slash, 0));
    }
}

void CKelvoView::SetLastTags(const QString& start, const QString& end)
{
    m_lastStartTag = start;
    m_lastEndTag = end;
}
