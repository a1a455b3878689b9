#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QRectF>

#include <variant>
#include <vector>

namespace natalory {

class VectorPicture;

// A drawing reduced to what any vector format can hold: filled outlines of one colour
// each (strokes and text turned into outlines too) and bitmaps, in the target's units.
struct FilledOutline {
    QList<QPolygonF> polygons;
    QColor color;
    Qt::FillRule rule = Qt::OddEvenFill;
};
struct PlacedBitmap {
    QRectF target;
    QImage image;
};
using OutlinePart = std::variant<FilledOutline, PlacedBitmap>;

// `drawing` drawn into `target` (units of 1/1440 inch), as outlines and bitmaps.
std::vector<OutlinePart> DrawingOutlines(const VectorPicture& drawing, const QRectF& target);

}  // namespace natalory
