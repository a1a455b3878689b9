#pragma once

#include "batch/BatchFile.h"
#include "batch/OffscreenPrint.h"
#include "birthday/YearDataReaders.h"
#include "output/Render.h"

#include <vector>

#include <functional>
#include <optional>

namespace natalory {

// What a run tells whoever watches it, and how it hears a cancel.
class BatchProgress {
  public:
    virtual ~BatchProgress() = default;
    // The bar runs from 0 to `maximum`.
    virtual void started(int maximum) = 0;
    // Record `number` is about to print; `percent` of the range is done.
    virtual void printing(int number, int percent) = 0;
    // `count` records of the range are done.
    virtual void printed(int count) = 0;
    // Asked before every record: true stops the run there. A window lets its
    // pending events run first, so that its Cancel button is heard.
    virtual bool cancelRequested() = 0;
};

// The error number a batch reports when the year data refuse a record.
inline constexpr int kYearDataErrorNumber = 62;

// Why a record could not be printed.
struct BatchFailure {
    int number = 0;  // the error number the user is told
    QString description;
    bool alreadyTold = false;  // the print path has said so already: end quietly
    int record = 0;            // the number of the record that failed
};

class BatchRecordPrinter {
  public:
    virtual ~BatchRecordPrinter() = default;
    virtual std::optional<BatchFailure> PrintBatchRecord(const BatchRecord& record) = 0;
};

struct BatchOutcome {
    int printed = 0;
    bool cancelled = false;
    std::optional<BatchFailure> failure;  // the run ended on it; nothing after it printed
};

// Stop minus start, at least 1: what the percentage is measured against.
int BatchSpan(int start, int stop);
// Printed ÷ span as a whole percentage, halves rounded to even.
int BatchPercent(int printed, int span);

// Prints the records numbered start to stop, in file order.
BatchOutcome BatchRun(const std::vector<BatchRecord>& records, int start, int stop,
                      BatchRecordPrinter& printer, BatchProgress& progress);

// Prints each record as a typed birthday is printed: built off screen in the
// style of the settings (DefaultStyle), then printed, counted and logged by
// PrintCanvas on `services.printer`. For the length of its life the template
// is read once and each year data file once.
class BatchPrinter final : public BatchRecordPrinter {
  public:
    BatchPrinter(AppState& state, PrintServices services);
    ~BatchPrinter() override;

    // Runs before each record prints (the command line names its files here).
    std::function<void(const BatchRecord&)> beforePrint;
    // Changes the data settings of the template before each print's texts are written.
    void adjustData(std::function<void(DataSettings&)> change) { print_.adjustData = std::move(change); }

    std::optional<BatchFailure> PrintBatchRecord(const BatchRecord& record) override;
    // Counts and logs the prints of a target that defers them (a batch PDF), once its file
    // is written: a file that is not written leaves nothing counted or logged.
    void commitPrints();
    // A print of `record` made elsewhere (by a worker) at `at`, to be counted and logged with the rest.
    void deferPrint(const BatchRecord& record, const QDateTime& at);

  private:
    void useStyleOfSettings();
    std::vector<QString> pendingLog_;  // the log records of the deferred prints
    AppState& state_;
    PrintServices services_;
    OffscreenPrint print_;
    YearDataCache yearData_;
};

}  // namespace natalory
