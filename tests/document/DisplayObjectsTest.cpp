#include "document/DisplayObjects.h"
#include "document/PageGeometry.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

#include <functional>
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

TEST_F(Canvas, ObjectsGoOnTopUpToTheLimitAndDeletingElementZeroOnlyHidesIt) {
    EXPECT_EQ(doc.controlCount(), 12);  // four hidden element 0s and the eight handles
    // The chosen picture is stretched to its box, but only once it is chosen.
    DisplayObject* picture = NewPicture(doc, state, prompt, true, [](DisplayObject& o) {
        EXPECT_FALSE(o.Stretch);
        return std::optional<QString>(QStringLiteral("/pics/cake.png"));
    });
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->ToolTipText, QStringLiteral("/pics/cake.png"));
    EXPECT_TRUE(picture->Stretch);
    EXPECT_EQ(doc.stacking().back(), picture);
    EXPECT_TRUE(state.TemplateChanged);

    // Objects a batch builds leave the changed mark alone.
    state.TemplateChanged = false;
    state.BatchInProgress = true;
    DisplayObject* a = NewLabel(doc, state, prompt);
    DisplayObject* b = NewLabel(doc, state, prompt);
    EXPECT_FALSE(state.TemplateChanged);

    DisplayObject* zero = doc.lblObject(0);
    zero->Visible = true;
    doc.remove(*zero);
    EXPECT_TRUE(doc.contains(zero));
    EXPECT_FALSE(zero->Visible);
    doc.remove(*a);
    EXPECT_FALSE(doc.contains(a));
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 2);
    doc.remove(*b);
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 0);
    EXPECT_EQ(NewLabel(doc, state, prompt)->index, 1);

    // The limit counts the handles and the element 0s: one more fits at 199, and at 200
    // nothing more of any kind, each time with the message.
    const std::function<DisplayObject*()> make[] = {
        [&] { return NewLabel(doc, state, prompt); },
        [&] { return NewPicture(doc, state, prompt, false); },
        [&] { return NewShape(doc, state, prompt, shOval); },
        [&] { return NewShape(doc, state, prompt, kLineShapeKind); },
    };
    while (doc.controlCount() < 199) ASSERT_TRUE(make[0]());
    ASSERT_TRUE(make[3]());
    for (const auto& more : make) EXPECT_FALSE(more());
    EXPECT_EQ(doc.controlCount(), 200);
    ASSERT_EQ(prompt.asked.size(), 4u);
    EXPECT_EQ(prompt.asked[0].text, QStringLiteral("Too many objects, the maximum is 200."));
    EXPECT_TRUE(prompt.asked[0].title.isEmpty());
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
