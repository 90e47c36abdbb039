#include "core/tags/TagDialogs.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CFontNameDlg.h"
#include "core/links/ImageSize.h"
#include "core/tags/CTagObj.h"
#include "core/tags/TagDialogChoices.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using Spec = TagFieldSet::FileSpec;

QString S(const char16_t* text)
{
    return QString::fromUtf16(text);
}

const QStringList& AlignLcr()
{
    static const QStringList l{S(u"指定なし"), S(u"左寄せ"), S(u"中央寄せ"), S(u"右寄せ")};
    return l;
}
const QStringList& AlignLcrValues()
{
    static const QStringList l{QStringLiteral("left"), QStringLiteral("center"),
                               QStringLiteral("right")};
    return l;
}
const QStringList& VAlign()
{
    static const QStringList l{S(u"指定なし"), S(u"上寄せ"), S(u"中央"), S(u"下寄せ"),
                               S(u"ベースライン")};
    return l;
}
const QStringList& VAlignValues()
{
    static const QStringList l{QStringLiteral("top"), QStringLiteral("middle"),
                               QStringLiteral("bottom"), QStringLiteral("baseline")};
    return l;
}
using tagdlg::ImageAlign;
using tagdlg::ImageAlignValues;

// The file choosers' filters: a description with its pattern, then all
// files.
const char16_t* const kGifFilter = u"GIFﾌｧｲﾙ(*.GIF) |*.GIF|全てのﾌｧｲﾙ(*.*) |*.*||";
const char16_t* const kCgiFilter = u"cgiﾌｧｲﾙ(*.cgi) |*.cgi|Perlﾌｧｲﾙ(*.pl) |*.pl|Exeﾌｧｲﾙ(*.exe) "
                                   u"|*.exe| 全てのﾌｧｲﾙ(*.*) |*.*||";
const char16_t* const kImageTitle = u"ｲﾒｰｼﾞﾌｧｲﾙ名の入力";

Spec GifFile()
{
    return Spec{S(kImageTitle), QStringLiteral("GIF"), QStringLiteral("*.GIF"), S(kGifFilter)};
}

Spec HtmlFile(const char16_t* title)
{
    return Spec{S(title), QStringLiteral("htm"), QStringLiteral("*.htm*"),
                S(u"HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||")};
}

const QString kSrc = QStringLiteral("SRC");
const QString kName = QStringLiteral("NAME");
const QString kValue = QStringLiteral("VALUE");
const QString kAlign = QStringLiteral("ALIGN");
const QString kWidth = QStringLiteral("WIDTH");
const QString kHeight = QStringLiteral("HEIGHT");
const QString kBgColor = QStringLiteral("BGCOLOR");
const QString kTarget = QStringLiteral("TARGET");
const QString kType = QStringLiteral("TYPE");

int IndexOfLast(const FormModel& form)
{
    return static_cast<int>(form.fields.size()) - 1;
}

} // namespace

// ---- tables ------------------------------------------------------------------

CTableDlg::CTableDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ﾃｰﾌﾞﾙ領域の設定"))
{
    TagFieldSet& f = Fields();
    f.Text(S(u"外枠の太さ(&B):"), QStringLiteral("BORDER"));
    f.Text(S(u"罫線の太さ(&S):"), QStringLiteral("CELLSPACING"));
    f.Text(S(u"罫線との間隔"), QStringLiteral("CELLPADDING"));
    f.Text(S(u"表の横幅(&W):"), kWidth);
    f.Text(S(u"表の縦幅(&H):"), kHeight);
    f.Choice(S(u"配置(&T)"), kAlign, AlignLcr(), AlignLcrValues());
    f.Color(S(u"背景色"), kBgColor);
    f.Color(S(u"枠線色"), QStringLiteral("BORDERCOLOR"));
    f.Color(S(u"明枠色"), QStringLiteral("BORDERCOLORLIGHT"));
    f.Color(S(u"暗枠色"), QStringLiteral("BORDERCOLORDARK"));
    f.Choice(S(u"罫線(&F):"), QStringLiteral("RULES"),
             {S(u"指定なし"), S(u"全て"), S(u"なし"), S(u"横線のみ"), S(u"縦線のみ")},
             {QStringLiteral("all"), QStringLiteral("none"), QStringLiteral("rows"),
              QStringLiteral("cols")});
}

