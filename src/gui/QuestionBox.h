#pragma once

#include "core/app/Ui.h"

#include <QDialog>
#include <QMargins>

class QLabel;
class QPushButton;
class QScrollArea;

// A message or question with its buttons in exactly the order given (a
// platform message box would reorder them by role). Closing the box gives
// the question's escape answer. The box is as wide as its longest line up to
// a sensible part of the screen, so that a short sentence is never broken;
// buttons that do not fit in one row take several; on a narrow screen the
// text gets the icon's room. A text taller than the screen has room for
// scrolls, with the buttons below it always in view (Page Up and Page Down
// scroll it too). Enter presses the question's preferred button, Escape
// gives its escape answer.
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
    // A message as a question with one OK button.
    static Ui::Question MessageQuestion(const QString& text, Ui::Icon icon);
    // The label showing the text, and the area it scrolls in.
    QLabel* TextLabel() const { return m_text; }
    QScrollArea* TextArea() const { return m_area; }

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Gives the text this width and as much height as it needs, up to what
    // leaves the buttons room in a box of that height; beyond it the text
    // scrolls.
    void FitText(int width, int boxHeight);

    QLabel* m_text = nullptr;
    QScrollArea* m_area = nullptr;
    QLayout* m_buttonRows = nullptr;
    int m_textWidth = 1;  // the width the text is laid out at
    QMargins m_textMargins;  // of the text within the box: margins, icon
    Ui::Answer m_answer;
    Ui::Answer m_escape;
    QList<QPushButton*> m_buttons;
};
