#include "document/Pictures.h"

#include "document/Metafiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace natalory {

QImage LoadPicture(const QString& path, QString* error) {
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("the file does not exist");
        return {};
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray head = file.read(64);
        if (DetectMetafile(head) != MetafileKind::None) {
            file.seek(0);
            // Pictures on a page are small; a metafile of hundreds of megabytes is no picture.
            const QByteArray bytes = file.read(64 << 20);
            return RenderMetafile(bytes, error);
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
    QImage image = reader.read();
    if (image.isNull() && error) *error = reader.errorString();
    return image;
}

QString PictureFileFilter() {
    return QStringLiteral(
        "Pictures (*.png *.jpg *.jpeg *.gif *.bmp *.ico *.svg *.tif *.tiff *.webp *.emf *.wmf);;"
        "GIF (*.gif);;JPEG (*.jpg *.jpeg);;Bitmap (*.bmp);;Enhanced Metafile (*.emf);;Metafile (*.wmf);;"
        "All Files (*)");
}

}  // namespace natalory
