#include "core/ftp/CFtpWnd.h"

#include "core/app/UiText.h"

#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/DownloadTarget.h"
#include "core/ftp/FtpMessages.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"
#include "platform/Folders.h"
#include "platform/SettingsStore.h"

#include <QDir>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("ftp");

QString Msg(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QDateTime LocalTime(const platform::FileStamp& stamp)
{
    return stamp.Exists() ? QDateTime::fromMSecsSinceEpoch(stamp.mtimeNs / 1000000) : QDateTime();
}

QString TimeText(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

// Minute precision on both sides: a listing carries no seconds, so a file
// uploaded a few seconds ago is not "newer" than its source.
bool NewerByMinute(const QDateTime& a, const QDateTime& b)
{
    if (!a.isValid() || !b.isValid())
        return false;
    return a.toSecsSinceEpoch() / 60 > b.toSecsSinceEpoch() / 60;
}

} // namespace

CFtpWnd::CFtpWnd(Ui& ui, platform::SettingsStore& settings, TaskRunner& runner, CNorvaneFtp& client)
    : m_ui(ui), m_settings(settings), m_runner(runner), m_client(client)
{
    m_sortColumn = std::clamp(settings.ReadInt(QStringLiteral("FtpWin"), QStringLiteral("SortItem"), 0), 0, 3);
    m_descending = settings.ReadInt(QStringLiteral("FtpWin"), QStringLiteral("SortMode"), 0) == 1;
    m_local.SetSort(settings.ReadInt(QStringLiteral("FileSelect"), QStringLiteral("SortItem"), 0),
                    settings.ReadInt(QStringLiteral("FileSelect"), QStringLiteral("SortMode"), 0) == 1);
}

CFtpWnd::~CFtpWnd() = default;

void CFtpWnd::Start(const QString& localFolder)
{
    QString folder = QDir::homePath();
    for (const QString& f : {localFolder, platform::Folders::Documents()})
        if (!f.isEmpty() && platform::IsFolder(f)) {
            folder = f;
            break;
        }
    m_local.Fill(folder);
    RefillServer();
}

bool CFtpWnd::Net(const std::function<bool(CNorvaneFtp&, TaskContext&)>& step)
{
    CNorvaneFtp& client = m_client;
    bool alive = true;
    QString refusal;
    QString cause;
    const bool ok = m_runner.Run(kTitle, [&](TaskContext& context) {
        client.SetCancelFlag(&context.CancelFlag());
        client.SetProgress([&context](qint64 done, qint64 total) { context.SetProgress(done, total); });
        const bool ok = step(client, context);
        client.SetProgress({});
        client.SetCancelFlag(nullptr);
        alive = client.IsConnected();
        if (!ok) {
            refusal = client.FailureText(u"");
            cause = client.Session() ? client.Session()->ErrorText() : QString();
        }
        return ok;
    });
    m_connected = alive;
    m_cause = cause;
    // A step this side refused (a name the server's code cannot hold) says
    // why, whatever the step was; the callers' general message would not.
    m_refused = !refusal.isEmpty();
    if (m_refused)
        m_ui.Message(refusal);
    return ok;
}

bool CFtpWnd::Online()
{
    if (m_connected)
        return true;
    m_serverRows.clear();
    m_serverFocus = -1;
    if (m_ui.Ask(Msg(ftpmsg::ConnectionLost), Ui::Buttons::YesNo) != Ui::Answer::Yes)
        return false;
    return Reconnect();
}

bool CFtpWnd::Reconnect()
{
    const QString folder = m_serverFolder;
    BusyScope busy(m_ui);
    const bool ok = Net([&folder](CNorvaneFtp& client, TaskContext& context) {
        context.SetText(QStringLiteral("接続中"), client.Host());
        if (!client.Connect())
            return false;
        // Back where the user was; a folder that has gone leaves the session
        // in the site's own folder.
        if (!folder.isEmpty())
            client.ChangeDir(folder);
        return true;
    });
    if (!ok) {
        m_connected = false;
        m_ui.Message(CNorvaneFtp::WithCause(ftpmsg::ConnectFailed, m_cause));
    }
    return ok;
}

bool CFtpWnd::RefillServer(const QString& focus)
{
    if (!Online())
        return false;
    std::vector<CFtpEntry> entries;
    QString folder;
    int dropped = 0;
    BusyScope busy(m_ui);
    const bool ok = Net([&](CNorvaneFtp& client, TaskContext& context) {
        context.SetText(client.Host(), client.CurrentFolder());
        if (!client.GetList())
            return false;
        folder = client.CurrentFolder();
        entries = client.Entries();
        dropped = client.Session()->DroppedNames();
        return true;
    });
    if (!ok) {
        m_serverRows.clear();
        m_serverFocus = -1;
        // A lost connection is offered again; a listing the server refused
        // or that was beyond reason leaves the session as it was.
        if (!m_connected)
            return Online() && RefillServer(focus);
        m_ui.Message(CNorvaneFtp::WithCause(ftpmsg::ListFailed, m_cause));
        return false;
    }
    m_serverFolder = folder;
    m_serverRows = std::move(entries);
    if (dropped > 0)
        m_ui.Message(UiText(QStringLiteral("サーバの一覧にあったファイル名として使えない名前 %1 件は表示していません")).arg(dropped));
    // The listing never holds ".."; the row is how a user goes up by
    // double-click, as in the local list.
    if (!folder.isEmpty() && folder != u"/") {
        CFtpEntry up;
        up.name = QStringLiteral("..");
        up.isFolder = true;
        m_serverRows.push_back(up);
    }
    SortServer();
    m_serverFocus = FindServerRow(focus);
    return true;
}

QStringList CFtpWnd::ServerRowTexts(int row) const
{
    const CFtpEntry& e = m_serverRows.at(row);
    return {e.isFolder ? u'[' + e.name + u']' : e.name,
            e.time.isValid() ? CNorvaneFtp::GetDateText(e) : QString(),
            CNorvaneFtp::GetSizeText(e), e.mode};
}

int CFtpWnd::FindServerRow(const QString& name) const
{
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < int(m_serverRows.size()); ++i) {
        if (m_serverRows[i].name == name)
            return i;
    }
    return -1;
}

