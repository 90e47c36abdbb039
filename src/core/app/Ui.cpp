#include "core/app/Ui.h"

#include "core/app/TaskRunner.h"
#include "core/app/UiText.h"
#include "platform/DetachedProcess.h"
#include "platform/FileAccess.h"

bool Ui::StartProcess(const QString& program, const QStringList& arguments,
                      const QString& workingFolder)
{
    return platform::StartDetached(program, arguments, workingFolder);
}

std::unique_ptr<TaskRunner> Ui::MakeTaskRunner()
{
    return std::make_unique<InlineTaskRunner>();
}

Ui::Answer Ui::Ask(const QString& text, Buttons buttons, Icon icon, std::optional<Answer> preferred)
{
    Question q;
    q.text = text;
    q.icon = icon;
    q.preferred = preferred;
    switch (buttons) {
    case Buttons::Ok:
        q.buttons = {{Answer::Ok, QStringLiteral("OK")}};
        q.escape = Answer::Ok;
        break;
    case Buttons::OkCancel:
        q.buttons = {{Answer::Ok, QStringLiteral("OK")},
                     {Answer::Cancel, QStringLiteral("キャンセル")}};
        break;
    case Buttons::YesNo:
        q.buttons = {{Answer::Yes, QStringLiteral("はい(&Y)")},
                     {Answer::No, QStringLiteral("いいえ(&N)")}};
        q.escape = Answer::No;
        break;
    case Buttons::YesNoCancel:
        q.buttons = {{Answer::Yes, QStringLiteral("はい(&Y)")},
                     {Answer::No, QStringLiteral("いいえ(&N)")},
                     {Answer::Cancel, QStringLiteral("キャンセル")}};
        break;
    }
    return Ask(q);
}

std::vector<std::pair<QString, QString>> Ui::ParseFilter(const QString& filter)
{
    std::vector<std::pair<QString, QString>> out;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        out.emplace_back(parts[i].trimmed(), parts[i + 1].trimmed());
    }
    return out;
}

QString OpenExternalFailedMessage(const QString& pathOrUrl)
{
    return UiText(QStringLiteral("表示するためのブラウザなどのプログラムを起動できませんでした。\n"
                                 "ブラウザがインストールされ、既定のブラウザとして設定されているか"
                                 "確認してください。\n表示できなかったもの: %1"))
        .arg(platform::DisplayPath(pathOrUrl));
}
