#include "gui/QtUi.h"

#include "core/app/UiText.h"

#include "core/ftp/CFtpWnd.h"
#include "gui/FtpWindow.h"
#include "gui/ThreadedTaskRunner.h"

#include "gui/CFolderDlg.h"
#include "gui/CMainFrame.h"
#include "gui/DialogRoom.h"
#include "gui/FontFamilies.h"
#include "gui/FormDialog.h"
#include "gui/QuestionBox.h"
#include "gui/SourcePrinter.h"
#include "platform/DesktopOpener.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QUrl>

namespace {

// Below this width a dialog drops what only a desktop screen has room for.
constexpr int kNarrowScreenWidth = 480;
constexpr int kNarrowComboCharacters = 6;
constexpr int kNarrowMargin = 4;

} // namespace

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
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(title.isEmpty() ? QuestionBox::DefaultTitle() : UiText(title));
    dialog.setLabelText(UiText(prompt));
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(UiText(QStringLiteral("キャンセル")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtUi::NameFilters(const QString& filter)
{
    // The names carry their patterns for a dialog that shows only names
    // ("HTMLﾌｧｲﾙ(*.htm*)"); Qt's dialog adds the real ones itself.
    static const QRegularExpression shownPatterns(QStringLiteral("\\([^()]*\\*[^()]*\\)\\s*$"));
    QStringList filters;
    // A filter is translated whole, as it is written; a name that was put
    // together from pieces is translated by itself.
    for (const auto& [name, patterns] : ParseFilter(UiText(filter))) {
        QStringList list = patterns.split(u';', Qt::SkipEmptyParts);
        for (QString& p : list) {
            p = p.trimmed();
            // "*.*" meant every file; here it would miss names without a dot.
            if (p == u"*.*")
                p = QStringLiteral("*");
        }
        QString shown = name;
        shown.remove(shownPatterns);
        filters.append(QStringLiteral("%1 (%2)").arg(UiText(shown.trimmed()), list.join(u' ')));
    }
    return filters;
}

void QtUi::FitToScreen(QWidget& dialog)
{
    const QSize room = DialogRoom(dialog);
    // Qt's file dialog has more than a phone's screen has room for: the side
    // bar of places, the history and view buttons, and the captions, whose
    // fields say what they hold instead.
    if (room.width() < kNarrowScreenWidth) {
        for (const char* name : {"sidebar", "lookInLabel", "backButton", "forwardButton",
                                 "listModeButton", "detailModeButton", "fileNameLabel",
                                 "fileTypeLabel"})
            if (QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name)))
                w->hide();
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setPlaceholderText(WithoutMnemonic(UiText(QStringLiteral("ファイル名(&N)"))));
        if (QLayout* layout = dialog.layout())
            layout->setContentsMargins(kNarrowMargin, kNarrowMargin, kNarrowMargin, kNarrowMargin);
        // Buttons as wide as their captions (Qt's least width is wider), the
        // caption as shown: "開く(O)", its mnemonic underlined.
        if (auto* box = dialog.findChild<QWidget*>(QStringLiteral("buttonBox")))
            for (QPushButton* button : box->findChildren<QPushButton*>()) {
                QString shown = button->text();
                shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
                shown.remove(u'&');
                shown.replace(u'\x01', u'&');
                const QStyle* style = button->style();
                const int padding = 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                                    + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)
                                    + kNarrowMargin;
                button->setMaximumWidth(button->fontMetrics().horizontalAdvance(shown) + padding);
            }
        for (const char* name : {"lookInCombo", "fileTypeCombo"})
            if (auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(name))) {
                combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                combo->setMinimumContentsLength(kNarrowComboCharacters);
            }
    }
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

void QtUi::SetUpFileDialog(QFileDialog& dialog, const FileDialog& d)
{
    dialog.setWindowTitle(UiText(d.title));
    dialog.setAcceptMode(d.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!d.save && d.fileMustExist ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    const QStringList filters = NameFilters(d.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    // A folder that is not there (no documents folder yet) would leave the
    // dialog in whatever folder the program was started from.
    dialog.setDirectory(!d.initialFolder.isEmpty() && QFileInfo(d.initialFolder).isDir()
                            ? d.initialFolder
                            : QDir::homePath());
    // An initial "name" of patterns only narrows the list, which the filter
    // already does.
    if (!d.initialName.isEmpty() && !d.initialName.contains(u'*') && !d.initialName.contains(u'?'))
        dialog.selectFile(d.initialName);
    // Qt adds the default extension to every name typed into an open
    // dialog, so "README" would look for "README.html"; there the name is
    // taken as typed first (ChooseFile).
    if (d.save && !d.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(d.defaultExtension);
    // The program asks about overwriting itself, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setLabelText(QFileDialog::Accept,
                        UiText(d.save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)")));
    dialog.setLabelText(QFileDialog::Reject, UiText(QStringLiteral("キャンセル")));
    // The dialog's labels show a mnemonic as it is written.
    dialog.setLabelText(QFileDialog::FileName,
                        WithoutMnemonic(UiText(QStringLiteral("ファイル名(&N):"))));
    dialog.setLabelText(QFileDialog::FileType,
                        WithoutMnemonic(UiText(QStringLiteral("ファイルの種類(&T):"))));
    dialog.setLabelText(QFileDialog::LookIn,
                        WithoutMnemonic(UiText(QStringLiteral("ファイルの場所(&I):"))));
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
    return UiText(QStringLiteral("%1 は既に存在します。\n上書きしますか？")).arg(QFileInfo(path).fileName());
}

std::optional<QString> QtUi::ChooseFile(const FileDialog& d)
{
    QFileDialog dialog(m_window);
    SetUpFileDialog(dialog, d);
    FitToScreen(dialog);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        QString path = dialog.selectedFiles().value(0);
        if (path.isEmpty())
            return std::nullopt;
        if (d.save)
            path = WithDefaultExtension(path, d.defaultExtension);
        else if (!QFileInfo::exists(path))
            path = WithDefaultExtension(path, d.defaultExtension);
        if (d.save && d.overwritePrompt && QFileInfo::exists(path)
            && Ask(OverwriteQuestion(path), Buttons::YesNo, Icon::Warning, Answer::No) != Answer::Yes)
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
    return QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
}

void QtUi::OpenExternal(const QString& pathOrUrl)
{
    const QUrl url = ExternalUrl(pathOrUrl);
    const QString shown = url.isLocalFile() ? url.toLocalFile() : pathOrUrl;
    // The opener tells by its exit status whether it found a program; Qt's
    // own call only tells whether it could start the opener.
    const std::weak_ptr<int> alive = m_alive;
    const bool started = platform::StartDesktopOpener(
        url.isLocalFile() ? url.toLocalFile() : url.toString(), [this, alive, shown](bool ok) {
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
    else if (!printer.PrintWithDialog(m_window))
        Message(UiText(QStringLiteral("印刷できませんでした - ")) + job.name, Icon::Warning);
}

void QtUi::StartProcess(const QString& program, const QStringList& arguments,
                        const QString& workingFolder)
{
    QProcess::startDetached(program, arguments, workingFolder);
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