void CTableDlg::LoadFields(FormModel& form)
{
    CStyledTagDlg::LoadFields(form);
    // A bare BORDER draws a one-pixel frame.
    if (Tag().HasAttr(QStringLiteral("BORDER")) && Tag().GetAttr(QStringLiteral("BORDER")).isEmpty())
        Fields().LoadShown(form, QStringLiteral("BORDER"), QStringLiteral("1"));
}

CRowDlg::CRowDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ﾃｰﾌﾞﾙの列"))
{
    Fields().Choice(S(u"横の配置(&A):"), kAlign, AlignLcr(), AlignLcrValues());
    Fields().Choice(S(u"縦の配置(&V):"), QStringLiteral("VALIGN"), VAlign(), VAlignValues());
    Fields().Color(S(u"背景色(&G):"), kBgColor);
}

CCellDlg::CCellDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ﾃｰﾌﾞﾙのﾃﾞｰﾀ"))
{
    TagFieldSet& f = Fields();
    f.Choice(S(u"横の配置(&A):"), kAlign, AlignLcr(), AlignLcrValues());
    f.Choice(S(u"縦の配置(&V):"), QStringLiteral("VALIGN"), VAlign(), VAlignValues());
    f.Number(S(u"縦の結合数(&R):"), QStringLiteral("ROWSPAN"), 2);
    f.Number(S(u"横の結合数(&O):"), QStringLiteral("COLSPAN"), 2);
    f.Flag(S(u"折り返さない(&N)"), QStringLiteral("NOWRAP"));
    f.Color(S(u"背景色(&G):"), kBgColor);
    f.Percent(S(u"横幅(&W):"), kWidth, S(u"％指定(&P)"));
}

CCaptionDlg::CCaptionDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ﾃｰﾌﾞﾙの題名"))
{
    Fields().Choice(S(u"位置(&A):"), kAlign, {S(u"指定なし"), S(u"表の上"), S(u"表の下")},
                    {QStringLiteral("top"), QStringLiteral("bottom")});
}

// ---- page --------------------------------------------------------------------

CRuleDlg::CRuleDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"さまざまな線"))
{
    TagFieldSet& f = Fields();
    f.Number(S(u"太さ(&S):"), QStringLiteral("SIZE"));
    f.Percent(S(u"長さ(&W):"), kWidth, S(u"％指定(&P)"));
    f.Choice(S(u"配置(&A):"), kAlign, AlignLcr(), AlignLcrValues());
    f.Flag(S(u"陰影なし(&N)"), QStringLiteral("NOSHADE"));
}

namespace {

struct PreviewColor {
    const char* attr;
    const char* fallback;
};
// The colours a browser shows when the page names none.
const PreviewColor kPreviewColors[] = {
    {"BGCOLOR", "C0C0C0"}, {"TEXT", "000000"}, {"LINK", "0000FF"},
    {"ALINK", "0000FF"},   {"VLINK", "800080"}};

} // namespace

CBackgroundDlg::CBackgroundDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"背景色の設定"))
{
    TagFieldSet& f = Fields();
    f.File(S(u"背景画像(&G):"), QStringLiteral("BACKGROUND"), GifFile());
    f.Flag(S(u"背景を固定する(&F)"), QStringLiteral("BGPROPERTIES"), QStringLiteral("FIXED"));
    f.Color(S(u"背景色(&B):"), kBgColor);
    f.Color(S(u"テキスト(&T):"), QStringLiteral("TEXT"));
    f.Color(S(u"リンク(&L):"), QStringLiteral("LINK"));
    f.Color(S(u"読込済リンク(&V):"), QStringLiteral("VLINK"));
    f.Color(S(u"読込中リンク(&A):"), QStringLiteral("ALINK"));
}

