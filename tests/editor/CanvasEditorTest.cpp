#include "editor/Arrange.h"
#include "foundation/EditorPreferences.h"
#include "foundation/HTMLHelp.h"

#include "editor/PrintInWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>

using namespace natalory;
using namespace natalory::test;

namespace {

// A blank print with a label, a picture, a shape and a level line on it, driven by the mouse.
struct CanvasEditor : PrintInWindow {
    DisplayObject* label = nullptr;
    DisplayObject* picture = nullptr;
    DisplayObject* shape = nullptr;
    DisplayObject* line = nullptr;

    void SetUp() override {
        openBlankPrint();
        if (HasFatalFailure()) return;
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
        canvas->undoStack().clear();
        state.TemplateChanged = false;
        canvas->update();
    }

    // The pixel of the canvas at a twips position.
    QPoint px(int x, int y) const {
        return QPoint(qRound(x / canvas->twipsPerPixel()), qRound(y / canvas->twipsPerPixel()));
    }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(canvas, button, {}, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, button, {}, to);
    }
    QString status() const { return mdi->statCoordinates->text(); }
    bool handlesShown() const {
        for (QWidget* h : canvas->picHandle)
            if (!h->isVisible()) return false;
        return true;
    }
    QPoint handleCentre(int i) const { return canvas->picHandle[size_t(i)]->geometry().center(); }
};

}  // namespace

TEST_F(CanvasEditor, ClickingSelectsEachKindAndShowsItsBand) {
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 1700));
    EXPECT_EQ(canvas->CurrentObject, label);
    EXPECT_EQ(canvas->ClickedObject, label);
    EXPECT_TRUE(handlesShown());
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_FALSE(mdi->sToolbar.band("Shapes").visible());
    EXPECT_TRUE(mdi->sToolbar.tool("ID_BringToFront").visible());
    EXPECT_FALSE(state.TemplateChanged) << "a click that moves nothing changes nothing";
    EXPECT_EQ(canvas->undoStack().count(), 0);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(6500, 2000));
    EXPECT_EQ(canvas->CurrentObject, picture);
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible());

    shape->BorderWidth = 3;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
    EXPECT_EQ(canvas->CurrentObject, shape);
    EXPECT_TRUE(mdi->sToolbar.band("Shapes").visible());
    EXPECT_EQ(mdi->sToolbar.tool("ID_ShapeBorder").comboBox()->listIndex(), 2);
    EXPECT_FALSE(mdi->sToolbar.tool("ID_EditPicture").visible());

    // A level line is hit only on its own row of pixels, along its length.
    line->BorderStyle = lsDot;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(3000, 7500) + QPoint(0, 1));
    EXPECT_EQ(canvas->CurrentObject, nullptr);
    EXPECT_FALSE(handlesShown());
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(9000, 7500));
    EXPECT_EQ(canvas->CurrentObject, nullptr);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(3000, 7500));
    EXPECT_EQ(canvas->CurrentObject, line);
    EXPECT_TRUE(mdi->sToolbar.band("Lines").visible());
    EXPECT_EQ(mdi->sToolbar.tool("ID_Style").comboBox()->listIndex(), 2);
    EXPECT_FALSE(mdi->sToolbar.tool("ID_BringToFront").visible());

    // The empty canvas clears the selection; Escape does too.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(9000, 12000));
    EXPECT_EQ(canvas->CurrentObject, nullptr);
    EXPECT_FALSE(mdi->sToolbar.band("Lines").visible());
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 1700));
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(canvas->CurrentObject, nullptr);
    EXPECT_FALSE(handlesShown());
}

