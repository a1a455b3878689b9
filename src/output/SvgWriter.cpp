#include "output/SvgWriter.h"

#include "shell/FileIO.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace natalory {

bool WriteSvg(const PrintEngine& engine, const QString& path, QString* error) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        const QSizeF page = engine.pageSizeTwips();
        // 96 user units an inch, as browsers measure.
        svg.setResolution(96);
        svg.setSize(QSize(int(page.width() / 15 + 0.5), int(page.height() / 15 + 0.5)));
        svg.setViewBox(QRectF(0, 0, page.width() / 15, page.height() / 15));
        svg.setTitle(engine.docName());
        QPainter painter(&svg);
        engine.replay(painter, 1.0 / 15);
    }
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace natalory
