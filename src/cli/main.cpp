#include "cli/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("natalory-print"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));
    const natalory::CliResult result = natalory::RunCommandLine(QCoreApplication::arguments());
    std::fputs(result.out.toUtf8().constData(), stdout);
    std::fputs(result.err.toUtf8().constData(), stderr);
    return result.exitCode;
}