TEST_F(CanvasEditor, ADragMovesByWholePixelsAndShowsWhereItIs) {
    const QPoint from = px(2000, 1700);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + QPoint(31, 17));
    EXPECT_FALSE(handlesShown()) << "the rectangle stands in for the handles while dragging";
    const QPoint topLeft = px(1500, 1500) + QPoint(31, 17);
    EXPECT_EQ(status(), QString("X,Y = %1,%2  Width X Height = 200 X 40").arg(topLeft.x()).arg(topLeft.y()));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(31, 17));
    EXPECT_EQ(label->Left, 1500 + 31 * 15);
    EXPECT_EQ(label->Top, 1500 + 17 * 15);
    EXPECT_EQ(label->Width, 3000);
    EXPECT_TRUE(handlesShown());
    EXPECT_EQ(canvas->undoStack().count(), 1) << "a whole drag is one step";
    QMdiSubWindow* window = mdi->mdiArea->subWindowList().value(0);
    EXPECT_TRUE(window->isWindowModified()) << "the title shows the print changed";
    EXPECT_EQ(mdi->sToolbar.tool("ID_Undo").caption(), "&Undo Move");

    // It cannot leave the canvas.
    drag(px(2000, 1800), QPoint(-500, -500));
    EXPECT_EQ(label->Left, 0);
    EXPECT_EQ(label->Top, 0);

    // Undo puts it back exactly; redo again.
    mdi->sToolbar.tool("ID_Undo").action()->trigger();
    mdi->sToolbar.tool("ID_Undo").action()->trigger();
    EXPECT_EQ(label->Left, 1500);
    EXPECT_EQ(label->Top, 1500);
    EXPECT_FALSE(state.TemplateChanged);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(mdi->sToolbar.tool("ID_Undo").caption(), "&Undo");
    EXPECT_EQ(mdi->sToolbar.tool("ID_Redo").caption(), "&Redo Move");
    mdi->sToolbar.tool("ID_Redo").action()->trigger();
    EXPECT_EQ(label->Left, 1500 + 31 * 15);
    EXPECT_TRUE(state.TemplateChanged);

    // Hiding the selection clears the status text.
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(status(), QString());
}

TEST_F(CanvasEditor, EachHandleSizesItsEdges) {
    // Which edges a handle moves: left, top, right, bottom.
    const bool moves[kHandleCount][4] = {{1, 1, 0, 0}, {0, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 0},
                                         {0, 0, 1, 1}, {0, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 0}};
    for (int i = 0; i < kHandleCount; ++i) {
        shape->Left = 1500, shape->Top = 4500, shape->Width = 3000, shape->Height = 1500;
        QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
        ASSERT_EQ(canvas->CurrentObject, shape);
        const QPoint at = handleCentre(i);
        EXPECT_EQ(canvas->childAt(at), nullptr) << "handles let the canvas take the press";
        const QPoint to = at + QPoint(10, 6);
        drag(at, to);
        // A moved edge goes where the pointer let go, in whole pixels; the others stay.
        EXPECT_EQ(shape->Left, moves[i][0] ? to.x() * 15 : 1500) << i;
        EXPECT_EQ(shape->Top, moves[i][1] ? to.y() * 15 : 4500) << i;
        EXPECT_EQ(shape->Left + shape->Width, moves[i][2] ? to.x() * 15 : 4500) << i;
        EXPECT_EQ(shape->Top + shape->Height, moves[i][3] ? to.y() * 15 : 6000) << i;
    }
}

TEST_F(CanvasEditor, AnInsideOutSizeIsNormalisedAndALineKeepsItsDirection) {
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
    drag(handleCentre(0), px(6000, 6990));  // the top-left corner past the bottom-right one
    EXPECT_EQ(shape->Left, 4500);
    EXPECT_EQ(shape->Top, 6000);
    EXPECT_EQ(shape->Width, 1500);
    EXPECT_EQ(shape->Height, 990);

    // A line running right to left: its right end dragged left past its left end.
    line->X1 = 6000, line->X2 = 1500, line->Y1 = 7500, line->Y2 = 9000;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(3000, 8000));
    ASSERT_EQ(canvas->CurrentObject, line);
    drag(handleCentre(3), px(750, 8000));
    EXPECT_EQ(line->X1, 750) << "the dragged end is still X1";
    EXPECT_EQ(line->X2, 1500);
    EXPECT_EQ(line->Y1, 7500);
    EXPECT_EQ(line->Y2, 9000);
}

