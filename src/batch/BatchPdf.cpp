#include "batch/BatchPdf.h"

#include "foundation/FileIO.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <zlib.h>

#include <cerrno>

// Qt's PDF writer compresses every page at zlib's default level and offers no other; for
// a page of the newspaper that is a third of the CPU a batch print costs. Level 5 takes
// 40 % less time for pages 5 % larger. Defined here, in the program, this is the deflateInit
// Qt's libraries call; levels asked for by number are left as they are.
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int size) {
    if (level == Z_DEFAULT_COMPRESSION) level = 5;
    return deflateInit2_(stream, level, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY, version, size);
}

namespace natalory {
namespace {

QPageSize PageOf(const PrintEngine& engine) {
    const QSizeF page = engine.pageSizeTwips();
    return QPageSize(QSizeF(page.width() / 20, page.height() / 20), QPageSize::Point, QString(),
                     QPageSize::ExactMatch);
}

}  // namespace

BatchPdf::BatchPdf(QString path, QString title) : path_(std::move(path)), title_(std::move(title)) {}

BatchPdf::~BatchPdf() {
    discard();
}

bool BatchPdf::printPage(const PrintEngine& engine, QString* error) {
    if (!painter_) {
        file_ = std::make_unique<QSaveFile>(path_);
        if (!file_->open(QIODevice::WriteOnly)) {
            if (error) *error = file_->errorString();
            file_.reset();
            return false;
        }
        writer_ = std::make_unique<QPdfWriter>(file_.get());
        writer_->setPageSize(PageOf(engine));
        writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_->setResolution(1440);
        writer_->setTitle(title_.isEmpty() ? engine.docName() : title_);
        writer_->setCreator(QStringLiteral("Natalory"));
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(writer_.get())) {
            if (error) *error = QStringLiteral("the PDF file could not be started");
            discard();
            return false;
        }
    } else {
        writer_->setPageSize(PageOf(engine));
        if (!writer_->newPage()) {
            if (error) *error = QStringLiteral("no room for another page: ") + file_->errorString();
            return false;
        }
        // The page before is written out here.
        if (writeFailed(error)) return false;
    }
    engine.replay(*painter_, 1.0);
    if (writeFailed(error)) return false;
    ++pages_;
    return true;
}

bool BatchPdf::writeFailed(QString* error) {
    // The PDF engine writes without looking at the result; the file remembers a failed write.
    errno = 0;
    if (file_->flush() && file_->error() == QFileDevice::NoError) return false;
    if (error) *error = errno == ENOSPC || errno == EDQUOT ? SystemReason(errno) : file_->errorString();
    return true;
}

bool BatchPdf::finish(QString* error) {
    if (!painter_) return true;
    painter_->end();
    painter_.reset();
    writer_.reset();
    const bool ok = file_->commit();
    if (!ok && error) *error = file_->errorString();
    file_.reset();
    return ok;
}

void BatchPdf::discard() {
    if (painter_) painter_->end();
    painter_.reset();
    writer_.reset();
    if (file_) file_->cancelWriting();
    file_.reset();
}

}  // namespace natalory
