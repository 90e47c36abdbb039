#include "gui/CFolderDlg.h"

#include "core/app/UiText.h"

#include "core/app/Ui.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 460;

// The folders in a folder (not the hidden ones), by their names as they
// read. Names keep their bytes: a folder with a CP932 name from a Windows
// archive can be chosen.
QStringList SubFolders(const QString& path)
{
    QStringList names;
    for (const platform::FolderEntry& e : platform::ListFolder(path))
        if ((e.kind == platform::FolderEntry::Kind::Folder || e.kind == platform::FolderEntry::Kind::FolderLink)
            && !e.name.startsWith(u'.'))
            names.append(e.name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return platform::DisplayPath(a).compare(platform::DisplayPath(b), Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString Join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

CFolderDlg::CFolderDlg(const QString& initial, Ui& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui)
{
    setWindowTitle(UiText(QStringLiteral("フォルダの指定")));
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);

    m_create = new QPushButton(UiText(QStringLiteral("フォルダ作成(&F)...")), this);
    m_create->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(QStringLiteral("キャンセル")), QDialogButtonBox::RejectRole);
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_create);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!Path().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_create, &QPushButton::clicked, this, [this] { CreateFolder(); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        m_tree->setCurrentItem(item);
        accept();
    });

    QSize size(kDefaultWidth, kDefaultHeight);
    if (const QScreen* s = parent ? parent->screen() : screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);

    QTreeWidgetItem* root = AddFolder(nullptr, QStringLiteral("/"), QStringLiteral("/"));
    if (initial.isEmpty() || !SelectPath(initial)) {
        root->setExpanded(true);
        m_tree->setCurrentItem(root);
    }
}

QString CFolderDlg::PathOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kPathRole).toString() : QString();
}

QString CFolderDlg::Path() const
{
    return PathOf(m_tree->currentItem());
}

QTreeWidgetItem* CFolderDlg::AddFolder(QTreeWidgetItem* parent, const QString& name,
                                       const QString& path)
{
    static const QFileIconProvider icons;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, platform::DisplayPath(name));
    item->setIcon(0, icons.icon(QFileIconProvider::Folder));
    item->setData(0, kPathRole, path);
    item->setData(0, kFilledRole, false);
    // Whether a folder has subfolders is learnt when it is opened.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void CFolderDlg::Fill(QTreeWidgetItem* item)
{
    if (item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const QString path = PathOf(item);
    const QStringList names = SubFolders(path);
    for (const QString& name : names)
        AddFolder(item, name, Join(path, name));
    if (names.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool CFolderDlg::SelectPath(const QString& path)
{
    if (!platform::IsFolder(path))
        return false;
    const QString target = platform::AbsolutePath(path);
    QTreeWidgetItem* item = m_tree->topLevelItem(0);
    const QStringList parts = target.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        Fill(item);
        QTreeWidgetItem* next = nullptr;
        const QString partPath = Join(PathOf(item), part);
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (PathOf(item->child(i)) == partPath)
                next = item->child(i);
        // Hidden folders are not listed; one on the way is added so that
        // the tree can still show the path.
        if (!next)
            next = AddFolder(item, part, partPath);
        item->setExpanded(true);
        item = next;
    }
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    return true;
}

bool CFolderDlg::CreateFolder()
{
    QTreeWidgetItem* parent = m_tree->currentItem();
    if (!parent)
        return false;
    const std::optional<QString> name =
        m_ui.Input(windowTitle(), UiText(QStringLiteral("フォルダ名を入力してください")));
    if (!name || name->isEmpty())
        return false;
    const QString path = PathOf(parent);
    // A name that is a path would create the folder somewhere else than the
    // selected one, or nowhere.
    const bool validName = !name->contains(u'/') && *name != u"." && *name != u"..";
    const QString folder = Join(path, *name);
    if (!validName || platform::PathExists(folder) || !platform::MakeFolders(folder)) {
        m_ui.Message(UiText(QStringLiteral("フォルダを作成できませんでした\n")) + platform::DisplayPath(folder));
        return false;
    }
    Fill(parent);
    QTreeWidgetItem* created = nullptr;
    for (int i = 0; i < parent->childCount() && !created; ++i)
        if (PathOf(parent->child(i)) == folder)
            created = parent->child(i);
    if (!created)
        created = AddFolder(parent, *name, folder);
    parent->setExpanded(true);
    m_tree->setCurrentItem(created);
    return true;
}