void CFtpWnd::ClickServerColumn(int column)
{
    const QString focus = m_serverFocus >= 0 && m_serverFocus < int(m_serverRows.size())
        ? m_serverRows[m_serverFocus].name : QString();
    if (column == m_sortColumn) {
        m_descending = !m_descending;
    } else {
        m_sortColumn = std::clamp(column, 0, 3);
        m_descending = false;
    }
    SortServer();
    m_serverFocus = FindServerRow(focus);
}

void CFtpWnd::SortServer()
{
    const int column = m_sortColumn;
    const bool descending = m_descending;
    std::stable_sort(m_serverRows.begin(), m_serverRows.end(), [&](const CFtpEntry& a, const CFtpEntry& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        int c = 0;
        switch (column) {
        case 1:
            c = CNorvaneFtp::GetDateText(a).compare(CNorvaneFtp::GetDateText(b), Qt::CaseInsensitive);
            break;
        case 2:
            c = a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
            break;
        case 3:
            c = CNorvaneFtp::GetExtension(a.name).compare(CNorvaneFtp::GetExtension(b.name), Qt::CaseInsensitive);
            if (c == 0)
                c = a.name.compare(b.name, Qt::CaseInsensitive);
            break;
        default:
            c = a.name.compare(b.name, Qt::CaseInsensitive);
            break;
        }
        return descending ? c > 0 : c < 0;
    });
}

std::vector<int> CFtpWnd::RowsOrFocus(const std::vector<int>& rows, int focused, int count) const
{
    std::vector<int> result;
    for (int r : rows.empty() ? std::vector<int>{focused} : rows) {
        if (r >= 0 && r < count)
            result.push_back(r);
    }
    return result;
}

void CFtpWnd::OpenServerRow(int row)
{
    if (row < 0 || row >= int(m_serverRows.size()) || !m_serverRows[row].isFolder || !Online())
        return;
    const QString name = m_serverRows[row].name;
    if (name == u"..") {
        QString folder = m_serverFolder;
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        const QString left = folder.mid(folder.lastIndexOf(u'/') + 1);
        Net([](CNorvaneFtp& client, TaskContext&) { return client.ChangeDirUp(); });
        RefillServer(left);
    } else {
        Net([&name](CNorvaneFtp& client, TaskContext&) { return client.ChangeDir(name); });
        RefillServer();
    }
}

