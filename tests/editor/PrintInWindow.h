#pragma once

#include "birthday/frmGetInfo.h"
#include "editor/frmDisplay.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace natalory::test {

// A blank print opened in the main window as a user opens one: New, a name, a date, Done.
struct PrintInWindow : ::testing::Test {
    TempProgramFolder folder{{"blank.al!", "nopicfound.ico", "cake.png"}};
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;
    frmDisplay* canvas = nullptr;

    void openBlankPrint() {
        state.ProgramFolder = folder.path();
        state.settings.DefaultStyle = QStringLiteral("C");
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
        mdi->show();
        mdi->sToolbar.tool("ID_New").action()->trigger();
        frmGetInfo* d = workspace->birthdayDialog();
        d->txtFname->setText("Anna");
        d->txtLname->setText("Lee");
        d->calCalendar->setSelectedDate(QDate(1950, 1, 15));
        d->cmdDone->click();
        canvas = workspace->canvasWindow();
        ASSERT_TRUE(canvas);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mdi.get()));
        QApplication::setActiveWindow(mdi.get());
    }
    void click(const char* id) { mdi->sToolbar.tool(id).action()->trigger(); }
};

}  // namespace natalory::test
