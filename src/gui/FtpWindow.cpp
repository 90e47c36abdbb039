#include "gui/FtpWindow.h"

#include "core/app/UiText.h"

#include "core/ftp/CFtpWnd.h"

#include <QCheckBox>
#include <QDataStream>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

const QString kRowsMime = QStringLiteral("application/x-kelvopad-ftp-rows");

// Rows dragged out of one list: the side they come from and their names.
// Names, not row numbers: the list may have been refilled by the time the
// drop is handled.
QByteArray RowsMimeData(bool server, const QStringList& names)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << server << names;
    return bytes;
}

} // namespace

// What a drop onto one side brings: rows of the other list, or files from
// the desktop (the server side only).
struct FtpDrop {
    QStringList names;  // rows of the other list
    QStringList paths;  // local files
};

// Takes drags and drops for one side: the list's viewport, and in portrait
// also the switch that shows the side.
class FtpDropTarget : public QObject {
public:
    FtpDropTarget(bool server, QObject* parent) : QObject(parent), m_server(server) {}

    void Watch(QWidget* widget)
    {
        widget->setAcceptDrops(true);
        widget->installEventFilter(this);
    }

    std::function<void(const FtpDrop&)> onDrop;

    std::optional<FtpDrop> Read(const QMimeData* data) const
    {
        if (!data)
            return std::nullopt;
        if (data->hasFormat(kRowsMime)) {
            QDataStream in(data->data(kRowsMime));
            bool fromServer = false;
            FtpDrop drop;
            in >> fromServer >> drop.names;
            if (in.status() != QDataStream::Ok || fromServer == m_server || drop.names.isEmpty())
                return std::nullopt;
            return drop;
        }
        if (!m_server || !data->hasUrls())
            return std::nullopt;
        FtpDrop drop;
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                drop.paths << url.toLocalFile();
        }
        if (drop.paths.isEmpty())
            return std::nullopt;
        return drop;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (Read(drag->mimeData())) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<FtpDrop> content = Read(drop->mimeData());
            if (!content) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // The copy runs after the drop has returned: the file manager
            // that started the drag is not kept waiting for a transfer.
            if (onDrop) {
                const FtpDrop copy = *content;
                QTimer::singleShot(0, this, [this, copy] {
                    if (onDrop)
                        onDrop(copy);
                });
            }
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    bool m_server;
};

