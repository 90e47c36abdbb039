#include "gui/QuestionBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

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

} // namespace

QuestionBox::QuestionBox(const Ui::Question& question, QWidget* parent)
    : QDialog(parent), m_answer(question.escape), m_escape(question.escape)
{
    setWindowTitle(question.title.isEmpty() ? DefaultTitle() : question.title);

    auto* top = new QHBoxLayout;
    const QStyle::StandardPixmap pixmap = PixmapFor(question.icon);
    if (pixmap != QStyle::SP_CustomBase) {
        auto* icon = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
    }
    auto* text = new QLabel(question.text, this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(text, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const Ui::Button& b : question.buttons) {
        auto* button = new QPushButton(b.caption, this);
        const Ui::Answer answer = b.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        row->addWidget(button);
        m_buttons.append(button);
    }
    if (!m_buttons.isEmpty()) {
        m_buttons.first()->setDefault(true);
        m_buttons.first()->setFocus();
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(row);

    if (const QScreen* s = parent ? parent->screen() : screen())
        setMaximumWidth(s->availableGeometry().width());
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
    setMinimumWidth(width);
    setMaximumWidth(width);
    adjustSize();
    const int height = heightForWidth(width) > 0 ? heightForWidth(width) : sizeHint().height();
    setGeometry(QRect(window->mapToGlobal(QPoint(0, 0)), QSize(width, height)));
}
