#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Ui;

// The folder chooser "フォルダの指定": a tree of the file system's folders,
// filled as folders are expanded, opened down to the initial folder. OK or
// a double-click on a folder gives the selected folder's full path;
// "フォルダ作成(&F)..." asks for a name and creates that folder inside the
// selected one.
class CFolderDlg : public QDialog {
    Q_OBJECT
public:
    // The name of a new folder is asked through the Ui.
    CFolderDlg(const QString& initial, Ui& ui, QWidget* parent = nullptr);

    // The selected folder's full path; empty when none is selected.
    QString Path() const;
    // Selects a folder, opening the tree down to it; false when it does not
    // exist.
    bool SelectPath(const QString& path);
    // Asks for a name and creates the folder inside the selected one. When
    // that fails (the folder exists, no permission, a name that is a path)
    // the Ui says so and the tree is left as it was.
    bool CreateFolder();

    QTreeWidget* Tree() const { return m_tree; }
    QPushButton* CreateButton() const { return m_create; }

private:
    void Fill(QTreeWidgetItem* item);
    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const QString& name,
                               const QString& path);
    static QString PathOf(const QTreeWidgetItem* item);

    Ui& m_ui;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_create = nullptr;
};
