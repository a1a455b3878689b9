#include "output/SystemPrinter.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace natalory {

std::unique_ptr<SystemPrinter> SystemPrinter::Find(const QString& name, QString* error) {
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty()) {
        if (error) *error = QStringLiteral("no printer is set up on this computer");
        return nullptr;
    }
    if (name.isEmpty()) {
        const QString fallback = QPrinterInfo::defaultPrinterName();
        return std::unique_ptr<SystemPrinter>(
            new SystemPrinter(fallback.isEmpty() ? printers.first() : fallback));
    }
    // Qt would quietly print on the default printer for a name it does not know.
    if (!printers.contains(name)) {
        if (error) *error = QStringLiteral("there is no printer called %1").arg(name);
        return nullptr;
    }
    return std::unique_ptr<SystemPrinter>(new SystemPrinter(name));
}

bool SystemPrinter::printPage(const PrintEngine& engine, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(name_);
    printer.setDocName(engine.docName());
    printer.setFullPage(true);
    const QSizeF page(engine.PageWidth / 20.0, engine.PageHeight / 20.0);
    printer.setPageSize(QPageSize(page, QPageSize::Point, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(engine.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    ApplyPrintOptions(printer, options_);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error) *error = QStringLiteral("the printer %1 did not accept the print").arg(name_);
        return false;
    }
    engine.replay(painter, printer.resolution() / 1440.0);
    return painter.end();
}

void ApplyPrintOptions(QPrinter& printer, const PrintOptions& options) {
    printer.setCopyCount(std::clamp(options.copies, 1, 999));
    printer.setCollateCopies(options.collate);
    printer.setDuplex(QPrinter::DuplexMode(std::clamp(options.duplex, 0, 3)));
    printer.setColorMode(options.grayscale ? QPrinter::GrayScale : QPrinter::Color);
}

PrintOptions PrintOptionsOf(const QPrinter& printer) {
    return PrintOptions{printer.copyCount(), printer.collateCopies(), int(printer.duplex()),
                        printer.colorMode() == QPrinter::GrayScale};
}

QPointF PrinterMinimumMargins(const QString& printerName) {
    QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return {};
    QPrinter printer(info, QPrinter::HighResolution);
    const QRectF paper = printer.paperRect(QPrinter::Inch);
    const QRectF page = printer.pageRect(QPrinter::Inch);
    return QPointF((paper.width() - page.width()) / 2, (paper.height() - page.height()) / 2);
}

}  // namespace natalory
