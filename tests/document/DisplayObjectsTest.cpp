#include "document/DisplayObjects.h"
#include "document/PageGeometry.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

#include <limits>

using namespace natalory;
using natalory::test::ScriptedPrompt;

namespace {

struct Canvas : ::testing::Test {
    CanvasDocument doc;
    AppState state;
    ScriptedPrompt prompt;
};

}  // namespace

TEST_F(Canvas, StartsWithAHiddenElementZeroOfEachKind) {
    for (ObjectKind k : {ObjectKind::Text, ObjectKind::Picture, ObjectKind::Shape, ObjectKind::Line}) {
        ASSERT_TRUE(doc.element(k, 0));
        EXPECT_FALSE(doc.element(k, 0)->Visible);
        EXPECT_EQ(doc.UBound(k), 0);
    }
    EXPECT_EQ(doc.controlCount(), 12);  // four element 0s and the eight handles
}

TEST_F(Canvas, CreationDefaultsAndKinds) {
    DisplayObject* label = NewLabel(doc, state, prompt);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->index, 1);
    EXPECT_EQ(doc.lblObject(doc.UBound(ObjectKind::Text)), label);
    EXPECT_EQ(label->Caption, QStringLiteral("New Text Object"));
    EXPECT_EQ(label->Tag, QStringLiteral("T"));
    EXPECT_EQ(label->FontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(label->FontSize, 12);
    EXPECT_EQ(label->ForeColor, qRgb(0, 0, 0));
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(100, 100));
    EXPECT_TRUE(label->Visible);
    EXPECT_EQ(ControlKind(*label), 3);

    DisplayObject* line = NewShape(doc, state, prompt, kLineShapeKind);
    EXPECT_EQ(line->kind, ObjectKind::Line);
    EXPECT_EQ(line->Tag, QStringLiteral("L"));
    EXPECT_EQ(QPoint(line->X1, line->Y1), QPoint(1000, 1001));
    EXPECT_EQ(ControlKind(*line), 6);

    DisplayObject* circle = NewShape(doc, state, prompt, shCircle);
    EXPECT_EQ(circle->kind, ObjectKind::Shape);
    EXPECT_EQ(circle->Tag, QStringLiteral("S"));
    EXPECT_EQ(circle->Shape, shCircle);
    EXPECT_EQ(QPoint(circle->Left, circle->Top), QPoint(3, 3));
    EXPECT_EQ(ControlKind(*circle), 5);

    int asked = 0;
    DisplayObject* picture =
        NewPicture(doc, state, prompt, true, [&](DisplayObject& o) -> std::optional<QString> {
            ++asked;
            EXPECT_FALSE(o.Stretch);
            return QStringLiteral("/pics/cake.png");
        });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(picture->Tag, QStringLiteral("P"));
    EXPECT_EQ(picture->ToolTipText, QStringLiteral("/pics/cake.png"));
    EXPECT_TRUE(picture->Stretch);
    EXPECT_EQ(QPoint(picture->Left, picture->Top), QPoint(3, 3));
    EXPECT_EQ(ControlKind(*picture), 7);
    EXPECT_EQ(NewPicture(doc, state, prompt, false)->ToolTipText, QString());

    // Each new object is on top, and the template is marked changed.
    EXPECT_EQ(doc.stacking().back()->kind, ObjectKind::Picture);
    EXPECT_TRUE(state.TemplateChanged);
    EXPECT_TRUE(prompt.asked.empty());

    DisplayObject* info = NewLabel(doc, state, prompt);
    info->Tag = QStringLiteral("Tbitsofinfo");
    EXPECT_EQ(info->kindLetter(), u'T');
    EXPECT_EQ(info->infoKey(), QStringLiteral("bitsofinfo"));
    EXPECT_EQ(label->infoKey(), QString());
}

