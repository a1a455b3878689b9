#include "editor/Arrange.h"
#include "foundation/EditorPreferences.h"
#include "foundation/HTMLHelp.h"
#include "output/CanvasPainter.h"
#include "output/frmPageSetup.h"

#include "editor/PrintInWindow.h"
#include "support/PdfProbe.h"

#include <QAccessible>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <map>

using namespace natalory;
using namespace natalory::test;

using CanvasWindow = PrintInWindow;

// A changed print is not lost by Ctrl+W, closing the main window, the print's own close box or New.
TEST_F(CanvasWindow, AnEditSurvivesEditBirthdayAndEveryWayOfClosingAsksFirst) {
    openBlankPrint();
    QMdiSubWindow* window = mdi->mdiArea->subWindowList().value(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Anna Lee born on 1/15/1950[*]"));
    click("ID_InsertText");
    click("ID_Line");
    EXPECT_EQ(canvas->document().UBound(ObjectKind::Text) + canvas->document().UBound(ObjectKind::Line), 2);
    click("ID_EditBirthdayInfo");
    workspace->birthdayDialog()->txtLname->setText("Leigh");
    workspace->birthdayDialog()->cmdDone->click();
    EXPECT_TRUE(state.TemplateChanged) << "a refresh of the texts keeps the edit's mark";

    // Home takes the window to the top of the main window; F1 shows the canvas's help.
    window->move(40, 60);
    QTest::keyRelease(canvas, Qt::Key_Home);
    EXPECT_EQ(window->pos(), QPoint(40, 0));
    QTest::keyRelease(canvas, Qt::Key_F1);
    EXPECT_EQ(services.help.shown.at(0).topic, int(hcCanvas));

    // The MDI area names the maximized print after the application title, one blank apart.
    window->showMaximized();
    EXPECT_TRUE(mdi->windowTitle().startsWith(QStringLiteral("Natalory - [Anna Leigh born on")));
    services.prompt.answers = {PromptAnswer::Cancel, PromptAnswer::Cancel, PromptAnswer::Yes,
                               PromptAnswer::Cancel, PromptAnswer::No};
    services.files.answers = {std::nullopt};  // Yes, and then the save is cancelled
    QTest::keyClick(canvas, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(services.prompt.asked.back().title, "Save Changes?");
    EXPECT_EQ(services.prompt.asked.back().text, "Do you want to save your changes to this template first?");
    EXPECT_EQ(services.prompt.asked.back().buttons, PromptButtons::YesNoCancel);
    click("ID_Exit");
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(services.files.requests.size(), 1u);
    EXPECT_TRUE(state.TemplateChanged && !state.SaveCancelled);
    click("ID_New");  // Cancel: the print stays and no new one starts over it
    EXPECT_FALSE(workspace->birthdayDialog() && workspace->birthdayDialog()->isVisible());
    ASSERT_TRUE(workspace->canvasWindow());
    EXPECT_EQ(services.prompt.asked.size(), 4u);

    const DisplayObject& text = *canvas->document().lblObject(1);
    const QPoint centre = px(text.Left + text.Width / 2, text.Top + text.Height / 2);
    drag(centre, centre + QPoint(20, 20));
    ASSERT_NE(status(), QString()) << "the dragged text's coordinates";
    QTest::keyClick(canvas, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Natalory"));
    EXPECT_EQ(status(), QString()) << "no coordinates of a print that is gone";
    EXPECT_FALSE(tool("ID_mnuFormat").action()->isEnabled());
    EXPECT_FALSE(tool("ID_Print").visible());
}

TEST_F(CanvasWindow, TheWindowTakesTheShapeOfEveryPageTheUserTurnsTo) {
    openBlankPrint();
    // The window shows the whole canvas and nothing beside it.
    const auto expectWindowFits = [this](QSize twips) {
        QMdiSubWindow* window = mdi->mdiArea->subWindowList().value(0);
        EXPECT_EQ(canvas->canvasSizeTwips(), twips);
        EXPECT_EQ(canvas->size(), QSize(qRound(twips.width() * canvas->logicalDpiX() / 1440.0),
                                        qRound(twips.height() * canvas->logicalDpiY() / 1440.0)));
        EXPECT_EQ(window->contentsRect().size(), canvas->size());
    };
    expectWindowFits(QSize(10800, 14400));
    // The printer set-up dialog turns the paper when confirmed, and only then.
    click("ID_PrintSetup");
    expectWindowFits(QSize(10800, 14400));
    services.printerSetup.answer = PrinterChoice{2, "office", {3, false, 0, true}};
    click("ID_PrintSetup");
    expectWindowFits(QSize(14400, 10800));
    EXPECT_EQ(state.PrinterName, "office");
    EXPECT_TRUE(state.PrinterOptions.copies == 3 && state.PrinterOptions.grayscale);

    // Page Setup back to portrait, with Apply, then Cancel.
    WhenDialogOpens<frmPageSetup>([&](frmPageSetup& dialog) {
        dialog.optPortrait->click();
        dialog.cmdApply->click();
        expectWindowFits(QSize(10800, 14400));
        dialog.optLandscape->click();
        dialog.cmdApply->click();
        dialog.cmdCancel->click();
    });
    click("ID_PageSetup");
    expectWindowFits(QSize(14400, 10800));

    // A new portrait print after the landscape one: its window is as tall as its page.
    state.TemplateChanged = false;
    state.page.PageOrientation = 1;
    canvas = &openPrint("Ben", "Ray", QDate(1975, 7, 4));
    expectWindowFits(QSize(10800, 14400));
}

// The canvas breaks every line where the print does: each built-in print is saved as a PDF
// through the File menu, and the lines pdftotext finds in each text box are compared with
// the lines the canvas draws there.
TEST_F(CanvasWindow, EveryBuiltInBreaksItsLinesOnTheCanvasAsInThePdf) {
    mdi->show();
    state.settings.FullJustifyNews = true;
    for (const char* style : {"A", "B", "C"}) {
        state.settings.DefaultStyle = QString::fromLatin1(style);
        frmDisplay& print = openPrint("Katherine", "Montgomery", QDate(1950, 1, 15));
        const QString pdf = folder.file(QString("print-%1.pdf").arg(style));
        services.files.answers = {pdf};
        click("ID_SaveAsPdf");
        const std::vector<PdfWord> words = PdfWords(pdf);
        int compared = 0;
        for (const DisplayObject* o : print.document().stacking()) {
            if (!o->Visible || o->kind != ObjectKind::Text || o->Caption.trimmed().isEmpty()) continue;
            // The object's box on the paper, in points.
            const QRectF box((state.page.LeftMargin + 5 + o->Left) / 20.0,
                             (state.page.TopMargin + 5 + o->Top) / 20.0, o->Width / 20.0, o->Height / 20.0);
            std::map<int, std::map<double, QString>> rows;  // by baseline in tenths of a point, then left
            for (const PdfWord& w : words)
                if (box.contains(w.box.center())) rows[qRound(w.box.bottom() * 10)][w.box.left()] = w.text;
            QStringList pdfLines;
            for (const auto& [y, row] : rows) {
                QStringList texts;
                for (const auto& [x, text] : row) texts << text;
                pdfLines << texts.join(' ');
            }
            QStringList canvasLines;
            for (const TextBlock::Line& line : LayoutObjectText(*o, state.settings.FullJustifyNews)->lines())
                if (line.rect.center().y() < o->Height && !line.text.simplified().isEmpty())
                    canvasLines << line.text.simplified();
            EXPECT_EQ(canvasLines, pdfLines) << style << " " << o->Tag.toStdString();
            ++compared;
        }
        EXPECT_GE(compared, QString(style) == "A" ? 25 : 0) << style;
        state.TemplateChanged = false;
        click("ID_Close");
    }
}

TEST_F(CanvasEditor, ClickingSelectsEachKindAndShowsItsBand) {
    select(*label);
    EXPECT_TRUE(handlesShown());
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_FALSE(state.TemplateChanged) << "a click that moves nothing changes nothing";
    select(*picture);
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible());
    shape->BorderWidth = 3;
    select(*shape);
    EXPECT_TRUE(mdi->sToolbar.band("Shapes").visible());
    EXPECT_EQ(tool("ID_ShapeBorder").comboBox()->listIndex(), 2);
    // Its combos set its properties from the keyboard.
    for (const auto& [id, key] : {std::pair{"ID_ShapeBorder", Qt::Key_Home}, {"ID_Shape", Qt::Key_End}}) {
        button("Shapes", id)->setFocus();
        QTest::keyClick(button("Shapes", id), key);
    }
    EXPECT_EQ(shape->BorderWidth, 1);
    EXPECT_EQ(shape->Shape, tool("ID_Shape").comboBox()->count() - 1);

    // A level line is hit only on its own row of pixels, along its length.
    line->BorderStyle = lsDot;
    for (const QPoint& off : {px(3000, 7500) + QPoint(0, 1), px(9000, 7500)}) {
        QTest::mouseClick(canvas, Qt::LeftButton, {}, off);
        EXPECT_EQ(canvas->CurrentObject, nullptr);
    }
    EXPECT_FALSE(handlesShown());
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(3000, 7500));
    EXPECT_EQ(canvas->CurrentObject, line);
    EXPECT_EQ(tool("ID_Style").comboBox()->listIndex(), 2);
    EXPECT_FALSE(tool("ID_BringToFront").visible());
    button("Lines", "ID_Style")->setFocus();
    QTest::keyClick(button("Lines", "ID_Style"), Qt::Key_Home);
    EXPECT_EQ(line->BorderStyle, 1);

    // The empty canvas clears the selection.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(9000, 12000));
    EXPECT_FALSE(mdi->sToolbar.band("Lines").visible());
}

TEST_F(CanvasEditor, ADragMovesByWholePixelsAndADeleteIsUndoneExactlyOrOnlyHidesElementZero) {
    const QPoint from = px(2000, 1700);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + QPoint(31, 17));
    EXPECT_FALSE(handlesShown()) << "the rectangle stands in for the handles while dragging";
    const QPoint topLeft = px(1500, 1500) + QPoint(31, 17);
    EXPECT_EQ(status(), QString("X,Y = %1,%2  Width X Height = 200 X 40").arg(topLeft.x()).arg(topLeft.y()));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(31, 17));
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1500 + 31 * 15, 1500 + 17 * 15));
    EXPECT_TRUE(mdi->mdiArea->subWindowList().value(0)->isWindowModified());
    EXPECT_EQ(tool("ID_Undo").caption(), "&Undo Move") << "a whole drag is one step";

    // It cannot leave the canvas.
    drag(px(2000, 1800), QPoint(-500, -500));
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(0, 0));
    click("ID_Undo");
    click("ID_Undo");
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1500, 1500));
    EXPECT_FALSE(state.TemplateChanged);
    click("ID_Redo");
    EXPECT_EQ(label->Left, 1500 + 31 * 15);

    // Delete, undone by Ctrl+Z in its place in the stacking, selected; Ctrl+Y again.
    const std::vector<DisplayObject*> order = canvas->document().stacking();
    select(*shape);
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_FALSE(canvas->document().contains(shape));
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(canvas->document().stacking(), order);
    EXPECT_EQ(canvas->CurrentObject, shape);
    QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(canvas->document().contains(shape));

    // Element zero of a kind is only ever hidden, and shown again by undo.
    DisplayObject* zero = canvas->document().sShape(0);
    ASSERT_TRUE(zero);
    zero->Visible = true;
    zero->Left = 6000, zero->Top = 9000, zero->Width = 1500, zero->Height = 1500;
    select(*zero);
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_TRUE(canvas->document().contains(zero) && !zero->Visible);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(zero->Visible);
}