TEST_F(CanvasEditor, RightClicksOfferThePictureToolsOnlyForPictures) {
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));  // the shape's handles are shown
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(6500, 2000));
    EXPECT_EQ(canvas->CurrentObject, picture);
    EXPECT_EQ(canvas->ClickedObject, picture);
    QMenu* menu = mdi->sToolbar.tool("ID_mnuRightClickControl").menu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(mdi->sToolbar.tool("ID_EditPicture").visible());
    EXPECT_TRUE(mdi->sToolbar.tool("ID_Resize").visible());
    menu->close();

    QTest::mouseClick(canvas, Qt::RightButton, {}, px(2000, 1700));
    EXPECT_EQ(canvas->CurrentObject, label);
    EXPECT_EQ(canvas->ClickedObject, label) << "Edit Text acts on the text right-clicked";
    EXPECT_TRUE(handlesShown());
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(mdi->sToolbar.tool("ID_EditPicture").visible());
    EXPECT_FALSE(mdi->sToolbar.tool("ID_Resize").visible());
    menu->close();

    // On one of several selected objects the menu is the group's; on another object, that object's alone.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(2000, 5000));
    ASSERT_EQ(canvas->Selection.size(), 2u);
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(2000, 5000));
    EXPECT_EQ(canvas->Selection.size(), 2u);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(6500, 2000));
    EXPECT_TRUE(canvas->Selection.empty());
    EXPECT_EQ(canvas->CurrentObject, picture);
    menu->close();
}

TEST_F(CanvasEditor, DeleteIsUndoneWithItsGeometryAndStacking) {
    const std::vector<DisplayObject*> order = canvas->document().stacking();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
    canvas->undoStack().clear();
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_FALSE(canvas->document().contains(shape));
    EXPECT_EQ(canvas->CurrentObject, nullptr);
    EXPECT_TRUE(state.TemplateChanged);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(canvas->document().contains(shape));
    EXPECT_EQ(canvas->document().stacking(), order);
    EXPECT_EQ(shape->Left, 1500);
    EXPECT_EQ(shape->Width, 3000);
    EXPECT_EQ(canvas->CurrentObject, shape) << "what undo brought back is selected";
    QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(canvas->document().contains(shape));
}

TEST_F(CanvasEditor, TheKeyboardAloneSelectsMovesAndSizesAndAScreenReaderHearsIt) {
    std::vector<DisplayObject*> shown;
    for (DisplayObject* o : canvas->document().stacking())
        if (o->Visible) shown.push_back(o);
    canvas->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(canvas, Qt::Key_Tab);
    EXPECT_EQ(canvas->CurrentObject, shown.front());
    QTest::keyClick(canvas, Qt::Key_Backtab, Qt::ShiftModifier);  // back round to the top object
    EXPECT_EQ(canvas->CurrentObject, shown.back());
    for (size_t i = 0; i < shown.size() && canvas->CurrentObject != label; ++i)
        QTest::keyClick(canvas, Qt::Key_Tab);
    ASSERT_EQ(canvas->CurrentObject, label);
    EXPECT_EQ(canvas->ClickedObject, label);
    EXPECT_TRUE(handlesShown());
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_TRUE(canvas->hasFocus());

    // Arrows move, Shift ten pixels at a time; Shift+Ctrl+arrows size. Each run is one step.
    for (int i = 0; i < 3; ++i) QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1500 + 3 * 15, 1500 + 10 * 15));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(canvas, Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(QSize(label->Width, label->Height), QSize(3000 + 3 * 15, 600 - 15));
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1545, 1650));
    EXPECT_EQ(canvas->undoStack().count(), 2);
    EXPECT_EQ(canvas->undoStack().undoText(), QStringLiteral("Size"));

    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(canvas);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->role(), QAccessible::Canvas);
    EXPECT_EQ(page->childCount(), int(shown.size()));
    QAccessibleInterface* heard = page->focusChild();
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->text(QAccessible::Name), QStringLiteral("Text: ") + label->Caption.simplified());
    EXPECT_EQ(heard->text(QAccessible::Description),
              QStringLiteral("1.07 in. from the left, 1.15 in. from the top, 2.11 by 0.41 in."));
    EXPECT_EQ(heard->role(), QAccessible::StaticText);
    EXPECT_TRUE(heard->state().focused);
    EXPECT_EQ(heard->rect(), QRect(canvas->mapToGlobal(px(1545, 1650)), QSize(203, 39)));
    EXPECT_EQ(page->child(page->indexOfChild(heard)), heard);
    QTest::keyClick(canvas, Qt::Key_Tab);
    EXPECT_EQ(page->focusChild()->text(QAccessible::Name), QStringLiteral("Picture"));

    canvas->undoStack().undo();
    EXPECT_EQ(QSize(label->Width, label->Height), QSize(3000, 600));
    canvas->undoStack().undo();
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1500, 1500));
}

