#include "editor/EditCommands.h"
#include "editor/Formatting.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace natalory;

TEST(Editing, ElementZeroIsOnlyEverHiddenAndShownAgainByUndo) {
    CanvasDocument doc;
    AppState state;
    test::ScriptedPrompt prompt;
    DocumentEditor editor{doc, state};
    NewShape(doc, state, prompt, shOval);
    DisplayObject* zero = doc.sShape(0);
    zero->Visible = true;
    editor.remove(*zero);
    EXPECT_TRUE(doc.contains(zero));
    EXPECT_FALSE(zero->Visible);
    editor.undoStack().undo();
    EXPECT_TRUE(zero->Visible);
}

TEST(Formatting, APictureSizeThatIsNoneOrFitsNoPageIsRefused) {
    // Empty, not a number, nothing, and a size no page holds.
    for (const auto& [width, height] : {std::pair{"", "0.5"}, {"1", "x"}, {"0", "1"}, {"1e300", "1"}})
        EXPECT_FALSE(PictureSizeTwips(width, height)) << width << " x " << height;
}