void CFtpWnd::OpenLocalRow(int row)
{
    m_local.OpenRow(row);
}

CFtpWnd::Existing CFtpWnd::ConfirmOverwrite(const QString& name, const FileState& target,
                                            const FileState& source, bool toServer)
{
    // A shorter copy is what an interrupted transfer leaves; ASCII copies
    // differ in size anyway and cannot be continued byte for byte.
    const bool resumable = !m_ascii && target.size > 0 && source.size > target.size;
    if (!resumable && !NewerByMinute(target.time, source.time))
        return Existing::Overwrite;
    if (m_forRest && (resumable || *m_forRest != Existing::Resume))
        return *m_forRest;
    const QString where = UiText(toServer ? QStringLiteral("サーバ") : QStringLiteral("ローカル"));
    const QString other = UiText(toServer ? QStringLiteral("ローカル") : QStringLiteral("サーバ"));
    const QString text = resumable
        ? UiText(QStringLiteral("%1の %2 は途中までしかありません。\n%1：%3 バイト\n%4：%5 バイト"))
              .arg(where, name, QString::number(target.size), other, QString::number(source.size))
        : UiText(QStringLiteral("%1の %2 の方が新しいファイルです。\n%1：%3\n%4：%5"))
              .arg(where, name, TimeText(target.time), other, TimeText(source.time));
    FormModel form;
    form.title = kTitle;
    form.Add(FieldKind::Label, QString()).text = text;
    const QStringList choices = resumable
        ? QStringList{QStringLiteral("上書き"), QStringLiteral("続きから"), QStringLiteral("スキップ")}
        : QStringList{QStringLiteral("上書き"), QStringLiteral("スキップ")};
    // Enter continues a shorter copy and keeps a newer one (the second
    // choice of either list): a reflex never puts an older file over a
    // newer one.
    form.AddChoice(QStringLiteral("処理(&S):"), choices, 1, QStringLiteral("Existing"));
    form.AddFlag(QStringLiteral("残りのファイルも同じにする(&A)"), false, QStringLiteral("ForRest"));
    if (m_ui.RunForm(form) != Ui::Answer::Ok)
        return Existing::Stop;
    const QString chosen = form[QStringLiteral("Existing")].choices.value(form[QStringLiteral("Existing")].index);
    const Existing answer = chosen == u"続きから" ? Existing::Resume
        : chosen == u"スキップ"                  ? Existing::Skip
                                                 : Existing::Overwrite;
    if (form[QStringLiteral("ForRest")].checked)
        m_forRest = answer;
    return answer;
}

void CFtpWnd::Upload(const std::vector<int>& localRows)
{
    std::vector<Transfer> files;
    bool folderShown = false;
    for (int r : RowsOrFocus(localRows, m_local.FocusedRow(), int(m_local.Rows().size()))) {
        const CFileObj& obj = m_local.Rows()[r];
        if (obj.isFolder) {
            if (!folderShown)
                m_ui.Message(Msg(ftpmsg::FolderNotCopied));
            folderShown = true;
            continue;
        }
        files.push_back({m_local.PathOf(obj.FullName()), CNorvaneFtp::ServerName(obj.FullName())});
    }
    UploadFiles(files);
}

void CFtpWnd::UploadPaths(const QStringList& localPaths)
{
    std::vector<Transfer> files;
    bool folderShown = false;
    for (const QString& path : localPaths) {
        if (platform::IsFolder(path)) {
            if (!folderShown)
                m_ui.Message(Msg(ftpmsg::FolderNotCopied));
            folderShown = true;
            continue;
        }
        files.push_back({platform::AbsolutePath(path), CNorvaneFtp::ServerName(platform::NameOfPath(path))});
    }
    UploadFiles(files);
}

