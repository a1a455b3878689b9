#include "output/SvgWriter.h"

#include "foundation/FileIO.h"

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
        // User units are twips, and the generator is told so: it turns font sizes into user
        // units at its own resolution, so any other resolution would write the text at the
        // wrong size. The width and height it writes then come out in true millimetres.
        svg.setResolution(1440);
        svg.setSize(page.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), page));
        svg.setTitle(engine.docName());
        QPainter painter(&svg);
        engine.replay(painter, 1.0);
    }
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace natalory
