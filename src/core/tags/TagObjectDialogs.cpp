// The dialogs of multimedia, frames, applets, scripts and plug-ins, and the
// class-and-style dialog of elements without a dialog of their own.
#include "core/tags/TagDialogs.h"

#include "core/app/CKelvoApp.h"
#include "core/tags/CTagObj.h"
#include "core/tags/TagDialogChoices.h"

#include <algorithm>
#include <memory>

namespace {

using Spec = TagFieldSet::FileSpec;

QString S(const char16_t* text)
{
    return QString::fromUtf16(text);
}

Spec FileOf(const char16_t* title, const char* extension, const char16_t* description)
{
    const QString ext = QLatin1String(extension);
    const QString pattern = QStringLiteral("*.") + ext;
    return Spec{S(title), ext, pattern,
                QStringLiteral("%1(%2) |%2|").arg(S(description), pattern)
                    + S(u"全てのﾌｧｲﾙ(*.*) |*.*||")};
}

using tagdlg::ImageAlign;
using tagdlg::ImageAlignValues;

const QString kSrc = QStringLiteral("SRC");
const QString kLoop = QStringLiteral("LOOP");

} // namespace

CMarqueeDlg::CMarqueeDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"マーキー"))
{
    TagFieldSet& f = Fields();
    f.Choice(S(u"動き方(&B):"), QStringLiteral("BEHAVIOR"),
             {S(u"指定しない"), S(u"スクロール"), S(u"スライド"), S(u"交互に移動")},
             {QStringLiteral("SCROLL"), QStringLiteral("SLIDE"), QStringLiteral("ALTERNATE")});
    f.Choice(S(u"方向(&D):"), QStringLiteral("DIRECTION"),
             {S(u"指定しない"), S(u"左から右"), S(u"右から左")},
             {QStringLiteral("LEFT"), QStringLiteral("RIGHT")});
    f.Choice(S(u"配置(&A):"), QStringLiteral("ALIGN"),
             {S(u"指定しない"), S(u"先端"), S(u"中央"), S(u"端")},
             {QStringLiteral("LEFT"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM")});
    f.Color(S(u"背景色(&G):"), QStringLiteral("BGCOLOR"));
    f.Text(S(u"高さ(&H):"), QStringLiteral("HEIGHT"));
    f.Number(S(u"左右の間隔(&S):"), QStringLiteral("HSPACE"));
    f.Number(S(u"上下の間隔(&V):"), QStringLiteral("VSPACE"));
    f.Number(S(u"繰り返し回数(&L):"), kLoop);
    // The amount attribute is SCROLLAMOUNT; "SCROLLMOUNT", which browsers
    // ignore, is read from older pages and written back under the right
    // name.
    const QString amount = QStringLiteral("SCROLLAMOUNT");
    const QString misspelt = QStringLiteral("SCROLLMOUNT");
    f.Custom(
        [amount](FormModel& form) { form.AddText(S(u"移動量(&M):"), QString(), amount); },
        [amount, misspelt](FormModel& form, const CTagObj& tag) {
            form[amount].text = tag.HasAttr(amount) ? tag.GetAttr(amount) : tag.GetAttr(misspelt);
        },
        [amount, misspelt](const FormModel& form, CTagObj& tag) {
            for (CTagAttr& a : tag.Attrs())
                if (a.name.compare(misspelt, Qt::CaseInsensitive) == 0 && !tag.HasAttr(amount))
                    a.name = amount;
            tag.RemoveAttr(misspelt);
            const QString text = form.Find(amount)->text.trimmed();
            if (TagFieldSet::IsInteger(text) || text.isEmpty())
                tag.SetIntAttr(amount, TagFieldSet::LeadingInt(text), false);
            else
                tag.SetAttr(amount, text);
        });
    f.Number(S(u"移動の間隔(&T):"), QStringLiteral("SCROLLDELAY"));
}

CBgmDlg::CBgmDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"ＢＧＭ"))
{
    Fields().File(S(u"ファイル(&F):"), kSrc,
                  FileOf(u"ｻｳﾝﾄﾞﾌｧｲﾙ名の入力", "WAV", u"WAVEﾌｧｲﾙ"));
    const QString infinite = QStringLiteral("INFINITE");
    Fields().Custom(
        [infinite](FormModel& form) {
            form.AddText(S(u"繰り返し回数(&L):"), QString(), kLoop);
            form.AddFlag(S(u"無限に繰り返す(&I)"), false, infinite);
        },
        [infinite](FormModel& form, const CTagObj& tag) {
            const QString v = tag.GetAttr(kLoop);
            const bool endless = v.trimmed().compare(infinite, Qt::CaseInsensitive) == 0;
            form[infinite].checked = endless;
            form[kLoop].text = endless ? QString() : v;
        },
        [infinite](const FormModel& form, CTagObj& tag) {
            const QString text = form.Find(kLoop)->text.trimmed();
            if (form.Find(infinite)->checked)
                tag.SetAttr(kLoop, infinite);
            else if (TagFieldSet::IsInteger(text) || text.isEmpty())
                tag.SetIntAttr(kLoop, TagFieldSet::LeadingInt(text), false);
            else
                tag.SetAttr(kLoop, text);
        });
}

CVideoDlg::CVideoDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"ビデオクリップ"))
{
    TagFieldSet& f = Fields();
    f.File(S(u"ビデオファイル(&D):"), QStringLiteral("DYNSRC"),
           FileOf(u"AVIﾌｧｲﾙ名の入力", "AVI", u"AVIﾌｧｲﾙ"));
    f.File(S(u"代わりのイメージ(&S):"), kSrc, FileOf(u"ｲﾒｰｼﾞﾌｧｲﾙ名の入力", "GIF", u"GIFﾌｧｲﾙ"));
    f.Text(S(u"ﾃｷｽﾄ表示(&A):"), QStringLiteral("ALT"));
    f.Choice(S(u"再生開始(&P):"), QStringLiteral("START"),
             {S(u"指定なし"), QStringLiteral("FILEOPEN"), QStringLiteral("MOUSEOVER"),
              QStringLiteral("FILEOPEN,MOUSEOVER")});
    f.Choice(S(u"ﾃｷｽﾄ位置(&T):"), QStringLiteral("ALIGN"), ImageAlign(), ImageAlignValues());
    f.Flag(S(u"操作パネルを表示(&C)"), QStringLiteral("CONTROLS"));
    f.Number(S(u"繰り返し回数(&L):"), kLoop);
    f.Number(S(u"繰り返しの間隔(&Y):"), QStringLiteral("LOOPDELAY"));
    f.Number(S(u"上下の間隔(&V):"), QStringLiteral("VSPACE"));
    f.Number(S(u"左右の間隔(&H):"), QStringLiteral("HSPACE"));
    f.CheckedNumber(S(u"外枠指定する(&B)"), S(u"外枠の太さ:"), QStringLiteral("BORDER"));
    f.Number(S(u"横幅(&W):"), QStringLiteral("WIDTH"));
    f.Number(S(u"縦幅(&E):"), QStringLiteral("HEIGHT"));
}