// A list of one side. Rows dragged from it carry the side and their names.
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
        setDropIndicatorShown(false);
        setDragDropMode(QAbstractItemView::DragOnly);
        setDefaultDropAction(Qt::CopyAction);
        const QStringList columns = {UiText(QStringLiteral("名前")), UiText(QStringLiteral("日付")), UiText(QStringLiteral("サイズ")),
                                     server ? UiText(QStringLiteral("属性")) : UiText(QStringLiteral("種類"))};
        setHeaderLabels(columns);
        headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        header()->setSectionsClickable(true);
        header()->setSortIndicatorShown(true);
        header()->setStretchLastSection(false);
        header()->setMinimumSectionSize(24);
    }

    // The short columns take what their texts need and the name the rest;
    // where that is too little for the names, they keep up to half the
    // list and the list scrolls sideways to the other columns.
    void FitColumns()
    {
        const int room = viewport()->width();
        int others = 0;
        for (int c = 1; c < columnCount(); ++c) {
            resizeColumnToContents(c);
            others += columnWidth(c);
        }
        const int names = std::min(sizeHintForColumn(0), room / 2);
        setColumnWidth(0, std::max({room - others, names, 4 * fontMetrics().averageCharWidth()}));
    }

    // Select-all takes the files and folders, never the way up.
    void selectAll() override
    {
        QTreeWidget::selectAll();
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = topLevelItem(i);
            if (item->data(0, Qt::UserRole).toString() == u"..")
                item->setSelected(false);
        }
    }

    std::function<void()> onFocus;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QTreeWidget::focusInEvent(event);
        if (onFocus)
            onFocus();
    }
    // The viewport narrows when the vertical scroll bar comes, without the
    // list changing its size.
    bool viewportEvent(QEvent* event) override
    {
        const bool taken = QTreeWidget::viewportEvent(event);
        if (event->type() == QEvent::Resize)
            FitColumns();
        return taken;
    }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        QStringList names;
        for (QTreeWidgetItem* item : items) {
            names << item->data(0, Qt::UserRole).toString();
        }
        auto* data = new QMimeData;
        data->setData(kRowsMime, RowsMimeData(m_server, names));
        return data;
    }
    QStringList mimeTypes() const override { return {kRowsMime}; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

private:
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
        // The style would make every button at least 80 pixels wide, which
        // three in a row on a 240 pixel screen cannot be.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 2 * b->fontMetrics().height());
        return b;
    };
    QPushButton* upload = button(portrait ? QStringLiteral("↑") : QStringLiteral("→"), QStringLiteral("upload"));
    QPushButton* download = button(portrait ? QStringLiteral("↓") : QStringLiteral("←"), QStringLiteral("download"));
    QPushButton* remove = button(UiText(QStringLiteral("削除")), QStringLiteral("delete"));
    QPushButton* rename = button(UiText(QStringLiteral("変更")), QStringLiteral("rename"));
    QPushButton* create = button(UiText(QStringLiteral("作成")), QStringLiteral("create"));
    QPushButton* move = button(UiText(QStringLiteral("移動")), QStringLiteral("move"));
    QPushButton* up = button(UiText(QStringLiteral("上へ")), QStringLiteral("up"));
    m_attributes = button(UiText(QStringLiteral("属性")), QStringLiteral("attributes"));
    m_ascii = new QCheckBox(QStringLiteral("ASCII"), this);
    m_ascii->setObjectName(QStringLiteral("ascii"));
    m_ascii->setChecked(model.Ascii());

    auto* buttons = new QGridLayout;
    const QList<QWidget*> order = {upload, download, remove, create, move, rename, up, m_attributes, m_ascii};
    const int perRow = portrait ? 3 : 9;
    for (int i = 0; i < order.size(); ++i)
        buttons->addWidget(order[i], i / perRow, i % perRow);

    // The side the buttons act on is framed in the highlight colour.
    auto side = [this](QLineEdit* folder, QTreeWidget* list) {
        auto* box = new QFrame(this);
        box->setObjectName(QStringLiteral("side"));
        box->setStyleSheet(QStringLiteral("QFrame#side { border: 2px solid transparent; }"
                                          "QFrame#side[active=\"true\"] { border-color: palette(highlight); }"));
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addWidget(folder);
        layout->addWidget(list, 1);
        return box;
    };
    m_serverBox = side(m_serverFolder, m_server);
    m_localBox = side(m_localFolder, m_local);

    auto* layout = new QVBoxLayout(this);
    if (portrait) {
        // One list at a time: a narrow screen has no room for two.
        m_showServer = button(UiText(QStringLiteral("サーバ")), QStringLiteral("showServer"));
        m_showLocal = button(UiText(QStringLiteral("ローカル")), QStringLiteral("showLocal"));
        for (QPushButton* b : {m_showServer, m_showLocal})
            b->setCheckable(true);
        auto* switches = new QHBoxLayout;
        switches->addWidget(m_showServer);
        switches->addWidget(m_showLocal);
        layout->addLayout(switches);
        m_stack = new QStackedWidget(this);
        m_stack->addWidget(m_serverBox);
        m_stack->addWidget(m_localBox);
        layout->addWidget(m_stack, 1);
        connect(m_showServer, &QPushButton::clicked, this, [this] { ShowServerSide(true); });
        connect(m_showLocal, &QPushButton::clicked, this, [this] { ShowServerSide(false); });
        ShowServerSide(true);
    } else {
        auto* lists = new QHBoxLayout;
        lists->addWidget(m_localBox, 1);
        lists->addWidget(m_serverBox, 1);
        layout->addLayout(lists, 1);
    }
    layout->addLayout(buttons);

    m_server->onFocus = [this] { Activate(true); };
    m_local->onFocus = [this] { Activate(false); };
    // Rows dropped on the other list, or files from the desktop on the
    // server list, copy; in portrait the other list is hidden, so its switch
    // takes the drop as well.
    auto* serverDrops = new FtpDropTarget(true, this);
    auto* localDrops = new FtpDropTarget(false, this);
    serverDrops->Watch(m_server->viewport());
    localDrops->Watch(m_local->viewport());
    if (portrait) {
        serverDrops->Watch(m_showServer);
        localDrops->Watch(m_showLocal);
    }
    serverDrops->onDrop = [this](const FtpDrop& drop) {
        if (!drop.paths.isEmpty()) {
            m_model.UploadPaths(drop.paths);
        } else {
            std::vector<int> rows;
            for (const QString& name : drop.names)
                rows.push_back(m_model.Local().FindRow(name));
            m_model.Upload(rows);
        }
        Refresh();
    };
    localDrops->onDrop = [this](const FtpDrop& drop) {
        std::vector<int> rows;
        for (const QString& name : drop.names)
            rows.push_back(m_model.FindServerRow(name));
        m_model.Download(rows);
        Refresh();
    };

    connect(m_ascii, &QCheckBox::toggled, this, [this](bool on) { m_model.SetAscii(on); });
    connect(upload, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows = SelectedRows(m_local);
        Act([rows](CFtpWnd& model) { model.Upload(rows); });
    });
    connect(download, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows = SelectedRows(m_server);
        Act([rows](CFtpWnd& model) { model.Download(rows); });
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows =
            SelectedRows(m_model.ActiveSide() == CFtpWnd::Side::Server ? m_server : m_local);
        Act([rows](CFtpWnd& model) { model.Delete(rows); });
    });
    connect(create, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Create); });
    connect(move, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Move); });
    connect(rename, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Rename); });
    connect(up, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Up); });
    connect(m_attributes, &QPushButton::clicked, this, [this] { Act(&CFtpWnd::Attributes); });

    // A double-click, or Enter on a row, opens a folder.
    connect(m_server, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        m_model.OpenServerRow(m_server->indexOfTopLevelItem(item));
        Refresh();
    });
    connect(m_local, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
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

    // The keys a file manager gives these buttons, in either list.
    const std::pair<QKeySequence, QPushButton*> keys[] = {
        {QKeySequence::Delete, remove}, {QKeySequence(Qt::Key_F2), rename}, {QKeySequence(Qt::Key_Backspace), up}};
    for (QTreeWidget* list : {static_cast<QTreeWidget*>(m_server), static_cast<QTreeWidget*>(m_local)}) {
        for (const auto& [key, target] : keys) {
            auto* shortcut = new QShortcut(key, list);
            shortcut->setContext(Qt::WidgetShortcut);
            connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
        }
    }

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
    for (QFrame* box : {m_serverBox, m_localBox}) {
        box->setProperty("active", box == (server ? m_serverBox : m_localBox));
        box->style()->unpolish(box);
        box->style()->polish(box);
    }
    UpdateButtons();
}