TEST_F(CanvasEditor, EachHandleSizesItsEdgesAndALineKeepsItsDirection) {
    // Which edges a handle moves: left, top, right, bottom.
    const bool moves[kHandleCount][4] = {{1, 1, 0, 0}, {0, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 0},
                                         {0, 0, 1, 1}, {0, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 0}};
    for (int i = 0; i < kHandleCount; ++i) {
        shape->Left = 1500, shape->Top = 4500, shape->Width = 3000, shape->Height = 1500;
        select(*shape);
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
    // The top-left corner past the bottom-right one: the box is normalised.
    drag(handleCentre(0), px(6000, 6990));
    EXPECT_EQ(ObjectBox(*shape), QRect(4500, 6000, 1500, 990));

    // A line running right to left: its right end dragged left past its left end.
    line->X1 = 6000, line->X2 = 1500, line->Y1 = 7500, line->Y2 = 9000;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(3000, 8000));
    ASSERT_EQ(canvas->CurrentObject, line);
    drag(handleCentre(3), px(750, 8000));
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(750, 7500, 1500, 9000))
        << "the dragged end is still X1";
    // A line running up to the right: its lower end dragged above its upper one.
    line->X1 = 1500, line->Y1 = 9000, line->X2 = 3000, line->Y2 = 7500;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, px(2250, 8250));
    drag(handleCentre(5), px(2250, 6000));
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(1500, 6000, 3000, 7500))
        << "the dragged end is still Y1";
}