QString CBackgroundDlg::PreviewHtml(const FormModel& form)
{
    QString colors[5];
    for (int i = 0; i < 5; ++i) {
        const FormField* f = form.Find(QLatin1String(kPreviewColors[i].attr));
        const QString hex = f ? TagFieldSet::ColorHex(f->text) : QString();
        colors[i] = u'#' + (hex.isEmpty() ? QLatin1String(kPreviewColors[i].fallback) : hex);
    }
    auto span = [](const QString& color, const char16_t* text, bool link) {
        const QString t = link ? QStringLiteral("<u>%1</u>").arg(UiText(S(text))) : UiText(S(text));
        return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(color, t);
    };
    return QStringLiteral("<table cellpadding=\"6\" bgcolor=\"%1\"><tr><td>%2 %3<br>%4 %5"
                          "</td></tr></table>")
        .arg(colors[0], span(colors[1], u"テキスト", false), span(colors[2], u"リンク", true),
             span(colors[3], u"読込中リンク", true), span(colors[4], u"読込済リンク", true));
}

void CBackgroundDlg::BuildForm(FormModel& form)
{
    CStyledTagDlg::BuildForm(form);
    FormField& preview = form.Add(FieldKind::Label, QString(), QStringLiteral("PREVIEW"));
    const int index = IndexOfLast(form);
    preview.text = PreviewHtml(form);
    auto update = [index](FormModel& shown) {
        shown.fields[index].text = PreviewHtml(shown);
    };
    for (const PreviewColor& c : kPreviewColors) {
        FormField& color = form[QLatin1String(c.attr)];
        color.action = update;
        // A colour picked with the chooser shows at once as well.
        auto browse = color.browse;
        color.browse = [browse, update](FormModel& shown) {
            browse(shown);
            update(shown);
        };
    }
}

void CBackgroundDlg::LoadFields(FormModel& form)
{
    CStyledTagDlg::LoadFields(form);
    form[QStringLiteral("PREVIEW")].text = PreviewHtml(form);
}

CRefreshDlg::CRefreshDlg(CKelvoApp& app, const QStringList& history)
    : CAttrTagDlg(app, S(u"ﾘﾌﾚｯｼｭ"))
{
    const QString content = QStringLiteral("CONTENT");
    Fields().Custom(
        [history](FormModel& form) {
            form.AddText(S(u"更新までの秒数(&S):"), QString(), QStringLiteral("SECONDS")).suffix =
                S(u"秒");
            form.AddCombo(S(u"移動先のページ(&U):"), history, QString(), QStringLiteral("URL"));
        },
        [content](FormModel& form, const CTagObj& tag) {
            const QString value = tag.GetAttr(content);
            const qsizetype semicolon = value.indexOf(u';');
            QString target;
            if (semicolon >= 0) {
                const QString rest = value.mid(semicolon + 1);
                const qsizetype url = rest.indexOf(QStringLiteral("URL"), 0, Qt::CaseInsensitive);
                const qsizetype equals = url >= 0 ? rest.indexOf(u'=', url + 3) : -1;
                target = equals >= 0 ? TrimAttrQuotes(rest.mid(equals + 1).trimmed(), true)
                                     : rest.trimmed();
            }
            form[QStringLiteral("SECONDS")].text = value.left(semicolon).trimmed();
            form[QStringLiteral("URL")].text = target;
        },
        [content](const FormModel& form, CTagObj& tag) {
            QString seconds = form.Find(QStringLiteral("SECONDS"))->text.trimmed();
            const QString target = form.Find(QStringLiteral("URL"))->text.trimmed();
            if (target.isEmpty()) {
                tag.SetAttr(content, seconds);
                return;
            }
            if (seconds.isEmpty())
                seconds = QStringLiteral("0");
            tag.SetAttr(content, seconds + QStringLiteral(";URL=") + target);
        });
}