TEST_F(CanvasEditor, APictureDroppedOnTheCanvasLandsWhereItFellAsOneStep) {
    folder.write("broken.png", "not a picture");
    folder.write("notes.txt", "words");
    // Drags land on the main window (the canvas takes none, so templates and batch files
    // dragged over it still reach the main window); a picture lands on the page under the drop.
    EXPECT_FALSE(canvas->acceptDrops());
    const auto drop = [&](const char* name, QPoint onCanvas) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(folder.file(name))});
        const QPoint at = canvas->mapTo(mdi.get(), onCanvas);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mdi.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mdi.get(), &dropped);
        QApplication::processEvents();
        return dropped.isAccepted();
    };
    const std::vector<DisplayObject*> before = canvas->document().stacking();
    EXPECT_FALSE(drop("notes.txt", px(3000, 3000)));
    EXPECT_FALSE(drop("cake.png", canvas->mapFrom(mdi.get(), QPoint(2, 2)))) << "off the page";
    EXPECT_TRUE(drop("broken.png", px(3000, 3000)));
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text, QStringLiteral("Bad File or File Name."));
    EXPECT_EQ(canvas->document().stacking(), before);
    EXPECT_EQ(canvas->undoStack().count(), 0);

    EXPECT_TRUE(drop("cake.png", px(3000, 3000)));
    ASSERT_EQ(canvas->document().stacking().size(), before.size() + 1);
    DisplayObject* dropped = canvas->document().stacking().back();
    EXPECT_EQ(dropped->kind, ObjectKind::Picture);
    EXPECT_EQ(dropped->ToolTipText, folder.file("cake.png"));
    EXPECT_FALSE(dropped->Picture.isNull());
    EXPECT_EQ(QPoint(dropped->Left, dropped->Top), QPoint(3000, 3000));
    EXPECT_EQ(canvas->CurrentObject, dropped);
    EXPECT_TRUE(handlesShown());
    EXPECT_EQ(canvas->undoStack().count(), 1);
    canvas->undoStack().undo();
    EXPECT_EQ(canvas->document().stacking(), before);

    // At the page's right edge it stays on the page.
    EXPECT_TRUE(drop("cake.png", QPoint(canvas->width() - 1, px(0, 3000).y())));
    EXPECT_EQ(ObjectBox(*canvas->document().stacking().back()).right() + 1,
              canvas->canvasSizeTwips().width());
}

TEST_F(CanvasEditor, AtTwiceTheSizeADragIsStillExactTwips) {
    QComboBox* box = mdi->findChild<QComboBox*>("zoomBox");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "200%");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(canvas->zoom(), 2.0);
    QTest::keyClick(canvas, Qt::Key_Equal, Qt::ControlModifier);  // one step in: 300 %
    EXPECT_DOUBLE_EQ(canvas->zoom(), 3.0);
    EXPECT_EQ(box->currentText(), "300%");
    QTest::keyClick(canvas, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(canvas->zoom(), 2.0);
    EXPECT_EQ(canvas->width(), qRound(10800 / canvas->twipsPerPixel()));
    EXPECT_DOUBLE_EQ(canvas->twipsPerPixel(), 7.5);

    canvas->SnapToObjects = false;  // the shape's edge below is within reach
    const QPoint from = px(2000, 1700);
    drag(from, from + QPoint(3, 5));
    EXPECT_EQ(label->Left, 1500 + 22);  // 3 pixels of 7.5 twips: 22.5, to even
    EXPECT_EQ(label->Top, 1500 + 38);   // 37.5
    QTest::keyClick(canvas, Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.0);
    // The wheel with Ctrl zooms too, and the box follows.
    QWheelEvent wheel(QPointF(10, 10), canvas->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.25);
    EXPECT_EQ(box->currentText(), "125%");
}

