#include "document/Pictures.h"

#include "document/Metafiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

#include <algorithm>

namespace natalory {

namespace {

// A drawing as a bitmap of its own size, at most kLongestPictureSide pixels on a side.
QImage DrawingBitmap(const VectorPicture& drawing) {
    const QSizeF size = drawing.size();
    const double ratio = std::min(1.0, kLongestPictureSide / std::max(size.width(), size.height()));
    QImage image = drawing.toImage((size * ratio).toSize());
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

QImage LoadPicture(const QString& path, QString* error, std::shared_ptr<const VectorPicture>* vector) {
    if (vector) vector->reset();
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("the file does not exist");
        return {};
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const bool metafile = DetectMetafile(file.read(64)) != MetafileKind::None;
        file.seek(0);
        const bool svg = !metafile && QImageReader(&file).format().startsWith("svg");
        if (metafile || svg) {
            file.seek(0);
            // Pictures on a page are small; a drawing of hundreds of megabytes is no picture.
            const QByteArray bytes = file.read(64 << 20);
            std::shared_ptr<const VectorPicture> drawing =
                metafile ? LoadMetafile(bytes, error) : VectorPicture::FromSvg(bytes, {}, error);
            if (!drawing) return {};
            if (vector) *vector = drawing;
            return DrawingBitmap(*drawing);
        }
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // An icon file holds several sizes: the largest is the best one to stretch.
    if (reader.format() == "ico") {
        int best = 0;
        QSize bestSize;
        for (int i = 0; i < reader.imageCount(); ++i) {
            reader.jumpToImage(i);
            if (reader.size().width() > bestSize.width()) {
                bestSize = reader.size();
                best = i;
            }
        }
        reader.jumpToImage(best);
    }
    // A print needs no more than this many pixels on a side; a bigger picture is read
    // scaled down. A bitmap is decoded whole first, so one that would decode to more
    // pixels than a photograph has is a decompression bomb, refused before it is decoded.
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > kLongestPictureSide) {
        if (qint64(size.width()) * size.height() > kMostPicturePixels) {
            if (error) *error = QString::fromLatin1(kPictureTooLarge).arg(size.width()).arg(size.height());
            return {};
        }
        reader.setScaledSize(size.scaled(kLongestPictureSide, kLongestPictureSide, Qt::KeepAspectRatio));
    }
    // Qt's own cap on a decoded image is below what an ordinary big photograph needs
    // before it is scaled; the pixel count above is the guard against bombs.
    QImageReader::setAllocationLimit(
        std::max(QImageReader::allocationLimit(), int(kMostPicturePixels * 8 / (1024 * 1024))));
    QImage image = reader.read();
    if (image.isNull() && error) *error = reader.errorString();
    return image;
}

namespace {

const QStringList kPictureSuffixes = {"png", "jpg", "jpeg", "gif",  "bmp", "ico",
                                      "svg", "tif", "tiff", "webp", "emf", "wmf"};

}  // namespace

QString PictureFileFilter() {
    return QStringLiteral("Pictures (*.") + kPictureSuffixes.join(QStringLiteral(" *.")) +
           QStringLiteral(
               ");;GIF (*.gif);;JPEG (*.jpg *.jpeg);;Bitmap (*.bmp);;Enhanced Metafile (*.emf);;"
               "Metafile (*.wmf);;All Files (*)");
}

bool IsPictureFileName(const QString& path) {
    return kPictureSuffixes.contains(QFileInfo(path).suffix().toLower());
}

}  // namespace natalory
