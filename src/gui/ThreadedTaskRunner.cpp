#include "gui/ThreadedTaskRunner.h"

#include "core/app/UiText.h"

#include "gui/DialogRoom.h"
#include "gui/QtUi.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QMutex>
#include <QMutexLocker>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Values the work reports, read by the window on a timer: the work never
// touches a widget.
class SharedContext : public TaskContext {
public:
    void SetText(const QString& line1, const QString& line2) override
    {
        QMutexLocker lock(&m_mutex);
        m_line1 = line1;
        m_line2 = line2;
    }
    void SetProgress(qint64 done, qint64 total) override
    {
        QMutexLocker lock(&m_mutex);
        m_done = done;
        m_total = total;
    }
    void SetItem(int number, int count) override
    {
        QMutexLocker lock(&m_mutex);
        m_number = number;
        m_count = count;
    }
    struct State {
        QString line1, line2;
        qint64 done = -1;
        qint64 total = -1;
        int number = 0;
        int count = 0;
    };
    State Read()
    {
        QMutexLocker lock(&m_mutex);
        return {m_line1, m_line2, m_done, m_total, m_number, m_count};
    }

private:
    QMutex m_mutex;
    QString m_line1, m_line2;
    qint64 m_done = -1;
    qint64 m_total = -1;
    int m_number = 0;
    int m_count = 0;
};

QString ByteText(qint64 bytes)
{
    const QLocale locale(QLocale::Japanese);
    if (bytes >= 10 * 1024 * 1024)
        return locale.toString(bytes / (1024 * 1024)) + QStringLiteral(" MB");
    if (bytes >= 10 * 1024)
        return locale.toString(bytes / 1024) + QStringLiteral(" KB");
    return locale.toString(bytes) + UiText(QStringLiteral(" バイト"));
}

class ProgressWindow : public QDialog {
public:
    ProgressWindow(QWidget* parent, const QString& title, SharedContext& context)
        : QDialog(parent), m_context(context)
    {
        setWindowTitle(UiText(title));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        m_line1 = new QLabel(this);
        m_line2 = new QLabel(this);
        for (QLabel* label : {m_line1, m_line2}) {
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setMinimumWidth(200);
            layout->addWidget(label);
        }
        m_bar = new QProgressBar(this);
        m_bar->setRange(0, 0);
        m_bar->setFormat(QStringLiteral("%p%"));
        m_bar->setTextVisible(true);
        layout->addWidget(m_bar);
        m_rate = new QLabel(this);
        layout->addWidget(m_rate);
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* cancel = buttons->addButton(UiText(QStringLiteral("キャンセル")), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancel"));
        connect(cancel, &QPushButton::clicked, this, [this] { PressCancel(); });
        layout->addWidget(buttons);
        m_clock.start();
    }

    void PressCancel()
    {
        m_context.Cancel();
        m_rate->setText(UiText(QStringLiteral("中止しています...")));
    }

    void Update()
    {
        const SharedContext::State state = m_context.Read();
        // The lines are a step's caption or the names of what it moves.
        ShowLine(m_line1, UiText(state.line1));
        ShowLine(m_line2, UiText(state.line2));
        if (m_context.Cancelled())
            return;
        if (state.total > 0) {
            m_bar->setRange(0, 1000);
            m_bar->setValue(int(std::clamp<qint64>(state.done * 1000 / state.total, 0, 1000)));
        } else {
            m_bar->setRange(0, 0);
        }
        // Files on a line of their own: a narrow screen has no room for
        // both.
        QStringList lines;
        if (state.count > 1)
            lines << UiText(QStringLiteral("%1 / %2 ファイル")).arg(state.number).arg(state.count);
        if (state.done >= 0) {
            const qint64 ms = std::max<qint64>(1, m_clock.elapsed());
            QString bytes = ByteText(state.done);
            if (state.total > 0)
                bytes += QStringLiteral(" / ") + ByteText(state.total);
            lines << bytes + QStringLiteral("  ") + ByteText(state.done * 1000 / ms) + UiText(QStringLiteral("/秒"));
        }
        if (!lines.isEmpty())
            m_rate->setText(lines.join(u'\n'));
    }

protected:
    void reject() override { PressCancel(); }

private:
    // A long path is shortened in its middle, where its folders are, so the
    // window stays within a narrow screen and the file name stays in view.
    void ShowLine(QLabel* label, const QString& text)
    {
        const QMargins margins = layout()->contentsMargins();
        const int room = std::max(label->minimumWidth(), DialogRoom(*this).width() - margins.left() - margins.right());
        const QString shown = label->fontMetrics().elidedText(text, Qt::ElideMiddle, room);
        label->setText(shown);
        label->setToolTip(shown == text ? QString() : text);
    }  // Esc and the close box cancel too

    SharedContext& m_context;
    QtUi::ArrowWhileAsking m_arrow;  // the window answers while the work runs
    QLabel* m_line1;
    QLabel* m_line2;
    QLabel* m_rate;
    QProgressBar* m_bar;
    QElapsedTimer m_clock;
};

// While work runs, the user's clicks and keys reach only the progress
// window: the window that started the work must not start more meanwhile (a
// second click on the same button would queue the same copy again), nor
// close under it. Painting, timers and moving the window go on.
class InputBlocker : public QObject {
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

    QPointer<QWidget> allowed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (allowed && (widget == allowed || allowed->isAncestorOf(widget)))
            return false;
        event->ignore();  // a close box that is ignored leaves the window open
        return true;
    }
};

} // namespace

ThreadedTaskRunner::ThreadedTaskRunner(QWidget* parent) : m_parent(parent)
{
    m_thread.setObjectName(QStringLiteral("task runner"));
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

ThreadedTaskRunner::~ThreadedTaskRunner()
{
    m_thread.quit();
    m_thread.wait();
}

bool ThreadedTaskRunner::Run(const QString& title, const std::function<bool(TaskContext&)>& work)
{
    SharedContext context;
    QEventLoop loop;
    std::atomic<bool> finished{false};
    bool result = false;
    QObject guard;  // lives on this thread; the finish signal is queued to it

    QMetaObject::invokeMethod(m_worker, [&] {
        result = work(context);
        finished.store(true);
        QMetaObject::invokeMethod(&guard, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);

    InputBlocker blocker;
    ProgressWindow* window = nullptr;
    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, &guard, [&] {
        if (finished.load())
            return;
        window = new ProgressWindow(m_parent, title, context);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->Update();
        blocker.allowed = window;
        window->show();
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &guard, [&] {
        if (window)
            window->Update();
    });
    show.start(m_showDelayMs);
    tick.start(100);
    loop.exec();
    tick.stop();
    show.stop();
    delete window;
    return result;
}
