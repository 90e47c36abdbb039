#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class CFtpWnd;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class FtpListView;

// The FTP window: renders a CFtpWnd and hands it the user's rows. Landscape
// puts the local and the server list side by side ("→" uploads); portrait
// shows one list at a time with a switch ("↑" uploads).
class FtpWindow : public QDialog {
public:
    FtpWindow(CFtpWnd& model, QWidget* parent);

    // Fills both lists from the model.
    void Refresh();
    QTreeWidget* ServerList() const;
    QTreeWidget* LocalList() const;
    // Portrait only: shows the server (true) or the local list.
    void ShowServerSide(bool server);

private:
    void FillServer();
    void FillLocal();
    void Act(void (CFtpWnd::*action)());
    void Act(const std::function<void(CFtpWnd&)>& action);
    std::vector<int> SelectedRows(FtpListView* list) const;
    void UpdateButtons();
    void Activate(bool server);

    CFtpWnd& m_model;
    FtpListView* m_server = nullptr;
    FtpListView* m_local = nullptr;
    QLineEdit* m_serverFolder = nullptr;
    QLineEdit* m_localFolder = nullptr;
    QCheckBox* m_ascii = nullptr;
    QPushButton* m_attributes = nullptr;
    QPushButton* m_showServer = nullptr;
    QPushButton* m_showLocal = nullptr;
    QStackedWidget* m_stack = nullptr;
    QFrame* m_serverBox = nullptr;
    QFrame* m_localBox = nullptr;
};
