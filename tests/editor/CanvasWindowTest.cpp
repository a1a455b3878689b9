#include "editor/PrintInWindow.h"
#include "output/frmPageSetup.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace natalory;
using namespace natalory::test;

namespace {

struct CanvasWindow : MainWindowTest {
    CanvasWindow() : MainWindowTest({"blank.al!"}) { mdi->show(); }

    QMdiSubWindow* window() { return mdi->mdiArea->subWindowList().value(0); }
    // The window shows the whole canvas and nothing beside it.
    void expectWindowFits(const frmDisplay& canvas, QSize twips) {
        EXPECT_EQ(canvas.canvasSizeTwips(), twips);
        EXPECT_EQ(canvas.size(), QSize(qRound(twips.width() * canvas.logicalDpiX() / 1440.0),
                                       qRound(twips.height() * canvas.logicalDpiY() / 1440.0)));
        EXPECT_EQ(window()->contentsRect().size(), canvas.size());
        EXPECT_TRUE(window()->contentsRect().contains(canvas.geometry()));
    }
};

}  // namespace

TEST_F(CanvasWindow, APrintOpensAPageSizedCanvasWithItsCaption) {
    frmDisplay& canvas = openPrint("Anna", "Lee", QDate(1950, 1, 15));
    ASSERT_TRUE(window());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Anna Lee born on 1/15/1950[*]"));
    EXPECT_EQ(canvas.canvasSizeTwips(), QSize(10800, 14400));
    EXPECT_EQ(canvas.width(), qRound(10800 * canvas.logicalDpiX() / 1440.0));
    EXPECT_TRUE(mdi->sToolbar.band("Objects").visible());

    // Insert commands reach the canvas.
    mdi->sToolbar.tool("ID_InsertText").action()->trigger();
    mdi->sToolbar.tool("ID_Line").action()->trigger();
    EXPECT_EQ(canvas.document().UBound(ObjectKind::Text), 1);
    EXPECT_EQ(canvas.document().UBound(ObjectKind::Line), 1);
    EXPECT_TRUE(state.TemplateChanged);

    // Home takes the window to the top of the main window.
    window()->move(40, 60);
    QTest::keyRelease(&canvas, Qt::Key_Home);
    EXPECT_EQ(window()->pos(), QPoint(40, 0));
}

TEST_F(CanvasWindow, ItsCloseBoxAsksFirstAndCancelKeepsThePrint) {
    openPrint("Ben", "", QDate(1975, 7, 4));
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Ben  born on 7/4/1975[*]"));
    state.TemplateChanged = true;
    services.prompt.answers = {PromptAnswer::Cancel};
    window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(workspace->canvasWindow());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(services.prompt.asked.back().title, QStringLiteral("Save Changes?"));

    services.prompt.answers = {PromptAnswer::No};
    window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_TRUE(mdi->mdiArea->subWindowList().isEmpty());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Natalory"));
    EXPECT_FALSE(mdi->sToolbar.tool("ID_Print").visible());
}

TEST_F(CanvasWindow, AnEditSurvivesEditBirthdayAndCloseStillAsks) {
    openPrint("Anna", "Lee", QDate(1950, 1, 15));
    click("ID_InsertText");
    click("ID_EditBirthdayInfo");
    frmGetInfo* d = workspace->birthdayDialog();
    ASSERT_TRUE(d);
    d->txtLname->setText("Leigh");
    d->cmdDone->click();
    EXPECT_TRUE(state.TemplateChanged) << "a refresh of the texts keeps the edit's mark";
    EXPECT_TRUE(window()->isWindowModified());
    services.prompt.answers = {PromptAnswer::Cancel};
    click("ID_Close");
    ASSERT_FALSE(services.prompt.asked.empty());
    EXPECT_EQ(services.prompt.asked.back().title, "Save Changes?");
    EXPECT_TRUE(workspace->canvasWindow());
}

TEST_F(CanvasWindow, TheWindowTakesTheShapeOfEveryPageTheUserTurnsTo) {
    frmDisplay* canvas = &openPrint("Anna", "Lee", QDate(1950, 1, 15));
    expectWindowFits(*canvas, QSize(10800, 14400));

    // The printer set-up dialog turns the paper.
    services.printerSetup.answer = PrinterChoice{2, {}, {}};
    mdi->sToolbar.tool("ID_PrintSetup").action()->trigger();
    expectWindowFits(*canvas, QSize(14400, 10800));

    // Page Setup back to portrait, with Apply, then Cancel.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmPageSetup*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->optPortrait->click();
        dialog->cmdApply->click();
        expectWindowFits(*canvas, QSize(10800, 14400));
        dialog->optLandscape->click();
        dialog->cmdApply->click();
        expectWindowFits(*canvas, QSize(14400, 10800));
        dialog->cmdCancel->click();
    });
    mdi->sToolbar.tool("ID_PageSetup").action()->trigger();
    expectWindowFits(*canvas, QSize(14400, 10800));

    // A new portrait print after the landscape one: its window is as tall as its page.
    state.TemplateChanged = false;
    state.page.PageOrientation = 1;
    canvas = &openPrint("Ben", "Ray", QDate(1975, 7, 4));
    expectWindowFits(*canvas, QSize(10800, 14400));
}
