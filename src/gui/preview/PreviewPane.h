#pragma once

#include "core/preview/PreviewServer.h"

#include <QPointF>
#include <QTimer>
#include <QWidget>

#include <optional>

class CKelvoApp;
class PreviewGuard;
class PreviewPage;
class PreviewSchemeHandler;
class QLabel;
class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

// The page as a browser shows it, beside the editor: the editor's text,
// saved or not, served to the engine through the preview's scheme with the
// site's files from the disk. It follows the editor a moment after typing
// stops, keeps its scroll position across updates, and scrolls to the
// element at the caret when the caret moves to another element. Content
// from outside the site is held back until the user allows it for the
// site in the bar above the page. The engine starts when the pane is first
// shown, in a profile of its own that keeps nothing on disk.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    PreviewPane(CKelvoApp& app, QWidget* parent);
    ~PreviewPane() override;

    // An active pane follows the editor once it is on the screen; an
    // inactive one only notes that it must load the page again.
    void SetActive(bool active);
    // The editor's text changed, or its caret moved.
    void TextChanged();
    void CaretMoved();
    // After a command: a save under another name or other site settings
    // move the page, and its links with it.
    void DocumentMayHaveMoved();

    // The engine's page (null before the pane was first shown).
    PreviewPage* Page() const { return m_page; }
    QWebEngineView* View() const { return m_view; }
    bool RemoteBarShown() const;

    // The editor's update timer: the pause after the last key.
    static constexpr int kUpdateDelayMs = 200;

Q_SIGNALS:
    // The page was loaded with the editor's text and scrolled into place.
    void Updated();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CatchUp();
    void StartEngine();
    void Update();
    void Loaded(bool ok);
    void FollowCaret(QString& script);
    void AllowRemote();
    void OpenOutside(const QUrl& url, bool inEditor);

    CKelvoApp& m_app;
    QWidget* m_bar = nullptr;
    QLabel* m_barText = nullptr;
    QPushButton* m_allow = nullptr;
    QWebEngineProfile* m_profile = nullptr;
    PreviewSchemeHandler* m_handler = nullptr;
    PreviewGuard* m_guard = nullptr;
    PreviewPage* m_page = nullptr;
    QWebEngineView* m_view = nullptr;
    QTimer m_timer;
    bool m_active = false;
    bool m_textDirty = true;
    bool m_loading = false;
    // A page never saved has no site to remember the choice for.
    bool m_unsavedRemoteAllowed = false;
    std::optional<QPointF> m_restoreScroll;
    std::optional<PreviewElement> m_shownElement;
};
