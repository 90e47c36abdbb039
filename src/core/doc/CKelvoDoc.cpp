#include "core/doc/CKelvoDoc.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/custom/TemplateText.h"
#include "core/doc/CodeDeclarations.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/style/CssSave.h"
#include "core/style/StyleRuleSelect.h"
#include "platform/Cp932.h"

#include <QDateTime>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include <utility>

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
    const QString shown = title == UntitledTitle() ? UiText(title) : platform::DisplayPath(title);
    const qsizetype dot = shown.lastIndexOf(u'.');
    return (dot >= 0 ? shown.left(dot) : shown) + QStringLiteral(" - Kelvopad");
}

QString CKelvoDoc::MarkedWindowTitle(const QString& caption, bool modified,
                                     const QString& readOnlyMark)
{
    QString title = caption;
    const qsizetype dash = title.lastIndexOf(QStringLiteral(" - "));
    title.insert(dash < 0 ? title.size() : dash, readOnlyMark);
    return modified ? u'*' + title : title;
}

bool CKelvoDoc::IsReadOnlyFile() const
{
    if (m_path.isEmpty())
        return false;
    return !platform::IsWritable(m_path);
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
    m_path = platform::AbsolutePath(path);
    m_title = platform::NameOfPath(m_path);
    if (addToRecent)
        m_app.RecentFiles().Add(m_path);
}

bool CKelvoDoc::OnOpenDocument(const QString& path)
{
    return Load(path, std::nullopt);
}

bool CKelvoDoc::Load(const QString& path, std::optional<CodeKind> code)
{
    platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
    if (file.error != platform::FileError::None) {
        m_app.GetUi().Message(ReadFailureMessage(file.error, path));
        return false;
    }
    QByteArray bytes = std::move(file.bytes);
    platform::FileStamp stamp;
    stamp.size = bytes.size();
    stamp.mtimeNs = file.mtimeNs;
    stamp.digest = platform::ContentDigest(bytes);
    if (!code && IsUtf16File(bytes)) {
        m_app.GetUi().Message(UiText(QStringLiteral("UTF-16 のファイルは読み込めません - ")) + platform::DisplayPath(path));
        return false;
    }
    qsizetype first = -1;
    {
        BusyScope busy(m_app.GetUi());
        DecodedDocument decoded = code ? DecodeDocumentAs(std::move(bytes), *code, m_autoCode)
                                       : DecodeDocument(std::move(bytes), m_autoCode);
        m_code = decoded.code;
        m_readCode = decoded.code;
        // JIS as read is 7-bit text, which its encoder writes unchanged.
        m_readUnconverted = !m_autoCode && (m_code == CodeKind::Euc || m_code == CodeKind::Utf8);
        m_lineEnd = decoded.lineEnd;
        m_forms = std::move(decoded.forms);
        m_undecodable = decoded.undecodable;
        m_declared = decoded.declared;
        m_declarationKept.clear();
        m_referencesAccepted = false;
        first = decoded.firstUndecodable;
        m_buffer.SetText(decoded.text);
        decoded.text.clear();
        m_buffer.SetModified(false);
    }
    m_stamp = m_reported = stamp;
    m_stampPath = platform::AbsolutePath(path);
    m_journal.Remove();
    m_app.WriteProfileString(settings::System, QStringLiteral("IniFile"), m_stampPath);
    if (m_undecodable > 0) {
        const int offset = static_cast<int>(first);
        const int line = m_buffer.LineFromChar(offset);
        m_app.GetUi().Message(
            UiText(QStringLiteral("文字として読めないバイトが %1 個あります（最初は %2 行 %3 桁目）。\n"
                                  "保存するときは、元のバイトのまま書き戻します。"))
                .arg(m_undecodable)
                .arg(line + 1)
                .arg(offset - m_buffer.LineIndex(line) + 1),
            Ui::Icon::Information);
    }
    return true;
}

std::optional<CodeKind> CKelvoDoc::DisagreeingDeclaredCode() const
{
    if (m_declared && *m_declared != m_code)
        return m_declared;
    return std::nullopt;
}

bool CKelvoDoc::ReopenInDeclaredCode()
{
    const std::optional<CodeKind> declared = DisagreeingDeclaredCode();
    if (!declared || m_path.isEmpty() || !SaveModified())
        return false;
    return Load(m_path, declared);
}

