#pragma once

#include "core/app/TaskRunner.h"

#include <QPointer>
#include <QThread>
#include <QWidget>

class QObject;

// Runs every piece of work on one thread of its own while the caller's
// window keeps handling events; after a short moment a progress window with
// the two text lines, a bar, the rate and Cancel appears.
class ThreadedTaskRunner : public TaskRunner {
public:
    explicit ThreadedTaskRunner(QWidget* parent);
    ~ThreadedTaskRunner() override;

    bool Run(const QString& title, const std::function<bool(TaskContext&)>& work) override;

    void SetShowDelay(int ms) override { m_showDelayMs = ms; }

private:
    QPointer<QWidget> m_parent;
    QThread m_thread;
    QObject* m_worker = nullptr;  // lives on m_thread
    int m_showDelayMs = 300;
};
