#include "gui/preview/PreviewPane.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/edit/CKelvoView.h"
#include "core/preview/PreviewCommands.h"
#include "gui/preview/PreviewGuard.h"
#include "gui/preview/PreviewPage.h"
#include "gui/preview/PreviewSchemeHandler.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Scrolls to the element when none of it is in view; an element taller
// than the view shows its top.
QString ScrollScript(const PreviewElement& element)
{
    QString name = element.name;
    name.removeIf([](QChar c) { return !c.isLetterOrNumber() && c != u'-' && c != u':'; });
    return QStringLiteral("(function(){var e=document.getElementsByTagName('%1')[%2];if(!e)return;"
                          "var r=e.getBoundingClientRect();if(r.bottom<0||r.top>innerHeight)"
                          "e.scrollIntoView({block:r.height>innerHeight?'start':'center'});})();")
        .arg(name)
        .arg(element.index);
}

bool IsPage(const QString& path)
{
    const QByteArray type = PreviewContentType(path);
    return type == "text/html" || type == "application/xhtml+xml";
}

} // namespace

PreviewPane::PreviewPane(CKelvoApp& app, QWidget* parent) : QWidget(parent), m_app(app)
{
    setObjectName(QStringLiteral("preview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("previewRemoteBar"));
    m_bar->setBackgroundRole(QPalette::ToolTipBase);
    m_bar->setAutoFillBackground(true);
    auto* barLayout = new QHBoxLayout(m_bar);
    m_barText = new QLabel(UiText(QStringLiteral("外部のコンテンツ (http, https) を止めています。")), m_bar);
    m_barText->setWordWrap(true);
    m_barText->setForegroundRole(QPalette::ToolTipText);
    m_allow = new QPushButton(UiText(QStringLiteral("許可する")), m_bar);
    m_allow->setObjectName(QStringLiteral("previewAllowRemote"));
    m_allow->setToolTip(UiText(QStringLiteral("このサイトのページに、サイトの外にある画像やスクリプトなどの読み込みを許可します")));
    barLayout->addWidget(m_barText, 1);
    barLayout->addWidget(m_allow);
    layout->addWidget(m_bar);
    m_bar->hide();
    connect(m_allow, &QPushButton::clicked, this, &PreviewPane::AllowRemote);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kUpdateDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_textDirty) {
            Update();
            return;
        }
        QString script;
        FollowCaret(script);
        if (!script.isEmpty() && m_page)
            m_page->runJavaScript(script);
    });
}

PreviewPane::~PreviewPane()
{
    // The page goes before its profile, as the engine requires.
    delete m_view;
    delete m_profile;
}

void PreviewPane::StartEngine()
{
    // No storage name: off the record, so no cookie or storage outlives
    // the run.
    m_profile = new QWebEngineProfile(this);
    m_profile->setSpellCheckEnabled(false);
    m_handler = new PreviewSchemeHandler([this] { return CurrentPreviewDocument(m_app); }, this);
    m_profile->installUrlSchemeHandler(kPreviewScheme, m_handler);
    m_guard = new PreviewGuard(this);
    m_profile->setUrlRequestInterceptor(m_guard);
    connect(m_guard, &PreviewGuard::RemoteBlocked, m_bar, &QWidget::show);
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) { download->cancel(); });

    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("previewView"));
    m_page = new PreviewPage(m_profile, m_view);
    QWebEngineSettings* s = m_page->settings();
    // Typing goes on in the editor while the page loads.
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    m_view->setPage(m_page);
    // The page takes the room; the bar only its lines.
    static_cast<QVBoxLayout*>(layout())->addWidget(m_view, 1);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_loading = true; });
    connect(m_page, &QWebEnginePage::loadFinished, this, &PreviewPane::Loaded);
    connect(m_page, &PreviewPage::OpenOutside, this, &PreviewPane::OpenOutside);
}

void PreviewPane::SetActive(bool active)
{
    m_active = active;
    if (!active)
        m_timer.stop();
    else if (isVisible())
        CatchUp();
}

void PreviewPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_active)
        CatchUp();
}

void PreviewPane::CatchUp()
{
    // The engine starts with the first page it shows, not with the window:
    // a run that never shows the preview never starts it.
    if (!m_page)
        StartEngine();
    if (m_textDirty)
        Update();
}

void PreviewPane::TextChanged()
{
    m_textDirty = true;
    if (m_active)
        m_timer.start();
}

void PreviewPane::CaretMoved()
{
    if (m_active)
        m_timer.start();
}

void PreviewPane::DocumentMayHaveMoved()
{
    if (!m_handler)
        return;
    const PreviewSite site = CurrentPreviewSite(m_app);
    if (site.root != m_handler->Site().root || site.documentPath != m_handler->Site().documentPath)
        TextChanged();
}

bool PreviewPane::RemoteBarShown() const
{
    return m_bar->isVisible();
}

void PreviewPane::Update()
{
    if (!m_active || !m_page)
        return;
    const PreviewSite site = CurrentPreviewSite(m_app);
    if (site.root != m_handler->Site().root || site.documentPath != m_handler->Site().documentPath) {
        m_handler->SetSite(site);
        m_guard->SetRemoteAllowed(site.root.isEmpty() ? m_unsavedRemoteAllowed
                                                      : RemoteContentAllowed(m_app, site));
        m_bar->hide();
        m_restoreScroll.reset();
        m_shownElement.reset();
    }
    const QUrl url = PreviewDocumentUrl(site);
    // While a load is under way the page has no position of its own yet.
    if (!m_restoreScroll && !m_loading && m_page->url() == url)
        m_restoreScroll = m_page->scrollPosition();
    m_textDirty = false;
    m_loading = true;
    m_page->load(url);
}

void PreviewPane::Loaded(bool ok)
{
    m_loading = false;
    // A load cut short by the next one, or a newer text about to follow.
    if (!ok || (m_textDirty && m_timer.isActive()))
        return;
    QString script;
    if (m_restoreScroll && m_page->url() == PreviewDocumentUrl(m_handler->Site()))
        script = QStringLiteral("window.scrollTo(%1, %2);")
                     .arg(m_restoreScroll->x())
                     .arg(m_restoreScroll->y());
    m_restoreScroll.reset();
    FollowCaret(script);
    m_page->runJavaScript(script + QStringLiteral("0"), [this](const QVariant&) { Q_EMIT Updated(); });
}

void PreviewPane::FollowCaret(QString& script)
{
    // Another page of the site, reached by a link, is the user's to scroll.
    if (!m_page || m_loading || m_page->url() != PreviewDocumentUrl(m_handler->Site()))
        return;
    int start = 0;
    int end = 0;
    const EditBuffer& buffer = m_app.View().Buffer();
    buffer.GetSel(start, end);
    const std::optional<PreviewElement> element = PreviewElementAt(buffer.GetText(), end);
    if (element == m_shownElement)
        return;
    m_shownElement = element;
    if (element)
        script += ScrollScript(*element);
}

void PreviewPane::AllowRemote()
{
    const PreviewSite& site = m_handler->Site();
    if (site.root.isEmpty())
        m_unsavedRemoteAllowed = true;
    else
        AllowRemoteContent(m_app, site);
    m_guard->SetRemoteAllowed(true);
    m_bar->hide();
    m_page->triggerAction(QWebEnginePage::Reload);
}

void PreviewPane::OpenOutside(const QUrl& url, bool inEditor)
{
    Ui& ui = m_app.GetUi();
    if (!inEditor) {
        ui.OpenExternal(url.toString());
        return;
    }
    const std::optional<QString> path = PreviewFilePath(m_handler->Site(), url);
    if (!path)
        return;
    // One document a window: another page opens in another run.
    if (IsPage(*path))
        ui.StartProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--"), *path},
                        QString());
    else
        ui.OpenExternal(*path);
}