CHeadingDlg::CHeadingDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"見出し"))
{
    Fields().Custom(
        [this](FormModel& form) {
            FormField& level = form.AddChoice(
                S(u"見出しの大きさ(&L):"),
                {QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("H3"),
                 QStringLiteral("H4"), QStringLiteral("H5"), QStringLiteral("H6")},
                0, QStringLiteral("LEVEL"));
            // Each level has its own classes in the style sheet.
            level.action = [this](FormModel& shown) {
                const int i = std::clamp(shown[QStringLiteral("LEVEL")].index, 0, 5);
                shown[QStringLiteral("CLASS")].choices = m_levelClasses[i];
            };
        },
        [this](FormModel& form, const CTagObj& tag) {
            static const QRegularExpression heading(QStringLiteral("^[Hh]([1-6])$"));
            const QRegularExpressionMatch m = heading.match(tag.Name());
            m_level = m.hasMatch() ? m.captured(1).toInt() : 1;
            FormField& level = form[QStringLiteral("LEVEL")];
            level.index = m_level - 1;
            level.text = level.choices.value(level.index);
        },
        [](const FormModel& form, CTagObj& tag) {
            const int level = std::clamp(form.Find(QStringLiteral("LEVEL"))->index, 0, 5) + 1;
            // A heading written in lower case stays so.
            const QChar h = tag.Name().startsWith(u'h') ? u'h' : u'H';
            tag.SetName(h + QString::number(level));
        });
    Fields().Choice(S(u"配置(&A):"), kAlign, AlignLcr(), AlignLcrValues());
}

void CHeadingDlg::BuildForm(FormModel& form)
{
    CAttrTagDlg::BuildForm(form);
    form.Add(FieldKind::Class, QString::fromUtf16(kClassLabel), QStringLiteral("CLASS"));
    CStyledTagDlg::AddStyleButton(form, App(), S(u"スタイル(&Y)..."), m_style);
}

void CHeadingDlg::LoadFields(FormModel& form)
{
    CAttrTagDlg::LoadFields(form);
    FormField& cls = form[QStringLiteral("CLASS")];
    cls.choices = m_levelClasses[m_level - 1];
    cls.text = Tag().GetAttr(QStringLiteral("CLASS"));
    m_style = Tag().GetAttr(QStringLiteral("STYLE"));
}

void CHeadingDlg::StoreFields(const FormModel& form)
{
    CAttrTagDlg::StoreFields(form);
    Tag().SetAttr(QStringLiteral("CLASS"), form.Find(QStringLiteral("CLASS"))->text);
    Tag().SetAttr(QStringLiteral("STYLE"), m_style);
}

