#include "core/edit/CSetPage.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/edit/EditBuffer.h"

#include <cctype>
#include <climits>

namespace {

// Field names: the settings keys they stand for.
const QString kTabNo = QStringLiteral("TabNo");
const QString kMargin = QStringLiteral("EditMergin");
const QString kAutoSave = QStringLiteral("AutoSave");
const QString kIniMode = QStringLiteral("IniMode");
const QString kTagLower = QStringLiteral("TagLower");
const QString kTagSelectContinue = QStringLiteral("TagSelectContinue");
const QString kInitDir = QStringLiteral("InitDir");
const QString kTextColor = QStringLiteral("TextColor");
const QString kBackColor = QStringLiteral("BackColor");
const QString kInitDirBrowse = QStringLiteral("InitDirBrowse");

} // namespace

CSetPage::CSetPage(CKelvoView& view) : m_view(view) {}

QString CSetPage::PageTitle()
{
    return QStringLiteral("動作");
}

QString CSetPage::ColorRefToHex(CKelvoView::ColorRef color)
{
    const int red = color & 0xFF;
    const int green = (color >> 8) & 0xFF;
    const int blue = (color >> 16) & 0xFF;
    return QStringLiteral("%1%2%3")
        .arg(red, 2, 16, QChar(u'0'))
        .arg(green, 2, 16, QChar(u'0'))
        .arg(blue, 2, 16, QChar(u'0'))
        .toUpper();
}

std::optional<CKelvoView::ColorRef> CSetPage::HexToColorRef(const QString& hex)
{
    QString digits = hex.trimmed();
    if (digits.startsWith(u'#'))
        digits.remove(0, 1);
    if (digits.size() != 6)
        return std::nullopt;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return std::nullopt;
    }
    const uint rgb = digits.toUInt(nullptr, 16);
    const CKelvoView::ColorRef red = (rgb >> 16) & 0xFF;
    const CKelvoView::ColorRef green = (rgb >> 8) & 0xFF;
    const CKelvoView::ColorRef blue = rgb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

void CSetPage::AddTo(FormModel& sheet) const
{
    CKelvoApp& app = m_view.App();
    const QString page = PageTitle();
    auto onPage = [&](FormField& f) -> FormField& {
        f.page = page;
        return f;
    };

    onPage(sheet.AddNumber(QStringLiteral("タブ数(&T):"),
                           m_view.TabWidth(), 1, INT_MAX, kTabNo));
    onPage(sheet.AddNumber(QStringLiteral("マージン(&M):"), m_view.Margin(), 0, INT_MAX, kMargin));
    onPage(sheet.AddFlag(QStringLiteral("プレビュー時、保存を確認する(&A)"),
                         app.GetProfileInt(settings::System, kAutoSave, 0) != 0, kAutoSave));
    onPage(sheet.AddChoice(QStringLiteral("起動時のファイル(&K)"),
                           {QStringLiteral("ファイル新規作成"), QStringLiteral("前回開いたファイル")},
                           app.GetProfileInt(settings::System, kIniMode, 0) != 0 ? 1 : 0, kIniMode));

    // The colour buttons are not shown; the colours pass through unchanged
    // unless a script sets them.
    FormField& text = onPage(sheet.Add(FieldKind::Color, QStringLiteral("文字色(&S)..."), kTextColor));
    text.text = ColorRefToHex(m_view.TextColor());
    text.visible = false;
    FormField& back = onPage(sheet.Add(FieldKind::Color, QStringLiteral("背景色(&B)..."), kBackColor));
    back.text = ColorRefToHex(m_view.BackColor());
    back.visible = false;

    onPage(sheet.AddFlag(QStringLiteral("タグの小文字化(&L)"), app.TagLower(), kTagLower));
    onPage(sheet.AddFlag(QStringLiteral("タグ挿入後、選択解除しない(&S)"),
                         app.GetProfileInt(settings::System, kTagSelectContinue, 0) != 0,
                         kTagSelectContinue));
    onPage(sheet.AddText(QStringLiteral("初期フォルダ(&F)"), app.InitialFolder(), kInitDir));
    Ui& ui = app.GetUi();
    FormField& browse = onPage(sheet.Add(FieldKind::Button, QStringLiteral("..."), kInitDirBrowse));
    browse.besidePrevious = true;
    browse.action = [&ui](FormModel& form) {
        FormField* folder = form.Find(kInitDir);
        if (!folder)
            return;
        if (const std::optional<QString> chosen = ui.ChooseFolder(folder->text))
            folder->text = *chosen;
    };
}

void CSetPage::Apply(const FormModel& sheet)
{
    CKelvoApp& app = m_view.App();
    const FormField* tabs = sheet.Find(kTabNo);
    const FormField* margin = sheet.Find(kMargin);
    int tabCount = 0, marginPixels = 0;
    if (!tabs || !margin || !tabs->NumberValue(tabCount) || !margin->NumberValue(marginPixels))
        return;
    const auto flag = [&sheet](const QString& name) {
        const FormField* f = sheet.Find(name);
        return f && f->checked;
    };
    const auto color = [&sheet](const QString& name, CKelvoView::ColorRef current) {
        const FormField* f = sheet.Find(name);
        return f ? HexToColorRef(f->text).value_or(current) : current;
    };
    const CKelvoView::ColorRef textColor = color(kTextColor, m_view.TextColor());
    const CKelvoView::ColorRef backColor = color(kBackColor, m_view.BackColor());

    m_view.SetMargin(marginPixels);
    m_view.SetColors(textColor, backColor);

    app.WriteProfileInt(settings::View, kTabNo, tabCount);
    m_view.ApplyTabStops();
    app.WriteProfileInt(settings::View, kMargin, marginPixels);

    app.WriteProfileInt(settings::System, kAutoSave, flag(kAutoSave) ? 1 : 0);
    const FormField* iniMode = sheet.Find(kIniMode);
    app.WriteProfileInt(settings::System, kIniMode, iniMode && iniMode->index == 1 ? 1 : 0);

    app.SetTagLower(flag(kTagLower));
    app.WriteProfileInt(settings::System, kTagLower, app.TagLower() ? 1 : 0);
    app.WriteProfileInt(settings::System, kTagSelectContinue, flag(kTagSelectContinue) ? 1 : 0);
    if (const FormField* folder = sheet.Find(kInitDir))
        app.WriteProfileString(settings::System, kInitDir, folder->text);

    app.WriteProfileString(settings::View, kTextColor, QString::number(textColor));
    app.WriteProfileString(settings::View, kBackColor, QString::number(backColor));
}
