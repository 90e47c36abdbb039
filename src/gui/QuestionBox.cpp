#include "gui/QuestionBox.h"

#include "gui/DialogRoom.h"
#include "gui/JapaneseBreaks.h"

#include "core/app/UiText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Below this width the text gets the icon's room.
constexpr int kNarrowScreenWidth = 480;

QStyle::StandardPixmap PixmapFor(Ui::Icon icon)
{
    switch (icon) {
    case Ui::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case Ui::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case Ui::Icon::Error:
        return QStyle::SP_MessageBoxCritical;
    case Ui::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case Ui::Icon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

// The box shows the question in the interface's language.
Ui::Question Translated(Ui::Question question)
{
    question.text = UiText(question.text);
    question.title = UiText(question.title);
    for (Ui::Button& b : question.buttons)
        b.caption = UiText(b.caption);
    return question;
}

} // namespace

QuestionBox::QuestionBox(const Ui::Question& asked, QWidget* parent)
    : QDialog(parent), m_answer(asked.escape), m_escape(asked.escape)
{
    const Ui::Question question = Translated(asked);
    setWindowTitle(question.title.isEmpty() ? DefaultTitle() : question.title);
    const QSize room = DialogRoom(*this);
    const bool narrow = room.width() < kNarrowScreenWidth;

    auto* layout = new QVBoxLayout(this);
    const QMargins margins = layout->contentsMargins();
    const int spacing = std::max(layout->spacing(), 0);
    m_textMargins = QMargins(margins.left(), 0, margins.right(), 0);

    auto* top = new QHBoxLayout;
    const QStyle::StandardPixmap pixmap = PixmapFor(question.icon);
    if (pixmap != QStyle::SP_CustomBase && !narrow) {
        auto* icon = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
        m_textMargins.setLeft(m_textMargins.left() + size + spacing);
    }
    m_text = new QLabel;
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_area = new QScrollArea(this);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setFocusPolicy(Qt::NoFocus);
    m_area->setWidgetResizable(true);
    m_area->setWidget(m_text);
    // The text lies on the box, as a label's would.
    m_area->viewport()->setAutoFillBackground(false);
    m_text->setAutoFillBackground(false);
    top->addWidget(m_area, 1);

    // The text is laid out at its own width up to a sensible part of the
    // screen, and wraps only beyond it.
    const int widest = narrow ? room.width() : room.width() * 3 / 4;
    int natural = 0;
    const QFontMetrics metrics(m_text->font());
    for (const QString& line : question.text.split(u'\n'))
        natural = std::max(natural, metrics.horizontalAdvance(line) + 1);
    const int textRoom = widest - m_textMargins.left() - m_textMargins.right();
    m_textWidth = std::max(1, std::min(natural, textRoom));
    // A text that wraps breaks between phrases, not inside a word; a word
    // wider than the line (with room for a scroll bar) breaks after its
    // separators.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area);
    m_text->setText(natural > textRoom ? WithJapaneseBreaks(WithBreaksInLongWords(
                                             question.text, metrics, std::max(1, textRoom - bar)))
                                       : question.text);

    QPushButton* preferred = nullptr;
    for (const Ui::Button& b : question.buttons) {
        auto* button = new QPushButton(b.caption, this);
        if (!preferred && question.preferred == b.answer)
            preferred = button;
        const Ui::Answer answer = b.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        m_buttons.append(button);
    }
    // As many buttons a row as the screen has room for, in their order.
    int buttonWidth = 0;
    for (const QPushButton* button : std::as_const(m_buttons))
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    const int usable = room.width() - margins.left() - margins.right();
    int columns = std::max<int>(static_cast<int>(m_buttons.size()), 1);
    while (columns > 1 && columns * buttonWidth + (columns - 1) * spacing > usable)
        --columns;
    auto* rows = new QGridLayout;
    rows->setColumnStretch(0, 1);
    for (int i = 0; i < m_buttons.size(); ++i)
        rows->addWidget(m_buttons[i], i / columns, 1 + i % columns);
    if (!preferred && !m_buttons.isEmpty())
        preferred = m_buttons.first();
    if (preferred) {
        preferred->setDefault(true);
        preferred->setFocus();
    }

    layout->addLayout(top, 1);
    layout->addLayout(rows);
    m_buttonRows = rows;
    setMaximumWidth(room.width());
    setMaximumHeight(room.height());
    FitText(m_textWidth, room.height());
}

void QuestionBox::FitText(int width, int boxHeight)
{
    const QMargins margins = layout()->contentsMargins();
    const int spacing = std::max(layout()->spacing(), 0);
    // At least two lines show, however small the screen.
    const int room = std::max(boxHeight - margins.top() - margins.bottom() - spacing
                                  - m_buttonRows->sizeHint().height(),
                              2 * m_text->fontMetrics().height());
    int height = m_text->heightForWidth(width);
    int labelWidth = width;
    if (height > room) {
        labelWidth = std::max(1, width - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area));
        height = room;
    }
    m_text->setMinimumWidth(labelWidth);
    m_area->setMinimumWidth(width);
    m_area->setFixedHeight(height);
}

void QuestionBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
        m_area->verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageDown
                                                       ? QAbstractSlider::SliderPageStepAdd
                                                       : QAbstractSlider::SliderPageStepSub);
        return;
    }
    // A button's letter alone presses it, as in the message boxes people
    // know ("N" for いいえ(N)); with Alt too, as Qt does.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::NoModifier && event->text().size() == 1 && event->text().at(0).isLetterOrNumber()) {
        const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(event->text().at(0).toUpper().unicode())));
        for (QPushButton* button : std::as_const(m_buttons))
            if (button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed) {
                button->click();
                return;
            }
    }
    QDialog::keyPressEvent(event);
}

Ui::Question QuestionBox::MessageQuestion(const QString& text, Ui::Icon icon)
{
    Ui::Question q;
    q.text = text;
    q.icon = icon;
    q.buttons = {{Ui::Answer::Ok, QStringLiteral("OK")}};
    q.escape = Ui::Answer::Ok;
    return q;
}

Ui::Answer QuestionBox::Run()
{
    exec();
    return m_answer;
}

void QuestionBox::reject()
{
    m_answer = m_escape;
    QDialog::reject();
}

void QuestionBox::PlaceOver(QWidget* window)
{
    if (!window)
        return;
    const int width = window->width();
    FitText(std::max(1, std::min(m_textWidth, width - m_textMargins.left() - m_textMargins.right())),
            DialogRoom(*this).height());
    setMinimumWidth(width);
    setMaximumWidth(width);
    adjustSize();
    const int height = heightForWidth(width) > 0 ? heightForWidth(width) : sizeHint().height();
    setGeometry(QRect(window->mapToGlobal(QPoint(0, 0)), QSize(width, height)));
}