void CFtpWnd::UploadFiles(const std::vector<Transfer>& candidates)
{
    if (candidates.empty() || !Online())
        return;
    std::vector<Transfer> files;
    m_forRest.reset();
    for (Transfer t : candidates) {
        const int row = FindServerRow(t.name);
        const platform::FileStamp local = platform::StatFile(t.localPath);
        const Existing what = row < 0 || m_serverRows[row].isFolder
            ? Existing::Overwrite
            : ConfirmOverwrite(t.name, {m_serverRows[row].time, m_serverRows[row].size},
                               {LocalTime(local), local.size}, true);
        if (what == Existing::Stop)
            return;
        if (what == Existing::Resume)
            t.offset = m_serverRows[row].size;
        if (what != Existing::Skip)
            files.push_back(t);
    }
    if (files.empty())
        return;
    const QString folder = m_serverFolder;
    const bool ascii = m_ascii;
    const bool ok = Net([&](CNorvaneFtp& client, TaskContext& context) {
        for (size_t i = 0; i < files.size(); ++i) {
            const Transfer& t = files[i];
            if (context.Cancelled())
                return true;
            context.SetItem(int(i) + 1, int(files.size()));
            context.SetText(t.localPath, folder);
            context.SetProgress(0, platform::StatFile(t.localPath).size);
            if (!client.PutFile(t.localPath, ascii, t.offset)) {
                // A cancelled resume keeps the piece it continued.
                if (context.Cancelled() && t.offset == 0) {
                    // A cancelled upload leaves no half file on the server;
                    // the flag is cleared first, or the clean-up would be
                    // cancelled too and take the connection with it.
                    client.SetCancelFlag(nullptr);
                    client.DeleteFile(t.name);
                    return true;
                }
                return false;
            }
        }
        return true;
    });
    if (!ok && !m_refused)
        m_ui.Message(CNorvaneFtp::WithCause(ftpmsg::TransferFailed, m_cause));
    RefillServer(files.front().name);
}

void CFtpWnd::Download(const std::vector<int>& serverRows)
{
    if (!Online())
        return;
    struct Download {
        QString name;
        qint64 size;  // as listed
        qint64 offset;
    };
    std::vector<Download> files;
    bool folderShown = false;
    m_forRest.reset();
    const QString folder = m_local.Folder().isEmpty() ? QStringLiteral("/") : m_local.Folder();
    for (int r : RowsOrFocus(serverRows, m_serverFocus, int(m_serverRows.size()))) {
        const CFtpEntry& e = m_serverRows[r];
        if (e.isFolder) {
            if (!folderShown)
                m_ui.Message(Msg(ftpmsg::FolderNotTransferred));
            folderShown = true;
            continue;
        }
        // A download that stopped left its piece beside the file: it is
        // offered to go on from, whatever the file is.
        const platform::FileStamp piece = platform::StatFile(DownloadTarget::PiecePath(m_local.PathOf(e.name)));
        const platform::FileStamp local = piece.Exists() && !m_ascii && piece.size < e.size
            ? piece
            : platform::StatFile(m_local.PathOf(e.name));
        const Existing what = !local.Exists()
            ? Existing::Overwrite
            : ConfirmOverwrite(e.name, {LocalTime(local), local.size}, {e.time, e.size}, false);
        if (what == Existing::Stop)
            return;
        if (what != Existing::Skip)
            files.push_back({e.name, e.size, what == Existing::Resume ? local.size : 0});
    }
    if (files.empty())
        return;
    const bool ascii = m_ascii;
    const bool ok = Net([&](CNorvaneFtp& client, TaskContext& context) {
        for (size_t i = 0; i < files.size(); ++i) {
            const auto& [name, size, offset] = files[i];
            if (context.Cancelled())
                return true;
            context.SetItem(int(i) + 1, int(files.size()));
            context.SetText(folder, name);
            // The listing's size stands in for the one the transfer does not
            // know.
            const qint64 listed = size > 0 ? size : -1;
            context.SetProgress(0, listed);
            client.SetProgress([&context, listed](qint64 done, qint64 total) {
                context.SetProgress(done, total >= 0 ? total : listed);
            });
            if (!client.GetFile(name, folder, ascii, offset))
                return context.Cancelled();
        }
        return true;
    });
    if (!ok && !m_refused)
        m_ui.Message(CNorvaneFtp::WithCause(ftpmsg::TransferFailed, m_cause));
    m_local.Refill(files.front().name);
}

