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
    a->Caption = "Regenerated for another year";  // a refresh, outside the undo history
    editor.undoStack().undo();
    EXPECT_FALSE(a->FontBold);
    editor.undoStack().undo();
    EXPECT_EQ(QPoint(a->Left, a->Top), QPoint(100, 100));
    EXPECT_EQ(a->Caption, "Regenerated for another year") << "undo keeps only what the step changed";
    EXPECT_FALSE(state.TemplateChanged) << "back where the print was built";
    editor.undoStack().redo();
    EXPECT_EQ(a->Left, 705);
    EXPECT_TRUE(state.TemplateChanged);

    // An edit that changes nothing is no step.
    EXPECT_FALSE(editor.change(*a, aspGeometry, "Move", [](DisplayObject&) {}));
    EXPECT_EQ(editor.undoStack().count(), 2);
}

TEST_F(Editing, DeleteInsertAndRestackingComeBackAtTheirIndexAndStackingPlace) {
    const std::vector<DisplayObject*> order = doc.stacking();
    editor.remove(*a);
    EXPECT_FALSE(doc.contains(a));
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 0);
    editor.undoStack().undo();
    EXPECT_EQ(doc.lblObject(1), a);
    EXPECT_EQ(doc.stacking(), order);

    editor.sendToBack(*b);
    editor.bringToFront(*a);
    editor.undoStack().undo();
    editor.undoStack().undo();
    EXPECT_EQ(doc.stacking(), order);
    const int steps = editor.undoStack().count();
    editor.bringToFront(*doc.stacking().back());  // already on top: no step
    EXPECT_EQ(editor.undoStack().count(), steps);

    DisplayObject* c = NewShape(doc, state, prompt, kLineShapeKind);
    editor.inserted(*c, "Insert Line");
    editor.undoStack().undo();
    EXPECT_FALSE(doc.contains(c));
    editor.undoStack().redo();
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

TEST_F(Editing, SavingMakesTheCleanPointAndStepsInARowMerge) {
    editor.change(*a, aspGeometry, "Move", [](DisplayObject& o) { o.Left = 200; });
    editor.setClean();
    state.TemplateChanged = false;  // as a save leaves it
    for (int i = 0; i < 3; ++i)
        editor.change(
            *a, aspGeometry, "Move", [](DisplayObject& o) { o.Left += 15; }, 1001);
    EXPECT_EQ(editor.undoStack().count(), 2) << "an arrow-key run is one step";
    editor.undoStack().undo();
    EXPECT_EQ(a->Left, 200);
    EXPECT_FALSE(state.TemplateChanged);
    editor.undoStack().undo();
    EXPECT_TRUE(state.TemplateChanged) << "before the save is a change again";
}

TEST(Formatting, FontSizeIndexCenteringAndTheAnniversaryRule) {
    const QStringList sizes = {"10", "11", "12", "13", "14", "15", "16", "17", "18",
                               "20", "22", "24", "26", "28", "36", "48", "72"};
    for (const auto& [size, index] : {std::pair{4.0, 0}, {19.0, 9}, {11.5, 2}, {72.0, 16}, {96.0, -1}})
        EXPECT_EQ(FindFontSizeIndex(sizes, size), index) << size;

    DisplayObject label;
    label.Left = 300, label.Top = 500, label.Width = 2000, label.Height = 601;
    const QSize page(10000, 14400);
    EXPECT_EQ(CenteredPosition(label, page, 0), QPoint(4000, 500));
    EXPECT_EQ(CenteredPosition(label, page, 1), QPoint(300, 6900));  // 6899.5, to even
    EXPECT_EQ(CenteredPosition(label, page, 2), QPoint(4000, 6900));
    EXPECT_FALSE(CenteredPosition(label, page, 3));
    DisplayObject line;
    line.kind = ObjectKind::Line;
    EXPECT_FALSE(CenteredPosition(line, page, 2));

    EXPECT_EQ(RemoveAnniversary("Happy AnniVersary to you, anniversary"), "Happy  to you, anniversary");
}

TEST(Formatting, PictureResizeArithmetic) {
    PictureSizeTexts t = PictureSizeFor(2880, 1440);
    EXPECT_EQ(QStringList({t.width, t.height}), QStringList({"2", "1"}));
    EXPECT_DOUBLE_EQ(t.widthPerHeight, 2);
    EXPECT_EQ(KeepRatio("3", t.heightPerWidth), "1.5");
    EXPECT_FALSE(KeepRatio("", t.heightPerWidth));
    EXPECT_FALSE(KeepRatio("abc", t.heightPerWidth));

    t = PictureSizeFor(1000, 3000);
    EXPECT_EQ(QStringList({t.width, t.height}), QStringList({"0.694", "2.083"}));
    EXPECT_DOUBLE_EQ(t.widthPerHeight, 0.3332);

    EXPECT_EQ(PictureSizeTwips("1.25", "0.5"), QSize(1800, 720));
    // Empty, not a number, nothing, and a size no page holds.
    for (const auto& [width, height] : {std::pair{"", "0.5"}, {"1", "x"}, {"0", "1"}, {"1e300", "1"}})
        EXPECT_FALSE(PictureSizeTwips(width, height)) << width << " x " << height;
}
