#include "gui/FileChooser.h"

#include "core/app/UiText.h"
#include "gui/DialogRoom.h"
#include "gui/QtUi.h"
#include "gui/QuestionBox.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>

namespace {

// Below this width the captions give their room to the fields, which say
// what they hold instead.
constexpr int kNarrowScreenWidth = 480;
constexpr int kNarrowMargin = 4;
constexpr int kComboCharacters = 6;
const QSize kDesktopSize(640, 460);

} // namespace

// The entries of the folder as the list shows them.
class EntryListModel : public QAbstractListModel {
public:
    explicit EntryListModel(const FileChooserModel& model, QObject* parent)
        : QAbstractListModel(parent), m_model(model)
    {
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_model.Visible().size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(m_model.Visible().size()))
            return {};
        const FileChooserModel::Entry& e = m_model.Visible()[index.row()];
        if (role == Qt::DisplayRole)
            return e.shown;
        if (role == Qt::DecorationRole) {
            static const QFileIconProvider icons;
            return icons.icon(e.folder ? QFileIconProvider::Folder : QFileIconProvider::File);
        }
        return {};
    }

private:
    const FileChooserModel& m_model;
};

FileChooser::FileChooser(const Ui::FileDialog& dialog, QWidget* parent)
    : QDialog(parent), m_model(dialog)
{
    setWindowTitle(UiText(dialog.title));
    const QSize room = DialogRoom(*this);
    const bool narrow = room.width() < kNarrowScreenWidth;

    m_folderField = new QLineEdit(this);
    auto* up = new QToolButton(this);
    up->setText(UiText(QStringLiteral("上へ")));
    up->setToolTip(UiText(QStringLiteral("上のフォルダへ (Alt+↑)")));
    up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    up->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* create = new QToolButton(this);
    const QString createCaption = UiText(QStringLiteral("フォルダ作成(&F)..."));
    create->setText(createCaption);
    create->setToolTip(QtUi::WithoutMnemonic(createCaption));
    create->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    create->setToolButtonStyle(narrow ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);

    m_entries = new EntryListModel(m_model, this);
    m_list = new QTreeView(this);
    m_list->setModel(m_entries);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long names lose their middle, so that the extension stays in sight.
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->header()->setStretchLastSection(true);

    m_name = new QLineEdit(this);
    auto* types = new QComboBox(this);
    types->addItems(m_model.TypeNames());
    types->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    types->setMinimumContentsLength(kComboCharacters);
    types->setVisible(types->count() > 0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* acceptButton = buttons->addButton(
        UiText(dialog.save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)")),
        QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(QStringLiteral("キャンセル")), QDialogButtonBox::RejectRole);
    acceptButton->setDefault(true);

    auto* grid = new QGridLayout(this);
    auto caption = [&](const QString& text, QWidget* buddy, int row) {
        // The dialog's labels underline their mnemonic; on a narrow screen
        // the field says what it holds.
        auto* label = new QLabel(UiText(text), this);
        label->setBuddy(buddy);
        label->setVisible(!narrow);
        grid->addWidget(label, row, 0);
    };
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderField, 1);
    folderRow->addWidget(up);
    folderRow->addWidget(create);
    caption(QStringLiteral("ファイルの場所(&I):"), m_folderField, 0);
    grid->addLayout(folderRow, 0, 1);
    grid->addWidget(m_list, 1, 0, 1, 2);
    caption(QStringLiteral("ファイル名(&N):"), m_name, 2);
    grid->addWidget(m_name, 2, 1);
    if (types->count() > 0) {
        caption(QStringLiteral("ファイルの種類(&T):"), types, 3);
        grid->addWidget(types, 3, 1);
    }
    grid->addWidget(buttons, 4, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    if (narrow) {
        grid->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
        grid->setHorizontalSpacing(0);
        m_name->setPlaceholderText(
            QtUi::WithoutMnemonic(UiText(QStringLiteral("ファイル名(&N):"))).remove(u':'));
    }

    connect(buttons, &QDialogButtonBox::accepted, this, &FileChooser::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(up, &QToolButton::clicked, this, &FileChooser::GoUp);
    connect(create, &QToolButton::clicked, this, &FileChooser::CreateFolder);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Up), this), &QShortcut::activated, this,
            &FileChooser::GoUp);
    connect(m_name, &QLineEdit::textEdited, this, &FileChooser::NameEdited);
    connect(types, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.SetTypeIndex(index);
        m_entries->Reset();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FileChooser::CurrentChanged);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        Choose(m_model.Resolve(QString(), index.row()), true);
    });
    m_list->installEventFilter(this);
    m_name->installEventFilter(this);

    m_fileName = m_model.InitialName();
    m_name->setText(m_fileName);
    m_typed = m_fileName;
    m_model.SetTypedName(m_fileName);
    ShowFolder();
    m_name->selectAll();
    m_name->setFocus();

    setMaximumSize(room);
    resize(narrow ? room : kDesktopSize.boundedTo(room));
}