void CFtpWnd::Delete(const std::vector<int>& rows)
{
    if (m_active == Side::Server) {
        if (!Online())
            return;
        const std::vector<int> chosen = RowsOrFocus(rows, m_serverFocus, int(m_serverRows.size()));
        if (chosen.empty()
            || m_ui.Ask(QStringLiteral("サーバのファイルを削除しますか？"), Ui::Buttons::OkCancel,
                        Ui::Icon::Question, Ui::Answer::Cancel)
                   != Ui::Answer::Ok)
            return;
        std::vector<CFtpEntry> entries;
        for (int r : chosen) {
            if (m_serverRows[r].name != u"..")
                entries.push_back(m_serverRows[r]);
        }
        Net([&entries](CNorvaneFtp& client, TaskContext& context) {
            for (const CFtpEntry& e : entries) {
                if (context.Cancelled())
                    break;
                context.SetText(client.CurrentFolder(), e.name);
                // A link goes as a link, whatever it leads to.
                const bool removed = e.isFolder && !e.isLink ? client.RemoveDir(e.name) : client.DeleteFile(e.name);
                // A refusal is told; the server's own shows in the listing.
                if (!removed && !client.FailureText(u"").isEmpty())
                    return false;
            }
            return true;
        });
        RefillServer();
        return;
    }
    const std::vector<int> chosen = RowsOrFocus(rows, m_local.FocusedRow(), int(m_local.Rows().size()));
    if (chosen.empty()
        || m_ui.Ask(QStringLiteral("ローカルのファイルを削除しますか？"), Ui::Buttons::OkCancel,
                    Ui::Icon::Question, Ui::Answer::Cancel)
               != Ui::Answer::Ok)
        return;
    for (int r : chosen) {
        const CFileObj& obj = m_local.Rows()[r];
        if (obj.FullName() == u"..")
            continue;
        const QString path = m_local.PathOf(obj.FullName());
        // A folder goes only when it is empty, as the file system's own
        // folder removal does; its files are never deleted with it.
        if (obj.isFolder)
            platform::RemoveFolder(path);
        else
            platform::RemoveFile(path);
    }
    m_local.Refill();
}

void CFtpWnd::Create()
{
    if (m_active == Side::Server) {
        if (!Online())
            return;
        const auto name = m_ui.Input(kTitle, QStringLiteral("サーバに作成するディレクトリ名："));
        if (!name)
            return;
        Net([&name](CNorvaneFtp& client, TaskContext&) { return client.MakeDir(*name); });
        RefillServer(*name);
        return;
    }
    const auto name = m_ui.Input(kTitle, QStringLiteral("ローカルに作成するディレクトリ名："));
    if (!name)
        return;
    if (!name->contains(u'/'))
        platform::MakeFolders(m_local.PathOf(*name));
    m_local.Refill(*name);
}

void CFtpWnd::Move()
{
    if (m_active == Side::Server) {
        if (!Online())
            return;
        const auto folder = m_ui.Input(kTitle, QStringLiteral("サーバ：移動するディレクトリ名："), m_serverFolder);
        if (!folder)
            return;
        Net([&folder](CNorvaneFtp& client, TaskContext&) { return client.ChangeDir(*folder); });
        RefillServer();
        return;
    }
    const auto folder = m_ui.Input(kTitle, QStringLiteral("ローカル：移動するディレクトリ名："));
    if (!folder)
        return;
    // A relative name is taken within the folder shown.
    QString target = *folder;
    if (!target.isEmpty() && !QDir::isAbsolutePath(target))
        target = m_local.PathOf(target);
    m_local.Fill(target);
}

void CFtpWnd::Rename()
{
    if (m_active == Side::Server) {
        if (!Online() || m_serverFocus < 0 || m_serverFocus >= int(m_serverRows.size()))
            return;
        const QString old = m_serverRows[m_serverFocus].name;
        const auto name = m_ui.Input(kTitle, QStringLiteral("新しいファイル名を入力してください"), old);
        if (!name || *name == old)
            return;
        Net([&](CNorvaneFtp& client, TaskContext&) { return client.Rename(old, *name); });
        RefillServer(*name);
        return;
    }
    const int row = m_local.FocusedRow();
    if (row < 0 || row >= int(m_local.Rows().size()))
        return;
    const QString old = m_local.Rows()[row].FullName();
    if (old == u"..")
        return;
    const auto name = m_ui.Input(kTitle, QStringLiteral("新しいファイル名を入力してください"), old);
    if (!name || *name == old || name->contains(u'/'))
        return;
    platform::RenamePath(m_local.PathOf(old), m_local.PathOf(*name), false);
    m_local.Refill(*name);
}