TEST_F(CanvasEditor, RightClicksOfferThePictureToolsOnlyForPictures) {
    select(*shape);  // the shape's handles are shown
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(6500, 2000));
    EXPECT_EQ(canvas->ClickedObject, picture);
    QMenu* menu = tool("ID_mnuRightClickControl").menu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(tool("ID_EditPicture").visible());
    menu->close();

    QTest::mouseClick(canvas, Qt::RightButton, {}, px(2000, 1700));
    EXPECT_EQ(canvas->ClickedObject, label) << "Edit Text acts on the text right-clicked";
    EXPECT_FALSE(tool("ID_Resize").visible());
    menu->close();

    // On one of several selected objects the menu is the group's; on another object, that object's alone.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(2000, 5000));
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(2000, 5000));
    EXPECT_EQ(canvas->Selection.size(), 2u);
    menu->close();
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(6500, 2000));
    EXPECT_TRUE(canvas->Selection.empty());
    EXPECT_EQ(canvas->CurrentObject, picture);
    menu->close();
}

TEST_F(CanvasEditor, TheKeyboardAloneSelectsMovesAndSizesAndAScreenReaderHearsIt) {
    std::vector<DisplayObject*> shown;
    for (DisplayObject* o : canvas->document().stacking())
        if (o->Visible) shown.push_back(o);
    canvas->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(canvas, Qt::Key_Tab);
    QTest::keyClick(canvas, Qt::Key_Backtab, Qt::ShiftModifier);  // back round to the top object
    EXPECT_EQ(canvas->CurrentObject, shown.back());
    for (size_t i = 0; i < shown.size() && canvas->CurrentObject != label; ++i)
        QTest::keyClick(canvas, Qt::Key_Tab);
    ASSERT_EQ(canvas->CurrentObject, label);

    // Arrows move, Shift ten pixels at a time; Shift+Ctrl+arrows size. Each run is one step.
    for (int i = 0; i < 3; ++i) QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(canvas, Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ObjectBox(*label), QRect(1500 + 3 * 15, 1500 + 10 * 15, 3000 + 3 * 15, 600 - 15));

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
    canvas->undoStack().undo();
    EXPECT_EQ(ObjectBox(*label), QRect(1500, 1500, 3000, 600));
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
    EXPECT_EQ(services.prompt.asked.at(0).text, QStringLiteral("Bad File or File Name."));
    EXPECT_EQ(canvas->document().stacking(), before);

    EXPECT_TRUE(drop("cake.png", px(3000, 3000)));
    DisplayObject* dropped = canvas->CurrentObject;
    EXPECT_EQ(dropped->ToolTipText, folder.file("cake.png"));
    EXPECT_EQ(QPoint(dropped->Left, dropped->Top), QPoint(3000, 3000));
    EXPECT_EQ(canvas->undoStack().count(), 1);

    // At the page's right edge it stays on the page.
    EXPECT_TRUE(drop("cake.png", QPoint(canvas->width() - 1, px(0, 3000).y())));
    EXPECT_EQ(ObjectBox(*canvas->document().stacking().back()).right() + 1,
              canvas->canvasSizeTwips().width());
}

