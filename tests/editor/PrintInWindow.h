#pragma once

#include "birthday/frmGetInfo.h"
#include "editor/frmDisplay.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Dialogs.h"
#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace natalory::test {

// The main window and its workspace over a program folder of the year data, the built-in
// templates and the pictures, as the program starts them; shown by whoever needs it on screen.
struct MainWindowTest : ::testing::Test {
    MainWindowTest() : folder(kPrintData) {
        state.ProgramFolder = folder.path();
        state.settings.DefaultStyle = QStringLiteral("C");
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
    }

    // New, a name, a date, Done: a print of the default style, as a user opens one.
    frmDisplay& openPrint(const QString& first, const QString& last, QDate date) {
        mdi->sToolbar.tool("ID_New").action()->trigger();
        frmGetInfo* d = workspace->birthdayDialog();
        d->txtFname->setText(first);
        d->txtLname->setText(last);
        d->calCalendar->setSelectedDate(date);
        d->cmdDone->click();
        EXPECT_TRUE(workspace->canvasWindow());
        return *workspace->canvasWindow();
    }
    Tool& tool(const char* id) { return mdi->sToolbar.tool(QString::fromLatin1(id)); }
    void click(const char* id) { tool(id).action()->trigger(); }

    TempProgramFolder folder;
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;
};

// A blank print opened in the shown main window, and the mouse and keys that edit it.
struct PrintInWindow : MainWindowTest {
    frmDisplay* canvas = nullptr;
    DisplayObject* label = nullptr;
    DisplayObject* picture = nullptr;
    DisplayObject* shape = nullptr;
    DisplayObject* line = nullptr;

    void openBlankPrint() {
        mdi->show();
        openPrint("Anna", "Lee", QDate(1950, 1, 15));
        canvas = workspace->canvasWindow();
        ASSERT_TRUE(canvas);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mdi.get()));
        QApplication::setActiveWindow(mdi.get());
    }
    // A text, a picture, a rectangle and a level line, on a print that counts as unchanged.
    void placeObjects() {
        label = canvas->NewLabel();
        label->Left = 1500, label->Top = 1500, label->Width = 3000, label->Height = 600;
        picture = canvas->NewPicture(false);
        picture->Left = 6000, picture->Top = 1500, picture->Width = 1500, picture->Height = 1500;
        picture->Picture = QImage(20, 20, QImage::Format_RGB32);
        picture->Picture.fill(Qt::red);
        shape = canvas->NewShape(shRectangle);
        shape->Left = 1500, shape->Top = 4500, shape->Width = 3000, shape->Height = 1500;
        line = canvas->NewShape(kLineShapeKind);
        line->X1 = 1500, line->Y1 = 7500, line->X2 = 6000, line->Y2 = 7500;
        QTest::keyClick(canvas, Qt::Key_Escape);  // the new line comes selected
        canvas->undoStack().clear();
        state.TemplateChanged = false;
        canvas->update();
    }

    // The pixel of the canvas at a twips position.
    QPoint px(int x, int y) const {
        return QPoint(qRound(x / canvas->twipsPerPixel()), qRound(y / canvas->twipsPerPixel()));
    }
    void select(const DisplayObject& o) {
        QTest::mouseClick(canvas, Qt::LeftButton, {}, px(o.Left + o.Width / 2, o.Top + o.Height / 2));
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }
    QString status() const { return mdi->statCoordinates->text(); }
    bool handlesShown() const {
        for (QWidget* h : canvas->picHandle)
            if (!h->isVisible()) return false;
        return true;
    }
    QPoint handleCentre(int i) const { return canvas->picHandle[size_t(i)]->geometry().center(); }
    QWidget* button(const char* band, const char* id) {
        return mdi->sToolbar.band(band).toolBar()->widgetForAction(tool(id).action());
    }
    void type(QComboBox* box, const QString& text) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

// The blank print with the four objects on it.
struct CanvasEditor : PrintInWindow {
    void SetUp() override {
        openBlankPrint();
        if (!HasFatalFailure()) placeObjects();
    }
};

}  // namespace natalory::test
