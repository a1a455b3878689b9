#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace natalory {

class VectorPicture;

// The longest side, in pixels, of a picture as it is kept for printing: a full page at 300 dots an inch.
inline constexpr int kLongestPictureSide = 4000;
// A bitmap that would decode to more pixels than this is refused: no photograph is
// that big, a decompression bomb is.
inline constexpr qint64 kMostPicturePixels = 120'000'000;
inline constexpr auto kPictureTooLarge = "the picture is too large to use (%1 x %2 pixels)";

// Reads a picture file of any format the machine can read (PNG, JPEG, GIF, BMP, ICO,
// SVG, TIFF, WebP, EMF, WMF), scaled down to kLongestPictureSide when it is bigger. A
// null image, with the reason in `error`, when it cannot. A drawing (SVG, EMF, WMF) is
// also given as vectors in `vector`, which devices draw instead of the bitmap; the
// bitmap's device-independent size is then the drawing's own.
QImage LoadPicture(const QString& path, QString* error = nullptr,
                   std::shared_ptr<const VectorPicture>* vector = nullptr);

// The file filter of the picture chooser, and whether a file's name is one it shows as a picture.
QString PictureFileFilter();
bool IsPictureFileName(const QString& path);

}  // namespace natalory
