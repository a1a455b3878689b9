#pragma once

#include "document/DisplayObjects.h"

#include "output/TextLayout.h"

#include <QRectF>

#include <memory>

class QPainter;

namespace natalory {

// The box of an object on a device with `scale` device units per twip.
QRectF ObjectRect(const DisplayObject& object, double scale);

// The outline a shape draws in its box: squares and circles are the largest that
// fit, centred; the rounded shapes have rounded corners.
QRectF ShapeOutline(const DisplayObject& shape, const QRectF& box);

// The text of a text object laid out exactly as the print lays it out: in twips, on
// the print engine's reference device, justified where the print justifies it.
std::shared_ptr<TextBlock> LayoutObjectText(const DisplayObject& label, bool fullJustifyNews);

// Paints one visible object, as the canvas shows it. Text is drawn from the print's
// own layout, scaled, so every line breaks on screen where it breaks on paper.
void PaintObject(QPainter& painter, const DisplayObject& object, double scale, bool fullJustifyNews = false);

// Paints every visible object of the document, bottom to top.
void PaintDocument(QPainter& painter, const CanvasDocument& doc, double scale, bool fullJustifyNews = false);

}  // namespace natalory
