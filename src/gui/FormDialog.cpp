#include "gui/FormDialog.h"
#include "gui/QtUi.h"

#include "core/app/UiText.h"

#include "gui/DialogRoom.h"

#include "gui/EditTextMapping.h"
#include "gui/JapaneseBreaks.h"
#include "gui/LineEndTextEdit.h"
#include "platform/FileAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kBackResult = 2;
// Combo boxes size themselves for this many characters, not for their
// longest entry, so that a long entry cannot widen the dialog past a narrow
// screen.
constexpr int kComboMinimumCharacters = 16;
// Below this width of the screen, combo boxes ask for fewer characters and
// the captions of check boxes wrap.
constexpr int kNarrowScreenWidth = 480;
constexpr int kNarrowComboCharacters = 6;
// On the smallest screens (240 px), a caption, a number and its unit share
// one row of the style pages.
constexpr int kTinyScreenWidth = 300;
constexpr int kTinyComboCharacters = 3;

// A file or folder field asks for room for a path; the dialog is still
// fitted to the screen, so a narrow screen gives it less.
constexpr int kPathCharacters = 40;
class PathEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QSize sizeHint() const override
    {
        const QSize hint = QLineEdit::sizeHint();
        return {std::max(hint.width(), fontMetrics().averageCharWidth() * kPathCharacters), hint.height()};
    }
};

// A check box's caption that wraps on a narrow screen; a click on it
// toggles the box, as a click on a check box's own text does.
class FlagCaption : public QLabel {
public:
    FlagCaption(const QString& text, QCheckBox* box, QWidget* parent)
        : QLabel(text, parent), m_box(box)
    {
        setWordWrap(true);
        setBuddy(box);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (m_box->isEnabled() && rect().contains(event->position().toPoint()))
            m_box->toggle();
        QLabel::mouseReleaseEvent(event);
    }

private:
    QCheckBox* m_box;
};
constexpr int kMultiLineRows = 5;
constexpr int kListMinimumRows = 3;
constexpr int kListMaximumRows = 8;

// A list as high as its entries (within limits), not the fixed height a
// list widget asks for, so that a form of several lists fits a screen.
class FieldList : public QListWidget {
public:
    using QListWidget::QListWidget;
    QSize sizeHint() const override
    {
        const int rows = std::clamp(count(), kListMinimumRows, kListMaximumRows);
        // Rows differ in height when some need a fallback font (Japanese
        // beside Latin text).
        int height = 2 * frameWidth();
        for (int row = 0; row < rows; ++row)
            height += row < count() ? sizeHintForRow(row) : fontMetrics().height();
        const int width = QListWidget::sizeHint().width();
        // Entries wider than the list bring a scroll bar, which must not
        // hide the last row.
        if (count() > 0 && sizeHintForColumn(0) > width - 2 * frameWidth())
            height += horizontalScrollBar()->sizeHint().height();
        return QSize(width, height);
    }
};

// A list of several columns: rows of cells with a header, sized like
// FieldList.
constexpr int kLastColumnChars = 40;

class FieldTable : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    QSize sizeHint() const override
    {
        const int count = topLevelItemCount();
        const int rows = std::clamp(count, kListMinimumRows, kListMaximumRows);
        const int rowHeight = count > 0 ? sizeHintForRow(0) : fontMetrics().height();
        // The columns as they were set, the last one room for a line of
        // text (a result or a change shown in a list of several columns).
        int width = 2 * frameWidth();
        for (int c = 0; c + 1 < columnCount(); ++c)
            width += columnWidth(c);
        width += fontMetrics().averageCharWidth() * kLastColumnChars;
        return QSize(std::max(QTreeWidget::sizeHint().width(), width),
                     rows * rowHeight + header()->sizeHint().height() + 2 * frameWidth());
    }
};

// The rows of a table field: each entry's cells are separated by tabs.
void SetRows(QTreeWidget* table, const QStringList& entries)
{
    QStringList current;
    for (int i = 0; i < table->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = table->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells.append(item->text(c));
        current.append(cells.join(u'\t'));
    }
    if (current == entries)
        return;
    table->clear();
    for (const QString& entry : entries)
        table->addTopLevelItem(new QTreeWidgetItem(entry.split(u'\t')));
}

