#include "tool/KelvoTool.h"

#include "platform/FileAccess.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-tool"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // File names keep their bytes, also when they are not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(platform::DecodePath(QByteArrayView(argv[i])));
    const int status = RunKelvoTool(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
