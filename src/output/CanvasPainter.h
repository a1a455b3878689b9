#pragma once

#include "document/DisplayObjects.h"

#include <QRectF>

class QPainter;

namespace natalory {

// The box of an object on a device with `scale` device units per twip.
QRectF ObjectRect(const DisplayObject& object, double scale);

// The outline a shape draws in its box: squares and circles are the largest that
// fit, centred; the rounded shapes have rounded corners.
QRectF ShapeOutline(const DisplayObject& shape, const QRectF& box);

// Paints one visible object, as the canvas shows it.
void PaintObject(QPainter& painter, const DisplayObject& object, double scale);

// Paints every visible object of the document, bottom to top.
void PaintDocument(QPainter& painter, const CanvasDocument& doc, double scale);

}  // namespace natalory