FileChooser::~FileChooser() = default;

Ui::Question FileChooser::OverwriteQuestion(const QString& path)
{
    Ui::Question q;
    q.text = UiText(QStringLiteral("%1 は既に存在します。\n上書きしますか？"))
                 .arg(platform::DisplayPath(path.mid(path.lastIndexOf(u'/') + 1)));
    q.icon = Ui::Icon::Warning;
    q.buttons = {{Ui::Answer::Yes, QStringLiteral("はい(&Y)")}, {Ui::Answer::No, QStringLiteral("いいえ(&N)")}};
    q.escape = Ui::Answer::No;
    q.preferred = Ui::Answer::No;
    return q;
}

void FileChooser::Say(const QString& text)
{
    QuestionBox(QuestionBox::MessageQuestion(text, Ui::Icon::Warning), this).Run();
}

void FileChooser::ShowFolder()
{
    m_entries->Reset();
    m_folderField->setText(platform::DisplayPath(m_model.Folder()));
    // The end of a long path is the part that tells where one is.
    m_folderField->setCursorPosition(int(m_folderField->text().size()));
    m_listChoseLast = false;
}

bool FileChooser::GoTo(const QString& folder)
{
    if (!m_model.SetFolder(folder)) {
        Say(UiText(QStringLiteral("フォルダーを開けません - ")) + platform::DisplayPath(folder));
        return false;
    }
    ShowFolder();
    return true;
}

void FileChooser::GoUp()
{
    const QString from = m_model.Folder();
    const QString parent = m_model.ParentFolder();
    if (parent.isEmpty() || !GoTo(parent))
        return;
    // The folder just left is where one goes on from.
    const QString name = from.mid(from.lastIndexOf(u'/') + 1);
    const std::vector<FileChooserModel::Entry>& visible = m_model.Visible();
    for (size_t i = 0; i < visible.size(); ++i)
        if (visible[i].name == name)
            SelectRow(int(i));
}