CFontDlg::CFontDlg(CKelvoApp& app, int baseSize, bool hasBaseFont)
    : CStyledTagDlg(app, QStringLiteral("FONT")), m_base(baseSize), m_hasBaseFont(hasBaseFont)
{
    const QString face = QStringLiteral("FACE");
    const QString size = QStringLiteral("SIZE");
    const QString relative = QStringLiteral("RELATIVE");
    Fields().Custom(
        [this, face](FormModel& form) {
            FormField& f = form.Add(FieldKind::File, S(u"フォント名(&N):"), face);
            const int index = IndexOfLast(form);
            f.browse = [this, index](FormModel& shown) {
                if (const std::optional<QString> name = CFontNameDlg(App()).Run(QString()))
                    shown.fields[index].text = *name;
            };
        },
        [face](FormModel& form, const CTagObj& tag) { form[face].text = tag.GetAttr(face); },
        [face](const FormModel& form, CTagObj& tag) { tag.SetAttr(face, form.Find(face)->text); });
    Fields().Custom(
        [this, size, relative](FormModel& form) {
            form.AddChoice(S(u"文字の大きさ(&S):"), SizeEntries(m_base, false), 0, size);
            form.AddFlag(S(u"相対指定(&R)"), false, relative).action = [this, size, relative](FormModel& shown) {
                FormField& list = shown[size];
                QStringList entries = SizeEntries(m_base, shown[relative].checked);
                // A size the list cannot show stays as the last entry.
                if (list.choices.size() > entries.size())
                    entries.append(list.choices.last());
                list.choices = entries;
                list.text = list.choices.value(list.index);
            };
        },
        [this, size, relative](FormModel& form, const CTagObj& tag) {
            const QString v = tag.GetAttr(size).trimmed();
            m_loadedSize = v;
            bool rel = false;
            int value = 0;
            if (v.isEmpty()) {
                rel = m_hasBaseFont;
            } else if (TagFieldSet::IsInteger(v)) {
                rel = v.startsWith(u'+') || v.startsWith(u'-');
                value = rel ? m_base + TagFieldSet::LeadingInt(v) : TagFieldSet::LeadingInt(v);
            }
            FormField& list = form[size];
            list.choices = SizeEntries(m_base, rel);
            if (!v.isEmpty() && (value < 1 || value > 7)) {
                list.choices.append(v);
                value = static_cast<int>(list.choices.size()) - 1;
            }
            list.index = value;
            list.text = list.choices.value(value);
            form[relative].checked = rel;
        },
        [this, size, relative](const FormModel& form, CTagObj& tag) {
            const FormField& list = *form.Find(size);
            if (list.choices.size() > 8 && list.index == list.choices.size() - 1) {
                tag.SetAttr(size, m_loadedSize);
                return;
            }
            const int value = list.index;
            if (value <= 0 || value > 7) {
                tag.RemoveAttr(size);
            } else if (form.Find(relative)->checked) {
                const int diff = value - m_base;
                if (diff == 0)
                    tag.RemoveAttr(size);
                else
                    tag.SetAttr(size, QString::asprintf("%+d", diff));
            } else {
                tag.SetAttr(size, QString::number(value));
            }
        });
    Fields().Color(S(u"文字の色(&C):"), QStringLiteral("COLOR"));
}

QStringList CFontDlg::SizeEntries(int baseSize, bool relative)
{
    QStringList entries{S(u"指定なし")};
    for (int size = 1; size <= 7; ++size) {
        QString entry = relative ? QString::asprintf("%+d", size - baseSize) : QString::number(size);
        if (size == 1)
            entry += UiText(S(u"（最小)"));
        else if (size == 3)
            entry += UiText(S(u"（普通)"));
        else if (size == 7)
            entry += UiText(S(u"（最大)"));
        entries.append(entry);
    }
    return entries;
}

// ---- forms -------------------------------------------------------------------

CFormDlg::CFormDlg(CKelvoApp& app, const QString& defaultAction)
    : CStyledTagDlg(app, QStringLiteral("Form")), m_defaultAction(defaultAction)
{
    Fields().File(S(u"送信先(&A):"), QStringLiteral("ACTION"),
                  Spec{S(u"CGIﾌｧｲﾙ名の入力"), QStringLiteral("cgi"), QStringLiteral("*.cgi"),
                       S(kCgiFilter)});
    Fields().Choice(S(u"送信方法(&M):"), QStringLiteral("METHOD"),
                    {S(u"指定なし"), QStringLiteral("GET"), QStringLiteral("POST")});
    Fields().Target(S(u"結果の表示先(&T):"), kTarget);
}

void CFormDlg::LoadFields(FormModel& form)
{
    CStyledTagDlg::LoadFields(form);
    FormField& action = form[QStringLiteral("ACTION")];
    if (action.text.isEmpty())
        action.text = m_defaultAction;
}

