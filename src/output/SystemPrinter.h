#pragma once

#include "output/Render.h"

#include <QPointF>

#include <memory>

class QPrinter;

namespace natalory {

// The system's printer (CUPS), reached through Qt Print Support.
class SystemPrinter final : public PrinterTarget {
  public:
    // The named printer, or the default one for an empty name; nothing, with the
    // reason, when there is no such printer.
    static std::unique_ptr<SystemPrinter> Find(const QString& name, QString* error);

    bool printPage(const PrintEngine& engine, QString* error) override;
    const QString& name() const { return name_; }
    // Copies, duplex and colour as chosen in Print Setup.
    void setOptions(const PrintOptions& options) { options_ = options; }

  private:
    explicit SystemPrinter(QString name) : name_(std::move(name)) {}
    QString name_;
    PrintOptions options_;
};

// The choices of Print Setup onto a printer, and back.
void ApplyPrintOptions(QPrinter& printer, const PrintOptions& options);
PrintOptions PrintOptionsOf(const QPrinter& printer);

// The smallest margins, in inches, the named printer (the default one for an empty or
// unknown name) can print within (left/right, top/bottom); none without a printer.
QPointF PrinterMinimumMargins(const QString& printerName);

}  // namespace natalory
