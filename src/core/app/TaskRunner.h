#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// What long work (a network transfer) sees of the window that shows it:
// two lines of text, a progress count and the user's Cancel.
//
// The work calls these from the runner's thread; the runner hands the
// values to the window. Cancelled() turns true when the user pressed Cancel;
// work checks it between blocks and ends early.
class TaskContext {
public:
    virtual ~TaskContext() = default;
    virtual void SetText(const QString& line1, const QString& line2) = 0;
    // `total` is -1 when the size is not known.
    virtual void SetProgress(qint64 done, qint64 total) = 0;
    // Work on several files: the one under way (from 1) of how many.
    virtual void SetItem(int number, int count) {}
    bool Cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    // The flag itself, for code that polls it directly.
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    void Cancel() { m_cancel.store(true, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancel{false};
};

// Runs long work away from the user's window so that it keeps repainting
// and its Cancel button answers.
//
// Every piece of work given to one runner runs on the same thread, one after
// the other, so objects that work has made (a client with its sockets) may be
// used by later work of the same runner. Run returns when the work has
// ended, with the work's result.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    virtual bool Run(const QString& title, const std::function<bool(TaskContext&)>& work) = 0;
    // How long work may run before its progress window shows, where there
    // is one: quick steps (a folder listing) should not flash a window,
    // while a status the user is to read (where a file goes) shows at once.
    virtual void SetShowDelay(int ms) {}
};

// Runs the work on the caller's thread at once; for the headless editor, the
// batch tool and the tests. `onProgress`, when set, sees every progress step
// and may cancel through the context (tests use it to press Cancel).
class InlineTaskRunner : public TaskRunner {
public:
    std::function<void(TaskContext&, qint64 done, qint64 total)> onProgress;
    // Sees every pair of text lines the work shows.
    std::function<void(const QString& line1, const QString& line2)> onText;
    bool Run(const QString& title, const std::function<bool(TaskContext&)>& work) override;
};