void CFtpWnd::Up()
{
    if (m_active == Side::Local) {
        m_local.Up();
        return;
    }
    if (!Online())
        return;
    QString folder = m_serverFolder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    const QString left = folder.mid(folder.lastIndexOf(u'/') + 1);
    Net([](CNorvaneFtp& client, TaskContext&) { return client.ChangeDirUp(); });
    RefillServer(left);
}

void CFtpWnd::BuildModeForm(FormModel& form, int owner, int group, int others)
{
    form.title = QStringLiteral("属性の変更");
    const QString rows[3] = {QStringLiteral("所有者"), QStringLiteral("グループ"), QStringLiteral("ユーザ")};
    const QString bits[3] = {QStringLiteral("読込"), QStringLiteral("書込"), QStringLiteral("実行")};
    const int digits[3] = {owner, group, others};
    // A table cell shows no caption of its own: the rows' captions are texts
    // in front of their digits, and the boxes' captions head their columns
    // once, on one line each, which a narrow screen has room for.
    for (int b = 0; b < 3; ++b) {
        FormField& heading = form.Add(FieldKind::Label, QString());
        heading.text = bits[b];
        heading.gridRow = 0;
        heading.gridColumn = 2 + b;
    }
    for (int r = 0; r < 3; ++r) {
        FormField& caption = form.Add(FieldKind::Label, QString());
        caption.text = rows[r];
        caption.gridRow = r + 1;
        caption.gridColumn = 0;
        FormField& digit = form.AddNumber(rows[r], std::clamp(digits[r], 0, 7), 0, 7, QStringLiteral("mode%1").arg(r));
        digit.gridRow = r + 1;
        digit.gridColumn = 1;
        digit.rangeMessage = QStringLiteral("0から7までの数字を入力してください");
        for (int b = 0; b < 3; ++b) {
            FormField& box = form.AddFlag(QString(), (digits[r] >> (2 - b)) & 1, QStringLiteral("mode%1%2").arg(r).arg(b));
            box.gridRow = r + 1;
            box.gridColumn = 2 + b;
        }
    }
    // Ticking a box sets its row's digit; typing a digit sets the boxes.
    for (int r = 0; r < 3; ++r) {
        const QString digitName = QStringLiteral("mode%1").arg(r);
        form[digitName].action = [r, digitName](FormModel& f) {
            int value = 0;
            if (!f[digitName].NumberValue(value))
                return;
            for (int b = 0; b < 3; ++b)
                f[QStringLiteral("mode%1%2").arg(r).arg(b)].checked = (value >> (2 - b)) & 1;
        };
        for (int b = 0; b < 3; ++b) {
            form[QStringLiteral("mode%1%2").arg(r).arg(b)].action = [r, digitName](FormModel& f) {
                int value = 0;
                for (int k = 0; k < 3; ++k)
                    value |= f[QStringLiteral("mode%1%2").arg(r).arg(k)].checked ? 1 << (2 - k) : 0;
                f[digitName].text = QString::number(value);
            };
        }
    }
}

QString CFtpWnd::ModeDigitsText(const FormModel& form)
{
    QString digits;
    for (int r = 0; r < 3; ++r)
        digits += QString::number(std::clamp(form.Find(QStringLiteral("mode%1").arg(r))->NumberOr(0), 0, 7));
    return digits;
}

void CFtpWnd::Attributes()
{
    if (m_active != Side::Server || !Online() || m_serverFocus < 0
        || m_serverFocus >= int(m_serverRows.size()))
        return;
    const CFtpEntry entry = m_serverRows[m_serverFocus];
    if (entry.mode.isEmpty()) {
        m_ui.Message(Msg(ftpmsg::NoModes));
        return;
    }
    FormModel form;
    BuildModeForm(form, CNorvaneFtp::GetModeDigit(entry, 0), CNorvaneFtp::GetModeDigit(entry, 1),
                  CNorvaneFtp::GetModeDigit(entry, 2));
    if (m_ui.RunForm(form) != Ui::Answer::Ok)
        return;
    const QString digits = ModeDigitsText(form);
    Net([&](CNorvaneFtp& client, TaskContext&) {
        return client.ChangeMode(entry.name, digits[0].digitValue(), digits[1].digitValue(), digits[2].digitValue());
    });
    RefillServer(entry.name);
}
