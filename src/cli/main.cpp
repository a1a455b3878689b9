#include "cli/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("natalory-print"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));
    const natalory::CliResult result = natalory::RunCommandLine(QCoreApplication::arguments());
    std::fputs(result.out.toLocal8Bit().constData(), stdout);
    std::fputs(result.err.toLocal8Bit().constData(), stderr);
    return result.exitCode;
}