CFramesetDlg::CFramesetDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"フレーム領域の設定"))
{
    const QString direction = QStringLiteral("DIRECTION");
    const QString width = QStringLiteral("SIZE");
    const QString sizes = QStringLiteral("SIZES");
    const QString cols = QStringLiteral("COLS");
    const QString rows = QStringLiteral("ROWS");
    Fields().Custom(
        [=](FormModel& form) {
            form.AddChoice(S(u"分割方向(&D):"), {S(u"縦方向"), S(u"横方向")}, 0, direction);
            form.AddText(S(u"分割幅(&W):"), QString(), width);
            form.Add(FieldKind::Button, S(u"追加(&A)")).action = [=](FormModel& shown) {
                FormField& size = shown[width];
                FormField& list = shown[sizes];
                if (size.text.trimmed().isEmpty())
                    return;
                list.choices.append(size.text.trimmed());
                list.index = static_cast<int>(list.choices.size()) - 1;
                size.text.clear();
            };
            form.Add(FieldKind::List, S(u"分割の一覧(&L):"), sizes);
            form.Add(FieldKind::Button, S(u"削除(&X)")).action = [=](FormModel& shown) {
                FormField& list = shown[sizes];
                if (list.index < 0 || list.index >= list.choices.size())
                    return;
                list.choices.removeAt(list.index);
                list.index = std::min(list.index, static_cast<int>(list.choices.size()) - 1);
            };
        },
        [=](FormModel& form, const CTagObj& tag) {
            const bool byRows = !tag.HasAttr(cols) && tag.HasAttr(rows);
            FormField& dir = form[direction];
            dir.index = byRows ? 1 : 0;
            dir.text = dir.choices.value(dir.index);
            const QString value = tag.GetAttr(byRows ? rows : cols);
            FormField& list = form[sizes];
            list.choices = value.isEmpty() ? QStringList() : value.split(u',');
            for (QString& s : list.choices)
                s = s.trimmed();
            list.index = -1;
            form[width].text.clear();
        },
        [=](const FormModel& form, CTagObj& tag) {
            QStringList list = form.Find(sizes)->choices;
            // A size typed but not yet added is meant all the same.
            const QString pending = form.Find(width)->text.trimmed();
            if (!pending.isEmpty())
                list.append(pending);
            tag.RemoveAttr(cols);
            tag.RemoveAttr(rows);
            if (!list.isEmpty())
                tag.SetAttr(form.Find(direction)->index == 1 ? rows : cols, list.join(u','));
        });
}

