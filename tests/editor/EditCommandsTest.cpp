#include "editor/EditCommands.h"
#include "editor/Formatting.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

struct Editing : ::testing::Test {
    CanvasDocument doc;
    AppState state;
    test::ScriptedPrompt prompt;
    DocumentEditor editor{doc, state};
    DisplayObject* a = nullptr;
    DisplayObject* b = nullptr;

    void SetUp() override {
        state.BatchInProgress = true;  // built like a template load: nothing marked yet
        a = NewLabel(doc, state, prompt);
        b = NewShape(doc, state, prompt, shOval);
        state.BatchInProgress = false;
    }
};

}  // namespace

TEST_F(Editing, AChangeIsOneStepThatUndoAndRedoReplayExactly) {
    editor.change(*a, aspGeometry, "Move", [](DisplayObject& o) { o.Left = 705, o.Top = 1290; });
    EXPECT_TRUE(state.TemplateChanged);
    editor.change(*a, aspFormat, "Bold", [](DisplayObject& o) { o.FontBold = true; });
    EXPECT_EQ(editor.undoStack().count(), 2);

    editor.undoStack().undo();
    EXPECT_FALSE(a->FontBold);
    EXPECT_EQ(a->Left, 705);
    editor.undoStack().undo();
    EXPECT_EQ(a->Left, 100);
    EXPECT_EQ(a->Top, 100);
    EXPECT_FALSE(state.TemplateChanged) << "back where the print was built";
    editor.undoStack().redo();
    EXPECT_EQ(a->Left, 705);
    EXPECT_TRUE(state.TemplateChanged);

    // An edit that changes nothing is no step.
    EXPECT_FALSE(editor.change(*a, aspGeometry, "Move", [](DisplayObject&) {}));
    EXPECT_EQ(editor.undoStack().count(), 2);
}

TEST_F(Editing, UndoKeepsOnlyWhatTheStepChanged) {
    editor.change(*a, aspGeometry, "Move", [](DisplayObject& o) { o.Left = 900; });
    a->Caption = "Regenerated for another year";  // a refresh, outside the undo history
    editor.undoStack().undo();
    EXPECT_EQ(a->Left, 100);
    EXPECT_EQ(a->Caption, "Regenerated for another year");
}

TEST_F(Editing, DeleteAndInsertComeBackAtTheirIndexAndStackingPlace) {
    const std::vector<DisplayObject*> order = doc.stacking();
    editor.remove(*a);
    EXPECT_FALSE(doc.contains(a));
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 0);
    editor.undoStack().undo();
    ASSERT_TRUE(doc.contains(a));
    EXPECT_EQ(doc.lblObject(1), a);
    EXPECT_EQ(doc.stacking(), order);

    DisplayObject* c = NewShape(doc, state, prompt, kLineShapeKind);
    editor.inserted(*c, "Insert Line");
    editor.undoStack().undo();
    EXPECT_FALSE(doc.contains(c));
    editor.undoStack().redo();
    EXPECT_EQ(doc.stacking().back(), c);
    EXPECT_EQ(doc.lLineObject(1), c);

    // Element 0 is only ever hidden, and shown again by undo.
    DisplayObject* zero = doc.sShape(0);
    zero->Visible = true;
    editor.remove(*zero);
    EXPECT_TRUE(doc.contains(zero));
    EXPECT_FALSE(zero->Visible);
    editor.undoStack().undo();
    EXPECT_TRUE(zero->Visible);
}

TEST_F(Editing, RestackingIsUndoneToTheSameOrder) {
    const std::vector<DisplayObject*> order = doc.stacking();
    editor.sendToBack(*b);
    EXPECT_EQ(doc.stacking().front(), b);
    editor.bringToFront(*a);
    EXPECT_EQ(doc.stacking().back(), a);
    editor.undoStack().undo();
    editor.undoStack().undo();
    EXPECT_EQ(doc.stacking(), order);
    // Already on top: no step.
    editor.bringToFront(*doc.stacking().back());
    EXPECT_EQ(editor.undoStack().index(), 0);
}

