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

// The year data, without which no print is built.
inline QStringList WithYearData(QStringList files) {
    for (const char* name : {"blear.fpf", "blearII.fpf", "blik.fpf", "brdstf.fpf"})
        if (!files.contains(QLatin1StringView(name))) files << QString::fromLatin1(name);
    return files;
}

// The main window and its workspace over a program folder of the year data and the
// given data files, as the program starts them; the window is shown by whoever needs it on screen.
struct MainWindowTest : ::testing::Test {
    explicit MainWindowTest(const QStringList& dataFiles = {"blank.al!", "nopicfound.ico", "cake.png"})
        : folder(WithYearData(dataFiles)) {
        state.ProgramFolder = folder.path();
        state.settings.DefaultStyle = QStringLiteral("C");
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
    }

    // New, a name, a date, Done: a print of the default style, as a user opens one.
    static frmDisplay& OpenPrint(frmMDI& window, Workspace& in, const QString& first, const QString& last,
                                 QDate date) {
        window.sToolbar.tool("ID_New").action()->trigger();
        frmGetInfo* d = in.birthdayDialog();
        d->txtFname->setText(first);
        d->txtLname->setText(last);
        d->calCalendar->setSelectedDate(date);
        d->cmdDone->click();
        EXPECT_TRUE(in.canvasWindow());
        return *in.canvasWindow();
    }
    frmDisplay& openPrint(const QString& first, const QString& last, QDate date) {
        return OpenPrint(*mdi, *workspace, first, last, date);
    }
    void click(const char* id) { mdi->sToolbar.tool(id).action()->trigger(); }

    TempProgramFolder folder;
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;
};

// A blank print opened in the shown main window.
struct PrintInWindow : MainWindowTest {
    frmDisplay* canvas = nullptr;

    void openBlankPrint() {
        mdi->show();
        openPrint("Anna", "Lee", QDate(1950, 1, 15));
        canvas = workspace->canvasWindow();
        ASSERT_TRUE(canvas);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mdi.get()));
        QApplication::setActiveWindow(mdi.get());
    }
};

}  // namespace natalory::test
