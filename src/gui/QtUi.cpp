#include "gui/QtUi.h"

#include "core/app/UiText.h"

#include "core/ftp/CFtpWnd.h"
#include "gui/FtpWindow.h"
#include "gui/ThreadedTaskRunner.h"

#include "gui/CFolderDlg.h"
#include "gui/CMainFrame.h"
#include "gui/DialogRoom.h"
#include "gui/FileChooser.h"
#include "gui/FontFamilies.h"
#include "gui/FormDialog.h"
#include "gui/QuestionBox.h"
#include "gui/SourcePrinter.h"
#include "platform/DesktopOpener.h"
#include "platform/FileAccess.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

QtUi::ArrowWhileAsking::ArrowWhileAsking() : m_pushed(QGuiApplication::overrideCursor() != nullptr)
{
    if (m_pushed)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

QtUi::ArrowWhileAsking::~ArrowWhileAsking()
{
    if (m_pushed)
        QGuiApplication::restoreOverrideCursor();
}

void QtUi::SetMainWindow(QWidget* window)
{
    m_window = window;
    if (!m_title.isEmpty())
        SetWindowTitle(m_title);
}

void QtUi::Message(const QString& text, Icon icon)
{
    const ArrowWhileAsking arrow;
    QuestionBox(QuestionBox::MessageQuestion(text, icon), m_window).Run();
}

Ui::Answer QtUi::Ask(const Question& question)
{
    const ArrowWhileAsking arrow;
    QuestionBox box(question, m_window);
    if (question.placement == Placement::TopOfMainWindow && m_window && m_window->isVisible())
        box.PlaceOver(m_window);
    return box.Run();
}

std::optional<QString> QtUi::Input(const QString& title, const QString& prompt,
                                   const QString& initial)
{
    const ArrowWhileAsking arrow;
    return AskText(m_window, title, prompt, initial);
}

std::optional<QString> QtUi::AskText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title.isEmpty() ? QuestionBox::DefaultTitle() : UiText(title));
    dialog.setLabelText(UiText(prompt));
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(UiText(QStringLiteral("キャンセル")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtUi::FitToScreen(QWidget& dialog)
{
    const QSize room = DialogRoom(dialog);
    dialog.setMaximumSize(room);
    dialog.resize(dialog.sizeHint().boundedTo(room));
}

QString QtUi::WithoutMnemonic(const QString& label)
{
    static const QRegularExpression mnemonic(QStringLiteral("[\\(（]&[^&][\\)）]"));
    QString text = label;
    text.remove(mnemonic);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text.remove(QChar(0x2060));  // the joiners that keep a wrapped phrase whole
    return text;
}

std::optional<QString> QtUi::ChooseFile(const FileDialog& d)
{
    const ArrowWhileAsking arrow;
    FileChooser dialog(d, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
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
                                                 m_window, UiText(QStringLiteral("色の設定")));
    if (!chosen.isValid())
        return std::nullopt;
    return QString::asprintf("%02X%02X%02X", chosen.red(), chosen.green(), chosen.blue());
}

Ui::Answer QtUi::RunForm(FormModel& form)
{
    const ArrowWhileAsking arrow;
    FormDialog dialog(form, *this, m_window);
    return dialog.Run();
}

QStringList QtUi::FontFamilies() const
{
    return InstalledFontFamilies();
}

QString QtUi::InstalledFontFamily(const QString& face) const
{
    return ::InstalledFontFamily(face);
}

QString QtUi::AboutTitle()
{
    return QStringLiteral("バージョン情報");
}

QString QtUi::AboutText()
{
    return UiText(QStringLiteral("Kelvopad バージョン %1\n\n"
                                 "HTML ソースエディタ\n"
                                 "シフトJIS・JIS・EUC・UTF-8 の文書を、読み込んだときの"
                                 "文字コードと改行コードのまま保存します。"))
        .arg(QStringLiteral(KELVO_VERSION));
}

void QtUi::ShowAbout()
{
    // The program's own box, which fits its screen and keeps words whole.
    Question q = QuestionBox::MessageQuestion(AboutText(), Icon::None);
    q.title = AboutTitle();
    QuestionBox box(q, m_window);
    box.Run();
}

void QtUi::SetWindowTitle(const QString& title)
{
    m_title = title;
    // The main window adds the marks of the document's state.
    if (auto* frame = qobject_cast<CMainFrame*>(m_window.data()))
        frame->SetDocumentCaption(title);
    else if (m_window)
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
    // By the path's bytes: a CP932 name stays itself in the address.
    return QUrl::fromEncoded("file://"
                             + QUrl::toPercentEncoding(platform::EncodePath(platform::AbsolutePath(pathOrUrl)), "/"));
}

void QtUi::OpenExternal(const QString& pathOrUrl)
{
    const QUrl url = ExternalUrl(pathOrUrl);
    const QString path = url.isLocalFile() ? platform::AbsolutePath(pathOrUrl) : QString();
    const QString shown = url.isLocalFile() ? platform::DisplayPath(path) : pathOrUrl;
    // A file goes to the opener by its path, or where the name is not UTF-8
    // (which no program argument keeps) as its address, which keeps the
    // bytes. The opener tells by its exit status whether it found a
    // program; Qt's own call only tells whether it could start the opener.
    const bool plain = path.toUtf8() == platform::EncodePath(path);
    const std::weak_ptr<int> alive = m_alive;
    const bool started = platform::StartDesktopOpener(
        !url.isLocalFile() ? url.toString() : plain ? path : QString::fromLatin1(url.toEncoded()),
        [this, alive, shown](bool ok) {
            if (!ok && !alive.expired())
                Message(OpenExternalFailedMessage(shown), Icon::Warning);
        });
    if (!started && !QDesktopServices::openUrl(url))
        Message(OpenExternalFailedMessage(shown), Icon::Warning);
}

void QtUi::PrintText(const PrintJob& job, bool preview)
{
    const SourcePrinter printer(job);
    if (preview)
        printer.Preview(m_window);
    else
        printer.PrintWithDialog(m_window, *this);
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
    // Within the screen, frame included: on a phone the window fills it.
    // Landscape: room for the four columns of both lists side by side.
    const QSize size(model.Portrait() ? 360 : 960, model.Portrait() ? 600 : 560);
    window.resize(size.boundedTo(DialogRoom(window)));
    window.exec();
}
