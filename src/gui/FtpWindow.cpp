#include "gui/FtpWindow.h"

#include "core/ftp/CFtpWnd.h"

#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

// A list of one side. Rows dragged from it carry the side's name; a drop
// from the other side (or files from the desktop onto the server) copies.
class FtpListView : public QTreeWidget {
public:
    FtpListView(bool server, QWidget* parent) : QTreeWidget(parent), m_server(server)
    {
        setObjectName(server ? QStringLiteral("server") : QStringLiteral("local"));
        setRootIsDecorated(false);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setAllColumnsShowFocus(true);
        setUniformRowHeights(true);
        setSortingEnabled(false);
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(false);
        setDragDropMode(QAbstractItemView::DragDrop);
        const QStringList columns = {QStringLiteral("名前"), QStringLiteral("日付"), QStringLiteral("サイズ"),
                                     server ? QStringLiteral("属性") : QStringLiteral("種類")};
        setHeaderLabels(columns);
        headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        header()->setSectionsClickable(true);
        header()->setSortIndicatorShown(true);
        for (int c = 0; c < 4; ++c)
            setColumnWidth(c, 100);
        // A whole date and time needs more than the others.
        setColumnWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00")) + 16);
    }

    std::function<void()> onFocus;
    std::function<void()> onDropFromOther;
    std::function<void(const QStringList&)> onDropFiles;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QTreeWidget::focusInEvent(event);
        if (onFocus)
            onFocus();
    }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>&) const override
    {
        auto* data = new QMimeData;
        data->setData(Mime(), m_server ? "server" : "local");
        return data;
    }
    QStringList mimeTypes() const override { return {Mime(), QStringLiteral("text/uri-list")}; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (Accepts(event->mimeData()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (Accepts(event->mimeData()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override
    {
        const QMimeData* data = event->mimeData();
        if (!Accepts(data)) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        if (data->hasFormat(Mime())) {
            if (onDropFromOther)
                onDropFromOther();
            return;
        }
        QStringList paths;
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                paths << url.toLocalFile();
        }
        if (!paths.isEmpty() && onDropFiles)
            onDropFiles(paths);
    }

private:
    static QString Mime() { return QStringLiteral("application/x-kelvopad-ftp-rows"); }
    bool Accepts(const QMimeData* data) const
    {
        if (data->hasFormat(Mime()))
            return data->data(Mime()) != (m_server ? "server" : "local");
        return m_server && data->hasUrls();
    }

    bool m_server;
};

FtpWindow::FtpWindow(CFtpWnd& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("ftp"));
    const bool portrait = model.Portrait();
    m_server = new FtpListView(true, this);
    m_local = new FtpListView(false, this);
    m_serverFolder = new QLineEdit(this);
    m_localFolder = new QLineEdit(this);
    for (QLineEdit* edit : {m_serverFolder, m_localFolder})
        edit->setReadOnly(true);
    m_serverFolder->setObjectName(QStringLiteral("serverFolder"));
    m_localFolder->setObjectName(QStringLiteral("localFolder"));

    auto button = [this](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* upload = button(portrait ? QStringLiteral("↑") : QStringLiteral("→"), QStringLiteral("upload"));
    QPushButton* download = button(portrait ? QStringLiteral("↓") : QStringLiteral("←"), QStringLiteral("download"));
    QPushButton* remove = button(QStringLiteral("削除"), QStringLiteral("delete"));
    QPushButton* rename = button(QStringLiteral("変更"), QStringLiteral("rename"));
    QPushButton* create = button(QStringLiteral("作成"), QStringLiteral("create"));
    QPushButton* move = button(QStringLiteral("移動"), QStringLiteral("move"));
    QPushButton* up = button(QStringLiteral("上へ"), QStringLiteral("up"));
    m_attributes = button(QStringLiteral("属性"), QStringLiteral("attributes"));
    m_ascii = new QCheckBox(QStringLiteral("ASCII"), this);
    m_ascii->setObjectName(QStringLiteral("ascii"));
    m_ascii->setChecked(model.Ascii());

    auto* buttons = new QGridLayout;
    const QList<QWidget*> order = {upload, download, remove, create, move, rename, up, m_attributes, m_ascii};
    const int perRow = portrait ? 3 : 9;
    for (int i = 0; i < order.size(); ++i)
        buttons->addWidget(order[i], i / perRow, i % perRow);

    auto side = [this](QLineEdit* folder, QTreeWidget* list) {
        auto* box = new QWidget(this);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(folder);
        layout->addWidget(list, 1);
        return box;
    };
    QWidget* serverBox = side(m_serverFolder, m_server);
    QWidget* localBox = side(m_localFolder, m_local);

    auto* layout = new QVBoxLayout(this);
    if (portrait) {
        // One list at a time: a narrow screen has no room for two.
        m_showServer = button(QStringLiteral("サーバ"), QStringLiteral("showServer"));
        m_showLocal = button(QStringLiteral("ローカル"), QStringLiteral("showLocal"));
        for (QPushButton* b : {m_showServer, m_showLocal})
            b->setCheckable(true);
        auto* switches = new QHBoxLayout;
        switches->addWidget(m_showServer);
        switches->addWidget(m_showLocal);
        layout->addLayout(switches);
        m_stack = new QStackedWidget(this);
        m_stack->addWidget(serverBox);
        m_stack->addWidget(localBox);
        layout->addWidget(m_stack, 1);
        connect(m_showServer, &QPushButton::clicked, this, [this] { ShowServerSide(true); });
        connect(m_showLocal, &QPushButton::clicked, this, [this] { ShowServerSide(false); });
        // Dropping onto the switch of the other side copies there.
        ShowServerSide(true);
    } else {
        auto* lists = new QHBoxLayout;
        lists->addWidget(localBox, 1);
        lists->addWidget(serverBox, 1);
        layout->addLayout(lists, 1);
    }
    layout->addLayout(buttons);

    m_server->onFocus = [this] { Activate(true); };
    m_local->onFocus = [this] { Activate(false); };
    m_server->onDropFromOther = [this] {
        m_model.Upload(SelectedRows(m_local));
        Refresh();
    };
    m_local->onDropFromOther = [this] {
        m_model.Download(SelectedRows(m_server));
        Refresh();
    };
    m_server->onDropFiles = [this](const QStringList& paths) {
        m_model.UploadPaths(paths);
        Refresh();
    };

    connect(m_ascii, &QCheckBox::toggled, this, [this](bool on) { m_model.SetAscii(on); });
    connect(upload, &QPushButton::clicked, this, [this] {
        m_model.Upload(SelectedRows(m_local));
        Refresh();
    });
    connect(download, &QPushButton::clicked, this, [this] {
        m_model.Download(SelectedRows(m_server));
        Refresh();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_model.Delete(SelectedRows(m_model.ActiveSide() == CFtpWnd::Side::Server ? m_server : m_local));
        Refresh();
    });
    connect(create, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Create); });
    connect(move, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Move); });
    connect(rename, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Rename); });
    connect(up, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Up); });
    connect(m_attributes, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Attributes); });

    connect(m_server, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_model.OpenServerRow(m_server->indexOfTopLevelItem(item));
        Refresh();
    });
    connect(m_local, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_model.OpenLocalRow(m_local->indexOfTopLevelItem(item));
        Refresh();
    });
    connect(m_server->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model.ClickServerColumn(column);
        FillServer();
    });
    connect(m_local->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model.Local().ClickColumn(column);
        FillLocal();
    });
    connect(m_server, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_model.SetServerFocusedRow(item ? m_server->indexOfTopLevelItem(item) : -1);
    });
    connect(m_local, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_model.Local().SetFocusedRow(item ? m_local->indexOfTopLevelItem(item) : -1);
    });

    Refresh();
    m_server->setFocus();
    Activate(true);
}

