#pragma once

#include <QSplitter>

class CKelvoApp;
class PreviewPane;

// The editor and the preview side by side while the preview is shown; on
// a narrow window the preview takes the editor's place until it is hidden
// again. Whether it is shown is the state of the preview command.
class PreviewArea : public QSplitter {
    Q_OBJECT
public:
    PreviewArea(CKelvoApp& app, QWidget* editor, QWidget* parent);

    PreviewPane& Pane() { return *m_pane; }
    // Shows or hides the preview as the command says.
    void Follow();

    // Narrower than this, the two would not both be readable.
    static constexpr int kNarrowWidth = 600;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Arrange();

    CKelvoApp& m_app;
    QWidget* m_editor;
    PreviewPane* m_pane;
    bool m_shown = false;
    bool m_sized = false;
};