CFrameDlg::CFrameDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"フレームの設定"))
{
    TagFieldSet& f = Fields();
    f.File(S(u"表示するファイル(&F):"), kSrc,
           Spec{S(u"ﾌﾚｰﾑのHTMLﾌｧｲﾙ名の入力"), QStringLiteral("htm"), QStringLiteral("*.htm*"),
                S(u"HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||")});
    f.Text(S(u"フレーム名(&N):"), QStringLiteral("NAME"));
    f.Flag(S(u"大きさを変えられない(&R)"), QStringLiteral("NORESIZE"));
    f.Choice(S(u"スクロールバー(&S):"), QStringLiteral("SCROLLING"),
             {S(u"指定なし"), S(u"自動"), S(u"表示する"), S(u"表示しない")},
             {QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")});
    f.Number(S(u"左右の余白(&W):"), QStringLiteral("MarginWidth"));
    f.Number(S(u"上下の余白(&H):"), QStringLiteral("MarginHeight"));
}

CAppletDlg::CAppletDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"javaアプレット"))
{
    Fields().File(S(u"クラスファイル(&C):"), QStringLiteral("CODE"),
                  FileOf(u"ｸﾗｽﾌｧｲﾙ名の入力", "class", u"classﾌｧｲﾙ"));
    Fields().Text(S(u"横幅(&W):"), QStringLiteral("WIDTH"));
    Fields().Text(S(u"縦幅(&H):"), QStringLiteral("HEIGHT"));
}

CParamDlg::CParamDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"javaパラメータ"))
{
    Fields().Text(S(u"名前(&N):"), QStringLiteral("NAME"));
    Fields().Text(S(u"値(&V):"), QStringLiteral("VALUE"));
}

namespace {

struct ScriptLanguage {
    const char* language;
    const char* type;
};
const ScriptLanguage kLanguages[] = {{"JavaScript", "text/javascript"},
                                     {"VBScript", "text/vbscript"}};

} // namespace