// The text of a multi-line field's widget as the model holds it. The raw
// text, not toPlainText(), which would turn no-break spaces into spaces and
// U+2028 into line ends.
QString MultiLineText(const QPlainTextEdit& edit)
{
    return edittext::FromDocument(edit.document()->toRawText());
}


// A swatch of a colour field's value: RRGGBB, or a colour as style sheets
// write it ("red", "#f00"); a null icon for text that is no colour.
QIcon Swatch(const QString& value, int size)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    const QString text = value.trimmed();
    const QString name = hex.match(text).hasMatch() ? u'#' + text : text;
    if (!QColor::isValidColor(name))
        return QIcon();
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(name));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

// A fixed list of short entries needs no more room than its longest entry
// (a wide character counts twice); a unit combo then fits beside its
// number on a narrow screen.
int ComboCharacters(const FormField& f)
{
    if ((f.kind != FieldKind::Choice && f.kind != FieldKind::Combo) || f.choices.isEmpty())
        return kComboMinimumCharacters;
    int longest = 0;
    for (const QString& entry : f.choices) {
        int width = 0;
        for (QChar c : entry)
            width += c.unicode() < 0x1100 ? 1 : 2;
        longest = std::max(longest, width);
    }
    return std::clamp(longest, kTinyComboCharacters, kComboMinimumCharacters);
}

// The entries as shown: a fixed list's entries are captions, translated
// (the model keeps its own and is read by index); an editable list's are
// values the user may take over, and a table's rows are data.
QStringList ShownChoices(const FormField& f)
{
    const bool captions = f.kind == FieldKind::Choice
                          || (f.kind == FieldKind::List && f.columns.isEmpty());
    if (!captions)
        return f.choices;
    QStringList shown;
    shown.reserve(f.choices.size());
    for (const QString& entry : f.choices)
        shown.append(UiText(entry));
    return shown;
}

void SetItems(QComboBox* combo, const QStringList& items)
{
    QStringList current;
    for (int i = 0; i < combo->count(); ++i)
        current.append(combo->itemText(i));
    if (current != items) {
        combo->clear();
        combo->addItems(items);
    }
}

void SetItems(QListWidget* list, const QStringList& items)
{
    QStringList current;
    for (int i = 0; i < list->count(); ++i)
        current.append(list->item(i)->text());
    if (current != items) {
        list->clear();
        list->addItems(items);
    }
}

} // namespace

