#include "editor/Formatting.h"

#include <gtest/gtest.h>

using namespace natalory;

TEST(Formatting, APictureSizeThatIsNoneOrFitsNoPageIsRefused) {
    // Empty, not a number, nothing, and a size no page holds.
    for (const auto& [width, height] : {std::pair{"", "0.5"}, {"1", "x"}, {"0", "1"}, {"1e300", "1"}})
        EXPECT_FALSE(PictureSizeTwips(width, height)) << width << " x " << height;
}
