#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QTextLayout>

#include <limits>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace natalory {

struct DisplayObject;

// The font of a text object, as every device draws it.
QFont ObjectFont(const DisplayObject& object);

// A text laid out once in a box of a given width: wrapped at words (a word wider
// than the box is broken), each CR LF a new paragraph, aligned left, right or
// centre, or fully justified. The canvas, the print and the fit test all use it,
// so the text breaks in the same places everywhere.
class TextBlock {
  public:
    enum Align { Left = 0, Right = 1, Center = 2 };

    // With `stopBelow`, the layout ends at the first line that breaks a word or reaches
    // below that height: enough to tell that the text does not fit, and no more.
    TextBlock(const QString& text, const QFont& font, qreal width, int alignment, bool justify,
              QPaintDevice* device, qreal stopBelow = std::numeric_limits<qreal>::infinity());
    ~TextBlock();
    TextBlock(TextBlock&&) noexcept;

    qreal height() const { return height_; }
    const QFont& font() const { return font_; }
    int lineCount() const;
    // False when a word had to be broken because it is wider than the box.
    bool wordsFit() const { return wordsFit_; }
    // Positions, relative to the box, of every laid-out line (for exporters that write line by line).
    struct Line {
        QString text;
        QRectF rect;
        qreal baseline = 0;
        // Where each character starts, and where the last one ends, as laid out: a
        // justified line's spaces come out wider here, as on every other device.
        std::vector<qreal> edges;
    };
    std::vector<Line> lines() const;

    void draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const;

  private:
    std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    std::vector<qreal> tops_;
    qreal height_ = 0;
    bool wordsFit_ = true;
    QFont font_;
};

}  // namespace natalory
