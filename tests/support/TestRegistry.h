#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <QString>

// Several QtTest classes in one executable (few binaries link faster).
// Each test file registers its class under its own name; the runner runs
// the classes named on the command line, or all of them.
namespace testing_support {

using Factory = std::function<std::unique_ptr<QObject>()>;
std::map<QString, Factory>& Registry();

struct Registrar {
    Registrar(const char* name, Factory factory)
    {
        Registry()[QString::fromLatin1(name)] = std::move(factory);
    }
};

int RunRegisteredTests(int argc, char** argv);

} // namespace testing_support

#define KELVO_TEST(Class, Name)                                                   \
    static testing_support::Registrar kelvoRegistrar_##Class(                     \
        Name, [] { return std::unique_ptr<QObject>(new Class); })
