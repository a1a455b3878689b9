#include "cli/CommandLine.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Taken before the application object sees them: it would consume some
    // (--style, -platform, -reverse) as its own.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Fonts and pictures need a GUI application; the tool never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own diagnostics (a runtime folder it would like, a font it stands in for)
    // mean nothing to a user of the tool: stderr carries the tool's messages only.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("natalory-print"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));
    const natalory::CliResult result = natalory::RunCommandLine(arguments);
    std::fputs(result.out.toUtf8().constData(), stdout);
    if (!result.outBytes.isEmpty() &&
        std::fwrite(result.outBytes.constData(), 1, size_t(result.outBytes.size()), stdout) !=
            size_t(result.outBytes.size())) {
        std::fputs("natalory-print: cannot write to standard output\n", stderr);
        return 1;
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("natalory-print: cannot write to standard output\n", stderr);
        return 1;
    }
    std::fputs(result.err.toUtf8().constData(), stderr);
    return result.exitCode;
}