TEST_F(Editing, SavingMakesTheCleanPointAndStepsInARowMerge) {
    editor.change(*a, aspGeometry, "Move", [](DisplayObject& o) { o.Left = 200; });
    editor.setClean();
    state.TemplateChanged = false;  // as a save leaves it
    for (int i = 0; i < 3; ++i)
        editor.change(
            *a, aspGeometry, "Move", [](DisplayObject& o) { o.Left += 15; }, 1001);
    EXPECT_EQ(editor.undoStack().count(), 2) << "an arrow-key run is one step";
    EXPECT_TRUE(state.TemplateChanged);
    editor.undoStack().undo();
    EXPECT_EQ(a->Left, 200);
    EXPECT_FALSE(state.TemplateChanged);
    editor.undoStack().undo();
    EXPECT_TRUE(state.TemplateChanged) << "before the save is a change again";
}

TEST(Formatting, FontSizeIndexCenteringAndTheAnniversaryRule) {
    const QStringList sizes = {"10", "11", "12", "13", "14", "15", "16", "17", "18",
                               "20", "22", "24", "26", "28", "36", "48", "72"};
    EXPECT_EQ(FindFontSizeIndex(sizes, 4), 0);
    EXPECT_EQ(FindFontSizeIndex(sizes, 19), 9);
    EXPECT_EQ(FindFontSizeIndex(sizes, 11.5), 2);
    EXPECT_EQ(FindFontSizeIndex(sizes, 72), 16);
    EXPECT_EQ(FindFontSizeIndex(sizes, 96), -1);

    DisplayObject label;
    label.Left = 300, label.Top = 500, label.Width = 2000, label.Height = 601;
    EXPECT_EQ(CenteredPosition(label, QSize(10000, 14400), 0), QPoint(4000, 500));
    EXPECT_EQ(CenteredPosition(label, QSize(10000, 14400), 1), QPoint(300, 6900));  // 6899.5, to even
    EXPECT_EQ(CenteredPosition(label, QSize(10000, 14400), 2), QPoint(4000, 6900));
    EXPECT_FALSE(CenteredPosition(label, QSize(10000, 14400), 3));
    DisplayObject line;
    line.kind = ObjectKind::Line;
    EXPECT_FALSE(CenteredPosition(line, QSize(10000, 14400), 2));

    EXPECT_EQ(RemoveAnniversary("Happy AnniVersary to you, anniversary"), "Happy  to you, anniversary");
    EXPECT_EQ(RemoveAnniversary("Happy Birthday"), "Happy Birthday");
}

TEST(Formatting, PictureResizeArithmetic) {
    PictureSizeTexts t = PictureSizeFor(2880, 1440);
    EXPECT_EQ(t.width, "2");
    EXPECT_EQ(t.height, "1");
    EXPECT_DOUBLE_EQ(t.widthPerHeight, 2);
    EXPECT_DOUBLE_EQ(t.heightPerWidth, 0.5);
    EXPECT_EQ(KeepRatio("3", t.heightPerWidth), "1.5");
    EXPECT_FALSE(KeepRatio("", t.heightPerWidth));
    EXPECT_FALSE(KeepRatio("abc", t.heightPerWidth));

    t = PictureSizeFor(1000, 3000);
    EXPECT_EQ(t.width, "0.694");
    EXPECT_EQ(t.height, "2.083");
    EXPECT_DOUBLE_EQ(t.widthPerHeight, 0.3332);

    EXPECT_EQ(PictureSizeTwips("1.25", "0.5"), QSize(1800, 720));
    EXPECT_FALSE(PictureSizeTwips("", "0.5"));
    EXPECT_FALSE(PictureSizeTwips("1", "x"));
    EXPECT_FALSE(PictureSizeTwips("0", "1"));
    EXPECT_FALSE(PictureSizeTwips("1e300", "1"));
}
