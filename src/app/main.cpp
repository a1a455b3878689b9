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
    // Help, version and a bad argument are answered before Qt looks for a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    const natalory::StartArguments start = natalory::ParseStartArguments(raw);
    if (start.exitCode) return Finish(start);

    natalory::CatchTerminationSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Natalory"));
    QApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));

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
