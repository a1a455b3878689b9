#include "output/PrintEngine.h"

#include "document/Metafiles.h"
#include "output/TextBlockMemo.h"
#include "foundation/FileIO.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace natalory {

QPaintDevice* TwipDevice() {
    static QImage device = [] {
        QImage image(4, 4, QImage::Format_RGB32);
        image.setDotsPerMeterX(56693);  // 1440 dpi
        image.setDotsPerMeterY(56693);
        return image;
    }();
    return &device;
}

PrintEngine::PrintEngine() = default;
PrintEngine::~PrintEngine() = default;

void PrintEngine::StartDoc() {
    items_.clear();
    finished_ = false;
}

void PrintEngine::EndDoc() {
    finished_ = true;
}

QPen PrintEngine::pen() const {
    // Widths are points of paper: 20 twips each.
    QPen p(Qt::black, std::max(1.0, LineWidth) * 20, LineStyle, Qt::FlatCap, Qt::MiterJoin);
    return p;
}

void PrintEngine::Paragraph(const QString& text) {
    QFont font(fontName_);
    font.setPointSizeF(FontSize > 0 ? FontSize : 1);
    font.setBold(FontBold);
    font.setItalic(FontItalic);
    font.setUnderline(FontUnderline);
    font.setStrikeOut(FontStrikeout);
    font.setHintingPreference(QFont::PreferNoHinting);
    const int align = ObjectAlign == 1   ? TextBlock::Center
                      : ObjectAlign == 2 ? TextBlock::Right
                                         : TextBlock::Left;
    auto block =
        memo_ ? memo_->get(text, font, ObjectWidth, align, Justification == 3)
              : std::make_shared<TextBlock>(text, font, ObjectWidth, align, Justification == 3, TwipDevice());
    items_.push_back(
        TextItem{QRectF(CurrentX, CurrentY, ObjectWidth, ObjectHeight), std::move(block), ForeColor});
    Justification = 0;
}

void PrintEngine::Picture(const QImage& image, std::shared_ptr<const VectorPicture> vector) {
    items_.push_back(
        ImageItem{QRectF(CurrentX, CurrentY, ObjectWidth, ObjectHeight), image, std::move(vector)});
}

void PrintEngine::DrawLine2(double x1, double y1, double x2, double y2) {
    items_.push_back(ShapeItem{Outline::Line, QRectF(QPointF(x1, y1), QPointF(x2, y2)), pen()});
}

void PrintEngine::DrawRectangle2(double x, double y, double w, double h) {
    items_.push_back(ShapeItem{Outline::Rectangle, QRectF(x, y, w, h), pen()});
}

void PrintEngine::DrawEllipse2(double x, double y, double w, double h) {
    items_.push_back(ShapeItem{Outline::Ellipse, QRectF(x, y, w, h), pen()});
}

void PrintEngine::DrawRoundRectangle2(double x, double y, double w, double h, double radius) {
    items_.push_back(ShapeItem{Outline::RoundedRectangle, QRectF(x, y, w, h), pen(), radius});
}

QSizeF PrintEngine::pageSizeTwips() const {
    return Orientation == 1 ? QSizeF(PageHeight, PageWidth) : QSizeF(PageWidth, PageHeight);
}

QPointF PrintEngine::printableOrigin() const {
    // The margins are named after the edges of the upright sheet, and landscape turns the sheet
    // a quarter turn anticlockwise: its top margin comes to the left and its right margin to
    // the top, which is why a landscape canvas is the paper's length less top and bottom wide.
    return Orientation == 1 ? QPointF(MarginTop, MarginRight) : QPointF(MarginLeft, MarginTop);
}

void PrintEngine::replay(QPainter& p, double scale) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // A PDF (the export, a batch, a PDF printer) would otherwise store every picture as a
    // JPEG: ringing around a logo's edges and a photograph compressed a second time.
    p.setRenderHint(QPainter::LosslessImageRendering);
    p.scale(scale, scale);
    // Nothing is drawn beyond the paper, whatever the device would show there.
    p.setClipRect(QRectF(QPointF(0, 0), pageSizeTwips()), Qt::IntersectClip);
    p.translate(printableOrigin());
    for (const Item& item : items_) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            p.save();
            p.setClipRect(t->box, Qt::IntersectClip);
            t->block->draw(p, t->box.topLeft(), t->color);
            p.restore();
        } else if (const auto* i = std::get_if<ImageItem>(&item)) {
            if (i->vector)
                i->vector->draw(p, i->box);
            else if (!i->image.isNull())
                p.drawImage(i->box, i->image);
        } else if (const auto* s = std::get_if<ShapeItem>(&item)) {
            p.setPen(s->pen);
            p.setBrush(Qt::NoBrush);
            const qreal half = s->pen.widthF() / 2;
            const QRectF inner = s->box.adjusted(half, half, -half, -half);
            switch (s->outline) {
                case Outline::Line:
                    p.drawLine(s->box.topLeft(), s->box.bottomRight());
                    break;
                case Outline::Rectangle:
                    p.drawRect(inner);
                    break;
                case Outline::Ellipse:
                    p.drawEllipse(inner);
                    break;
                case Outline::RoundedRectangle:
                    p.drawRoundedRect(inner, s->radius, s->radius);
                    break;
            }
        }
    }
    p.restore();
}

bool PrintEngine::WritePdf(const QString& path, QString* error) const {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        const QSizeF page = pageSizeTwips();
        pdf.setPageSize(QPageSize(QSizeF(page.width() / 20, page.height() / 20), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(1440);
        pdf.setTitle(docName_);
        pdf.setCreator(QStringLiteral("Natalory"));
        QPainter painter(&pdf);
        replay(painter, 1.0);
    }
    return WriteFileAtomically(path, bytes, error);
}

QImage PrintEngine::RenderImage(double dpi) const {
    const QSizeF page = pageSizeTwips();
    QImage image(int(page.width() * dpi / 1440 + 0.5), int(page.height() * dpi / 1440 + 0.5),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    replay(painter, dpi / 1440);
    return image;
}

}  // namespace natalory
