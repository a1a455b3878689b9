#pragma once

#include "output/TextLayout.h"

#include <QColor>
#include <QImage>
#include <QPen>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <variant>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace natalory {

class TextBlockMemo;
class VectorPicture;

// The page engine every print, preview and export goes through. Callers set the
// page up, then send one object at a time in twips relative to the printable
// area; the engine lays each paragraph out once and records the page, and every
// device replays the same recording, so text breaks the same way everywhere.
class PrintEngine {
  public:
    PrintEngine();
    ~PrintEngine();

    // Page set-up (before StartDoc).
    int MarginLeft = 0, MarginRight = 0, MarginTop = 0, MarginBottom = 0;
    int ObjectMarginHorz = 0, ObjectMarginVert = 0;
    int BackgroundMode = 1;
    int LineSpacing = 100;
    int PageSize = 14;
    int PageWidth = 12240, PageHeight = 15840;
    int Orientation = 0;  // 0 portrait, 1 landscape

    // The next object's box and text attributes.
    double CurrentX = 0, CurrentY = 0, ObjectWidth = 0, ObjectHeight = 0;
    int ObjectAlign = 0;    // 0 left, 1 centre, 2 right
    int Justification = 0;  // 3: the next paragraph is fully justified
    bool FontBold = false, FontItalic = false, FontUnderline = false, FontStrikeout = false;
    QColor ForeColor = Qt::black;
    double FontSize = 12;
    // Pen of the next line or outline: width in points, style as a Qt pen style.
    double LineWidth = 1;
    Qt::PenStyle LineStyle = Qt::SolidLine;

    void SetCustomFontName(const QString& name) { fontName_ = name; }
    // Paragraphs laid out before are taken from `memo` (it outlives the engine's pages).
    void setLayoutMemo(TextBlockMemo* memo) { memo_ = memo; }

    void StartDoc();
    void SetDocName(const QString& name) { docName_ = name; }
    const QString& docName() const { return docName_; }
    void Paragraph(const QString& text);
    // A drawing's `vector` is drawn instead of the bitmap where there is one.
    void Picture(const QImage& image, std::shared_ptr<const VectorPicture> vector = nullptr);
    void DrawLine2(double x1, double y1, double x2, double y2);
    void DrawRectangle2(double x, double y, double width, double height);
    void DrawEllipse2(double x, double y, double width, double height);
    void DrawRoundRectangle2(double x, double y, double width, double height, double radius);
    void EndDoc();
    bool finished() const { return finished_; }

    // The page in points of paper, turned for landscape.
    QSizeF pageSizeTwips() const;
    // Where the printable area's top-left corner lies on the page (twips), turned for landscape.
    QPointF printableOrigin() const;
    // Replays the recorded page; `scale` device units per twip, the page's top-left at the painter's origin.
    void replay(QPainter& painter, double scale) const;
    // Writes the page as a one-page PDF (whole or not at all).
    bool WritePdf(const QString& path, QString* error = nullptr) const;
    // The page as an image at `dpi`.
    QImage RenderImage(double dpi) const;

    struct TextItem {
        QRectF box;
        std::shared_ptr<TextBlock> block;
        QColor color;
    };
    struct ImageItem {
        QRectF box;
        QImage image;
        std::shared_ptr<const VectorPicture> vector;
    };
    enum class Outline { Line, Rectangle, Ellipse, RoundedRectangle };
    struct ShapeItem {
        Outline outline;
        QRectF box;  // for a line: from top-left to bottom-right as given
        QPen pen;
        double radius = 0;
    };
    using Item = std::variant<TextItem, ImageItem, ShapeItem>;
    const std::vector<Item>& items() const { return items_; }

  private:
    QPen pen() const;
    QString fontName_ = QStringLiteral("Times New Roman");
    QString docName_;
    std::vector<Item> items_;
    bool finished_ = false;
    TextBlockMemo* memo_ = nullptr;
};

// The reference device the engine lays text out on: one pixel a twip.
QPaintDevice* TwipDevice();

}  // namespace natalory
