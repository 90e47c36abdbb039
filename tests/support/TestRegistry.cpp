#include "TestRegistry.h"

#include <QTest>

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace testing_support {

namespace {

// Tests make files whose names are not UTF-8, which QTemporaryDir cannot
// remove (it lists them by Qt's reading of names). So a run keeps every
// temporary folder in one of its own, sticky and open to all as /tmp is
// (tests act as an ordinary user too), and removes that by bytes at the
// end, read-only folders included.
class RunTemporaryFolder {
public:
    RunTemporaryFolder() : m_previous(qgetenv("TMPDIR"))
    {
        QByteArray path = (m_previous.isEmpty() ? QByteArray("/tmp") : m_previous) + "/kelvo-tests-XXXXXX";
        if (!::mkdtemp(path.data()) || ::chmod(path.constData(), 01777) != 0)
            return;
        m_path = path;
        qputenv("TMPDIR", m_path);
    }
    ~RunTemporaryFolder()
    {
        if (m_path.isEmpty())
            return;
        ::nftw(m_path.constData(), [](const char* p, const struct stat*, int kind, FTW*) {
            if (kind == FTW_D)
                ::chmod(p, 0700);
            return 0;
        }, 16, FTW_PHYS);
        ::nftw(m_path.constData(), [](const char* p, const struct stat*, int, FTW*) { return ::remove(p); },
               16, FTW_DEPTH | FTW_PHYS);
        if (m_previous.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_previous);
    }

private:
    QByteArray m_previous;
    QByteArray m_path;
};

} // namespace

std::map<QString, Factory>& Registry()
{
    static std::map<QString, Factory> registry;
    return registry;
}

// Usage: runner [Name[,Name...]] [QtTest arguments]
int RunRegisteredTests(int argc, char** argv)
{
    QStringList names;
    std::vector<char*> rest{argv[0]};
    int first = 1;
    if (argc > 1 && argv[1][0] != '-') {
        names = QString::fromLocal8Bit(argv[1]).split(u',');
        first = 2;
    }
    for (int i = first; i < argc; ++i)
        rest.push_back(argv[i]);
    const RunTemporaryFolder temporary;
    int failures = 0;
    for (const auto& [name, factory] : Registry()) {
        if (!names.isEmpty() && !names.contains(name))
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
    }
    if (!names.isEmpty())
        for (const QString& n : names)
            if (!Registry().count(n)) {
                qWarning("no test named %s", qPrintable(n));
                ++failures;
            }
    return failures == 0 ? 0 : 1;
}

} // namespace testing_support
