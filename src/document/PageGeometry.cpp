#include "document/PageGeometry.h"

#include <algorithm>
#include <limits>

namespace natalory {

namespace {

// Paper less two margins, in 64 bits so that no page setup can overflow, and never
// below nothing: margins wider than the paper leave no room.
int Room(int paper, int margin1, int margin2) {
    return int(std::clamp<qint64>(qint64(paper) - margin1 - margin2, 0, std::numeric_limits<int>::max()));
}

}  // namespace

std::optional<QSize> PrintableCanvasSize(const PageSetup& p) {
    const int across = Room(p.PaperWidth, p.LeftMargin, p.RightMargin);
    const int down = Room(p.PaperLength, p.TopMargin, p.BottomMargin);
    if (p.PageOrientation == 1) return QSize(across, down);
    if (p.PageOrientation == 2) return QSize(down, across);
    return std::nullopt;
}

PageSetup DefaultPageSetup() {
    return PageSetup{12240, 15840, 720, 720, 720, 720, 1};
}

}  // namespace natalory