CScriptDlg::CScriptDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"スクリプト"))
{
    OfferAllAttributes();
    const QString language = QStringLiteral("LANGUAGE");
    const QString type = QStringLiteral("TYPE");
    // What the tag said, so that a script left on its language keeps the
    // LANGUAGE and TYPE it was written with ("JavaScript1.2", "module").
    struct Loaded {
        int index = 0;
        QString language;
        QString type;
    };
    auto loaded = std::make_shared<Loaded>();
    Fields().Custom(
        [=](FormModel& form) {
            form.AddChoice(S(u"言語の種類(&L):"),
                           {QLatin1String(kLanguages[0].language),
                            QLatin1String(kLanguages[1].language)},
                           0, language);
            form.AddFlag(S(u"TYPE要素でも記述(&T)"), false, type);
        },
        [=](FormModel& form, const CTagObj& tag) {
            loaded->language = tag.GetAttr(language);
            loaded->type = tag.GetAttr(type);
            const bool hasType = tag.HasAttr(type);
            loaded->index = 0;
            for (int i = 0; i < 2; ++i) {
                const QString known = QLatin1String(hasType ? kLanguages[i].type
                                                            : kLanguages[i].language);
                if ((hasType ? loaded->type : loaded->language)
                        .compare(known, Qt::CaseInsensitive) == 0)
                    loaded->index = i;
            }
            FormField& choice = form[language];
            choice.index = loaded->index;
            choice.text = choice.choices.value(choice.index);
            form[type].checked = hasType;
        },
        [=](const FormModel& form, CTagObj& tag) {
            const int index = std::clamp(form.Find(language)->index, 0, 1);
            const bool same = index == loaded->index;
            tag.SetAttr(language, same && !loaded->language.isEmpty()
                                      ? loaded->language
                                      : QLatin1String(kLanguages[index].language));
            if (!form.Find(type)->checked)
                tag.RemoveAttr(type);
            else
                tag.SetAttr(type, same && !loaded->type.isEmpty()
                                      ? loaded->type
                                      : QLatin1String(kLanguages[index].type));
        });
    Fields().File(S(u"別ファイル時のファイル名(&F):"), kSrc,
                  Spec{S(u"ｽｸﾘﾌﾟﾄﾌｧｲﾙ名の入力"), QStringLiteral("js"), QStringLiteral("*.js"),
                       S(u"ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.js;*.vbs) |*.js;*.vbs|全てのﾌｧｲﾙ(*.*) |*.*||")});
}

CPluginDlg::CPluginDlg(CKelvoApp& app) : CStyledTagDlg(app, S(u"プラグイン"))
{
    OfferAllAttributes();
    Fields().File(S(u"ファイル(&F):"), kSrc,
                  Spec{S(u"ﾌﾟﾗｸﾞｲﾝﾌｧｲﾙ名の入力"), QString(), QStringLiteral("*.*"),
                       S(u"全てのﾌｧｲﾙ(*.*) |*.*||")});
    Fields().Text(S(u"横幅(&W):"), QStringLiteral("WIDTH"));
    Fields().Text(S(u"縦幅(&H):"), QStringLiteral("HEIGHT"));
}

CTagStyleDlg::CTagStyleDlg(CKelvoApp& app) : CAttrTagDlg(app, S(u"タグの修正")) {}

void CTagStyleDlg::BuildForm(FormModel& form)
{
    CAttrTagDlg::BuildForm(form);
    form.Add(FieldKind::Label, S(u"タグ名:"), QStringLiteral("TAGNAME"));
    form.Add(FieldKind::Class, S(u"クラス名(&C):"), QStringLiteral("CLASS"));
    CStyledTagDlg::AddStyleButton(form, App(), S(u"スタイル"), m_style);
}

void CTagStyleDlg::LoadFields(FormModel& form)
{
    CAttrTagDlg::LoadFields(form);
    form[QStringLiteral("TAGNAME")].text = Tag().Name();
    FormField& cls = form[QStringLiteral("CLASS")];
    cls.choices = ClassList();
    cls.text = Tag().GetAttr(QStringLiteral("CLASS"));
    m_style = Tag().GetAttr(QStringLiteral("STYLE"));
}

void CTagStyleDlg::StoreFields(const FormModel& form)
{
    CAttrTagDlg::StoreFields(form);
    Tag().SetAttr(QStringLiteral("CLASS"), form.Find(QStringLiteral("CLASS"))->text);
    Tag().SetAttr(QStringLiteral("STYLE"), m_style);
}
