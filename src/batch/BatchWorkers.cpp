#include "batch/BatchWorkers.h"

#include "batch/PdfJoin.h"
#include "foundation/Settings.h"

#include <QDir>
#include <QEventLoop>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/prctl.h>
#include <csignal>
#include <memory>

namespace natalory {
namespace {

// Below this a second process costs more than it saves: starting one is about 0.1 s.
constexpr int kRecordsForASecondWorker = 20;

struct Worker {
    std::unique_ptr<QProcess> process;
    int from = 0, to = 0;
    int done = 0;
    QString pdf;
    QByteArray pending;  // a line not yet ended
    QByteArray errors;
};

// Signals each worker still running to stop between records, and waits for it.
void StopAll(std::vector<Worker>& workers) {
    for (Worker& w : workers) {
        if (w.process->state() == QProcess::NotRunning) continue;
        const qint64 pid = w.process->processId();
        if (pid > 0)
            ::kill(pid_t(pid), SIGINT);
        else
            w.process->kill();
    }
    for (Worker& w : workers)
        if (!w.process->waitForFinished(10000)) {
            w.process->kill();
            w.process->waitForFinished(-1);
        }
}

// "failed RECORD NUMBER DESCRIPTION". Whatever the worker's print path said, it said to no one.
std::optional<BatchFailure> FailureIn(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() < 3 || words[0] != "failed") return std::nullopt;
    return BatchFailure{words[2].toInt(), QString::fromUtf8(words.mid(3).join(' ')), false, words[1].toInt()};
}

}  // namespace

int BatchWorkerCount(int jobs, int records) {
    if (records < kRecordsForASecondWorker) return 1;
    return std::clamp(jobs, 1, records);
}

void CommitWorkerPrints(BatchPrinter& printing, const std::vector<BatchRecord>& records, int start,
                        const WorkerOutcome& made) {
    for (size_t i = 0; i < made.at.size(); ++i) printing.deferPrint(records[size_t(start) - 1 + i], made.at[i]);
    printing.commitPrints();
}

QByteArray WorkerPrintedLine(int record) {
    return "printed " + QByteArray::number(record) + '\n';
}

QByteArray WorkerFailedLine(int record, const BatchFailure& failure) {
    QString description = failure.description;
    description.replace(u'\n', u' ').replace(u'\r', u' ');
    return "failed " + QByteArray::number(record) + ' ' + QByteArray::number(failure.number) + ' ' +
           description.toUtf8() + '\n';
}

WorkerOutcome RunBatchWorkers(const WorkerBatch& batch, int start, int stop, const QString& pdf,
                              BatchProgress& progress, const Clock& clock) {
    WorkerOutcome outcome;
    const int count = stop - start + 1;
    const int span = BatchSpan(start, stop);
    outcome.at.resize(size_t(count));
    progress.started(span + 1);
    progress.printing(start, 0);

    const auto fail = [&outcome](int record, int number, const QString& why) {
        outcome.batch.failure = BatchFailure{number, why, false, record};
    };
    QTemporaryDir scratch(QDir(QDir::tempPath()).filePath(QStringLiteral("natalory-batch-XXXXXX")));
    QFile settings(scratch.filePath(QString::fromLatin1(kSettingsFileName)));
    if (!scratch.isValid() || !settings.open(QIODevice::WriteOnly) ||
        settings.write(SettingsRecord(batch.settings)) < 0 || !settings.flush()) {
        fail(start, 75, QStringLiteral("no room for the workers' files: ") + scratch.errorString());
        return outcome;
    }
    settings.close();

    const int jobs = BatchWorkerCount(batch.jobs, count);
    std::vector<Worker> workers(static_cast<size_t>(jobs));
    QEventLoop loop;
    for (int k = 0; k < jobs; ++k) {
        Worker& w = workers[size_t(k)];
        w.from = start + int(qint64(count) * k / jobs);
        w.to = start + int(qint64(count) * (k + 1) / jobs) - 1;
        w.pdf = scratch.filePath(QStringLiteral("part%1.pdf").arg(k));
        w.process = std::make_unique<QProcess>();
        // A worker outlives no parent: a parent that dies takes its workers with it.
        w.process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        QObject::connect(w.process.get(), &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(w.process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
        w.process->start(batch.program,
                         batch.arguments + QStringList{QStringLiteral("--batch"), batch.batchFile,
                                                       QStringLiteral("--from"), QString::number(w.from),
                                                       QStringLiteral("--to"), QString::number(w.to),
                                                       QStringLiteral("--out"), w.pdf,
                                                       QStringLiteral("--worker"), scratch.path(),
                                                       QStringLiteral("--worker-locale"), QLocale().name()});
    }
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    tick.start(50);

    int done = 0;
    for (;;) {
        if (progress.cancelRequested()) {
            outcome.batch.cancelled = true;
            break;
        }
        bool running = false;
        for (Worker& w : workers) {
            // Asked before reading: what an ended worker wrote is all there to read.
            const bool ended = w.process->state() == QProcess::NotRunning;
            w.pending += w.process->readAllStandardOutput();
            w.errors = (w.errors + w.process->readAllStandardError()).right(4096);
            for (qsizetype end; !outcome.batch.failure && (end = w.pending.indexOf('\n')) >= 0;) {
                const QByteArray line = w.pending.left(end);
                w.pending.remove(0, end + 1);
                if (line.startsWith("printed ")) {
                    const int record = line.mid(8).toInt();
                    if (record != w.from + w.done) {
                        fail(w.from + w.done, 51, QStringLiteral("a worker printed out of order"));
                        break;
                    }
                    ++w.done;
                    outcome.at[size_t(record - start)] = clock.now();
                    ++done;
                    // As on one core: the share done before the last record began, 100 % at most.
                    progress.printing(std::min(start + done, stop), BatchPercent(std::min(done, span), span));
                    progress.printed(done);
                } else if (std::optional<BatchFailure> f = FailureIn(line)) {
                    outcome.batch.failure = std::move(f);
                }
            }
            if (!ended) {
                running = true;
            } else if (w.process->exitStatus() == QProcess::NormalExit && w.process->exitCode() == 130) {
                // Ctrl+C reaches every process of the terminal: the worker heard it first.
                outcome.batch.cancelled = true;
            } else if (!outcome.batch.failure &&
                       (w.process->exitStatus() != QProcess::NormalExit || w.process->exitCode() != 0 ||
                        w.done != w.to - w.from + 1)) {
                const QString why = w.process->error() == QProcess::FailedToStart
                                        ? QStringLiteral("%1 could not be started: %2")
                                              .arg(batch.program, w.process->errorString())
                                        : QStringLiteral("the worker printing it stopped: %1")
                                              .arg(QString::fromUtf8(w.errors).trimmed());
                fail(w.from + w.done, 51, why);
            }
        }
        if (outcome.batch.failure || outcome.batch.cancelled || !running) break;
        loop.exec();
    }
    StopAll(workers);
    outcome.batch.printed = done;
    if (outcome.batch.failure || outcome.batch.cancelled) return outcome;

    QStringList parts;
    for (const Worker& w : workers) parts << w.pdf;
    JoinPdfs(parts, pdf, &outcome.writeError);
    return outcome;
}

}  // namespace natalory
