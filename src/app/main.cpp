#include "shell/Application.h"
#include "shell/ProgramFolders.h"
#include "shell/SingleInstance.h"
#include "shell/StartFile.h"
#include "shell/TerminationSignals.h"

#include <QApplication>

#include <cstdio>

namespace {

int Finish(const natalory::StartArguments& start) {
    std::fputs(start.output.toLocal8Bit().constData(), stdout);
    std::fputs(start.error.toLocal8Bit().constData(), stderr);
    return *start.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display, so before Qt looks for one.
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    if (const auto early = natalory::ParseStartArguments(raw); early.exitCode && *early.exitCode == 0)
        return Finish(early);

    natalory::CatchTerminationSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Natalory"));
    QApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));
    const natalory::StartArguments start = natalory::ParseStartArguments(QApplication::arguments().mid(1));
    if (start.exitCode) return Finish(start);

    // A second copy ends at once and says nothing.
    natalory::SingleInstance instance;
    if (!instance.acquire()) return 0;

    natalory::AppState state;
    natalory::UseProgramFolders(state, natalory::FindProgramFolders(QCoreApplication::applicationDirPath()));
    natalory::QtServices services;
    natalory::MainWindows windows = natalory::Main(state, services.services);
    natalory::CloseOnTerminationSignal(*windows.mdi);
    if (!start.file.isEmpty()) natalory::OpenStartFile(windows, start.file);
    return app.exec();
}