TEST_F(CanvasEditor, AtTwiceTheSizeADragIsStillExactTwips) {
    QComboBox* box = mdi->findChild<QComboBox*>("zoomBox");
    type(box, "200%");
    QTest::keyClick(canvas, Qt::Key_Equal, Qt::ControlModifier);  // one step in: 300 %
    EXPECT_EQ(box->currentText(), "300%");
    QTest::keyClick(canvas, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(canvas->twipsPerPixel(), 7.5);

    canvas->SnapToObjects = false;  // the shape's edge below is within reach
    drag(px(2000, 1700), px(2000, 1700) + QPoint(3, 5));
    EXPECT_EQ(label->Left, 1500 + 22);  // 3 pixels of 7.5 twips: 22.5, to even
    EXPECT_EQ(label->Top, 1500 + 38);   // 37.5
    QTest::keyClick(canvas, Qt::Key_0, Qt::ControlModifier);
    // The wheel with Ctrl zooms too, and the box follows.
    QWheelEvent wheel(QPointF(10, 10), canvas->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.25);
    EXPECT_EQ(box->currentText(), "125%");
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
    select(*shape);
    QApplication::processEvents();
    ASSERT_TRUE(mdi->sToolbar.band("Shapes").visible());
    dragOnScreen(px(2000, 1700), QPoint(0, 30));
    EXPECT_TRUE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(1500, 1500 + 30 * 15));
    // And back: the picture pressed while the text is selected hides the text's band.
    dragOnScreen(px(6500, 2000), QPoint(-20, 10));
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_EQ(QPoint(picture->Left, picture->Top), QPoint(6000 - 20 * 15, 1500 + 10 * 15));

    // A zoom asked for during a drag waits: the drag ends in the pixels it began with.
    dragOnScreen(px(2000, 5000), QPoint(10, 0),
                 [this] { QTest::keyClick(canvas, Qt::Key_Equal, Qt::ControlModifier); });
    EXPECT_DOUBLE_EQ(canvas->zoom(), 1.0);
    EXPECT_EQ(shape->Left, 1500 + 10 * 15);
}

