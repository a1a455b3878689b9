// Every window on a small screen at twice the scale: a 1600 x 1200 screen at
// QT_SCALE_FACTOR=2 leaves 800 x 600 for the program.
#include "editor/PrintInWindow.h"
#include "output/frmPrev.h"
#include "shell/QtSeams.h"

#include <QScreen>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdlib>

using namespace natalory;
using namespace natalory::test;

namespace {

QRect FreeArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void ExpectOnScreen(const QWidget& window) {
    ASSERT_TRUE(window.isVisible()) << window.objectName().toStdString();
    const QRect at = window.frameGeometry();
    EXPECT_TRUE(FreeArea().contains(at)) << window.objectName().toStdString() << " lies at " << at.x() << ","
                                         << at.y() << " " << at.width() << "x" << at.height();
}

// On the screen, and centred on the main window.
void ExpectCentredOn(const QWidget& window, const QWidget& parent) {
    ExpectOnScreen(window);
    const QPoint offset = window.frameGeometry().center() - parent.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 60) << window.objectName().toStdString();
}

struct SmallScreen : PrintInWindow {
    // Opens a modal dialog with `tool` and checks it while it is up, then closes it.
    void checkModal(const char* tool) {
        bool seen = false;
        WhenDialogOpens<QWidget>([&](QWidget& dialog) {
            seen = true;
            ExpectCentredOn(dialog, *mdi);
            dialog.close();
        });
        click(tool);
        EXPECT_TRUE(seen) << tool;
    }
};

}  // namespace

TEST_F(SmallScreen, EveryWindowOpensOnTheScreenCentredOnTheMainWindow) {
    ASSERT_EQ(FreeArea().size(), QSize(800, 600));
    openBlankPrint();
    ExpectOnScreen(*mdi);

    for (const char* tool : {"ID_Preferences", "ID_PageSetup", "ID_DataSettings", "ID_ViewLog"})
        checkModal(tool);

    click("ID_PrintPreview");
    ASSERT_TRUE(workspace->previewWindow());
    ExpectCentredOn(*workspace->previewWindow(), *mdi);
    workspace->previewWindow()->close();

    click("ID_EditBirthdayInfo");
    ASSERT_TRUE(workspace->birthdayDialog());
    ExpectOnScreen(*workspace->birthdayDialog());
    workspace->birthdayDialog()->close();

    click("ID_Close");
    click("ID_BatchProcessing");
    QWidget* batch = mdi->findChild<QDialog*>(QStringLiteral("frmBatch"));
    ASSERT_TRUE(batch);
    ExpectCentredOn(*batch, *mdi);
    batch->close();

    QtHelpViewer help;
    help.showTopic(folder.file("nataloryhelp.chm"), QStringLiteral("Main"), 1000);
    QWidget* helpWindow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"HelpWindow" && w->isVisible()) helpWindow = w;
    ASSERT_TRUE(helpWindow);
    ExpectCentredOn(*helpWindow, *mdi);
}

int main(int argc, char** argv) {
    QTemporaryFile config;
    if (!config.open()) return 1;
    config.write(R"({"screens": [{"name": "Small", "x": 0, "y": 0, "width": 1600, "height": 1200,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    const QByteArray platform = "offscreen:configfile=" + config.fileName().toLocal8Bit();
    setenv("QT_QPA_PLATFORM", platform.constData(), 1);
    setenv("QT_SCALE_FACTOR", "2", 1);
    return RunTestsHeadless(argc, argv);
}
