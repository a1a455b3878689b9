#include "output/EmfWriter.h"

#include "output/DrawingOutlines.h"
#include "foundation/FileIO.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

extern "C" {
#include <uemf.h>
}

namespace natalory {
namespace {

int32_t Twip(double v) {
    return int32_t(std::lround(v));
}

// Owns libUEMF's document while it is written.
class Metafile {
  public:
    ~Metafile() {
        if (et_) emf_free(&et_);
        if (eht_) emf_htable_free(&eht_);
    }
    // The records are built in memory; libUEMF's own file is the null device, and the
    // caller writes the finished bytes where they belong.
    bool start() {
        return emf_start("/dev/null", 1 << 20, 1 << 18, &et_) == 0 && emf_htable_create(128, 128, &eht_) == 0;
    }
    bool add(char* record) {
        return record && emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et_, 1) == 0;
    }
    bool finish() { return add(U_EMREOF_set(0, nullptr, et_)) && emf_finish(et_, eht_) == 0; }
    QByteArray bytes() const { return QByteArray(et_->buf, qsizetype(et_->used)); }
    EMFHANDLES* handles() { return eht_; }

  private:
    EMFTRACK* et_ = nullptr;
    EMFHANDLES* eht_ = nullptr;
};

U_RECTL Rect(const QRectF& r) {
    return rectl_set(point32_set(Twip(r.left()), Twip(r.top())),
                     point32_set(Twip(r.right()), Twip(r.bottom())));
}

bool Text(Metafile& emf, const PrintEngine::TextItem& t, QPointF origin) {
    const QFont& font = t.block->font();
    std::vector<uint16_t> face(32, 0);
    const QString family = font.family().left(31);
    for (int i = 0; i < family.size(); ++i) face[size_t(i)] = family[i].unicode();
    U_LOGFONT lf = logfont_set(-Twip(font.pointSizeF() * 20), 0, 0, 0, font.bold() ? U_FW_BOLD : U_FW_NORMAL,
                               font.italic(), font.underline(), font.strikeOut(), U_DEFAULT_CHARSET,
                               U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                               U_DEFAULT_PITCH | U_FF_DONTCARE, face.data());
    uint32_t fontHandle = 0;
    if (!emf.add(extcreatefontindirectw_set(&fontHandle, emf.handles(), reinterpret_cast<const char*>(&lf),
                                            nullptr)) ||
        !emf.add(selectobject_set(fontHandle, emf.handles())) ||
        !emf.add(U_EMRSETTEXTCOLOR_set(
            U_RGB(uint8_t(t.color.red()), uint8_t(t.color.green()), uint8_t(t.color.blue())))))
        return false;
    // Clipped to the box as the page is, so a title too long for its box never runs into the next object.
    const QRectF box = t.box.translated(origin);
    if (!emf.add(U_EMRSAVEDC_set()) || !emf.add(U_EMRINTERSECTCLIPRECT_set(Rect(box)))) return false;
    for (const TextBlock::Line& line : t.block->lines()) {
        if (line.text.trimmed().isEmpty() || line.rect.top() >= t.box.height()) continue;
        // Each character where the layout put it: one rounding of the running position, so
        // the advances add up to the laid-out line without drifting.
        const int n = int(line.text.size());
        std::vector<uint16_t> utf16(static_cast<size_t>(n));
        std::vector<uint32_t> dx(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            utf16[size_t(i)] = line.text[i].unicode();
            dx[size_t(i)] = uint32_t(std::max<int32_t>(
                0, Twip(box.left() + line.edges[size_t(i) + 1]) - Twip(box.left() + line.edges[size_t(i)])));
        }
        const QPointF at(box.left() + line.edges.front(), box.top() + line.baseline);
        const U_RECTL none = rectl_set(point32_set(0, 0), point32_set(-1, -1));
        char* emrtext = emrtext_set(point32_set(Twip(at.x()), Twip(at.y())), uint32_t(utf16.size()), 2,
                                    utf16.data(), U_ETO_NONE, none, dx.data());
        if (!emrtext) return false;
        const QRectF bounds(box.left() + line.edges.front(), box.top() + line.rect.top(),
                            line.edges.back() - line.edges.front(), line.rect.height());
        const bool ok = emf.add(U_EMREXTTEXTOUTW_set(Rect(bounds), U_GM_COMPATIBLE, 1.0f, 1.0f,
                                                     reinterpret_cast<PU_EMRTEXT>(emrtext)));
        std::free(emrtext);
        if (!ok) return false;
    }
    if (!emf.add(U_EMRRESTOREDC_set(-1))) return false;
    return emf.add(deleteobject_set(&fontHandle, emf.handles()));
}

bool Shape(Metafile& emf, const PrintEngine::ShapeItem& s, QPointF origin) {
    uint32_t style = U_PS_SOLID;
    if (s.pen.style() == Qt::DashLine)
        style = U_PS_DASH;
    else if (s.pen.style() == Qt::DotLine)
        style = U_PS_DOT;
    uint32_t pen = 0;
    bool created = false;
    if (style == U_PS_SOLID) {
        // A geometric pen keeps its width; the format allows it only for solid lines.
        PU_EXTLOGPEN elp =
            extlogpen_set(U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_FLAT, uint32_t(Twip(s.pen.widthF())),
                          U_BS_SOLID, U_RGB(0, 0, 0), 0, 0, nullptr);
        created = elp && emf.add(extcreatepen_set(&pen, emf.handles(), nullptr, 0, nullptr, elp));
        std::free(elp);
    } else {
        created = emf.add(createpen_set(
            &pen, emf.handles(), logpen_set(style, point32_set(Twip(s.pen.widthF()), 0), U_RGB(0, 0, 0))));
    }
    if (!created || !emf.add(selectobject_set(pen, emf.handles())) ||
        !emf.add(selectobject_set(U_NULL_BRUSH, emf.handles())))
        return false;
    const QRectF box = s.box.translated(origin);
    // The pen runs inside the box, as on every other device.
    const qreal half = s.pen.widthF() / 2;
    const QRectF inner = box.adjusted(half, half, -half, -half);
    bool ok = true;
    switch (s.outline) {
        case PrintEngine::Outline::Line:
            ok = emf.add(U_EMRMOVETOEX_set(point32_set(Twip(box.left()), Twip(box.top())))) &&
                 emf.add(U_EMRLINETO_set(point32_set(Twip(box.right()), Twip(box.bottom()))));
            break;
        case PrintEngine::Outline::Rectangle:
            ok = emf.add(U_EMRRECTANGLE_set(Rect(inner)));
            break;
        case PrintEngine::Outline::Ellipse:
            ok = emf.add(U_EMRELLIPSE_set(Rect(inner)));
            break;
        case PrintEngine::Outline::RoundedRectangle:
            ok = emf.add(U_EMRROUNDRECT_set(Rect(inner), sizel_set(Twip(2 * s.radius), Twip(2 * s.radius))));
            break;
    }
    return ok && emf.add(deleteobject_set(&pen, emf.handles()));
}

bool Bitmap(Metafile& emf, const QImage& image, const QRectF& box) {
    if (image.isNull()) return true;
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    char* px = nullptr;
    uint32_t cbPx = 0;
    PU_RGBQUAD ct = nullptr;
    int numCt = 0;
    if (RGBA_to_DIB(&px, &cbPx, &ct, &numCt, reinterpret_cast<const char*>(rgba.constBits()), rgba.width(),
                    rgba.height(), int(rgba.bytesPerLine()), U_BCBM_COLOR32, U_CT_NO,
                    U_ROW_ORDER_INVERT) != 0)
        return false;
    const U_BITMAPINFOHEADER header =
        bitmapinfoheader_set(rgba.width(), rgba.height(), 1, U_BCBM_COLOR32, U_BI_RGB, cbPx, 0, 0, 0, 0);
    PU_BITMAPINFO bmi = bitmapinfo_set(header, nullptr);
    const bool ok = emf.add(U_EMRSTRETCHDIBITS_set(
        Rect(box), point32_set(Twip(box.left()), Twip(box.top())),
        point32_set(Twip(box.width()), Twip(box.height())), point32_set(0, 0),
        point32_set(rgba.width(), rgba.height()), U_DIB_RGB_COLORS, U_SRCCOPY, bmi, cbPx, px));
    std::free(bmi);
    std::free(px);
    return ok;
}

bool Outline(Metafile& emf, const FilledOutline& outline) {
    std::vector<U_POINTL> points;
    std::vector<uint32_t> counts;
    for (const QPolygonF& polygon : outline.polygons) {
        for (const QPointF& p : polygon) points.push_back(point32_set(Twip(p.x()), Twip(p.y())));
        counts.push_back(uint32_t(polygon.size()));
    }
    if (points.empty()) return true;
    const QColor c = outline.color;
    uint32_t brush = 0;
    U_RECTL bounds = Rect(outline.polygons.first().boundingRect());
    for (const QPolygonF& polygon : outline.polygons) {
        const U_RECTL r = Rect(polygon.boundingRect());
        bounds = rectl_set(point32_set(std::min(bounds.left, r.left), std::min(bounds.top, r.top)),
                           point32_set(std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)));
    }
    return emf.add(createbrushindirect_set(
               &brush, emf.handles(),
               logbrush_set(U_BS_SOLID, U_RGB(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())),
                            0))) &&
           emf.add(selectobject_set(brush, emf.handles())) &&
           emf.add(U_EMRSETPOLYFILLMODE_set(outline.rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE)) &&
           emf.add(U_EMRPOLYPOLYGON_set(bounds, uint32_t(counts.size()), counts.data(),
                                        uint32_t(points.size()), points.data())) &&
           emf.add(deleteobject_set(&brush, emf.handles()));
}

