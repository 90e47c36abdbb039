#pragma once

#include "TestFiles.h"

#include "core/app/ScriptedUi.h"
#include "gui/DesktopProgram.h"
#include "gui/EditWidget.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
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
        m_program = std::make_unique<DesktopProgram>(m_settings, m_ui);
        StartupOptions options;
        options.screenWidth = layout == MenuLayout::Portrait ? 360 : 1024;
        options.screenHeight = layout == MenuLayout::Portrait ? 720 : 768;
        m_program->Start(options);
    }

    // Ends the program's objects in main()'s order.
    void Destroy() { m_program.reset(); }
    ~BasicGuiEditor() { Destroy(); }

    platform::SettingsStore& Settings() { return m_settings; }
    UiType& Ui() { return m_ui; }
    CMainFrame& Frame() { return m_program->Frame(); }
    EditWidget& Edit() { return Frame().Edit(); }
    CKelvoApp& App() { return m_program->App(); }
    CKelvoDoc& Doc() { return m_program->Doc(); }
    CKelvoView& View() { return m_program->View(); }
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
    std::unique_ptr<DesktopProgram> m_program;
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
// The test platform's screen of that size (GuiMain sets up several), or
// null when it has none.
inline QScreen* ScreenOfSize(const QSize& size)
{
    for (QScreen* s : QGuiApplication::screens())
        if (s->size() == size)
            return s;
    return nullptr;
}

inline QString ScreenshotFolder()
{
    const QString dir = QStringLiteral(KELVO_BUILD_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir;
}
