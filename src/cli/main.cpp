#include "cli/CommandLine.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Fonts and pictures need a GUI application; the tool never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("natalory-print"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));
    const natalory::CliResult result = natalory::RunCommandLine(QCoreApplication::arguments());
    std::fputs(result.out.toUtf8().constData(), stdout);
    std::fputs(result.err.toUtf8().constData(), stderr);
    return result.exitCode;
}