FormDialog::FormDialog(FormModel& form, Ui& ui, QWidget* parent)
    : QDialog(parent), m_form(form), m_ui(ui)
{
    setWindowTitle(UiText(form.title));
    const int room = DialogRoom(*this).width();
    m_narrow = room < kNarrowScreenWidth;
    m_comboCharacters = room < kTinyScreenWidth ? kTinyComboCharacters
                        : m_narrow              ? kNarrowComboCharacters
                                                : kComboMinimumCharacters;
    m_outer = new QVBoxLayout(this);

    auto* buttons = new QDialogButtonBox(this);
    if (form.hasBack) {
        m_back = buttons->addButton(UiText(form.backCaption.isEmpty() ? QStringLiteral("< 戻る")
                                                                      : form.backCaption),
                                    QDialogButtonBox::ActionRole);
        connect(m_back, &QPushButton::clicked, this, [this] { done(kBackResult); });
    }
    m_ok = buttons->addButton(UiText(form.okCaption.isEmpty() ? QStringLiteral("OK") : form.okCaption),
                              QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(UiText(form.cancelCaption.isEmpty() ? QStringLiteral("キャンセル")
                                                                      : form.cancelCaption),
                                  QDialogButtonBox::RejectRole);
    m_cancel->setVisible(form.hasCancel);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_outer->addWidget(buttons);

    Build();
}

FormDialog::~FormDialog() = default;

Ui::Answer FormDialog::Run()
{
    exec();
    return m_answer;
}

// ---- building --------------------------------------------------------------

void FormDialog::Build()
{
    ++m_generation;
    m_bindings.assign(m_form.fields.size(), Binding());
    m_shape.clear();
    for (const FormField& f : m_form.fields)
        m_shape.emplace_back(f.kind, f.page);
    m_scrollAreas.clear();
    m_tabs = nullptr;

    m_content = new QWidget(this);
    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(0, 0, 0, 0);
    const QStringList pages = m_form.Pages();
    if (pages.size() > 1) {
        m_tabs = new QTabWidget(m_content);
        m_tabs->setUsesScrollButtons(true);
        for (const QString& page : pages)
            m_tabs->addTab(BuildPage(page), UiText(page.isEmpty() ? m_form.title : page));
        const int gen = m_generation;
        connect(m_tabs, &QTabWidget::currentChanged, this, [this, gen](int tab) {
            if (gen == m_generation)
                ShowPage(tab);
        });
        layout->addWidget(m_tabs);
    } else {
        layout->addWidget(BuildPage(pages.value(0)));
    }
    m_outer->insertWidget(0, m_content, 1);
    // A layout shows a new child of a visible dialog only later, from the
    // event loop.
    if (isVisible())
        m_content->show();
    for (int i = 0; i < static_cast<int>(m_bindings.size()); ++i)
        ShowField(i);
    OrderTabs();
}

std::vector<int> FormDialog::LayoutOrder() const
{
    // A run of fields with grid positions is one table, read row by row.
    std::vector<int> order(m_form.fields.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    auto inGrid = [this](int i) {
        const FormField& f = m_form.fields[i];
        return f.gridRow >= 0 && f.gridColumn >= 0;
    };
    for (auto run = order.begin(); run != order.end();) {
        if (!inGrid(*run)) {
            ++run;
            continue;
        }
        auto end = std::find_if_not(run, order.end(), inGrid);
        std::stable_sort(run, end, [this](int a, int b) {
            const FormField& fa = m_form.fields[a];
            const FormField& fb = m_form.fields[b];
            return std::pair(fa.gridRow, fa.gridColumn) < std::pair(fb.gridRow, fb.gridColumn);
        });
        run = end;
    }
    return order;
}

void FormDialog::OrderTabs()
{
    // The buttons were made before the fields, so Qt's own chain would
    // start at OK; Tab goes through the page as it is laid out, then to the
    // buttons.
    QWidget* previous = m_tabs ? m_tabs->tabBar() : nullptr;
    auto chain = [&previous](QWidget* w) {
        if (!w || !(w->focusPolicy() & Qt::TabFocus))
            return;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (int i : LayoutOrder()) {
        chain(FieldWidget(i));
        chain(BrowseButton(i));
    }
    chain(m_back);
    chain(m_ok);
    chain(m_cancel);
}

void FormDialog::FocusFirstField()
{
    const QString page = m_tabs ? m_form.Pages().value(m_tabs->currentIndex()) : QString();
    for (int i : LayoutOrder()) {
        QWidget* w = FieldWidget(i);
        if ((!m_tabs || m_form.fields[i].page == page) && w && w->isVisibleTo(this)
            && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QWidget* FormDialog::BuildPage(const QString& page)
{
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* inner = new QWidget;
    auto* column = new QVBoxLayout(inner);
    QFormLayout* form = nullptr;
    QGridLayout* grid = nullptr;
    for (int i = 0; i < static_cast<int>(m_form.fields.size()); ++i) {
        const FormField& f = m_form.fields[i];
        if (f.page != page)
            continue;
        if (f.gridRow >= 0 && f.gridColumn >= 0) {
            if (!grid) {
                grid = new QGridLayout;
                grid->setSpacing(2);
                column->addLayout(grid);
                form = nullptr;
            }
            AddField(i, nullptr, grid);
        } else {
            if (!form) {
                form = new QFormLayout;
                // Labels go above their fields when the screen is narrow.
                form->setRowWrapPolicy(QFormLayout::WrapLongRows);
                form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
                column->addLayout(form);
            }
            AddField(i, form, nullptr);
        }
    }
    column->addStretch(1);
    area->setWidget(inner);
    m_scrollAreas.push_back(area);
    return area;
}

FormDialog::Binding FormDialog::MakeEditor(int index, QWidget* parent)
{
    const FormField& f = m_form.fields[index];
    const int gen = m_generation;
    auto changed = [this, index, gen] {
        if (gen == m_generation)
            Changed(index);
    };
    Binding b;
    auto makeCombo = [&](bool editable) {
        b.combo = new QComboBox(parent);
        b.combo->setEditable(editable);
        b.combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        b.combo->setIconSize(QSize(0, 0));  // entries are text only: no room kept for icons
        b.combo->setMinimumContentsLength(std::min(ComboCharacters(f), m_comboCharacters));
        b.combo->addItems(ShownChoices(f));
        if (editable) {
            b.combo->setInsertPolicy(QComboBox::NoInsert);
            connect(b.combo, &QComboBox::editTextChanged, this, changed);
        } else {
            connect(b.combo, &QComboBox::currentIndexChanged, this, changed);
        }
        b.row = b.combo;
    };
    // A line edit with a "..." button beside it.
    auto makeBrowse = [&](auto onClick) {
        auto* box = new QWidget(parent);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        b.line = f.kind == FieldKind::File ? new PathEdit(box) : new QLineEdit(box);
        b.browse = new QPushButton(QStringLiteral("..."), box);
        b.browse->setAutoDefault(false);
        h->addWidget(b.line, 1);
        h->addWidget(b.browse);
        connect(b.line, &QLineEdit::textChanged, this, changed);
        connect(b.browse, &QPushButton::clicked, this, [this, index, gen, onClick] {
            if (gen == m_generation)
                (this->*onClick)(index);
        });
        b.row = box;
    };

    switch (f.kind) {
    case FieldKind::Text:
    case FieldKind::Number:
        b.line = new QLineEdit(parent);
        if (f.kind == FieldKind::Number)
            b.line->setInputMethodHints(Qt::ImhDigitsOnly);
        if (f.secret)
            b.line->setEchoMode(QLineEdit::Password);
        connect(b.line, &QLineEdit::textChanged, this, changed);
        b.row = b.line;
        break;
    case FieldKind::Flag:
        if (m_narrow) {
            auto* box = new QWidget(parent);
            auto* h = new QHBoxLayout(box);
            h->setContentsMargins(0, 0, 0, 0);
            b.check = new QCheckBox(box);
            b.flagCaption = new FlagCaption(WithJapaneseBreaks(UiText(f.label)), b.check, box);
            h->addWidget(b.check, 0, Qt::AlignTop);
            h->addWidget(b.flagCaption, 1);
            b.row = box;
        } else {
            b.check = new QCheckBox(UiText(f.label), parent);
            b.row = b.check;
        }
        connect(b.check, &QCheckBox::toggled, this, changed);
        break;
    case FieldKind::Choice:
        makeCombo(false);
        break;
    case FieldKind::Combo:
    case FieldKind::Class:
    case FieldKind::Target:
        makeCombo(true);
        break;
    case FieldKind::List:
        if (!f.columns.isEmpty()) {
            b.table = new FieldTable(parent);
            b.table->setColumnCount(static_cast<int>(f.columns.size()));
            QStringList headers;
            for (const QString& column : f.columns)
                headers.append(UiText(column));
            b.table->setHeaderLabels(headers);
            b.table->setRootIsDecorated(false);
            b.table->setUniformRowHeights(true);
            b.table->setAllColumnsShowFocus(true);
            b.table->setSelectionMode(QAbstractItemView::SingleSelection);
            b.table->setSelectionBehavior(QAbstractItemView::SelectRows);
            // Columns as wide as a short name unless the form says; the last
            // takes the rest.
            for (int c = 0; c + 1 < b.table->columnCount(); ++c)
                b.table->setColumnWidth(c, b.table->fontMetrics().averageCharWidth()
                                               * f.columnChars.value(c, 14));
            SetRows(b.table, f.choices);
            connect(b.table, &QTreeWidget::currentItemChanged, this, changed);
            connect(b.table, &QTreeWidget::itemDoubleClicked, this, [this, index, gen] {
                if (gen == m_generation)
                    ActivateEntry(index);
            });
            b.row = b.table;
            break;
        }
        b.list = new FieldList(parent);
        b.list->setSelectionMode(QAbstractItemView::SingleSelection);
        b.list->addItems(ShownChoices(f));
        connect(b.list, &QListWidget::currentRowChanged, this, changed);
        connect(b.list, &QListWidget::itemDoubleClicked, this, [this, index, gen] {
            if (gen == m_generation)
                ActivateEntry(index);
        });
        b.row = b.list;
        break;
    case FieldKind::Color:
        makeBrowse(&FormDialog::ChooseColor);
        break;
    case FieldKind::File:
        makeBrowse(&FormDialog::ChooseFile);
        break;
    case FieldKind::Label:
        b.staticText = new QLabel(parent);
        b.staticText->setWordWrap(true);
        b.staticText->setTextInteractionFlags(Qt::TextSelectableByMouse);
        b.row = b.staticText;
        break;
    case FieldKind::Button:
        b.button = new QPushButton(UiText(f.label), parent);
        b.button->setAutoDefault(false);
        connect(b.button, &QPushButton::clicked, this, [this, index, gen] {
            if (gen == m_generation)
                RunAction(index);
        });
        b.row = b.button;
        break;
    case FieldKind::MultiLine:
        b.multi = new LineEndTextEdit(parent);
        b.multi->setTabChangesFocus(true);
        b.multi->setMinimumHeight(b.multi->fontMetrics().lineSpacing() * kMultiLineRows);
        connect(b.multi, &QPlainTextEdit::textChanged, this, changed);
        b.row = b.multi;
        break;
    }
    if (!f.suffix.isEmpty()) {
        auto* box = new QWidget(parent);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        b.row->setParent(box);
        h->addWidget(b.row, 1);
        h->addWidget(new QLabel(UiText(f.suffix), box));
        b.row = box;
    }
    return b;
}

void FormDialog::AddField(int index, QFormLayout* form, QGridLayout* grid)
{
    const FormField& f = m_form.fields[index];
    QWidget* parent = form ? form->parentWidget() : grid->parentWidget();
    Binding b = MakeEditor(index, parent);
    const bool ownCaption = f.kind == FieldKind::Flag || f.kind == FieldKind::Button;
    // A label field shows its text beside its caption when it has both,
    // otherwise whichever it has across the row.
    const bool spanning =
        ownCaption || f.label.isEmpty()
        || (f.kind == FieldKind::Label && (f.text.isEmpty() || f.label.isEmpty()));
    if (!spanning) {
        b.label = new QLabel(UiText(f.label), parent);
        QWidget* buddy = b.line ? static_cast<QWidget*>(b.line)
                         : b.combo ? static_cast<QWidget*>(b.combo)
                         : b.list  ? static_cast<QWidget*>(b.list)
                         : b.table ? static_cast<QWidget*>(b.table)
                         : b.multi ? static_cast<QWidget*>(b.multi)
                                   : nullptr;
        if (buddy)
            b.label->setBuddy(buddy);
    }
    if (grid) {
        // A table cell has no room for a caption; it shows as a hint.
        if (b.label) {
            b.row->setToolTip(f.Key());
            if (b.line)
                b.line->setPlaceholderText(b.row->toolTip());
            b.label->hide();
            b.label->deleteLater();
            b.label = nullptr;
        }
        // A caption in a table keeps to one line beside its field.
        if (b.staticText)
            b.staticText->setWordWrap(false);
        grid->addWidget(b.row, f.gridRow, f.gridColumn);
    } else if (f.kind == FieldKind::MultiLine && b.label) {
        form->addRow(b.label);
        form->addRow(b.row);
        b.form = form;
    } else if (f.besidePrevious && index > 0 && m_bindings[index - 1].form == form
               && m_bindings[index - 1].row) {
        // A "..." button goes beside the field it fills, not on a row of
        // its own under it; the two show and hide as one row.
        Binding& previous = m_bindings[index - 1];
        auto* box = new QWidget(parent);
        form->replaceWidget(previous.row, box);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        previous.row->setParent(box);
        h->addWidget(previous.row, 1);
        b.row->setParent(box);
        h->addWidget(b.row);
        b.row->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        previous.row = box;
    } else if (b.label) {
        form->addRow(b.label, b.row);
        b.form = form;
    } else {
        form->addRow(b.row);
        b.form = form;
    }
    m_bindings[index] = b;
}

// ---- model to widgets ------------------------------------------------------

bool FormDialog::ShapeChanged() const
{
    if (m_shape.size() != m_form.fields.size())
        return true;
    for (size_t i = 0; i < m_shape.size(); ++i)
        if (m_shape[i].first != m_form.fields[i].kind || m_shape[i].second != m_form.fields[i].page)
            return true;
    return false;
}

void FormDialog::Refresh()
{
    if (ShapeChanged()) {
        const int tab = m_tabs ? m_tabs->currentIndex() : 0;
        m_content->hide();
        m_content->deleteLater();
        Build();
        if (m_tabs && tab < m_tabs->count())
            m_tabs->setCurrentIndex(tab);
        return;
    }
    for (int i = 0; i < static_cast<int>(m_bindings.size()); ++i)
        ShowField(i);
}

void FormDialog::ShowField(int index)
{
    const FormField& f = m_form.fields[index];
    Binding& b = m_bindings[index];
    if (b.label) {
        const QString label = UiText(f.label);
        const QString caption = b.label->buddy() ? label : QtUi::WithoutMnemonic(label);
        if (b.label->text() != caption)
            b.label->setText(caption);
    }
    if (b.line) {
        const QSignalBlocker block(b.line);
        if (b.line->text() != f.text)
            b.line->setText(f.text);
    }
    if (b.browse && f.kind == FieldKind::Color)
        b.browse->setIcon(Swatch(f.text, b.browse->fontMetrics().height()));
    if (b.combo) {
        const QSignalBlocker block(b.combo);
        SetItems(b.combo, ShownChoices(f));
        if (b.combo->isEditable()) {
            if (b.combo->currentText() != f.text)
                b.combo->setEditText(f.text);
        } else {
            b.combo->setCurrentIndex(f.index >= 0 && f.index < f.choices.size() ? f.index : -1);
        }
    }
    if (b.check) {
        const QSignalBlocker block(b.check);
        if (b.flagCaption)
            b.flagCaption->setText(WithJapaneseBreaks(UiText(f.label)));
        else
            b.check->setText(UiText(f.label));
        b.check->setChecked(f.checked);
    }
    if (b.list) {
        const QSignalBlocker block(b.list);
        SetItems(b.list, ShownChoices(f));
        b.list->setCurrentRow(f.index >= 0 && f.index < f.choices.size() ? f.index : -1);
    }
    if (b.table) {
        const QSignalBlocker block(b.table);
        SetRows(b.table, f.choices);
        QTreeWidgetItem* current =
            f.index >= 0 && f.index < f.choices.size() ? b.table->topLevelItem(f.index) : nullptr;
        b.table->setCurrentItem(current);
        if (!current)
            b.table->clearSelection();
    }
    if (b.multi) {
        const QSignalBlocker block(b.multi);
        if (MultiLineText(*b.multi) != f.text)
            b.multi->setPlainText(edittext::ToDocument(f.text));
    }
    if (b.button)
        b.button->setText(UiText(f.label));
    if (b.staticText) {
        const QString shown =
            WithJapaneseBreaks(UiText(b.label ? f.text : (f.text.isEmpty() ? f.label : f.text)));
        if (b.staticText->text() != shown)
            b.staticText->setText(shown);
    }

    b.row->setEnabled(f.enabled);
    if (b.label)
        b.label->setEnabled(f.enabled);
    if (b.form) {
        b.form->setRowVisible(b.row, f.visible);
        if (b.label && f.kind == FieldKind::MultiLine)
            b.form->setRowVisible(b.label, f.visible);
    } else {
        b.row->setVisible(f.visible);
    }
}

// ---- widgets to model ------------------------------------------------------

void FormDialog::Changed(int index)
{
    FormField& f = m_form.fields[index];
    const Binding& b = m_bindings[index];
    switch (f.kind) {
    case FieldKind::Text:
    case FieldKind::Number:
    case FieldKind::Color:
    case FieldKind::File:
        f.text = b.line->text();
        if (f.kind == FieldKind::Color)
            b.browse->setIcon(Swatch(f.text, b.browse->fontMetrics().height()));
        break;
    case FieldKind::Flag:
        f.checked = b.check->isChecked();
        break;
    case FieldKind::Choice:
        f.index = b.combo->currentIndex();
        f.text = f.index >= 0 ? f.choices.value(f.index) : QString();
        break;
    case FieldKind::Combo:
    case FieldKind::Class:
    case FieldKind::Target:
        f.text = b.combo->currentText();
        break;
    case FieldKind::List:
        f.index = b.table ? b.table->indexOfTopLevelItem(b.table->currentItem())
                          : b.list->currentRow();
        f.text = f.index >= 0 ? f.choices.value(f.index) : QString();
        break;
    case FieldKind::MultiLine:
        f.text = MultiLineText(*b.multi);
        break;
    case FieldKind::Label:
    case FieldKind::Button:
        return;
    }
    if (f.action)
        RunAction(index);
}

void FormDialog::RunAction(int index)
{
    // The action may rebuild the field list; run a copy.
    const auto action = m_form.fields[index].action;
    if (action)
        action(m_form);
    Refresh();
    if (m_form.acceptNow)
        accept();
}

void FormDialog::ShowPage(int tab)
{
    if (!m_form.pageShown)
        return;
    const QStringList pages = m_form.Pages();
    if (tab < 0 || tab >= pages.size())
        return;
    m_form.pageShown(m_form, pages[tab]);
    Refresh();
}

void FormDialog::ActivateEntry(int index)
{
    const auto activate = m_form.fields[index].activate;
    if (!activate)
        return;
    const bool close = activate(m_form);
    Refresh();
    if (close)
        accept();
}

void FormDialog::ChooseColor(int index)
{
    if (m_form.fields[index].browse)
        return RunBrowse(index);
    const std::optional<QString> color = m_ui.ChooseColor(m_form.fields[index].text);
    if (!color)
        return;
    m_form.fields[index].text = *color;
    ShowField(index);
    Changed(index);
}

void FormDialog::RunBrowse(int index)
{
    // The browse may change other fields too (an image's size); run a copy,
    // as with actions.
    const auto browse = m_form.fields[index].browse;
    browse(m_form);
    Refresh();
    if (index < static_cast<int>(m_form.fields.size()) && m_form.fields[index].action)
        RunAction(index);
}

void FormDialog::ChooseFile(int index)
{
    if (m_form.fields[index].browse)
        return RunBrowse(index);
    const FormField& f = m_form.fields[index];
    Ui::FileDialog d;
    FormField caption;  // the chooser is titled as the field is labelled
    caption.label = UiText(f.label);
    d.title = caption.Key();
    d.filter = f.fileFilter;
    d.fileMustExist = true;
    d.hideReadOnly = true;
    if (!f.text.isEmpty()) {
        const QString path = platform::AbsolutePath(f.text);
        d.initialFolder = platform::FolderOfPath(path);
        d.initialName = platform::NameOfPath(path);
    }
    const std::optional<QString> path = m_ui.ChooseFile(d);
    if (!path)
        return;
    m_form.fields[index].text = *path;
    ShowField(index);
    Changed(index);
}

// ---- closing and size ------------------------------------------------------

void FormDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        const QString problem = m_form.Validate();
        if (!problem.isEmpty()) {
            m_ui.Message(problem, Ui::Icon::Warning);
            // Put the caret where the problem most likely is.
            for (int i = 0; i < static_cast<int>(m_form.fields.size()); ++i) {
                const FormField& f = m_form.fields[i];
                int value = 0;
                if (f.kind == FieldKind::Number && f.visible && f.enabled && !f.NumberValue(value)
                    && m_bindings[i].line) {
                    if (m_tabs)
                        m_tabs->setCurrentIndex(m_form.Pages().indexOf(f.page));
                    m_bindings[i].line->setFocus();
                    m_bindings[i].line->selectAll();
                    break;
                }
            }
            return;
        }
        m_answer = Ui::Answer::Ok;
    } else if (result == kBackResult) {
        m_answer = Ui::Answer::Back;
    } else {
        m_answer = Ui::Answer::Cancel;
    }
    QDialog::done(result);
}

QWidget* FormDialog::FieldWidget(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_bindings.size()))
        return nullptr;
    const Binding& b = m_bindings[index];
    if (b.line)
        return b.line;
    if (b.combo)
        return b.combo;
    if (b.check)
        return b.check;
    if (b.list)
        return b.list;
    if (b.table)
        return b.table;
    if (b.multi)
        return b.multi;
    if (b.button)
        return b.button;
    return b.staticText;
}

QPushButton* FormDialog::BrowseButton(int index) const
{
    return index >= 0 && index < static_cast<int>(m_bindings.size()) ? m_bindings[index].browse
                                                                     : nullptr;
}

QScrollArea* FormDialog::PageScrollArea(int page) const
{
    return page >= 0 && page < static_cast<int>(m_scrollAreas.size()) ? m_scrollAreas[page]
                                                                       : nullptr;
}

void FormDialog::FitInto(const QSize& available)
{
    setMaximumSize(available);
    QSize wanted = sizeHint();
    // A scroll area asks for no more than a few dozen lines; where the
    // screen has room, the dialog shows the whole page instead.
    QSize missing(0, 0);
    // Wrapped texts, and rows whose field goes under its label, make a page
    // taller when it is narrower than its size hint. A scroll bar shown for
    // a moment while the dialog opens narrows the page by its width, and
    // the area then keeps the bar for the height the narrower page needs.
    // Room for the bar beside the page keeps the page at its width; where
    // the screen has no such room, room for that height keeps the bar away.
    int bar = 0;
    for (const QScrollArea* area : m_scrollAreas)
        if (area->widget() && area->widget()->hasHeightForWidth())
            bar = std::max(bar, area->verticalScrollBar()->sizeHint().width());
    const int width = std::min(wanted.width() + bar, available.width());
    for (const QScrollArea* area : m_scrollAreas) {
        const QWidget* page = area->widget();
        if (!page)
            continue;
        const int frame = 2 * area->frameWidth();
        QSize needed = page->sizeHint();
        if (page->hasHeightForWidth()) {
            const int pageWidth =
                width - (wanted.width() - area->sizeHint().width()) - frame - bar;
            needed.setHeight(std::max(needed.height(), page->heightForWidth(pageWidth)));
        }
        missing = missing.expandedTo(needed - area->sizeHint() + QSize(frame, frame));
    }
    missing.setWidth(std::max(missing.width(), 0) + bar);
    wanted += missing.expandedTo(QSize(0, 0));
    resize(wanted.boundedTo(available));
    m_fitted = true;
}

void FormDialog::showEvent(QShowEvent* event)
{
    if (!m_pageReported) {
        m_pageReported = true;
        ShowPage(m_tabs ? m_tabs->currentIndex() : 0);
    }
    if (!m_fitted) {
        FitInto(DialogRoom(*this));
    }
    if (!m_focusPlaced) {
        m_focusPlaced = true;
        FocusFirstField();
        // A list opened on a row far down shows that row, once the list
        // has its size.
        QTimer::singleShot(0, this, [this] {
            for (const Binding& b : m_bindings) {
                if (b.list && b.list->currentItem())
                    b.list->scrollToItem(b.list->currentItem());
                if (b.table && b.table->currentItem())
                    b.table->scrollToItem(b.table->currentItem());
            }
        });
    }
    QDialog::showEvent(event);
}
