#pragma once

#include "output/Render.h"

#include <QSaveFile>

#include <memory>

class QPainter;
class QPdfWriter;

namespace natalory {

// One PDF file for a whole batch, a page per print. Every page goes into the one
// document, so its fonts and pictures are stored once; the file appears only when
// finish() succeeds, and a run that stops early leaves nothing behind.
class BatchPdf final : public PrinterTarget {
  public:
    explicit BatchPdf(QString path, QString title = {});
    ~BatchPdf() override;

    // Stops at the first write that fails: a full disk is found on the page that fills it.
    bool printPage(const PrintEngine& engine, QString* error) override;
    bool defersPrints() const override { return true; }
    // Writes the file over any old one. With no page printed nothing is written.
    bool finish(QString* error = nullptr);
    // Drops what has been written so far.
    void discard();
    int pages() const { return pages_; }
    const QString& path() const { return path_; }

  private:
    QString path_;
    QString title_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
    bool writeFailed(QString* error);
};

}  // namespace natalory