TEST_F(CanvasEditor, KeysAndTheCloseBoxReachTheirCommands) {
    QMdiSubWindow* window = mdi->mdiArea->subWindowList().value(0);
    window->move(30, 40);
    QTest::keyRelease(canvas, Qt::Key_Home);
    EXPECT_EQ(window->pos().y(), 0);
    QTest::keyRelease(canvas, Qt::Key_F1);
    ASSERT_FALSE(services.help.shown.empty());
    EXPECT_EQ(services.help.shown.back().topic, int(hcCanvas));

    // A changed print is not lost by closing the main window: Cancel keeps all of it open.
    drag(px(2000, 5000), px(2000, 5000) + QPoint(4, 4));
    EXPECT_FALSE(status().isEmpty());
    services.prompt.answers = {PromptAnswer::Cancel};
    mdi->sToolbar.tool("ID_Exit").action()->trigger();
    EXPECT_TRUE(mdi->isVisible());
    ASSERT_TRUE(workspace->canvasWindow());
    EXPECT_EQ(services.prompt.asked.back().title, "Save Changes?");

    services.prompt.answers = {PromptAnswer::No};
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_EQ(status(), QString()) << "no coordinates of a print that is gone";
    EXPECT_FALSE(mdi->sToolbar.tool("ID_mnuFormat").action()->isEnabled());
    EXPECT_FALSE(mdi->sToolbar.tool("ID_mnuColors").action()->isEnabled());
}

// The pointer stays where the hand holds it on the screen, whatever moves under it.
TEST_F(CanvasEditor, ADragLandsWhereItIsReleasedWhateverTheBandsAndZoomDo) {
    const auto dragOnScreen = [this](QPoint from, QPoint by, const std::function<void()>& midway = {}) {
        const QPoint screenFrom = canvas->mapToGlobal(from);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QApplication::processEvents();  // the main window lays out whatever the press changed
        if (midway) midway();
        const QPoint to = canvas->mapFromGlobal(screenFrom + by);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        QApplication::processEvents();
    };
    // A shape is selected: its band shows, the text's does not. Pressing the text switches them.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
    QApplication::processEvents();
    ASSERT_TRUE(mdi->sToolbar.band("Shapes").visible());
    dragOnScreen(px(2000, 1700), QPoint(0, 30));
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_EQ(label->Top, 1500 + 30 * 15);
    EXPECT_EQ(label->Left, 1500);
    // And back: the picture pressed while the text is selected hides the text's band.
    dragOnScreen(px(6500, 2000), QPoint(-20, 10));
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_EQ(picture->Left, 6000 - 20 * 15);
    EXPECT_EQ(picture->Top, 1500 + 10 * 15);

    // A zoom asked for during a drag waits: the drag ends in the pixels it began with.
    dragOnScreen(px(2000, 5000), QPoint(10, 0), [this] { QTest::keyClick(canvas, Qt::Key_Equal, Qt::ControlModifier); });
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.0);
    EXPECT_EQ(shape->Left, 1500 + 10 * 15);
}

TEST_F(CanvasEditor, SeveralObjectsAreSelectedMovedArrangedAndDeletedAsOneStep) {
    // A band drawn on empty canvas around the text, the picture and the shape (not the line).
    drag(px(1000, 1000), px(8000, 6500));
    ASSERT_EQ(canvas->Selection.size(), 3u);
    EXPECT_EQ(canvas->CurrentObject, label) << "a text, so the text commands reach the group";
    EXPECT_TRUE(handlesShown());
    const int steps = canvas->undoStack().count();
    drag(px(2000, 1700), px(2000, 1700) + QPoint(20, 0));
    EXPECT_EQ(label->Left, 1500 + 300);
    EXPECT_EQ(picture->Left, 6000 + 300);
    EXPECT_EQ(shape->Left, 1500 + 300);
    EXPECT_EQ(line->X1, 1500) << "not in the band, not moved";
    EXPECT_EQ(canvas->undoStack().count(), steps + 1);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(label->Left, 1500);
    EXPECT_EQ(picture->Left, 6000);
    EXPECT_EQ(shape->Left, 1500);

    // Shift+click adds and takes away; Ctrl+A takes everything.
    QTest::keyClick(canvas, Qt::Key_Escape);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 1700));
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(6500, 2000));
    EXPECT_EQ(canvas->Selection.size(), 2u);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(6500, 2000));
    EXPECT_TRUE(canvas->Selection.empty());
    EXPECT_EQ(canvas->CurrentObject, label);
    click("ID_SelectAll");
    EXPECT_EQ(canvas->Selection.size(), 4u);

    // Aligned on their left edges; arrow keys move them all; Delete takes them all, undone at once.
    click("ID_AlignObjectsLeft");
    for (const DisplayObject* o : canvas->Selection) EXPECT_EQ(ObjectBox(*o).left(), 1500);
    EXPECT_EQ(picture->Left, 1500);
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(picture->Left, 1515);
    EXPECT_EQ(line->X1, 1515);
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_FALSE(canvas->document().contains(picture));
    EXPECT_FALSE(shape->Visible && canvas->document().contains(shape));
    click("ID_Undo");
    EXPECT_TRUE(canvas->document().contains(picture));
    EXPECT_TRUE(canvas->document().contains(shape));
}

