#pragma once

#include "support/PdfProbe.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdlib>
#include <optional>

// Exports drawn back into pictures, so that what each device drew can be compared.
namespace natalory::test {

// The first page of a PDF at `dpi`, as poppler draws it.
inline QImage RasterisedPdf(const QString& pdf, int dpi) {
    ToolOutput("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    return QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
}

// An SVG document drawn on a white picture of `size`.
inline QImage RenderedSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// An EMF file as an independent reader (emf2svg-conv) understands it, as SVG; nothing
// where that reader is not installed.
inline std::optional<QByteArray> EmfReadBack(const QString& emf) {
    const QString reader = QStandardPaths::findExecutable("emf2svg-conv");
    if (reader.isEmpty()) return std::nullopt;
    ToolOutput(reader, {"-i", emf, "-o", emf + ".svg"});
    QFile svg(emf + ".svg");
    svg.open(QIODevice::ReadOnly);
    return svg.readAll();
}

// Ink: an opaque pixel darker than `darkerThan`, something drawn on the white page.
inline bool Inked(QRgb pixel, int darkerThan) {
    return qAlpha(pixel) > 128 && qGray(pixel) < darkerThan;
}

inline QRect InkBox(const QImage& image, int darkerThan = 128) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (Inked(argb.pixel(x, y), darkerThan)) box |= QRect(x, y, 1, 1);
    return box;
}

// How many pixels of `area` have ink on them.
inline int Ink(const QImage& image, const QRect& area, int darkerThan = 200) {
    const QRect inside = area & image.rect();
    int n = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) n += Inked(image.pixel(x, y), darkerThan);
    return n;
}

// Whether two renderings put their ink in the same box, every edge within `tolerance` pixels.
inline ::testing::AssertionResult SameInk(const QRect& expected, const QRect& actual, int tolerance) {
    const int off = std::max(
        {std::abs(expected.left() - actual.left()), std::abs(expected.top() - actual.top()),
         std::abs(expected.right() - actual.right()), std::abs(expected.bottom() - actual.bottom())});
    if (!expected.isEmpty() && off <= tolerance) return ::testing::AssertionSuccess();
    const auto text = [](const QRect& r) {
        return QString::asprintf("(%d, %d, %d x %d)", r.x(), r.y(), r.width(), r.height()).toStdString();
    };
    return ::testing::AssertionFailure() << "ink at " << text(actual) << ", expected at " << text(expected)
                                         << " within " << tolerance << " pixels";
}

}  // namespace natalory::test
