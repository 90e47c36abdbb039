#pragma once

#include "core/ftp/CFileList.h"
#include "core/ftp/CFtpEntry.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CNorvaneFtp;
class FormModel;
class TaskContext;
class TaskRunner;
class Ui;

namespace platform {
class SettingsStore;
}

// The FTP window as a model: the local folder list, the server folder list
// of one connected client, the buttons and their messages. The window in the
// GUI renders it and hands it the user's rows; tests drive it directly.
//
// The client lives on the runner's thread: every network step goes through
// Net(), which runs it there (the desktop program shows a progress window
// with Cancel meanwhile). The model keeps a copy of the last listing, so
// drawing never touches the client.
class CFtpWnd {
public:
    enum class Side { Server, Local };

    // `client` belongs to the runner's thread and stays owned by the caller.
    CFtpWnd(Ui& ui, platform::SettingsStore& settings, TaskRunner& runner, CNorvaneFtp& client);
    ~CFtpWnd();

    // Lists the documents folder and the server folder.
    void Start();
    // Chosen from the screen: narrower than tall.
    bool Portrait() const { return m_portrait; }
    void SetPortrait(bool portrait) { m_portrait = portrait; }

    Side ActiveSide() const { return m_active; }
    void SetActiveSide(Side side) { m_active = side; }
    bool Ascii() const { return m_ascii; }
    void SetAscii(bool ascii) { m_ascii = ascii; }

    CFileList& Local() { return m_local; }
    const CFileList& Local() const { return m_local; }
    QString LocalFolderText() const { return m_local.Folder(); }
    QString ServerFolderText() const { return m_serverFolder; }

    // Server rows in display order.
    const std::vector<CFtpEntry>& ServerRows() const { return m_serverRows; }
    QStringList ServerRowTexts(int row) const;
    int ServerFocusedRow() const { return m_serverFocus; }
    void SetServerFocusedRow(int row) { m_serverFocus = row; }
    int ServerSortColumn() const { return m_sortColumn; }
    bool ServerSortDescending() const { return m_descending; }
    void ClickServerColumn(int column);
    int FindServerRow(const QString& name) const;

    // Double-clicks.
    void OpenServerRow(int row);
    void OpenLocalRow(int row);

    // The buttons. `rows` are the selected rows of the list the button acts
    // on; with none, the focused row is used.
    void Upload(const std::vector<int>& localRows);
    void Download(const std::vector<int>& serverRows);
    // Files given by path (dropped from the desktop) go to the server folder.
    void UploadPaths(const QStringList& localPaths);
    void Delete(const std::vector<int>& rows);
    void Create();
    void Move();
    void Rename();
    void Up();
    void Attributes();
    bool AttributesEnabled() const { return m_active == Side::Server; }

    // Refills the server list; `focus` names the row to focus. False (after
    // the message) when the listing failed or the connection is gone.
    bool RefillServer(const QString& focus = QString());
    // False once the connection was found lost (and not made again): the
    // server rows are then empty and every server step offers to reconnect.
    bool Connected() const { return m_connected; }
    // Logs in again and returns to the server folder shown last.
    bool Reconnect();

    // The permissions form: three digits and nine boxes kept in step.
    static void BuildModeForm(FormModel& form, int owner, int group, int others);
    static QString ModeDigitsText(const FormModel& form);

private:
    struct Transfer {
        QString localPath;
        QString name;
        qint64 offset = 0;  // resumed from here
    };

    bool Net(const std::function<bool(CNorvaneFtp&, TaskContext&)>& step);
    // True when connected, else after the user chose to reconnect and it
    // worked.
    bool Online();
    void SortServer();
    std::vector<int> RowsOrFocus(const std::vector<int>& rows, int focused, int count) const;
    // What a copy does with a file that is already there.
    enum class Existing { Overwrite, Resume, Skip, Stop };
    struct FileState {
        QDateTime time;
        qint64 size = -1;
    };
    // Asks before a newer file is overwritten, and offers to go on with one
    // that is shorter than its source (an interrupted copy). An answer "for
    // the rest" holds until the next copy.
    Existing ConfirmOverwrite(const QString& name, const FileState& target, const FileState& source, bool toServer);
    void UploadFiles(const std::vector<Transfer>& files);

    Ui& m_ui;
    platform::SettingsStore& m_settings;
    TaskRunner& m_runner;
    CNorvaneFtp& m_client;

    CFileList m_local;
    std::vector<CFtpEntry> m_serverRows;
    QString m_serverFolder;
    int m_serverFocus = -1;
    int m_sortColumn = 0;
    bool m_descending = false;
    bool m_portrait = false;
    bool m_ascii = false;
    bool m_connected = true;
    bool m_refused = false;  // the last network step was refused, and said so
    QString m_cause;         // why the last network step failed
    std::optional<Existing> m_forRest;  // the overwrite answer for the rest of a copy
    Side m_active = Side::Server;
};