TEST_F(CanvasEditor, AGroupSizedByItsBoxsHandleScalesEveryObjectInProportion) {
    line->X1 = 6000, line->X2 = 1500;  // drawn right to left
    drag(px(1000, 1000), px(6100, 7600));
    ASSERT_EQ(canvas->Selection.size(), 3u);  // the text, the shape and the line: 4500 by 6000 twips
    const int steps = canvas->undoStack().count();
    drag(handleCentre(4), px(6000, 7500) + QPoint(150, 200));  // half as large again
    EXPECT_EQ(QRect(label->Left, label->Top, label->Width, label->Height), QRect(1500, 1500, 4500, 900));
    EXPECT_EQ(QRect(shape->Left, shape->Top, shape->Width, shape->Height), QRect(1500, 6000, 4500, 2250));
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(8250, 10500, 1500, 10500));
    EXPECT_EQ(canvas->Selection.size(), 3u);
    EXPECT_EQ(canvas->undoStack().count(), steps + 1);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(QRect(shape->Left, shape->Top, shape->Width, shape->Height), QRect(1500, 4500, 3000, 1500));
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(6000, 7500, 1500, 7500));
}

TEST_F(CanvasEditor, TheArrangeToolbarLinesUpTextsAndSpacesShapesAndTextsTakeFormattingTogether) {
    mdi->resize(1100, 800);  // wide enough for the band beside the Objects band
    const auto press = [this](const char* id) {
        QApplication::processEvents();  // the band shown on release is laid out
        ASSERT_TRUE(mdi->sToolbar.band("Arrange").visible());
        QWidget* button =
            mdi->sToolbar.band("Arrange").toolBar()->widgetForAction(mdi->sToolbar.tool(id).action());
        ASSERT_TRUE(button && button->isVisible()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    };
    const auto selectByShiftClicks = [this](std::initializer_list<QPoint> points) {
        QTest::keyClick(canvas, Qt::Key_Escape);
        for (const QPoint& at : points)
            QTest::mouseClick(canvas, Qt::LeftButton,
                              at == *points.begin() ? Qt::NoModifier : Qt::ShiftModifier, at);
    };
    DisplayObject* second = canvas->NewLabel();
    second->Left = 2200, second->Top = 9500;
    DisplayObject* third = canvas->NewLabel();
    third->Left = 3100, third->Top = 11000;
    selectByShiftClicks({px(2000, 1700), px(2400, 9600), px(3300, 11100)});
    ASSERT_EQ(canvas->Selection.size(), 3u);
    const int steps = canvas->undoStack().count();
    press("ID_AlignObjectsLeft");
    EXPECT_EQ(second->Left, 1500);
    EXPECT_EQ(third->Left, 1500);
    EXPECT_EQ(label->Left, 1500);
    EXPECT_EQ(canvas->undoStack().count(), steps + 1);

    DisplayObject* middle = canvas->NewShape(shSquare);
    middle->Left = 5000, middle->Top = 8000, middle->Width = 1000, middle->Height = 1000;
    DisplayObject* right = canvas->NewShape(shSquare);
    right->Left = 7001, right->Top = 8500, right->Width = 1500, right->Height = 700;
    shape->Top = 8200;
    selectByShiftClicks({px(2000, 8500), px(5500, 8500), px(7500, 8800)});
    ASSERT_EQ(canvas->Selection.size(), 3u);
    press("ID_DistributeAcross");
    // From 1500 (3000 wide) to 8501: 7001 - 3000 - 1000 - 1500 = 1501 of room, two gaps.
    const int gap1 = middle->Left - (shape->Left + shape->Width);
    const int gap2 = right->Left - (middle->Left + middle->Width);
    EXPECT_LE(std::abs(gap1 - gap2), 1);
    EXPECT_EQ(shape->Left, 1500);
    EXPECT_EQ(right->Left, 7001);
    press("ID_AlignObjectsTop");
    EXPECT_EQ(middle->Top, 8000);
    EXPECT_EQ(right->Top, 8000);

    canvas->SelectObjects({label, second, shape});
    click("ID_Bold");
    EXPECT_TRUE(label->FontBold);
    EXPECT_TRUE(second->FontBold);
    click("ID_Undo");
    EXPECT_FALSE(label->FontBold);
    EXPECT_FALSE(second->FontBold);
    // One object is aligned on the page but not spread; nothing selected, nothing to arrange: the band goes.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 1700));
    EXPECT_TRUE(mdi->sToolbar.band("Arrange").visible());
    EXPECT_FALSE(mdi->sToolbar.tool("ID_DistributeAcross").enabled());
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_FALSE(mdi->sToolbar.band("Arrange").visible());
}

TEST_F(CanvasEditor, ADragNearAnotherObjectsEdgeEndsOnItUnlessAltIsHeld) {
    // The picture's left edge let go 3 pixels right of the text's right edge (300 px).
    const auto dragPicture = [this](Qt::KeyboardModifiers keys) {
        const QPoint from = px(6500, 2000), to = from + QPoint(-97, 0);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, keys);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, keys, to);
    };
    dragPicture(Qt::NoModifier);
    EXPECT_EQ(picture->Left, label->Left + label->Width);
    EXPECT_EQ(picture->Top, 1500);
    click("ID_Undo");
    dragPicture(Qt::AltModifier);
    EXPECT_EQ(picture->Left, 4500 + 3 * 15);

    // Turned off in the View menu, it stays off for the next start.
    click("ID_Undo");
    click("ID_SnapToObjects");
    dragPicture(Qt::NoModifier);
    EXPECT_EQ(picture->Left, 4500 + 3 * 15);
    EXPECT_FALSE(ReadEditorPreference(state, "snap", true));
    click("ID_SnapToObjects");
    EXPECT_TRUE(ReadEditorPreference(state, "snap", false));
    click("ID_Undo");

    // Sizing snaps the edge the handle moves: the shape's right edge let go 3 pixels short of the picture.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2000, 5000));
    drag(handleCentre(3), px(6000, 5250) - QPoint(3, 0));
    EXPECT_EQ(shape->Left + shape->Width, 6000);
    EXPECT_EQ(shape->Left, 1500);

    // The grid: drawn on the canvas only when shown, and a drag snaps to it (here the
    // picture's right and bottom edges, 3 pixels short of grid lines, far from any object).
    const QPoint onGridLine = px(9000, 9100);
    EXPECT_EQ(canvas->grab().toImage().pixelColor(onGridLine), QColor(Qt::white));
    click("ID_ShowGrid");
    EXPECT_TRUE(ReadEditorPreference(state, "grid", false));
    EXPECT_NE(canvas->grab().toImage().pixelColor(onGridLine), QColor(Qt::white));
    drag(px(6500, 2000), px(6500, 2000) + QPoint(37, 157));
    EXPECT_EQ(picture->Left + picture->Width, 45 * kGridTwips);
    EXPECT_EQ(picture->Top + picture->Height, 30 * kGridTwips);
    click("ID_Undo");
    click("ID_ShowGrid");
    drag(px(6500, 2000), px(6500, 2000) + QPoint(37, 157));
    EXPECT_EQ(picture->Left, 6000 + 37 * 15);
}
