#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <QSizeF>

#include <memory>
#include <optional>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace natalory {

// Windows metafiles, as a picture file may hold them: an Enhanced Metafile (EMF) or
// an old-style Windows Metafile (WMF, with or without its placeable header).
enum class MetafileKind { None, Emf, Wmf };
MetafileKind DetectMetafile(const QByteArray& bytes);

// The metafile as an SVG document, converted in this process by the libraries; nothing,
// with the reason in `error`, when it is damaged. Its framing is checked before any
// library sees it. What the confined converter runs.
std::optional<QByteArray> MetafileToSvg(const QByteArray& bytes, QString* error = nullptr);
// Loads the libraries MetafileToSvg loads on first use.
void LoadMetafileLibraries();

// Where LoadMetafile converts: in the confined converter process natalory-metafile (beside
// the executable, or `helper`), or in this process (for the fuzzers, which must see the
// libraries' code). Confined unless set otherwise.
enum class MetafileConversion { Confined, InProcess };
void SetMetafileConversion(MetafileConversion conversion, const QString& helper = {});

// How long the converter may take for one picture.
inline constexpr int kMetafileConversionMilliseconds = 20000;

// The most bytes of SVG a drawing may hold, a compressed one once inflated: a picture
// on a page is far smaller, and the SVG reader keeps several times as much in memory.
inline constexpr qint64 kMostDrawingBytes = 32 * 1024 * 1024;

// A drawing kept as vectors (a metafile converted to SVG, or an SVG file): every device
// draws it at its own resolution, so it is as sharp on paper as on the screen. Parsed
// once and shared by every copy of the picture; drawn on the window's thread only.
class VectorPicture {
  public:
    // Nothing, with the reason in `error`, when the SVG cannot be drawn, has no size or is
    // too large. A compressed SVG (.svgz) is inflated here, never beyond kMostDrawingBytes.
    // `size` is the picture's own size in pixels of a 96-dpi screen; empty means the SVG's own.
    static std::shared_ptr<const VectorPicture> FromSvg(const QByteArray& svg, QSizeF size = {},
                                                        QString* error = nullptr);
    ~VectorPicture();

    QSizeF size() const { return size_; }
    // Draws the whole drawing into `target`, clipped to it.
    void draw(QPainter& painter, const QRectF& target) const;
    // The drawing as a bitmap of `pixels`, for devices that only take bitmaps.
    QImage toImage(QSize pixels) const;

  private:
    VectorPicture() = default;
    std::unique_ptr<QSvgRenderer> renderer_;
    QSizeF size_;
};

// The metafile as a drawing; nothing, with the reason in `error`, when it is damaged or
// the converter failed on it (crashed, ran out of time or memory).
std::shared_ptr<const VectorPicture> LoadMetafile(const QByteArray& bytes, QString* error = nullptr);

}  // namespace natalory