int FileChooser::CurrentRow() const
{
    const QModelIndex index = m_list->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void FileChooser::SelectRow(int row)
{
    m_selecting = true;
    if (row < 0) {
        m_list->selectionModel()->clear();
    } else {
        const QModelIndex index = m_entries->index(row, 0);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }
    m_selecting = false;
}

void FileChooser::CurrentChanged()
{
    if (m_selecting)
        return;
    m_listChoseLast = true;
    const int row = CurrentRow();
    if (row < 0)
        return;
    const FileChooserModel::Entry& e = m_model.Visible()[row];
    if (e.folder)
        return;
    m_name->setText(e.shown);
    m_typed = e.shown;
    m_fileName = e.shown;
}

void FileChooser::NameEdited(const QString& text)
{
    m_listChoseLast = false;
    if (m_model.SetTypedName(text))
        m_entries->Reset();
    const bool added = text.size() > m_typed.size() && text.startsWith(m_typed)
                       && m_name->cursorPosition() == text.size();
    m_typed = text;
    const int row = m_model.FirstStartingWith(text);
    SelectRow(row);
    if (row < 0)
        return;
    // An open chooser completes a name as it is typed; the added part is
    // selected, so typing on replaces it. A save would keep a name the
    // user did not mean.
    const QString& shown = m_model.Visible()[row].shown;
    if (added && !m_model.Dialog().save && shown.size() > text.size()) {
        m_name->setText(shown);
        m_name->setSelection(int(shown.size()), -int(shown.size() - text.size()));
    }
}

void FileChooser::Confirm()
{
    const QWidget* focus = focusWidget();
    if (focus == m_folderField) {
        QString typed = m_folderField->text();
        if (typed == platform::DisplayPath(m_model.Folder()))
            return;
        if (typed == u"~" || typed.startsWith(QStringLiteral("~/")))
            typed = QDir::homePath() + typed.mid(1);
        const QString folder = QDir(m_model.Folder()).absoluteFilePath(typed);
        if (!platform::IsFolder(folder))
            Say(UiText(QStringLiteral("フォルダーが見つかりません - ")) + platform::DisplayPath(folder));
        else if (GoTo(folder))
            m_name->setFocus();
        return;
    }
    if (focus == m_list || m_listChoseLast)
        Choose(m_model.Resolve(QString(), CurrentRow()), focus == m_list);
    else
        Choose(m_model.Resolve(m_name->text(), CurrentRow()), false);
}

void FileChooser::Choose(const FileChooserModel::Choice& choice, bool fromList)
{
    using Kind = FileChooserModel::Choice::Kind;
    switch (choice.kind) {
    case Kind::None:
        return;
    case Kind::Filter:
        m_model.SetPatterns(choice.patterns);
        m_entries->Reset();
        m_name->clear();
        m_typed.clear();
        return;
    case Kind::Missing:
        Say(UiText(QStringLiteral("ファイルが見つかりません - ")) + platform::DisplayPath(choice.path));
        return;
    case Kind::NoFolder:
        Say(UiText(QStringLiteral("フォルダーが見つかりません - ")) + platform::DisplayPath(choice.path));
        return;
    case Kind::Folder:
        if (!GoTo(choice.path))
            return;
        if (fromList) {
            if (!m_model.Visible().empty())
                SelectRow(0);
        } else {
            // The name typed was the folder; a save goes on with its file name.
            const QString name = m_model.Dialog().save ? m_fileName : QString();
            m_name->setText(name);
            m_typed = name;
            if (m_model.SetTypedName(name))
                m_entries->Reset();
        }
        return;
    case Kind::File:
        break;
    }
    const Ui::FileDialog& d = m_model.Dialog();
    if (d.save && d.overwritePrompt && choice.exists) {
        if (QuestionBox(OverwriteQuestion(choice.path), this).Run() != Ui::Answer::Yes)
            return;
    }
    m_path = choice.path;
    accept();
}

void FileChooser::CreateFolder()
{
    const std::optional<QString> name =
        QtUi::AskText(this, windowTitle(), UiText(QStringLiteral("フォルダ名を入力してください")));
    if (!name || name->isEmpty())
        return;
    const std::optional<QString> path = m_model.CreateFolder(*name);
    if (!path) {
        Say(UiText(QStringLiteral("フォルダを作成できませんでした\n"))
            + platform::DisplayPath(QDir(m_model.Folder()).filePath(*name)));
        return;
    }
    ShowFolder();
    const std::vector<FileChooserModel::Entry>& visible = m_model.Visible();
    for (size_t i = 0; i < visible.size(); ++i)
        if (visible[i].name == *name)
            SelectRow(int(i));
    m_list->setFocus();
}

bool FileChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_list && key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
        GoUp();
        return true;
    }
    // The arrows move through the list while the name field keeps the focus.
    if (watched == m_name && key->modifiers() == Qt::NoModifier
        && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down
            || key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
        if (CurrentRow() < 0 && !m_model.Visible().empty())
            m_list->setCurrentIndex(m_entries->index(0, 0));
        else
            QCoreApplication::sendEvent(m_list, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