TEST_F(Canvas, TheLimitCountsHandlesAndElementZero) {
    for (ObjectKind k : {ObjectKind::Text, ObjectKind::Picture, ObjectKind::Shape, ObjectKind::Line}) {
        CanvasDocument d;
        while (d.controlCount() < 199) ASSERT_TRUE(NewLabel(d, state, prompt));
        // One more fits at 199 ...
        DisplayObject* last = k == ObjectKind::Text      ? NewLabel(d, state, prompt)
                              : k == ObjectKind::Picture ? NewPicture(d, state, prompt, false)
                              : k == ObjectKind::Shape   ? NewShape(d, state, prompt, shOval)
                                                         : NewShape(d, state, prompt, kLineShapeKind);
        ASSERT_TRUE(last);
        EXPECT_EQ(last->kind, k);
        EXPECT_EQ(d.controlCount(), 200);
        // ... and at 200 nothing more, with the message.
        prompt.asked.clear();
        EXPECT_FALSE(NewLabel(d, state, prompt));
        EXPECT_FALSE(NewPicture(d, state, prompt, false));
        EXPECT_FALSE(NewShape(d, state, prompt, shSquare));
        EXPECT_FALSE(NewShape(d, state, prompt, kLineShapeKind));
        EXPECT_EQ(d.controlCount(), 200);
        ASSERT_EQ(prompt.asked.size(), 4u);
        EXPECT_EQ(prompt.asked[0].text, QStringLiteral("Too many objects, the maximum is 200."));
        EXPECT_TRUE(prompt.asked[0].title.isEmpty());
    }
}

TEST_F(Canvas, DeletingElementZeroHidesItAndOthersAreUnloaded) {
    DisplayObject* a = NewLabel(doc, state, prompt);
    DisplayObject* b = NewLabel(doc, state, prompt);
    DisplayObject* zero = doc.lblObject(0);
    zero->Visible = true;
    doc.remove(*zero);
    EXPECT_TRUE(doc.contains(zero));
    EXPECT_FALSE(zero->Visible);
    doc.remove(*a);
    EXPECT_FALSE(doc.contains(a));
    EXPECT_EQ(doc.lblObject(1), nullptr);
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 2);
    doc.remove(*b);
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 0);
    EXPECT_EQ(NewLabel(doc, state, prompt)->index, 1);
}

TEST_F(Canvas, RestackingAndBatchesLeaveTheChangedFlagAlone) {
    DisplayObject* a = NewLabel(doc, state, prompt);
    DisplayObject* b = NewShape(doc, state, prompt, shRectangle);
    doc.bringToFront(*a);
    EXPECT_EQ(doc.stacking().back(), a);
    doc.sendToBack(*a);
    EXPECT_EQ(doc.stacking().front(), a);
    EXPECT_EQ(doc.stacking().back(), b);

    state.TemplateChanged = false;
    state.BatchInProgress = true;
    NewLabel(doc, state, prompt);
    NewShape(doc, state, prompt, kLineShapeKind);
    EXPECT_FALSE(state.TemplateChanged);
}

TEST_F(Canvas, BordersGoOnEveryTextAndPictureHiddenOnesIncluded) {
    DisplayObject* label = NewLabel(doc, state, prompt);
    DisplayObject* shape = NewShape(doc, state, prompt, shRectangle);
    DisplayObject* line = NewShape(doc, state, prompt, kLineShapeKind);
    label->Visible = false;
    SetBorders(doc, true);
    EXPECT_EQ(label->BorderStyle, 1);
    EXPECT_EQ(doc.lblObject(0)->BorderStyle, 1);
    EXPECT_EQ(doc.pPic(0)->BorderStyle, 1);
    EXPECT_EQ(shape->BorderStyle, 0);
    EXPECT_EQ(line->BorderStyle, lsSolid);
    SetBorders(doc, false);
    EXPECT_EQ(label->BorderStyle, 0);
    EXPECT_EQ(doc.pPic(0)->BorderStyle, 0);
    EXPECT_EQ(line->BorderStyle, lsSolid);
}

TEST(PageGeometry, TheCanvasIsThePrintableAreaTurnedForLandscape) {
    PageSetup p{12240, 15840, 720, 1080, 1440, 360, 1};
    EXPECT_EQ(PrintableCanvasSize(p), QSize(12240 - 1800, 15840 - 1800));
    p.PageOrientation = 2;
    EXPECT_EQ(PrintableCanvasSize(p), QSize(15840 - 1800, 12240 - 1800));
    p.PageOrientation = 0;
    EXPECT_FALSE(PrintableCanvasSize(p));

    // Margins that leave no paper, however large, leave no canvas.
    const int most = std::numeric_limits<int>::max();
    for (int orientation : {1, 2}) {
        EXPECT_EQ(PrintableCanvasSize({12240, 15840, most, most, most, most, orientation}), QSize(0, 0));
        EXPECT_EQ(PrintableCanvasSize({most, most, -most, -most, -most, -most, orientation}),
                  QSize(most, most));
    }
}
