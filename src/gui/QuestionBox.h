#pragma once

#include "core/app/Ui.h"

#include <QDialog>

class QPushButton;

// A message or question with its buttons in exactly the order given (a
// platform message box would reorder them by role). Closing the box gives
// the question's escape answer.
class QuestionBox : public QDialog {
    Q_OBJECT
public:
    QuestionBox(const Ui::Question& question, QWidget* parent = nullptr);

    Ui::Answer Run();
    Ui::Answer Result() const { return m_answer; }
    // The buttons in display order.
    const QList<QPushButton*>& Buttons() const { return m_buttons; }

    // Lays the box across the top of the window: as wide as the window, at
    // its top left corner, as high as its text needs.
    void PlaceOver(QWidget* window);

    static QString DefaultTitle() { return QStringLiteral("Kelvopad"); }

protected:
    void reject() override;

private:
    Ui::Answer m_answer;
    Ui::Answer m_escape;
    QList<QPushButton*> m_buttons;
};
