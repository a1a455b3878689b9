#pragma once

#include "batch/BatchRun.h"
#include "foundation/AppState.h"

#include <QDateTime>
#include <QStringList>

#include <vector>

namespace natalory {

// A batch into one PDF made by worker processes of natalory-print, one share of the range
// each, on every core: each worker writes its pages into a PDF of its own, and the files
// are joined in record order. A process of its own per worker keeps the font and PDF code
// of each to one thread, and a cancel is a signal to each.
struct WorkerBatch {
    QString program;        // natalory-print
    QStringList arguments;  // what every worker is given: data folder, day, data settings
    QString batchFile;
    Settings settings;  // the style and fitting the prints are made with
    int jobs = 2;
};

// How many workers a batch of `records` gets when `jobs` are asked for: a batch too
// small to gain from a second process gets one.
int BatchWorkerCount(int jobs, int records);

struct WorkerOutcome {
    BatchOutcome batch;         // a failure names the record it came from
    QString writeError;         // the joined file could not be written
    std::vector<QDateTime> at;  // when each record of the range was printed, in record order
};

// Prints records start to stop into `pdf`. Progress counts the records done by every
// worker; a cancel, a failed record or a worker that dies stops every worker and leaves
// no file. The outcome's `printed` is the number of pages in the file.
WorkerOutcome RunBatchWorkers(const WorkerBatch& batch, int start, int stop, const QString& pdf,
                              BatchProgress& progress, const Clock& clock);

// Logs and counts the records the workers printed, start onwards, in record order: the one
// writer of the log and the print count.
void CommitWorkerPrints(BatchPrinter& printing, const std::vector<BatchRecord>& records, int start,
                        const WorkerOutcome& made);

// The line a worker writes on standard output when a record is done, and when one fails.
QByteArray WorkerPrintedLine(int record);
QByteArray WorkerFailedLine(int record, const BatchFailure& failure);

}  // namespace natalory
