#include "core/doc/CKelvoDoc.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/custom/TemplateText.h"
#include "core/doc/DocumentCodec.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kFallbackTemplate = QStringLiteral("<HTML>\r\n\r\n</HTML>\r\n");
constexpr int kFallbackCaret = 8;  // on the empty line between the tags

const QString kCodeListLabel = QStringLiteral("日本語コード(&C):");
const QString kLineEndListLabel = QStringLiteral("改行コード(&R):");

} // namespace

CKelvoDoc::CKelvoDoc(CKelvoApp& app, EditBuffer& buffer)
    : m_app(app),
      m_buffer(buffer),
      m_autoCode(app.GetProfileInt(settings::System, QStringLiteral("AutoCode"), 1) != 0),
      m_title(UntitledTitle())
{
}

QString CKelvoDoc::UntitledTitle()
{
    return QStringLiteral("無題");
}

QString CKelvoDoc::WindowTitleFor(const QString& title)
{
    const qsizetype dot = title.lastIndexOf(u'.');
    return (dot >= 0 ? title.left(dot) : title) + QStringLiteral(" - Kelvopad");
}

bool CKelvoDoc::IsModified() const
{
    return m_buffer.IsModified();
}

void CKelvoDoc::SetModifiedFlag(bool modified)
{
    m_buffer.SetModified(modified);
}

void CKelvoDoc::SetPathName(const QString& path, bool addToRecent)
{
    m_path = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
    if (addToRecent)
        m_app.RecentFiles().Add(m_path);
}

bool CKelvoDoc::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        m_app.GetUi().Message(QStringLiteral("ファイルが見つかりません"));
        return false;
    }
    QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    if (readFailed) {
        m_app.GetUi().Message(QStringLiteral("ファイルが見つかりません"));
        return false;
    }
    BusyScope busy(m_app.GetUi());
    DecodedDocument decoded = DecodeDocument(std::move(bytes), m_autoCode);
    m_code = decoded.code;
    m_lineEnd = decoded.lineEnd;
    m_buffer.SetText(decoded.text);
    decoded.text.clear();
    m_buffer.SetModified(false);
    m_app.WriteProfileString(settings::System, QStringLiteral("IniFile"),
                             QFileInfo(path).absoluteFilePath());
    return true;
}

bool CKelvoDoc::OnSaveDocument(const QString& path)
{
    BusyScope busy(m_app.GetUi());
    const QByteArray bytes = EncodeDocument(m_buffer.GetText(), m_code, m_lineEnd);
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = file.write(bytes) == bytes.size();
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok) {
        m_app.GetUi().Message(QStringLiteral("保存ファイルが開けません - ") + path);
        return false;
    }
    m_buffer.SetModified(false);
    return true;
}

void CKelvoDoc::FillFromTemplate()
{
    if (const std::optional<QString> text = ReadTemplateFile(m_app.InitialTemplatePath())) {
        m_buffer.SetText(*text);
        const int caret = TemplateCaret(*text);
        m_buffer.SetSel(caret, caret);
        m_buffer.ScrollCaret();
        return;
    }
    m_app.View().InsertTagText(kFallbackTemplate, false);
    m_buffer.SetSel(kFallbackCaret, kFallbackCaret);
    m_buffer.ScrollCaret();
}

bool CKelvoDoc::OnNewDocument()
{
    m_path.clear();
    m_title = UntitledTitle();
    m_buffer.SetText(QString());
    FillFromTemplate();
    m_code = CodeKind::ShiftJis;
    m_lineEnd = LineEndKind::CrLf;
    m_buffer.SetModified(false);
    return true;
}

bool CKelvoDoc::SaveModified()
{
    if (!IsModified())
        return true;
    switch (m_app.GetUi().Ask(QStringLiteral("ファイルを閉じます。保存しますか？"),
                              Ui::Buttons::YesNoCancel)) {
    case Ui::Answer::Yes:
        if (!m_path.isEmpty())
            return OnSaveDocument(m_path);
        return OnFileSaveAs();
    case Ui::Answer::No:
        return true;
    default:
        return false;
    }
}

std::optional<QString> CKelvoDoc::AskSavePath()
{
    Ui::FileDialog d;
    d.save = true;
    d.title = QStringLiteral("名前を付けて保存");
    d.defaultExtension = QStringLiteral("html");
    d.initialName = QFileInfo(m_path).fileName();
    d.initialFolder = m_app.InitialFolder();
    d.overwritePrompt = true;
    d.hideReadOnly = true;
    d.noChangeDir = true;
    d.pathMustExist = true;
    d.filter = QStringLiteral(
        "HTMLﾌｧｲﾙ(*.html) |*.html|HTMﾌｧｲﾙ(*.htm) |*.htm|SHTMLﾌｧｲﾙ(*.shtml) |*.shtml|"
        "Perlﾌｧｲﾙ(*.pl) |*.pl|CGIﾌｧｲﾙ(*.cgi) |*.cgi|Textﾌｧｲﾙ(*.txt) |*.txt|"
        "ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||");
    return m_app.GetUi().ChooseFile(d);
}

bool CKelvoDoc::OnFileSaveAs()
{
    const std::optional<QString> path = AskSavePath();
    if (!path)
        return false;
    if (!OnSaveDocument(*path))
        return false;
    SetPathName(*path);
    m_app.GetUi().SetWindowTitle(WindowTitleFor(m_title));
    return true;
}

bool CKelvoDoc::DoSave(const QString& path)
{
    if (path.isEmpty())
        return OnFileSaveAs();
    return OnSaveDocument(path);
}

void CKelvoDoc::OnFileSave()
{
    DoSave(m_path);
}

FormModel CKelvoDoc::CharCodeForm() const
{
    FormModel form;
    form.title = QStringLiteral("文字コード");
    form.Add(FieldKind::List, kCodeListLabel).choices = CodeKindCaptions();
    form.fields.back().index = static_cast<int>(m_code);
    form.Add(FieldKind::List, kLineEndListLabel).choices = LineEndKindCaptions();
    // None has no entry: nothing is selected.
    form.fields.back().index = static_cast<int>(m_lineEnd);
    return form;
}

void CKelvoDoc::ApplyCharCodeForm(const FormModel& form)
{
    const int code = form.fields[0].index;
    const int lineEnd = form.fields[1].index;
    if (code >= 0 && code <= static_cast<int>(CodeKind::Unknown))
        m_code = static_cast<CodeKind>(code);
    if (lineEnd >= -1 && lineEnd <= static_cast<int>(LineEndKind::Unknown))
        m_lineEnd = static_cast<LineEndKind>(lineEnd);
}

void CKelvoDoc::OnCharCode()
{
    FormModel form = CharCodeForm();
    if (m_app.GetUi().RunForm(form) == Ui::Answer::Ok)
        ApplyCharCodeForm(form);
}

void CKelvoDoc::RegisterCommands(CommandTable& commands)
{
    commands.Register(cmd::FileSave, [this] { OnFileSave(); });
    commands.Register(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    commands.Register(cmd::CharCode, [this] { OnCharCode(); });
}
