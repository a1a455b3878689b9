// Snapping a drag to the other objects, the page and the grid, and drawing the grid.
#include "editor/frmDisplay.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace natalory {
namespace {

// The grid line `index` in canvas pixels, rounded as a dragged box's pixels are, so a box
// snapped to it lands on the grid's twips.
long GridLine(int index, double twipsPerPixel) {
    return RoundHalfEven(index * kGridTwips / twipsPerPixel);
}

}  // namespace

void frmDisplay::snapDragRect() {
    guideX_.reset();
    guideY_.reset();
    if (!SnapToObjects || snapHeld_) return;
    const double tpp = twipsPerPixel();
    const std::vector<DisplayObject*> moving = selectedObjects();
    std::vector<long> xs = {0, width() / 2, width()}, ys = {0, height() / 2, height()};
    for (DisplayObject* o : document_.stacking()) {
        if (!o->Visible || std::count(moving.begin(), moving.end(), o)) continue;
        CRect r;
        r.SetRectToCtrl(*o);
        r.TwipsToScreen(tpp);
        xs.insert(xs.end(), {r.Left, (r.Left + r.Right) / 2, r.Right});
        ys.insert(ys.end(), {r.Top, (r.Top + r.Bottom) / 2, r.Bottom});
    }
    if (ShowGrid) {
        // The grid lines either side of each edge.
        const auto gridAround = [tpp](std::initializer_list<long> edges, long size,
                                      std::vector<long>& lines) {
            for (long e : edges) {
                const int below = int(std::floor(e * tpp / kGridTwips));
                for (int i : {below, below + 1})
                    if (const long at = GridLine(i, tpp); at >= 0 && at <= size) lines.push_back(at);
            }
        };
        gridAround({DragRect.Left, DragRect.Right}, width(), xs);
        gridAround({DragRect.Top, DragRect.Bottom}, height(), ys);
    }
    if (DragMode == dmSizing) {
        // Only the edges the handle moves snap; the others stay where they are.
        const HandleEdges moves = EdgesOfHandle(DragHandle);
        const auto snapEdge = [](long& edge, const std::vector<long>& lines, std::optional<long>& guide) {
            const Snap s = SnapOnAxis({edge}, lines, kSnapPixels);
            edge += s.by;
            guide = s.line;
        };
        if (moves.left) snapEdge(DragRect.Left, xs, guideX_);
        if (moves.right) snapEdge(DragRect.Right, xs, guideX_);
        if (moves.top) snapEdge(DragRect.Top, ys, guideY_);
        if (moves.bottom) snapEdge(DragRect.Bottom, ys, guideY_);
        return;
    }
    const Snap sx =
        SnapOnAxis({DragRect.Left, (DragRect.Left + DragRect.Right) / 2, DragRect.Right}, xs, kSnapPixels);
    const Snap sy =
        SnapOnAxis({DragRect.Top, (DragRect.Top + DragRect.Bottom) / 2, DragRect.Bottom}, ys, kSnapPixels);
    guideX_ = sx.line;
    guideY_ = sy.line;
    moveDragRectTo(DragRect.Left + sx.by, DragRect.Top + sy.by);
}

void frmDisplay::paintGrid(QPainter& painter) const {
    if (!ShowGrid) return;
    const double tpp = twipsPerPixel();
    // Lines a few pixels apart would grey the whole page: when zoomed out, every second
    // (or fourth) line is drawn.
    int every = 1;
    while (kGridTwips * every / tpp < 6) every *= 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(220, 227, 236), 0));
    for (int i = every;; i += every) {
        const long x = GridLine(i, tpp);
        if (x >= width()) break;
        painter.drawLine(int(x), 0, int(x), height());
    }
    for (int i = every;; i += every) {
        const long y = GridLine(i, tpp);
        if (y >= height()) break;
        painter.drawLine(0, int(y), width(), int(y));
    }
    painter.restore();
}

}  // namespace natalory