TEST_F(CanvasEditor, SeveralObjectsAreSelectedMovedArrangedAndDeletedAsOneStep) {
    // A band drawn on empty canvas around the text, the picture and the shape (not the line).
    drag(px(1000, 1000), px(8000, 6500));
    EXPECT_EQ(canvas->CurrentObject, label) << "a text, so the text commands reach the group";
    drag(px(2000, 1700), px(2000, 1700) + QPoint(20, 0));
    EXPECT_EQ(QList({label->Left, picture->Left, shape->Left, line->X1}), QList({1800, 6300, 1800, 1500}))
        << "the line is not in the band, not moved";
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(QList({label->Left, picture->Left, shape->Left}), QList({1500, 6000, 1500}));

    // Shift+click adds and takes away; Ctrl+A takes everything.
    QTest::keyClick(canvas, Qt::Key_Escape);
    select(*label);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(6500, 2000));
    EXPECT_EQ(canvas->Selection.size(), 2u);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, px(6500, 2000));
    EXPECT_TRUE(canvas->Selection.empty());
    EXPECT_EQ(canvas->CurrentObject, label);
    click("ID_SelectAll");
    EXPECT_EQ(canvas->Selection.size(), 4u);

    // Aligned on their left edges; arrow keys move them all; Delete takes them all, undone at once.
    click("ID_AlignObjectsLeft");
    EXPECT_EQ(picture->Left, 1500);
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(line->X1, 1515);
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_FALSE(canvas->document().contains(picture));
    click("ID_Undo");
    EXPECT_TRUE(canvas->document().contains(picture) && canvas->document().contains(shape));
}

