#include "gui/OtherWindows.h"

#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "platform/DetachedProcess.h"
#include "platform/FileAccess.h"

#include <QCoreApplication>

namespace {

QString& EditorProgramPath()
{
    static QString path;
    return path;
}

} // namespace

void SetEditorProgram(const QString& path)
{
    EditorProgramPath() = path;
}

void OpenInOtherWindows(const QStringList& files, int line, Ui& ui)
{
    const QString program = EditorProgramPath().isEmpty() ? QCoreApplication::applicationFilePath()
                                                          : EditorProgramPath();
    QStringList failed;
    for (const QString& file : files) {
        QStringList arguments;
        if (line > 0)
            arguments << QStringLiteral("--line") << QString::number(line);
        // Absolute, as the new run's folder is its own; after "--" a name
        // that starts with "-" is no option.
        arguments << QStringLiteral("--") << platform::AbsolutePath(file);
        if (!platform::StartDetached(program, arguments))
            failed << platform::DisplayPath(file);
    }
    if (!failed.isEmpty())
        ui.Message(UiText(QStringLiteral("新しいウィンドウで開けませんでした\n%1")).arg(failed.join(u'\n')));
}