CTextBoxDlg::CTextBoxDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ﾃｷｽﾄの入力"))
{
    Fields().Custom(
        [](FormModel& form) {
            form.AddChoice(S(u"種類(&K):"), {S(u"テキスト"), S(u"パスワード")}, 0, kType);
        },
        [](FormModel& form, const CTagObj& tag) {
            FormField& type = form[kType];
            type.index = tag.GetAttr(kType).compare(u"PASSWORD", Qt::CaseInsensitive) == 0 ? 1 : 0;
            type.text = type.choices.value(type.index);
        },
        [](const FormModel& form, CTagObj& tag) {
            tag.SetAttr(kType, form.Find(kType)->index == 1 ? QStringLiteral("password")
                                                            : QStringLiteral("text"));
        });
    Fields().Text(S(u"名前(&N):"), kName);
    Fields().Text(S(u"初期値(&V):"), kValue);
    Fields().Number(S(u"表示幅(&S):"), QStringLiteral("SIZE"));
    Fields().Number(S(u"最大文字数(&M):"), QStringLiteral("MAXLENGTH"));
}

CTextAreaDlg::CTextAreaDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"複数行ﾃｷｽﾄ入力"))
{
    Fields().Text(S(u"名前(&N):"), kName);
    Fields().Number(S(u"行数(&R):"), QStringLiteral("ROWS"));
    Fields().Number(S(u"桁数(&C):"), QStringLiteral("COLS"));
    Fields().Choice(S(u"折り返し(&W):"), QStringLiteral("WRAP"),
                    {S(u"指定なし"), QStringLiteral("off"), QStringLiteral("soft"),
                     QStringLiteral("hard")});
}

QString CTextAreaDlg::CheckFields(const FormModel& form) const
{
    if (form.Find(kName)->text.trimmed().isEmpty())
        return S(u"ﾃﾞｰﾀ名が入力されていません");
    return QString();
}

CCheckDlg::CCheckDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"選択ボタン"))
{
    Fields().Text(S(u"名前(&N):"), kName);
    Fields().Text(S(u"値(&V):"), kValue);
    Fields().Flag(S(u"最初から選択しておく(&C)"), QStringLiteral("CHECKED"));
}

CImageButtonDlg::CImageButtonDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ｲﾒｰｼﾞ送信ボタン"))
{
    Fields().Text(S(u"名前(&N):"), kName);
    Fields().File(S(u"ファイル(&F):"), kSrc, GifFile());
}

CHiddenDlg::CHiddenDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"隠れインプット"))
{
    Fields().Text(S(u"名前(&N):"), kName);
    Fields().Text(S(u"値(&V):"), kValue);
}

CSingleValueDlg::CSingleValueDlg(CKelvoApp& app, const QString& attr, const QString& prompt,
                                 const QString& prefix, const QString& fixedType)
    : CStyledTagDlg(app, S(u"タグ編集"), S(u"ｽﾀｲﾙ(&S)...")), m_attr(attr)
{
    OfferAllAttributes();
    Fields().Custom(
        [attr, prompt](FormModel& form) {
            form.Add(FieldKind::Label, QString()).text = prompt;
            form.AddText(QString(), QString(), attr);
        },
        [attr, prefix](FormModel& form, const CTagObj& tag) {
            QString value = tag.GetAttr(attr);
            if (!prefix.isEmpty() && value.startsWith(prefix, Qt::CaseInsensitive))
                value = value.mid(prefix.size());
            form[attr].text = value;
        },
        [attr, prefix, fixedType](const FormModel& form, CTagObj& tag) {
            if (!fixedType.isEmpty())
                tag.SetAttr(kType, fixedType);
            const QString value = form.Find(attr)->text;
            tag.SetAttr(attr, value.isEmpty() ? QString() : prefix + value);
        });
}

void CSingleValueDlg::LoadFields(FormModel& form)
{
    CStyledTagDlg::LoadFields(form);
    FormField& value = form[m_attr];
    if (value.text.isEmpty())
        value.text = m_initial;
}

// ---- links -------------------------------------------------------------------

