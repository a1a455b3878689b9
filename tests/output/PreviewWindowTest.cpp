#include "output/frmPrev.h"

#include "editor/PrintInWindow.h"

#include <QFileInfo>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QWheelEvent>

using namespace natalory;
using namespace natalory::test;

using PreviewWindow = MainWindowTest;

TEST_F(PreviewWindow, ShowsThePageAt50PercentCountsNothingAndFollowsTheZoomBox) {
    state.LogFilePath = folder.file("birthday print log.log");
    state.settings.LogPrintouts = true;
    workspace->SetBirthday(QDate(1950, 1, 15), "Anna", "Lee");
    ASSERT_TRUE(workspace->canvasWindow());

    click("ID_PrintPreview");
    frmPrev* preview = workspace->previewWindow();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), "Print Preview");
    EXPECT_FALSE(state.PreviewMode);
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_FALSE(QFileInfo::exists(state.LogFilePath));
    EXPECT_EQ(preview->vpro.docName(), "Anna Lee Natalory Print");
    EXPECT_FALSE(preview->vpro.items().empty());
    ComboTool* zoom = preview->sToolPrev.tool("ID_ZoomButton").comboBox();
    EXPECT_EQ(zoom->comboText(), "50%");
    EXPECT_EQ(preview->zoom(), 50);

    zoom->setListIndex(1);
    preview->sToolPrev_ComboCloseUp(preview->sToolPrev.tool("ID_ZoomButton"));
    EXPECT_EQ(preview->zoom(), 150);
    // Ctrl and the wheel zoom, and the box follows.
    QGraphicsView* view = preview->preview->findChild<QGraphicsView*>();
    ASSERT_TRUE(view);
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_NE(zoom->comboText(), "150%");
    EXPECT_EQ(zoom->comboText(), QString::number(preview->zoom()) + "%");
    // What the user sees in the box, not only what the tool holds.
    const QList<QComboBox*> boxes = preview->findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->currentText(), zoom->comboText());

    // No printer here: printing from the preview says so and counts nothing.
    preview->sToolPrev.tool("ID_Print").action()->trigger();
    EXPECT_EQ(state.PrintCount, 0);
    preview->sToolPrev.tool("ID_Exit").action()->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->previewWindow());
}