// A drawing goes in as its outlines, so it stays sharp at any size; a bitmap as a bitmap.
bool Picture(Metafile& emf, const PrintEngine::ImageItem& item, QPointF origin) {
    const QRectF box = item.box.translated(origin);
    if (!item.vector) return Bitmap(emf, item.image, box);
    bool ok = emf.add(U_EMRSAVEDC_set()) && emf.add(U_EMRINTERSECTCLIPRECT_set(Rect(box))) &&
              emf.add(selectobject_set(U_NULL_PEN, emf.handles()));
    for (const OutlinePart& part : DrawingOutlines(*item.vector, box)) {
        if (!ok) break;
        if (const auto* o = std::get_if<FilledOutline>(&part))
            ok = Outline(emf, *o);
        else if (const auto* b = std::get_if<PlacedBitmap>(&part))
            ok = Bitmap(emf, b->image, b->target);
    }
    return ok && emf.add(U_EMRRESTOREDC_set(-1));
}

}  // namespace

bool WriteEmf(const PrintEngine& engine, const QString& path, QString* error) {
    const QSizeF page = engine.pageSizeTwips();
    const int32_t w = Twip(page.width()), h = Twip(page.height());
    // The frame is in hundredths of a millimetre and the size in millimetres: worked out
    // in 64 bits, since a big sheet in twips times 2540 no longer fits in 32.
    const auto scaled = [](int32_t twips, qint64 times, qint64 over) {
        return int32_t(twips * times / over);
    };
    Metafile emf;
    bool ok = emf.start();
    if (ok) {
        const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(w - 1, h - 1));
        const U_RECTL frame =
            rectl_set(point32_set(0, 0), point32_set(scaled(w, 2540, 1440), scaled(h, 2540, 1440)));
        ok = emf.add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(w, h),
                                     sizel_set(scaled(w, 254, 14400), scaled(h, 254, 14400)), 0)) &&
             emf.add(U_EMRSETMAPMODE_set(U_MM_TEXT)) && emf.add(U_EMRSETBKMODE_set(U_TRANSPARENT)) &&
             emf.add(U_EMRSETTEXTALIGN_set(U_TA_BASELINE));
        const QPointF origin = engine.printableOrigin();
        for (const PrintEngine::Item& item : engine.items()) {
            if (!ok) break;
            if (const auto* t = std::get_if<PrintEngine::TextItem>(&item))
                ok = Text(emf, *t, origin);
            else if (const auto* s = std::get_if<PrintEngine::ShapeItem>(&item))
                ok = Shape(emf, *s, origin);
            else if (const auto* i = std::get_if<PrintEngine::ImageItem>(&item))
                ok = Picture(emf, *i, origin);
        }
        ok = ok && emf.finish();
    }
    if (!ok) {
        if (error) *error = QStringLiteral("the metafile could not be made");
        return false;
    }
    // Written as every other export is: whole, or the old file kept.
    return WriteFileAtomically(path, emf.bytes(), error);
}

}  // namespace natalory
