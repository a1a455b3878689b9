#include "shell/Application.h"
#include "shell/HandOver.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SingleInstance.h"
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
    // The launcher and the window are one to the desktop: the entry's id on Wayland, and
    // the class name (the application's name) that the entry's StartupWMClass gives on X11.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.natalory.Natalory"));

    // Only one copy runs: a second start hands its file to the one that does, whose
    // window comes up, and ends.
    const QString lockPath = natalory::SingleInstance::defaultLockPath();
    natalory::SingleInstance instance(lockPath);
    const QString socketPath = natalory::HandOverSocketPath(lockPath);
    const QStringList files = start.file.isEmpty() ? QStringList() : QStringList{start.file};
    if (!instance.acquire()) {
        QString why;
        if (natalory::HandToRunningCopy(socketPath, files, &why) || files.isEmpty()) return 0;
        std::fputs(QStringLiteral("natalory: another copy runs, and did not take %1: %2\n")
                       .arg(start.file, why)
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 1;
    }

    natalory::AppState state;
    natalory::UseProgramFolders(state, natalory::FindProgramFolders(QCoreApplication::applicationDirPath()));
    natalory::QtServices services;
    natalory::MainWindows windows = natalory::Main(state, services.services);
    natalory::CloseOnTerminationSignal(*windows.mdi);
    natalory::HandOverServer handOver(
        [&windows](const QStringList& handed) { natalory::OpenHandedFiles(windows, handed); });
    handOver.listen(socketPath);
    natalory::AcceptDroppedFiles(windows);
    natalory::ListRecentFiles(windows, state, services.services);
    if (!start.file.isEmpty()) natalory::OpenStartFile(windows, start.file);
    return app.exec();
}
