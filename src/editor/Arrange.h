#pragma once

#include "document/DisplayObjects.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <initializer_list>
#include <optional>
#include <vector>

namespace natalory {

enum class AlignTo { Left, Centre, Right, Top, Middle, Bottom };

// The box an object covers, in twips (a line's, whichever way it runs).
QRect ObjectBox(const DisplayObject& object);
// Moves an object (a line by both ends) so that its box starts at `topLeft`.
void MoveObjectTo(DisplayObject& object, QPoint topLeft);
// Sizes an object to `box` (a line by both ends, keeping which end was where).
void SetObjectBox(DisplayObject& object, const QRect& box);
QRect BoundingBox(const std::vector<DisplayObject*>& objects);
// Where a box inside `from` goes when `from` is stretched onto `to`: each edge keeps its
// place in proportion.
QRect ScaledBox(const QRect& box, const QRect& from, const QRect& to);

// The edges a sizing handle moves; the handles run clockwise from the top-left corner.
struct HandleEdges {
    bool left, top, right, bottom;
};
HandleEdges EdgesOfHandle(int handle);
// Where a box moved by `by` starts when it is kept on a canvas of `canvas` (a box larger
// than the canvas stays at its top-left corner).
QPoint CornerOnCanvas(const QRect& box, QPoint by, QSize canvas);

// Where each box's top-left corner goes to line the boxes up on one edge or centre line
// of the box around them all, or of the page when there is a single box.
std::vector<QPoint> AlignedCorners(const std::vector<QRect>& boxes, AlignTo how, QSize page);
// Where each box goes so that the gaps between neighbours are equal, across or down;
// the first and the last box stay where they are.
std::vector<QPoint> DistributedCorners(const std::vector<QRect>& boxes, bool across);

// How far to move on one axis so that the nearest of `edges` to one of `lines` lies on it,
// when within `reach`; and the line it then lies on. Nothing near enough moves nothing.
struct Snap {
    long by = 0;
    std::optional<long> line;
};
Snap SnapOnAxis(std::initializer_list<long> edges, const std::vector<long>& lines, long reach);

// The grid's spacing: an eighth of an inch.
inline constexpr int kGridTwips = 180;

}  // namespace natalory
