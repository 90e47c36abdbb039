#include "core/app/TaskRunner.h"

namespace {

class InlineContext : public TaskContext {
public:
    explicit InlineContext(InlineTaskRunner& runner) : m_runner(runner) {}
    void SetText(const QString& line1, const QString& line2) override
    {
        if (m_runner.onText)
            m_runner.onText(line1, line2);
    }
    void SetProgress(qint64 done, qint64 total) override
    {
        if (m_runner.onProgress)
            m_runner.onProgress(*this, done, total);
    }

private:
    InlineTaskRunner& m_runner;
};

} // namespace

bool InlineTaskRunner::Run(const QString&, const std::function<bool(TaskContext&)>& work)
{
    InlineContext context(*this);
    return work(context);
}