QString CKelvoDoc::UnencodableText(QStringView text, CodeKind code)
{
    constexpr qsizetype kListed = 5;
    qsizetype total = 0;
    const std::vector<Unencodable> found = FindUnencodable(text, code, kListed, &total);
    if (found.empty())
        return QString();
    QString out = UiText(QStringLiteral("%1 では書けない文字が %2 個あります。\n"))
                      .arg(UiText(CodeKindCaptions().value(static_cast<int>(code))))
                      .arg(total);
    // Line and column of each, counted in one pass.
    qsizetype line = 0, lineStart = 0, at = 0;
    for (const Unencodable& u : found) {
        for (; at < u.offset; ++at) {
            if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') {
                ++line;
                lineStart = at + 2;
            }
        }
        out += UiText(QStringLiteral("  %1 行 %2 桁目: %3 (U+%4)\n"))
                   .arg(line + 1)
                   .arg(u.offset - lineStart + 1)
                   .arg(QString::fromUcs4(&u.ch, 1))
                   .arg(QString::number(static_cast<uint>(u.ch), 16).toUpper().rightJustified(4, u'0'));
    }
    if (total > kListed)
        out += UiText(QStringLiteral("  ほか %1 個\n")).arg(total - kListed);
    out += UiText(QStringLiteral("\n数値文字参照（%1 の形）で書くか、UTF-8 で保存できます。"))
               .arg(NumericReference(found.front().ch));
    return out;
}

