#include "shell/Application.h"

#include "birthday/DateLimits.h"
#include "foundation/FileIO.h"
#include "shell/Icons.h"
#include "foundation/ProgramFolders.h"

#include <QApplication>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace natalory {

MainWindows Main(AppState& state, Services& services) {
    MainWindows w;
    // Every window of the program carries its icon, dialogs included.
    QApplication::setWindowIcon(ProgramIcon());
    w.mdi = std::make_unique<frmMDI>(state, services);
    w.workspace = new Workspace(state, services, *w.mdi);

    w.splash = new frmSplash(&w.mdi->sToolbar, LastYearAvailable(state.ProgramFolder));
    w.splash->setAttribute(Qt::WA_DeleteOnClose);
    w.splash->Command1->hide();
    w.splash->tmrClose->start();
    w.splash->show();

    state.AppTitle = QStringLiteral("Natalory ");
    // The MDI area adds " - [print]" itself when the canvas is maximized; the trailing
    // blank of the application title would double the blank before the dash.
    w.mdi->setWindowTitle(state.AppTitle.trimmed());
    w.mdi->show();
    if (w.splash) w.splash->raise();

    state.BatchInProgress = false;
    state.LogFilePath = PrintLogFile(state);
    w.settings = ReadSettings(state);
    if (w.settings.source == SettingsSource::DefaultsDamagedFile)
        w.mdi->stat->showMessage(
            QObject::tr("The settings file could not be read (%1); the default settings are in use.")
                .arg(w.settings.error.describe()),
            15000);
    else
        w.mdi->stat->showMessage(QObject::tr("Choose File, New (Ctrl+N) to make a Birthday Print."));
    return w;
}

}  // namespace natalory
