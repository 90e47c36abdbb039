#include "TestRegistry.h"

#include <QTest>

namespace testing_support {

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
