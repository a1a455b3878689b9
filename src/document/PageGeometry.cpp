#include "document/PageGeometry.h"

namespace natalory {

std::optional<QSize> PrintableCanvasSize(const PageSetup& p) {
    if (p.PageOrientation == 1)
        return QSize(p.PaperWidth - (p.LeftMargin + p.RightMargin),
                     p.PaperLength - (p.TopMargin + p.BottomMargin));
    if (p.PageOrientation == 2)
        return QSize(p.PaperLength - (p.TopMargin + p.BottomMargin),
                     p.PaperWidth - (p.LeftMargin + p.RightMargin));
    return std::nullopt;
}

PageSetup DefaultPageSetup() {
    return PageSetup{12240, 15840, 720, 720, 720, 720, 1};
}

}  // namespace natalory
