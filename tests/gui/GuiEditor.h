#pragma once

#include "TestFiles.h"

#include "core/app/CKelvoApp.h"
#include "core/app/HeadlessEditor.h"
#include "core/app/ScriptedUi.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "gui/CMainFrame.h"
#include "gui/EditWidget.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include <memory>

Q_DECLARE_METATYPE(MenuLayout)

// The desktop program's objects, built as main() builds them, on a scripted
// Ui (ScriptedUi or a class derived from it) and settings in a temporary
// folder.
template <class UiType>
class BasicGuiEditor {
public:
    explicit BasicGuiEditor(MenuLayout layout = MenuLayout::Landscape, bool build = true)
        : m_settings(m_dir.filePath(QStringLiteral("kelvo.ini")))
    {
        if (build)
            Build(layout);
    }

    // Builds the program; settings written before this act as an earlier
    // run's.
    void Build(MenuLayout layout)
    {
        m_frame = std::make_unique<CMainFrame>();
        m_app = std::make_unique<CKelvoApp>(m_settings, m_ui);
        m_doc = std::make_unique<CKelvoDoc>(*m_app, m_frame->Edit().Buffer());
        m_view = std::make_unique<CKelvoView>(*m_app, m_frame->Edit().Buffer());
        m_app->Attach(*m_doc, *m_view);
        RegisterAllCommands(*m_app);
        m_frame->Attach(*m_app);
        StartupOptions options;
        options.screenWidth = layout == MenuLayout::Portrait ? 360 : 1024;
        options.screenHeight = layout == MenuLayout::Portrait ? 720 : 768;
        m_app->InitInstance(options);
        m_frame->BuildMenus(m_app->Layout());
    }

    // Ends the program's objects in main()'s order.
    void Destroy()
    {
        m_view.reset();
        m_doc.reset();
        m_app.reset();
        m_frame.reset();
    }
    ~BasicGuiEditor() { Destroy(); }

    platform::SettingsStore& Settings() { return m_settings; }
    UiType& Ui() { return m_ui; }
    CMainFrame& Frame() { return *m_frame; }
    EditWidget& Edit() { return m_frame->Edit(); }
    CKelvoApp& App() { return *m_app; }
    CKelvoDoc& Doc() { return *m_doc; }
    CKelvoView& View() { return *m_view; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString MakeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = Path(name);
        WriteBytes(path, bytes);
        return path;
    }

private:
    QTemporaryDir m_dir;
    platform::SettingsStore m_settings;
    UiType m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKelvoApp> m_app;
    std::unique_ptr<CKelvoDoc> m_doc;
    std::unique_ptr<CKelvoView> m_view;
};

using GuiEditor = BasicGuiEditor<ScriptedUi>;

// How many different colours an image has (a blank or one-colour picture
// has one or two).
inline int DistinctColors(const QImage& image)
{
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    return colors.size();
}

// The folder the screenshots go to, created on demand.
inline QString ScreenshotFolder()
{
    const QString dir = QStringLiteral(KELVO_BUILD_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir;
}
