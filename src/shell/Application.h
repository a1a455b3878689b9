#pragma once

#include "foundation/AppState.h"
#include "shell/QtSeams.h"
#include "foundation/Settings.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"
#include "shell/frmSplash.h"

#include <QPointer>

#include <memory>

namespace natalory {

// The seams of the desktop program, all in one place.
struct QtServices {
    QtPrompt prompt;
    QtFileChooser files;
    QtColorChooser colors;
    QtPrinterSetupChooser printerSetup;
    SystemClock clock;
    QtUrlOpener urls;
    QtHelpViewer help;
    Services services{prompt, files, colors, printerSetup, clock, urls, help};
};

struct MainWindows {
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;  // owned by the main window
    QPointer<frmSplash> splash;      // deletes itself when it closes
    SettingsReadResult settings;
};

// Start-up once this copy knows it is the only one running: the splash, the main
// window with its no-print tools, the log path and the settings.
MainWindows Main(AppState& state, Services& services);

}  // namespace natalory
