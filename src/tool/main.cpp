#include "tool/KelvoTool.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-tool"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunKelvoTool(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