TEST_F(CanvasEditor, AGroupSizedByItsBoxsHandleScalesEveryObjectInProportion) {
    line->X1 = 6000, line->X2 = 1500;  // drawn right to left
    drag(px(1000, 1000), px(6100, 7600));
    ASSERT_EQ(canvas->Selection.size(), 3u);  // the text, the shape and the line: 4500 by 6000 twips
    drag(handleCentre(4), px(6000, 7500) + QPoint(150, 200));  // half as large again
    EXPECT_EQ(ObjectBox(*label), QRect(1500, 1500, 4500, 900));
    EXPECT_EQ(ObjectBox(*shape), QRect(1500, 6000, 4500, 2250));
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(8250, 10500, 1500, 10500));
    EXPECT_EQ(canvas->undoStack().count(), 1);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(QLine(line->X1, line->Y1, line->X2, line->Y2), QLine(6000, 7500, 1500, 7500));
}

TEST_F(CanvasEditor, TheArrangeToolbarLinesUpTextsAndSpacesShapesAndTextsTakeFormattingTogether) {
    mdi->resize(1100, 800);  // wide enough for the band beside the Objects band
    const auto press = [this](const char* id) {
        QApplication::processEvents();  // the band shown on release is laid out
        QWidget* shown = button("Arrange", id);
        ASSERT_TRUE(shown && shown->isVisible()) << id;
        QTest::mouseClick(shown, Qt::LeftButton);
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
    const int steps = canvas->undoStack().count();
    press("ID_AlignObjectsLeft");
    EXPECT_EQ(QList({second->Left, third->Left}), QList({1500, 1500}));
    EXPECT_EQ(canvas->undoStack().count(), steps + 1);

    DisplayObject* middle = canvas->NewShape(shSquare);
    middle->Left = 5000, middle->Top = 8000, middle->Width = 1000, middle->Height = 1000;
    DisplayObject* right = canvas->NewShape(shSquare);
    right->Left = 7001, right->Top = 8500, right->Width = 1500, right->Height = 700;
    shape->Top = 8200;
    selectByShiftClicks({px(2000, 8500), px(5500, 8500), px(7500, 8800)});
    press("ID_DistributeAcross");
    // From 1500 (3000 wide) to 8501: 7001 - 3000 - 1000 - 1500 = 1501 of room, two gaps.
    const int gap1 = middle->Left - (shape->Left + shape->Width);
    const int gap2 = right->Left - (middle->Left + middle->Width);
    EXPECT_LE(std::abs(gap1 - gap2), 1);
    EXPECT_EQ(right->Left, 7001);
    press("ID_AlignObjectsTop");
    EXPECT_EQ(right->Top, 8000);

    canvas->SelectObjects({label, second, shape});
    click("ID_Bold");
    EXPECT_TRUE(second->FontBold);
    click("ID_Undo");
    EXPECT_FALSE(label->FontBold);
    // One object is aligned on the page but not spread; nothing selected, nothing to arrange: the band goes.
    select(*label);
    EXPECT_TRUE(mdi->sToolbar.band("Arrange").visible());
    EXPECT_FALSE(tool("ID_DistributeAcross").enabled());
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
    select(*shape);
    drag(handleCentre(3), px(6000, 5250) - QPoint(3, 0));
    EXPECT_EQ(shape->Left + shape->Width, 6000);

    // The grid: drawn on the canvas only when shown, and a drag snaps to it (here the
    // picture's right and bottom edges, 3 pixels short of grid lines, far from any object).
    const QPoint onGridLine = px(9000, 9100);
    EXPECT_EQ(canvas->grab().toImage().pixelColor(onGridLine), QColor(Qt::white));
    click("ID_ShowGrid");
    EXPECT_NE(canvas->grab().toImage().pixelColor(onGridLine), QColor(Qt::white));
    drag(px(6500, 2000), px(6500, 2000) + QPoint(37, 157));
    EXPECT_EQ(picture->Left + picture->Width, 45 * kGridTwips);
    EXPECT_EQ(picture->Top + picture->Height, 30 * kGridTwips);
    click("ID_ShowGrid");
    EXPECT_FALSE(ReadEditorPreference(state, "grid", true));
}
