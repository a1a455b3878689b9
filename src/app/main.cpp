#include "shell/Application.h"
#include "shell/SingleInstance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Natalory"));
    QApplication::setApplicationVersion(QStringLiteral(NATALORY_VERSION));

    // A second copy ends at once and says nothing.
    natalory::SingleInstance instance;
    if (!instance.acquire()) return 0;

    natalory::AppState state;
    state.ProgramFolder = QCoreApplication::applicationDirPath();
    natalory::QtServices services;
    natalory::MainWindows windows = natalory::Main(state, services.services);
    return app.exec();
}
