#include "core/links/LinkCommands.h"

#include "platform/SecretStore.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/links/LinkCommandIds.h"
#include "core/links/PageLinks.h"
#include "core/ftp/CFtpSetList.h"
#include "core/links/RelativePath.h"
#include "core/tags/CTagObj.h"
#include "core/tags/HtmlScanner.h"
#include "core/tags/TagView.h"
#include "platform/FileAccess.h"
#include "platform/Folders.h"
#include "platform/SecretStore.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <memory>

namespace {

const QString kSaveFirst = QStringLiteral("ファイルを保存してください");

// Files the editor itself edits; anything else goes to the desktop.
bool IsEditorFile(const QString& path)
{
    static const QStringList kSuffixes = {
        QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("shtml"),
        QStringLiteral("xhtml"), QStringLiteral("css"), QStringLiteral("js"),
        QStringLiteral("txt"), QStringLiteral("xml")};
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() || kSuffixes.contains(suffix, Qt::CaseInsensitive);
}

// Addresses a desktop program can show; "javascript:" and "data:" links
// name nothing to open.
bool IsOpenableAddress(const QString& link)
{
    static const QStringList kSchemes = {QStringLiteral("http:"), QStringLiteral("https:"),
                                         QStringLiteral("ftp:"), QStringLiteral("mailto:")};
    return std::any_of(kSchemes.begin(), kSchemes.end(), [&](const QString& scheme) {
        return link.startsWith(scheme, Qt::CaseInsensitive);
    });
}

// The link of the start tag around the position: its HREF, SRC or
// BACKGROUND; empty when the position is in no tag.
QString LinkOfTagAt(const QString& text, int position)
{
    const std::optional<HtmlToken> token = HtmlScanner::TagAt(text, position);
    if (!token)
        return QString();
    CTagObj tag;
    tag.Parse(text.mid(token->start, token->end - token->start));
    for (const char16_t* attr : {u"HREF", u"SRC", u"BACKGROUND"}) {
        const QString value = tag.GetAttr(QString::fromUtf16(attr)).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

// The length of the text in the bytes, without the zero bytes that may pad
// its end and the ^Z that may end an old file; -1 when the bytes are no
// text: a zero byte with text after it, or a control character that text
// does not hold (tab, line ends, form feed, and ESC, SO and SI of JIS are
// text). A picture, font or program has such bytes within its first few.
qsizetype TextLength(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == '\0')
        --end;
    if (end > 0 && bytes[end - 1] == '\x1A')
        --end;
    for (qsizetype i = 0; i < end; ++i) {
        const char c = bytes[i];
        if (quint8(c) < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r'
            && c != '\x1B' && c != '\x0E' && c != '\x0F')
            return -1;
    }
    return end;
}

QString Number(qint64 n)
{
    return QLocale(QLocale::Japanese).toString(n);
}

} // namespace

namespace {

// Only the sites' folders are wanted: the desktop's keyring is not asked
// for their passwords, which may mean a prompt to unlock it and a wait in
// the middle of typing (the preview asks after every command).
class NoSecrets final : public platform::SecretStore {
public:
    bool Available() override { return false; }
    std::optional<QString> Read(const QString&) override { return std::nullopt; }
    bool Write(const QString&, const QString&) override { return false; }
};

} // namespace

QString SiteRootFor(const platform::SettingsStore& store, const QString& documentPath)
{
    if (documentPath.isEmpty())
        return QString();
    NoSecrets noSecrets;
    CFtpSetList sets;
    sets.Load(store, noSecrets);
    const QString folder = sets.At(sets.ChooseForDocument(documentPath)).localFolder;
    // The chosen set may be the selected one, which need not hold the page.
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    if (folder.isEmpty() || !documentPath.startsWith(prefix, Qt::CaseInsensitive))
        return QString();
    return folder;
}

LinkCommands::LinkCommands(CKelvoApp& app) : m_app(app) {}

FormModel LinkCommands::LinkBrowserForm(const QStringList& links)
{
    FormModel form;
    form.title = QStringLiteral("リンクブラウザ");
    form.okCaption = QStringLiteral("開く");
    form.cancelCaption = QStringLiteral("閉じる");
    FormField& list = form.Add(FieldKind::List, QString(), QStringLiteral("links"));
    list.choices = links;
    list.index = links.isEmpty() ? -1 : 0;
    list.text = links.value(0);
    // A double-click opens the entry, as the open button does.
    list.activate = [](FormModel&) { return true; };
    return form;
}

FormModel LinkCommands::LinkCheckForm(const QStringList& missing)
{
    FormModel form;
    form.title = QStringLiteral("リンクチェックエラー");
    form.hasCancel = false;
    form.Add(FieldKind::Label, QString(), QStringLiteral("message")).text =
        QStringLiteral("以下のファイルが見つかりません");
    FormField& list = form.Add(FieldKind::List, QString(), QStringLiteral("missing"));
    list.choices = missing;
    return form;
}

FormModel LinkCommands::SizeInfoForm(const SizeInfo& info)
{
    FormModel form;
    form.title = QStringLiteral("サイズ情報");
    form.hasCancel = false;
    auto cell = [&form](int row, int column, const QString& text, const QString& name) {
        FormField& f = form.Add(FieldKind::Label, QString(), name);
        f.text = text;
        f.gridRow = row;
        f.gridColumn = column;
    };
    cell(0, 1, QStringLiteral("個数"), QString());
    cell(0, 2, QStringLiteral("バイト"), QString());
    cell(1, 0, QStringLiteral("HTML本文"), QString());
    cell(1, 2, Number(info.bodyBytes), QStringLiteral("bodySize"));
    cell(2, 0, QStringLiteral("内部画像"), QString());
    cell(2, 1, Number(info.internalCount), QStringLiteral("internalCount"));
    cell(2, 2, Number(info.internalBytes), QStringLiteral("internalSize"));
    cell(3, 0, QStringLiteral("外部画像"), QString());
    cell(3, 1, Number(info.externalCount), QStringLiteral("externalCount"));
    cell(4, 0, QStringLiteral("合計"), QString());
    cell(4, 1, Number(info.internalCount + info.externalCount), QStringLiteral("totalCount"));
    cell(4, 2, Number(info.bodyBytes + info.internalBytes), QStringLiteral("totalSize"));
    return form;
}

void LinkCommands::OpenLink(const QString& link)
{
    Ui& ui = m_app.GetUi();
    if (IsSchemeLink(link)) {
        if (IsOpenableAddress(link))
            ui.OpenExternal(link);
        return;
    }
    const QString document = m_app.Doc().GetPathName();
    if (document.isEmpty()) {
        ui.Message(kSaveFirst);
        return;
    }
    // Resolved as the link check resolves it: the page's BASE, the site's
    // root for a root-relative link.
    const LinkTarget target = ResolveLink(document, link, SiteRootFor(m_app.Settings(), document),
                                          PageBase(m_app.View().Buffer().GetText()));
    // A network path or a base on another host names no file here.
    if (target.kind == LinkTarget::Kind::External)
        return;
    if (target.kind != LinkTarget::Kind::File) {
        ui.Message(RelativePathErrorText());
        return;
    }
    const QString path = platform::DiskSpelling(target.path);
    if (platform::PathExists(path) && !IsEditorFile(path)) {
        ui.OpenExternal(path);
        return;
    }
    m_app.OpenDocumentFile(path);
}

void LinkCommands::OnLinkBrowser()
{
    QStringList links;
    CollectAttrValues(m_app.View().Buffer().GetText(), QStringLiteral("A"),
                      QStringLiteral("HREF"), links);
    std::stable_sort(links.begin(), links.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    FormModel form = LinkBrowserForm(links);
    if (m_app.GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    const QString chosen = form[QStringLiteral("links")].SelectedChoice();
    if (!chosen.isEmpty())
        OpenLink(chosen);
}

void LinkCommands::OnLinkCheck()
{
    Ui& ui = m_app.GetUi();
    const QString document = m_app.Doc().GetPathName();
    if (document.isEmpty()) {
        ui.Message(QStringLiteral("ファイルを保存後しかリンクチェックは出来ません"));
        return;
    }
    QStringList missing;
    {
        BusyScope busy(ui);
        missing = CheckPageLinks(m_app.View().Buffer().GetText(), document,
                                 SiteRootFor(m_app.Settings(), document))
                      .missing;
    }
    if (missing.isEmpty()) {
        ui.Message(QStringLiteral("内部リンクは全てＯＫです"), Ui::Icon::Information);
        return;
    }
    FormModel form = LinkCheckForm(missing);
    ui.RunForm(form);
}

void LinkCommands::OnOpenLinkTarget()
{
    CKelvoView& view = m_app.View();
    QString link = TagView(view).GetSelectionText();
    if (link.isEmpty()) {
        int start = 0, end = 0;
        view.Buffer().GetSel(start, end);
        link = LinkOfTagAt(view.Buffer().GetText(), start);
    }
    // A selection taken from a tag may hold its quotes.
    link = TrimAttrQuotes(link.trimmed(), true).trimmed();
    if (link.isEmpty())
        return;
    OpenLink(link);
}

void LinkCommands::OnLinkList()
{
    const QString list = MakeAnchorLinkList(m_app.View().Buffer().GetText());
    if (list.isEmpty()) {
        // The selection stays: an empty list replaces nothing.
        m_app.GetUi().Message(QStringLiteral("<A NAME= >が一つもありません"));
        return;
    }
    m_app.View().InsertTagText(list, true);
}

void LinkCommands::OnSizeInfo()
{
    CKelvoDoc& doc = m_app.Doc();
    const QString text = m_app.View().Buffer().GetText();
    SizeInfo info;
    // The page's own weight is the size of the file it is saved as.
    info.bodyBytes = EncodeDocument(text, doc.GetCodeKind(), doc.GetLineEndKind()).size();
    QStringList sources;
    CollectAttrValues(text, QStringLiteral("IMG"), QStringLiteral("SRC"), sources);
    const QString document = doc.GetPathName();
    const QString root = SiteRootFor(m_app.Settings(), document);
    const QString base = PageBase(text);
    // An image counts once however its path is written ("img/a.jpg",
    // "./img/a.jpg"); one that is not there adds no bytes.
    QSet<QString> counted;
    for (const QString& source : sources) {
        const LinkTarget target = ResolveLink(document, source, root, base);
        if (target.kind == LinkTarget::Kind::External) {
            ++info.externalCount;
            continue;
        }
        const QString key = target.kind == LinkTarget::Kind::File ? target.path : source;
        if (counted.contains(key))
            continue;
        counted.insert(key);
        ++info.internalCount;
        if (target.kind == LinkTarget::Kind::File && !document.isEmpty()
            && platform::IsRegularFile(target.path) && platform::CanRead(target.path))
            info.internalBytes += platform::StatFile(target.path).size;
    }
    FormModel form = SizeInfoForm(info);
    m_app.GetUi().RunForm(form);
}

void LinkCommands::OnInsertFile()
{
    Ui& ui = m_app.GetUi();
    Ui::FileDialog dialog;
    dialog.title = QStringLiteral("挿入ファイル");
    dialog.defaultExtension = QStringLiteral("html");
    dialog.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||");
    dialog.initialFolder = platform::Folders::UserData();
    dialog.fileMustExist = true;
    const std::optional<QString> path = ui.ChooseFile(dialog);
    if (!path)
        return;
    platform::FileRead file = platform::ReadRegularFile(*path, kMaxDocumentSize);
    if (file.error != platform::FileError::None) {
        ui.Message(QStringLiteral("ファイルが開けません"));
        return;
    }
    QByteArray bytes = std::move(file.bytes);
    // UTF-16 has zero bytes all through; it is named before the check for
    // text that is no text.
    if (IsUtf16File(bytes)) {
        ui.Message(QStringLiteral("UTF-16 のファイルは挿入できません"));
        return;
    }
    const qsizetype length = TextLength(bytes);
    if (length < 0) {
        ui.Message(UiText(QStringLiteral("テキストファイルではないため、挿入しません")));
        return;
    }
    bytes.truncate(length);
    // The file's own code is detected whatever the page's setting says: its
    // bytes are copied as text, never as bytes of another code.
    DecodedDocument decoded = DecodeDocument(std::move(bytes), true);
    if (decoded.undecodable > 0) {
        // Kept as raw bytes, they would be written into the page's code
        // unchanged and break it (a Shift-JIS byte in a UTF-8 page).
        ui.Message(UiText(QStringLiteral("文字として読めないバイトが %1 個あるため、挿入しません"))
                       .arg(decoded.undecodable));
        return;
    }
    const QString text = std::move(decoded.text);
    EditBuffer& buffer = m_app.View().Buffer();
    buffer.ReplaceSel(text);
    buffer.ScrollCaret();
    buffer.SetModified(true);
}

void RegisterLinkCommands(CKelvoApp& app)
{
    auto group = std::make_shared<LinkCommands>(app);
    CommandTable& table = app.Commands();
    table.Register(cmd::LinkBrowser, [group] { group->OnLinkBrowser(); });
    table.Register(cmd::LinkCheck, [group] { group->OnLinkCheck(); });
    table.Register(cmd::OpenLinkTarget, [group] { group->OnOpenLinkTarget(); });
    table.Register(cmd::LinkList, [group] { group->OnLinkList(); });
    table.Register(cmd::SizeInfo, [group] { group->OnSizeInfo(); });
    table.Register(cmd::InsertFile, [group] { group->OnInsertFile(); });
}