void FtpWindow::UpdateButtons()
{
    m_attributes->setEnabled(m_model.AttributesEnabled());
}

void FtpWindow::Act(void (CFtpWnd::*action)())
{
    Act([action](CFtpWnd& model) { (model.*action)(); });
}

void FtpWindow::Act(const std::function<void(CFtpWnd&)>& action)
{
    // The list the button acted on gets the focus back.
    const bool server = m_model.ActiveSide() == CFtpWnd::Side::Server;
    action(m_model);
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

static void FillTree(FtpListView* tree, int count, const std::function<QStringList(int)>& texts,
                     const std::function<QString(int)>& names, int focus, int sortColumn, bool descending)
{
    const QSignalBlocker block(tree);
    tree->clear();
    QList<QTreeWidgetItem*> items;
    for (int r = 0; r < count; ++r) {
        auto* item = new QTreeWidgetItem(texts(r));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, names(r));
        items << item;
    }
    tree->addTopLevelItems(items);
    tree->header()->setSortIndicator(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    tree->FitColumns();
    if (focus >= 0 && focus < count) {
        tree->setCurrentItem(items[focus]);
        tree->scrollToItem(items[focus]);
    }
}

void FtpWindow::FillServer()
{
    FillTree(m_server, int(m_model.ServerRows().size()), [this](int r) { return m_model.ServerRowTexts(r); },
             [this](int r) { return m_model.ServerRows()[r].name; },
             m_model.ServerFocusedRow(), m_model.ServerSortColumn(), m_model.ServerSortDescending());
    // A lost connection shows where the folder would be.
    m_serverFolder->setText(m_model.Connected() ? m_model.ServerFolderText()
                                                : UiText(QStringLiteral("（接続が切れています）")));
}

void FtpWindow::FillLocal()
{
    const CFileList& local = m_model.Local();
    FillTree(m_local, int(local.Rows().size()), [&local](int r) { return local.RowTexts(r); },
             [&local](int r) { return local.Rows()[r].FullName(); },
             local.FocusedRow(), local.SortColumn(), local.SortDescending());
    m_localFolder->setText(m_model.LocalFolderText());
}

void FtpWindow::Refresh()
{
    FillServer();
    FillLocal();
    UpdateButtons();
}
