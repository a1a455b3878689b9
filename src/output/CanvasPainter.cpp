#include "output/CanvasPainter.h"

#include "document/Metafiles.h"
#include "output/PrintEngine.h"
#include "output/Render.h"
#include "output/TextLayout.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace natalory {

QRectF ObjectRect(const DisplayObject& o, double scale) {
    return QRectF(o.Left * scale, o.Top * scale, o.Width * scale, o.Height * scale);
}

QRectF ShapeOutline(const DisplayObject& shape, const QRectF& box) {
    if (shape.Shape == shSquare || shape.Shape == shCircle || shape.Shape == shRoundedSquare) {
        const qreal side = std::min(box.width(), box.height());
        return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    return box;
}

namespace {

void DrawFrame(QPainter& p, const QRectF& box) {
    p.save();
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.restore();
}

}  // namespace

std::shared_ptr<TextBlock> LayoutObjectText(const DisplayObject& o, bool fullJustifyNews) {
    return std::make_shared<TextBlock>(o.Caption, ObjectFont(o), o.Width, o.Alignment,
                                       fullJustifyNews && IsJustifiedNews(o.Tag), TwipDevice());
}

void PaintObject(QPainter& p, const DisplayObject& o, double scale, bool fullJustifyNews) {
    if (!o.Visible) return;
    const QRectF box = ObjectRect(o, scale);
    switch (o.kind) {
        case ObjectKind::Text: {
            const auto block = LayoutObjectText(o, fullJustifyNews);
            p.save();
            p.scale(scale, scale);
            p.setClipRect(QRectF(o.Left, o.Top, o.Width, o.Height), Qt::IntersectClip);
            block->draw(p, QPointF(o.Left, o.Top), QColor::fromRgb(o.ForeColor));
            p.restore();
            if (o.BorderStyle == 1) DrawFrame(p, box);
            break;
        }
        case ObjectKind::Picture:
            if (!o.Picture.isNull()) {
                // Unstretched, a picture keeps its own size: 15 twips a pixel of a 96-dpi screen.
                const QRectF target =
                    o.Stretch ? box : QRectF(box.topLeft(), o.Picture.deviceIndependentSize() * 15 * scale);
                if (o.PictureVector)
                    o.PictureVector->draw(p, target);
                else
                    p.drawImage(target, o.Picture);
            }
            if (o.BorderStyle == 1) DrawFrame(p, box);
            break;
        case ObjectKind::Shape: {
            const QRectF outline = ShapeOutline(o, box);
            const qreal width = std::max(1, o.BorderWidth);
            p.save();
            p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            // The pen stays inside the box, as the shape's border does.
            const QRectF inner = outline.adjusted(width / 2, width / 2, -width / 2, -width / 2);
            switch (o.Shape) {
                case shOval:
                case shCircle:
                    p.drawEllipse(inner);
                    break;
                case shRoundedRectangle:
                case shRoundedSquare: {
                    // A small shape rounds by a sixth of its side; a large one no more than a fifth of an
                    // inch.
                    const qreal r = std::min(std::min(inner.width(), inner.height()) / 6, 288 * scale);
                    p.drawRoundedRect(inner, r, r);
                    break;
                }
                default:
                    p.drawRect(inner);
                    break;
            }
            p.restore();
            break;
        }
        case ObjectKind::Line: {
            Qt::PenStyle style = Qt::SolidLine;
            if (o.BorderStyle == lsDash)
                style = Qt::DashLine;
            else if (o.BorderStyle == lsDot)
                style = Qt::DotLine;
            p.save();
            p.setPen(QPen(Qt::black, std::max(1, o.BorderWidth), style, Qt::FlatCap));
            p.drawLine(QPointF(o.X1 * scale, o.Y1 * scale), QPointF(o.X2 * scale, o.Y2 * scale));
            p.restore();
            break;
        }
    }
}

void PaintDocument(QPainter& painter, const CanvasDocument& doc, double scale, bool fullJustifyNews) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const DisplayObject* o : doc.stacking()) PaintObject(painter, *o, scale, fullJustifyNews);
}

}  // namespace natalory
