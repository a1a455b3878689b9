#include "output/DrawingOutlines.h"

#include "document/Metafiles.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextItem>

#include <climits>
#include <cmath>
#include <utility>

namespace natalory {
namespace {

// A paint engine that keeps what is painted as outlines instead of pixels.
class OutlineEngine : public QPaintEngine {
  public:
    explicit OutlineEngine(std::vector<OutlinePart>& parts) : QPaintEngine(AllFeatures), parts_(parts) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) transform_ = state.transform();
    }

    void drawPath(const QPainterPath& path) override {
        if (brush_.style() != Qt::NoBrush) fill(path, BrushColor(brush_));
        if (pen_.style() != Qt::NoPen) {
            QPainterPathStroker stroker(pen_);
            // A cosmetic pen is a pixel of the screen wide: 15 twips.
            if ((pen_.isCosmetic() || pen_.widthF() == 0) && Scale() > 0) stroker.setWidth(15 / Scale());
            QPainterPath outline = stroker.createStroke(path);
            outline.setFillRule(Qt::WindingFill);
            fill(outline, BrushColor(pen_.brush()));
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode) {
            const QBrush brush = std::exchange(brush_, QBrush());
            drawPath(path);
            brush_ = brush;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        drawPath(path);
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        QPainterPath path;
        path.addText(at, item.font(), item.text());
        path.setFillRule(Qt::WindingFill);
        fill(path, BrushColor(pen_.brush()));
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        parts_.push_back(PlacedBitmap{transform_.mapRect(target), image.copy(source.toAlignedRect())});
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

  private:
    static QColor BrushColor(const QBrush& brush) {
        // Gradients and patterns become their main colour: no format kept here has them.
        if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
            return g->stops().first().second;
        return brush.color();
    }
    double Scale() const { return std::sqrt(std::abs(transform_.determinant())); }
    void fill(const QPainterPath& path, const QColor& color) {
        if (color.alpha() == 0 || path.isEmpty()) return;
        QList<QPolygonF> polygons = path.toFillPolygons(transform_);
        if (!polygons.isEmpty()) parts_.push_back(FilledOutline{std::move(polygons), color, path.fillRule()});
    }

    std::vector<OutlinePart>& parts_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

// A surface in twips that hands what is drawn on it to an OutlineEngine.
class OutlineDevice : public QPaintDevice {
  public:
    OutlineDevice(std::vector<OutlinePart>& parts, QSizeF size) : engine_(parts), size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth:
                return int(std::ceil(size_.width()));
            case PdmHeight:
                return int(std::ceil(size_.height()));
            case PdmWidthMM:
                return int(size_.width() * 25.4 / 1440);
            case PdmHeightMM:
                return int(size_.height() * 25.4 / 1440);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 1440;
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return INT_MAX;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return int(devicePixelRatioFScale());
        }
        return 0;
    }

  private:
    mutable OutlineEngine engine_;
    QSizeF size_;
};

}  // namespace

std::vector<OutlinePart> DrawingOutlines(const VectorPicture& drawing, const QRectF& target) {
    std::vector<OutlinePart> parts;
    OutlineDevice device(parts, QSizeF(target.right(), target.bottom()));
    QPainter painter(&device);
    drawing.draw(painter, target);
    return parts;
}

}  // namespace natalory
