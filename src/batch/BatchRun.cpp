#include "batch/BatchRun.h"

#include "batch/PrintLog.h"

#include <algorithm>

namespace natalory {

int BatchSpan(int start, int stop) {
    return std::max(stop - start, 1);
}

int BatchPercent(int printed, int span) {
    // In whole numbers: 23 of 40 is 57.5 % exactly, which goes to the even 58, where
    // floating point made it 57.49999.
    if (span <= 0) return 0;
    const long long scaled = 100LL * printed, down = scaled / span, rest = scaled % span;
    if (2 * rest > span || (2 * rest == span && down % 2 != 0)) return int(down + 1);
    return int(down);
}

BatchOutcome BatchRun(const std::vector<BatchRecord>& records, int start, int stop,
                      BatchRecordPrinter& printer, BatchProgress& progress) {
    BatchOutcome outcome;
    const int span = BatchSpan(start, stop);
    progress.started(span + 1);
    for (const BatchRecord& record : records) {
        if (progress.cancelRequested()) {
            outcome.cancelled = true;
            break;
        }
        if (record.number > stop) break;
        if (record.number < start) continue;
        progress.printing(record.number, BatchPercent(outcome.printed, span));
        if (auto failure = printer.PrintBatchRecord(record)) {
            outcome.failure = std::move(failure);
            outcome.failure->record = record.number;
            break;
        }
        ++outcome.printed;
        progress.printed(outcome.printed);
    }
    return outcome;
}

BatchPrinter::BatchPrinter(AppState& state, PrintServices services)
    : state_(state), services_(services), print_(state, services.prompt) {
    print_.keepTemplates();
    state_.yearDataCache = &yearData_;
}

BatchPrinter::~BatchPrinter() {
    state_.yearDataCache = nullptr;
}

void BatchPrinter::useStyleOfSettings() {
    const int style = PrintTypeOfStyle(state_.settings.DefaultStyle);
    if (style >= 0) state_.birthday.PrintType = style;
    if (style == ptUserTemplate) state_.birthday.CustomTemplatePath = state_.settings.DefaultTemplatePath;
}

std::optional<BatchFailure> BatchPrinter::PrintBatchRecord(const BatchRecord& record) {
    useStyleOfSettings();
    // A batch file names no parents unless its table has the column; never those of the last typed print.
    state_.birthday.ParentsName = record.parents;
    const BuildResult built = SetBirthday(state_, services_.clock.today(), print_, BuildMode::LoadTemplate,
                                          record.birthDate, record.first, record.last);
    if (built.yearData)
        return BatchFailure{kYearDataErrorNumber, DescribeYearDataProblem(*built.yearData), false};
    if (print_.error) {
        BatchFailure failure{print_.error->number, print_.error->description, false};
        print_.UnloadCanvas();
        return failure;
    }
    if (beforePrint) beforePrint(record);
    PrintEngine engine;
    engine.setLayoutMemo(print_.layouts());
    const bool printed = PrintCanvas(print_.document, state_, engine, CanvasPlacement{}, services_);
    print_.UnloadCanvas();
    if (!printed) return BatchFailure{486, QStringLiteral("the print could not be printed"), true};
    if (services_.printer && services_.printer->defersPrints())
        pendingLog_.push_back(PrintLogRecord(state_, services_.clock.now()));
    return std::nullopt;
}

void BatchPrinter::deferPrint(const BatchRecord& record, const QDateTime& at) {
    useStyleOfSettings();
    state_.birthday.BirthDate = record.birthDate;
    state_.birthday.FirstName = record.first;
    state_.birthday.LastName = record.last;
    state_.birthday.FullName = record.first + u' ' + record.last;
    state_.birthday.ParentsName = record.parents;
    pendingLog_.push_back(PrintLogRecord(state_, at));
}

void BatchPrinter::commitPrints() {
    for (const QString& record : pendingLog_) {
        ++state_.PrintCount;
        if (state_.settings.LogPrintouts) LogPrintRecord(state_, record, services_.prompt);
    }
    pendingLog_.clear();
}

}  // namespace natalory