CImageDlg::CImageDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"イメージの挿入"))
{
    TagFieldSet& f = Fields();
    QStringList patterns;
    for (const QString& type : ImageFileTypes())
        patterns.append(QStringLiteral("*.") + type);
    const QString all = patterns.join(u';');
    TagFieldSet::Field& src =
        f.File(S(u"ﾌｧｲﾙ(&N):"), kSrc,
               Spec{S(kImageTitle), QStringLiteral("GIF"), all,
                    S(u"画像ﾌｧｲﾙ(") + all + QStringLiteral(")|") + all
                        + S(u"|全てのﾌｧｲﾙ(*.*)|*.*||")});
    // The size comes from the file picked, whatever its name makes of the
    // link (a "#" in it is written "%23").
    src.afterBrowse = [this](FormModel& form, const QString& picked) {
        if (!DocumentPath().isEmpty())
            ShowSize(form, ReadImageSize(App().GetUi(), picked, QString()));
    };
    f.Text(S(u"ﾃｷｽﾄ表示(&A):"), QStringLiteral("ALT"));
    f.Choice(S(u"ﾃｷｽﾄ位置(&T)"), kAlign, ImageAlign(), ImageAlignValues());
    f.Custom([](FormModel& form) { form.Add(FieldKind::Label, S(u"回り込み時の間隔")); }, nullptr,
             nullptr);
    f.Number(S(u"縦:"), QStringLiteral("VSPACE"));
    f.Number(S(u"横:"), QStringLiteral("HSPACE"));
    f.CheckedNumber(S(u"外枠指定する(&B)"), S(u"外枠の太さ:"), QStringLiteral("BORDER"));
    f.Number(S(u"横幅(&W):"), kWidth);
    f.Number(S(u"縦幅(&T):"), kHeight);
    f.Custom(
        [this](FormModel& form) {
            form.Add(FieldKind::Button, S(u"サイズ挿入")).action = [this](FormModel& shown) {
                InsertSize(shown);
            };
        },
        nullptr, nullptr);
}

void CImageDlg::InsertSize(FormModel& form)
{
    ShowSize(form, ReadImageSize(App().GetUi(), form[kSrc].text, DocumentPath()));
}

void CImageDlg::ShowSize(FormModel& form, const std::optional<QSize>& size)
{
    if (!size)
        return;
    form[kWidth].text = QString::number(size->width());
    form[kHeight].text = QString::number(size->height());
}

CLinkDlg::CLinkDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"リンク"))
{
    Fields().File(S(u"リンク先(&L):"), QStringLiteral("HREF"), HtmlFile(u"ﾘﾝｸ先HTMLﾌｧｲﾙ名の入力"));
    Fields().Target(S(u"表示先(&T):"), kTarget);
}

CAnchorLinkDlg::CAnchorLinkDlg(CKelvoApp& app, const QStringList& keywords)
    : CStyledTagDlg(app, S(u"リンク"))
{
    const QString href = QStringLiteral("HREF");
    Fields().Custom(
        [keywords, href](FormModel& form) {
            form.AddCombo(S(u"キーワード(&K):"), keywords, QString(), href);
        },
        [href](FormModel& form, const CTagObj& tag) {
            QString value = tag.GetAttr(href);
            if (value.startsWith(u'#'))
                value.remove(0, 1);
            form[href].text = value;
        },
        [this, href](const FormModel& form, CTagObj& tag) {
            QString keyword = form.Find(href)->text.trimmed();
            // A keyword typed with its "#" is still one keyword.
            while (keyword.startsWith(u'#'))
                keyword.remove(0, 1);
            m_keyword = keyword;
            tag.SetAttr(href, keyword.isEmpty() ? QString() : u'#' + keyword);
        });
    Fields().Target(S(u"表示先(&T):"), kTarget);
}

CBaseDlg::CBaseDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"リンク先ウィンドウ"))
{
    OfferAllAttributes();
    Fields().Target(S(u"表示先(&T):"), kTarget);
    Fields().Text(S(u"基準のURL(&U):"), QStringLiteral("HREF"));
}