QTreeWidget* FtpWindow::ServerList() const
{
    return m_server;
}

QTreeWidget* FtpWindow::LocalList() const
{
    return m_local;
}

void FtpWindow::ShowServerSide(bool server)
{
    if (!m_stack)
        return;
    m_stack->setCurrentIndex(server ? 0 : 1);
    m_showServer->setChecked(server);
    m_showLocal->setChecked(!server);
    (server ? m_server : m_local)->setFocus();
    Activate(server);
}

void FtpWindow::Activate(bool server)
{
    m_model.SetActiveSide(server ? CFtpWnd::Side::Server : CFtpWnd::Side::Local);
    UpdateButtons();
}

void FtpWindow::UpdateButtons()
{
    m_attributes->setEnabled(m_model.AttributesEnabled());
}

void FtpWindow::Act(void (CFtpWnd::*action)())
{
    const bool server = m_model.ActiveSide() == CFtpWnd::Side::Server;
    (m_model.*action)();
    Refresh();
    (server ? m_server : m_local)->setFocus();
}

std::vector<int> FtpWindow::SelectedRows(FtpListView* list) const
{
    std::vector<int> rows;
    for (QTreeWidgetItem* item : list->selectedItems())
        rows.push_back(list->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

static void FillTree(QTreeWidget* tree, int count, const std::function<QStringList(int)>& texts, int focus,
                     int sortColumn, bool descending)
{
    const QSignalBlocker block(tree);
    tree->clear();
    QList<QTreeWidgetItem*> items;
    for (int r = 0; r < count; ++r) {
        auto* item = new QTreeWidgetItem(texts(r));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    tree->addTopLevelItems(items);
    tree->header()->setSortIndicator(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (focus >= 0 && focus < count) {
        tree->setCurrentItem(items[focus]);
        tree->scrollToItem(items[focus]);
    }
}

void FtpWindow::FillServer()
{
    FillTree(m_server, int(m_model.ServerRows().size()), [this](int r) { return m_model.ServerRowTexts(r); },
             m_model.ServerFocusedRow(), m_model.ServerSortColumn(), m_model.ServerSortDescending());
    m_serverFolder->setText(m_model.ServerFolderText());
}

void FtpWindow::FillLocal()
{
    const CFileList& local = m_model.Local();
    FillTree(m_local, int(local.Rows().size()), [&local](int r) { return local.RowTexts(r); },
             local.FocusedRow(), local.SortColumn(), local.SortDescending());
    m_localFolder->setText(m_model.LocalFolderText());
}

void FtpWindow::Refresh()
{
    FillServer();
    FillLocal();
    UpdateButtons();
}