bool CKelvoDoc::ConfirmEncodable(QStringView text, CodeKind& code, bool* references)
{
    const QString listing = UnencodableText(text, code);
    if (listing.isEmpty())
        return true;
    Ui::Question q;
    q.title = QStringLiteral("保存できない文字");
    q.text = listing;
    q.icon = Ui::Icon::Warning;
    q.buttons = {{Ui::Answer::Yes, QStringLiteral("文字参照で書く(&R)")},
                 {Ui::Answer::No, QStringLiteral("UTF-8で保存(&U)")},
                 {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
    q.escape = Ui::Answer::Cancel;
    switch (m_app.GetUi().Ask(q)) {
    case Ui::Answer::Yes:
        if (references)
            *references = true;
        return true;
    case Ui::Answer::No:
        code = CodeKind::Utf8;
        return true;
    default:
        return false;
    }
}

QString CKelvoDoc::ShownFileName() const
{
    return platform::DisplayPath(platform::NameOfPath(m_path));
}

CKelvoDoc::DiskState CKelvoDoc::CompareWithDisk()
{
    if (m_path.isEmpty() || m_stampPath != m_path || !m_stamp.Exists())
        return DiskState::Same;
    const platform::FileStamp now = platform::StatFile(m_path);
    if (!now.Exists())
        return DiskState::Deleted;
    if (now.SameTimes(m_stamp))
        return DiskState::Same;
    // Touched is not changed: the bytes decide.
    const platform::FileRead file = platform::ReadRegularFile(m_path, kMaxDocumentSize);
    if (file.error != platform::FileError::None || file.bytes.size() != m_stamp.size
        || platform::ContentDigest(file.bytes) != m_stamp.digest)
        return DiskState::Changed;
    m_stamp.mtimeNs = now.mtimeNs;
    return DiskState::Same;
}

void CKelvoDoc::CheckDiskChange()
{
    if (m_checkingDisk || m_path.isEmpty() || m_stampPath != m_path)
        return;
    const platform::FileStamp now = platform::StatFile(m_path);
    if (now.SameTimes(m_reported))
        return;
    m_reported = now;
    const DiskState state = CompareWithDisk();
    if (state == DiskState::Same)
        return;
    // The questions below let events run; a second check waits for them.
    // What the other program did meanwhile (the rest of a save in several
    // steps, the file written again) is part of what was just told: the
    // question comes once, not once for each step.
    const QScopedValueRollback<bool> busy(m_checkingDisk, true);
    const auto toldAbout = qScopeGuard([this] { m_reported = platform::StatFile(m_path); });
    Ui& ui = m_app.GetUi();
    if (state == DiskState::Deleted) {
        ui.Message(UiText(QStringLiteral("「%1」は、ほかのプログラムによって削除されたか、名前が変わりました。\n"
                                  "保存すると、このファイルを作り直します。"))
                       .arg(ShownFileName()),
                   Ui::Icon::Warning);
        m_buffer.SetModified(true);
        return;
    }
    if (IsModified()) {
        ui.Message(UiText(QStringLiteral("「%1」は、ほかのプログラムによって変更されました。\n"
                                  "このまま保存すると、その変更は失われます。"))
                       .arg(ShownFileName()),
                   Ui::Icon::Warning);
        return;
    }
    if (ui.Ask(UiText(QStringLiteral("「%1」は、ほかのプログラムによって変更されました。\n読み込み直しますか？"))
                   .arg(ShownFileName()),
               Ui::Buttons::YesNo)
        == Ui::Answer::Yes)
        Load(m_path, std::nullopt);
}

void CKelvoDoc::WriteJournal()
{
    if (!IsModified()) {
        m_journal.Remove();
        return;
    }
    JournalEntry entry;
    entry.path = m_path;
    entry.code = m_code;
    entry.lineEnd = m_lineEnd;
    entry.time = QDateTime::currentDateTime();
    if (!m_path.isEmpty() && m_stampPath == m_path)
        entry.original = m_stamp;
    entry.text = m_buffer.GetText();
    if (m_journal.Write(std::move(entry)) || std::exchange(m_journalFailureTold, true))
        return;
    m_app.GetUi().Message(UiText(QStringLiteral("復元用の控えを「%1」に書き込めません。\n"
                                         "このまま編集できますが、異常終了したときは保存していない編集を復元できません。"))
                              .arg(platform::DisplayPath(RecoveryJournal::Folder())),
                          Ui::Icon::Warning);
}

bool CKelvoDoc::OfferRecovery()
{
    for (const QString& file : RecoveryJournal::Orphans()) {
        const std::optional<JournalEntry> entry = RecoveryJournal::Read(file);
        if (!entry) {
            RecoveryJournal::Discard(file);
            continue;
        }
        Ui::Question q;
        q.title = QStringLiteral("編集の復元");
        q.text = UiText(QStringLiteral("前回、保存されないまま終わった編集があります。\nファイル: %1\n時刻: %2\n\n復元しますか？"))
                     .arg(entry->path.isEmpty() ? UiText(UntitledTitle()) : platform::DisplayPath(entry->path),
                          entry->time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        q.icon = Ui::Icon::Question;
        q.buttons = {{Ui::Answer::Yes, QStringLiteral("復元する(&R)")},
                     {Ui::Answer::No, QStringLiteral("破棄する(&D)")},
                     {Ui::Answer::Cancel, QStringLiteral("あとで(&L)")}};
        q.escape = Ui::Answer::Cancel;
        switch (m_app.GetUi().Ask(q)) {
        case Ui::Answer::Yes:
            if (!SaveModified())
                return false;
            Restore(*entry);
            RecoveryJournal::Discard(file);
            WriteJournal();
            return true;
        case Ui::Answer::No:
            RecoveryJournal::Discard(file);
            break;
        default:
            break;
        }
    }
    return false;
}

void CKelvoDoc::Restore(const JournalEntry& entry)
{
    // The text is applied to its file only while the file is the one it
    // was made from.
    bool sameFile = false;
    if (!entry.path.isEmpty() && entry.original.Exists()) {
        const platform::FileRead file = platform::ReadRegularFile(entry.path, kMaxDocumentSize);
        sameFile = file.error == platform::FileError::None && file.bytes.size() == entry.original.size
                   && platform::ContentDigest(file.bytes) == entry.original.digest;
    }
    if (sameFile && m_app.OpenDocumentFile(entry.path)) {
        // Undo goes back to the file as it is.
        m_buffer.SetText(entry.text, true);
    } else {
        m_app.NewDocument();
        m_buffer.SetText(entry.text);
        if (!entry.path.isEmpty())
            m_app.GetUi().Message(
                UiText(QStringLiteral("「%1」は、この編集の後で変更されたか、なくなっています。\n"
                               "復元した内容は、新しい文書として開きます。"))
                    .arg(platform::DisplayPath(platform::NameOfPath(entry.path))),
                Ui::Icon::Information);
    }
    m_code = entry.code;
    m_lineEnd = entry.lineEnd;
    m_buffer.SetModified(true);
}

bool CKelvoDoc::ConfirmOverwriteChanged(const QString& path)
{
    if (platform::AbsolutePath(path) != m_stampPath || CompareWithDisk() != DiskState::Changed)
        return true;
    const QScopedValueRollback<bool> busy(m_checkingDisk, true);
    return m_app.GetUi().Ask(UiText(QStringLiteral("「%1」は、読み込んだ後でほかのプログラムによって変更されています。\n"
                                            "上書きすると、その変更は失われます。上書きしますか？"))
                                 .arg(platform::DisplayPath(platform::NameOfPath(path))),
                             Ui::Buttons::YesNo, Ui::Icon::Warning, Ui::Answer::No)
           == Ui::Answer::Yes;
}

bool CKelvoDoc::OnSaveDocument(const QString& path)
{
    if (!ConfirmOverwriteChanged(path))
        return false;
    QString text = m_buffer.GetText();
    // Read without conversion, the text is the file's bytes as device code
    // page text, and goes back as such while the code is the one read.
    const bool raw = m_readUnconverted && m_code == m_readCode;
    QByteArray bytes;
    qsizetype references = 0;
    {
        BusyScope busy(m_app.GetUi());
        bytes = EncodeDocument(text, raw ? CodeKind::ShiftJis : m_code, m_lineEnd, &m_forms,
                               &references);
    }
    // The encoder counts what the code cannot hold, so that the common
    // case costs no pass of its own; only then is the user asked.
    if (references > 0 && !raw) {
        if (!m_referencesAccepted) {
            bytes.clear();
            CodeKind code = m_code;
            if (!ConfirmEncodable(text, code))
                return false;
            m_code = code;
        }
        BusyScope busy(m_app.GetUi());
        bytes = EncodeDocument(WithCssEscapes(text, m_code, IsCssPath(path)), m_code, m_lineEnd,
                               &m_forms);
    }
    if (!raw && !OfferDeclarationUpdate(path, text, bytes))
        return false;
    // The next save keeps the lines of the file as now written (any bytes
    // that read as the text would do, should this write fail).
    if (m_code == CodeKind::Jis && !raw)
        m_forms.KeepOriginal(bytes, m_lineEnd, text);
    text.clear();
    const platform::FileError error = platform::WriteFileSafely(path, bytes);
    if (error != platform::FileError::None) {
        m_app.GetUi().Message(SaveFailureMessage(error, path));
        return false;
    }
    m_stamp = platform::StatFile(path);
    m_stamp.digest = platform::ContentDigest(bytes);
    m_stampPath = platform::AbsolutePath(path);
    m_reported = m_stamp;
    m_buffer.SetModified(false);
    m_journal.Remove();
    return true;
}

bool CKelvoDoc::OfferDeclarationUpdate(const QString& path, QString& text, QByteArray& bytes)
{
    if (m_code == CodeKind::Ascii || m_code == CodeKind::Unknown)
        return true;
    std::vector<CodeDeclaration> stale;
    for (CodeDeclaration& d : FindCodeDeclarations(text, DeclarationSyntaxFor(path), DeclarationScope::Head))
        if (d.OfOwnText() && d.code != m_code)
            stale.push_back(std::move(d));
    if (stale.empty())
        return true;
    QString asked = CodeKindName(m_code);
    for (const CodeDeclaration& d : stale)
        asked += u'\n' + d.value;
    if (asked == m_declarationKept)
        return true;
    Ui::Question q;
    q.title = QStringLiteral("文字コードの宣言");
    q.text = UiText(QStringLiteral("このページの文字コードの宣言が、保存する %1 と違います。\n"))
                 .arg(UiText(CodeKindCaptions().value(static_cast<int>(m_code))));
    for (const CodeDeclaration& d : stale) {
        QString shown = text.mid(d.markupStart, d.markupEnd - d.markupStart).simplified();
        if (shown.size() > 80)
            shown = shown.left(79) + u'…';
        q.text += UiText(QStringLiteral("  %1 行目: %2\n")).arg(d.line).arg(shown);
    }
    q.text += UiText(QStringLiteral("\n宣言を %1 に書き換えて保存しますか？")).arg(CharsetName(m_code));
    q.buttons = {{Ui::Answer::Yes, QStringLiteral("書き換えて保存(&R)")},
                 {Ui::Answer::No, QStringLiteral("そのまま保存(&K)")},
                 {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
    q.escape = Ui::Answer::Cancel;
    switch (m_app.GetUi().Ask(q)) {
    case Ui::Answer::Yes:
        break;
    case Ui::Answer::No:
        m_declarationKept = asked;
        return true;
    default:
        return false;
    }
    // One edit from the first value to the last, so that one undo takes
    // every declaration back; the text between them stays as it is.
    const QString rewritten = RewriteDeclarations(text, stale, m_code);
    const int from = int(stale.front().start);
    const int to = int(stale.back().end);
    const int delta = int(rewritten.size() - text.size());
    int selStart = 0, selEnd = 0;
    m_buffer.GetSel(selStart, selEnd);
    const auto moved = [&](int at) { return at >= to ? at + delta : std::min(at, to + delta); };
    m_buffer.SetSel(from, to);
    m_buffer.ReplaceSel(rewritten.mid(from, to - from + delta));
    m_buffer.SetSel(moved(selStart), moved(selEnd));
    text = rewritten;
    m_declared = m_code;
    BusyScope busy(m_app.GetUi());
    bytes = EncodeDocument(text, m_code, m_lineEnd, &m_forms);
    return true;
}

void CKelvoDoc::FillFromTemplate()
{
    m_code = m_readCode = CodeKind::ShiftJis;
    m_lineEnd = LineEndKind::CrLf;
    m_readUnconverted = false;
    m_forms = FileForms();
    std::optional<TemplateContent> content = ReadTemplateFile(m_app.InitialTemplatePath(), m_autoCode);
    if (!content) {
        m_app.View().InsertTagText(kFallbackTemplate, false);
        m_buffer.SetSel(kFallbackCaret, kFallbackCaret);
        m_buffer.ScrollCaret();
        return;
    }
    m_buffer.SetText(content->text);
    const int caret = TemplateCaret(content->text);
    m_buffer.SetSel(caret, caret);
    m_buffer.ScrollCaret();
    // A new page is in its template's code and line end, as a file read
    // is; a page that names its code is saved in that one. Text that has
    // no code of its own (7-bit) takes the new document's.
    const bool ownCode = content->code != CodeKind::Ascii && content->code != CodeKind::Unknown;
    if (!m_autoCode) {
        if (ownCode)
            m_code = m_readCode = content->code;
        m_readUnconverted = m_code == CodeKind::Euc || m_code == CodeKind::Utf8;
    } else {
        m_code = content->declared.value_or(ownCode ? content->code : CodeKind::ShiftJis);
    }
    if (content->lineEnd != LineEndKind::None)
        m_lineEnd = content->lineEnd;
    m_forms = std::move(content->forms);
}

bool CKelvoDoc::OnNewDocument()
{
    m_path.clear();
    m_title = UntitledTitle();
    m_buffer.SetText(QString());
    FillFromTemplate();
    m_undecodable = 0;
    m_declared.reset();
    m_declarationKept.clear();
    m_referencesAccepted = false;
    m_buffer.SetModified(false);
    m_journal.Remove();
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
    d.initialName = platform::NameOfPath(m_path);
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
    if (m_app.GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    const int index = form.fields[0].index;
    CodeKind code = index >= 0 && index <= static_cast<int>(CodeKind::Unknown)
                        ? static_cast<CodeKind>(index)
                        : m_code;
    // A code that cannot hold the text is chosen only knowingly.
    bool references = false;
    if (code != m_code && !ConfirmEncodable(m_buffer.GetText(), code, &references))
        return;
    ApplyCharCodeForm(form);
    if (code != m_code || references) {
        m_code = code;
        m_referencesAccepted = references;
    }
}

void CKelvoDoc::RegisterCommands(CommandTable& commands)
{
    commands.Register(cmd::FileSave, [this] { OnFileSave(); });
    commands.Register(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    commands.Register(cmd::CharCode, [this] { OnCharCode(); });
    commands.Register(
        cmd::ReopenDeclaredCode, [this] { ReopenInDeclaredCode(); },
        [this] { return DisagreeingDeclaredCode().has_value() && !m_path.isEmpty(); });
}
