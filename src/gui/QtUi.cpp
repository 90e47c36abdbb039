#include "gui/QtUi.h"

#include "core/ftp/CFtpWnd.h"
#include "gui/FtpWindow.h"
#include "gui/ThreadedTaskRunner.h"

#include "gui/CFolderDlg.h"
#include "gui/FormDialog.h"
#include "gui/QuestionBox.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

void QtUi::SetMainWindow(QWidget* window)
{
    m_window = window;
    if (m_window && !m_title.isEmpty())
        m_window->setWindowTitle(m_title);
}

void QtUi::Message(const QString& text, Icon icon)
{
    Question q;
    q.text = text;
    q.icon = icon;
    q.buttons = {{Answer::Ok, QStringLiteral("OK")}};
    q.escape = Answer::Ok;
    QuestionBox(q, m_window).Run();
}

Ui::Answer QtUi::Ask(const Question& question)
{
    QuestionBox box(question, m_window);
    if (question.placement == Placement::TopOfMainWindow && m_window && m_window->isVisible())
        box.PlaceOver(m_window);
    return box.Run();
}

std::optional<QString> QtUi::Input(const QString& title, const QString& prompt,
                                   const QString& initial)
{
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(title.isEmpty() ? QuestionBox::DefaultTitle() : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtUi::NameFilters(const QString& filter)
{
    QStringList filters;
    for (const auto& [name, patterns] : ParseFilter(filter)) {
        QStringList list = patterns.split(u';', Qt::SkipEmptyParts);
        for (QString& p : list)
            p = p.trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(name, list.join(u' ')));
    }
    return filters;
}

QString QtUi::WithDefaultExtension(const QString& path, const QString& extension)
{
    if (extension.isEmpty() || path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.contains(u'.'))
        return path;
    return path + u'.' + extension;
}

QString QtUi::OverwriteQuestion(const QString& path)
{
    return QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(QFileInfo(path).fileName());
}

std::optional<QString> QtUi::ChooseFile(const FileDialog& d)
{
    QFileDialog dialog(m_window, d.title);
    dialog.setAcceptMode(d.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!d.save && d.fileMustExist ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    const QStringList filters = NameFilters(d.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!d.initialFolder.isEmpty())
        dialog.setDirectory(d.initialFolder);
    // An initial "name" of patterns only narrows the list, which the filter
    // already does.
    if (!d.initialName.isEmpty() && !d.initialName.contains(u'*') && !d.initialName.contains(u'?'))
        dialog.selectFile(d.initialName);
    if (!d.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(d.defaultExtension);
    // The program asks about overwriting itself, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setLabelText(QFileDialog::Accept,
                        d.save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名(&N):"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類(&T):"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所(&I):"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        QString path = dialog.selectedFiles().value(0);
        if (path.isEmpty())
            return std::nullopt;
        if (d.save)
            path = WithDefaultExtension(path, d.defaultExtension);
        if (d.save && d.overwritePrompt && QFileInfo::exists(path)
            && Ask(OverwriteQuestion(path), Buttons::YesNo, Icon::Warning) != Answer::Yes)
            continue;
        return path;
    }
}

std::optional<QString> QtUi::ChooseFolder(const QString& initial)
{
    CFolderDlg dialog(initial, *this, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
}

std::optional<QString> QtUi::ChooseColor(const QString& initial)
{
    const QColor start(u'#' + initial.trimmed());
    const QColor chosen = QColorDialog::getColor(start.isValid() ? start : QColor(Qt::white),
                                                 m_window, QStringLiteral("色の設定"));
    if (!chosen.isValid())
        return std::nullopt;
    return QString::asprintf("%02X%02X%02X", chosen.red(), chosen.green(), chosen.blue());
}

Ui::Answer QtUi::RunForm(FormModel& form)
{
    FormDialog dialog(form, *this, m_window);
    return dialog.Run();
}

QStringList QtUi::FontFamilies() const
{
    return QFontDatabase::families();
}

QString QtUi::AboutTitle()
{
    return QStringLiteral("バージョン情報");
}

QString QtUi::AboutText()
{
    return QStringLiteral("Kelvopad バージョン %1\n\n"
                          "HTML ソースエディタ\n"
                          "シフトJIS・JIS・EUC・UTF-8 の文書を、読み込んだときの"
                          "文字コードと改行コードのまま保存します。")
        .arg(QStringLiteral(KELVO_VERSION));
}

void QtUi::ShowAbout()
{
    QMessageBox box(m_window);
    box.setWindowTitle(AboutTitle());
    box.setText(AboutText());
    box.setIconPixmap(QGuiApplication::windowIcon().pixmap(48, 48));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void QtUi::SetWindowTitle(const QString& title)
{
    m_title = title;
    if (m_window)
        m_window->setWindowTitle(title);
}

void QtUi::CloseMainWindow()
{
    if (m_window)
        m_window->close();
}

QUrl QtUi::ExternalUrl(const QString& pathOrUrl)
{
    const QUrl url(pathOrUrl);
    // A one-letter scheme would be a drive letter, not a URL.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
}

void QtUi::OpenExternal(const QString& pathOrUrl)
{
    QDesktopServices::openUrl(ExternalUrl(pathOrUrl));
}

void QtUi::BeginBusy()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtUi::EndBusy()
{
    QGuiApplication::restoreOverrideCursor();
}

std::unique_ptr<TaskRunner> QtUi::MakeTaskRunner()
{
    return std::make_unique<ThreadedTaskRunner>(m_window);
}

void QtUi::RunFtpWindow(CFtpWnd& model)
{
    FtpWindow window(model, m_window);
    QSize size(model.Portrait() ? 360 : 860, model.Portrait() ? 600 : 520);
    if (const QScreen* s = m_window ? m_window->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size());
    window.resize(size);
    window.exec();
}
