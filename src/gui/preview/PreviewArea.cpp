#include "gui/preview/PreviewArea.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "gui/preview/PreviewPane.h"

#include <QApplication>
#include <QWebEngineView>

PreviewArea::PreviewArea(CKelvoApp& app, QWidget* editor, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), m_app(app), m_editor(editor)
{
    setObjectName(QStringLiteral("previewArea"));
    setChildrenCollapsible(false);
    addWidget(editor);
    m_pane = new PreviewPane(app, this);
    addWidget(m_pane);
    m_pane->hide();
    Follow();
}

void PreviewArea::Follow()
{
    const bool shown = m_app.Commands().IsOn(cmd::TogglePreview).value_or(false);
    if (shown == m_shown)
        return;
    m_shown = shown;
    Arrange();
}

void PreviewArea::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (m_shown)
        Arrange();
}

void PreviewArea::showEvent(QShowEvent* event)
{
    QSplitter::showEvent(event);
    if (m_shown)
        Arrange();
}

void PreviewArea::Arrange()
{
    // Before the window is on the screen its width is nobody's.
    const bool narrow = isVisible() && width() < kNarrowWidth;
    QWidget* focus = QApplication::focusWidget();
    const bool editorHadFocus = focus == m_editor;
    const bool paneHadFocus = focus && m_pane->isAncestorOf(focus);
    const bool editorShown = !m_shown || !narrow;
    if (m_pane->isVisible() != m_shown)
        m_pane->setVisible(m_shown);
    if (m_editor->isVisible() != editorShown)
        m_editor->setVisible(editorShown);
    m_pane->SetActive(m_shown);
    if (m_shown && !narrow && !m_sized && isVisible()) {
        m_sized = true;
        setSizes({width() / 2, width() - width() / 2});
    }
    // The keyboard goes with what is shown.
    if (!editorShown && editorHadFocus && m_pane->View())
        m_pane->View()->setFocus();
    else if (!m_shown && paneHadFocus)
        m_editor->setFocus();
}
