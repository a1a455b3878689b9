#include "cli/BatchCommand.h"

#include "batch/BatchPdf.h"
#include "batch/BatchRun.h"
#include "batch/BatchWorkers.h"
#include "batch/PrintLog.h"
#include "birthday/DateLimits.h"
#include "output/SystemPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>
#include <csignal>
#include <cstdio>

namespace natalory {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

// Ctrl+C is heard between records for as long as this lives.
class InterruptGuard {
  public:
    InterruptGuard() {
        interrupted = 0;
        old_ = std::signal(SIGINT, OnInterrupt);
    }
    ~InterruptGuard() { std::signal(SIGINT, old_); }

  private:
    void (*old_)(int);
};

class DayClock final : public Clock {
  public:
    explicit DayClock(QDate day) : day_(day) {}
    QDate today() const override { return day_; }
    QDateTime now() const override { return QDateTime(QDate::currentDate(), QTime::currentTime()); }

  private:
    QDate day_;
};

// A bar on stderr while it is a terminal; nothing otherwise.
class TerminalProgress final : public BatchProgress {
  public:
    explicit TerminalProgress(int total) : total_(total), shown_(isatty(STDERR_FILENO)) {}
    ~TerminalProgress() override {
        if (shown_ && drawn_) std::fputs("\r\033[K", stderr);
    }
    void started(int) override {}
    void printing(int number, int) override { number_ = number; }
    void printed(int count) override {
        if (!shown_) return;
        constexpr int width = 30;
        const int filled = total_ ? count * width / total_ : width;
        const QString bar = QString(filled, u'#') + QString(width - filled, u'.');
        std::fprintf(stderr, "\r[%s] %d/%d  record %d", bar.toLatin1().constData(), count, total_, number_);
        std::fflush(stderr);
        drawn_ = true;
    }
    bool cancelRequested() override { return interrupted != 0; }

  private:
    int total_;
    bool shown_;
    bool drawn_ = false;
    int number_ = 0;
};

// A worker's progress: a line on stdout for each record printed, for the batch that started it.
class WorkerLines final : public BatchProgress {
  public:
    void started(int) override {}
    void printing(int number, int) override { number_ = number; }
    void printed(int) override {
        std::fputs(WorkerPrintedLine(number_).constData(), stdout);
        std::fflush(stdout);
    }
    bool cancelRequested() override { return interrupted != 0; }

  private:
    int number_ = 0;
};

// What a target said when it failed, so that the failure is told once, in its own words.
class TellingTarget final : public PrinterTarget {
  public:
    explicit TellingTarget(PrinterTarget& inner) : inner_(inner) {}
    QString error;
    bool printPage(const PrintEngine& engine, QString* why) override {
        const bool ok = inner_.printPage(engine, why);
        if (!ok && why) error = *why;
        return ok;
    }
    bool defersPrints() const override { return inner_.defersPrints(); }

  private:
    PrinterTarget& inner_;
};

// A one-page PDF per record, named from its number and name.
class FilePerRecord final : public PrinterTarget {
  public:
    QString next;
    int written = 0;
    bool printPage(const PrintEngine& engine, QString* error) override {
        if (!engine.WritePdf(next, error)) return false;
        ++written;
        return true;
    }
};

QString FileNameFor(const BatchRecord& r, int digits) {
    QString name = (r.first + u' ' + r.last).simplified();
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c)) c = u'_';
    const QString number = QStringLiteral("%1").arg(r.number, digits, 10, QLatin1Char('0'));
    return (name.isEmpty() ? number : number + u' ' + name) + QStringLiteral(".pdf");
}

QString Describe(const BatchFileError& e, int lastYear) {
    const QString where = QStringLiteral("%1, line %2").arg(QDir::toNativeSeparators(e.file)).arg(e.line);
    const QString record = e.fields.join(u' ');
    switch (e.kind) {
        case BatchFileError::Kind::CannotRead:
            return QStringLiteral("cannot read the batch file %1: %2")
                .arg(QDir::toNativeSeparators(e.file), e.reason);
        case BatchFileError::Kind::InvalidDate:
            return QStringLiteral("%1: not a date: \"%2\" (the record reads: %3; dates are read as %4)")
                .arg(where, e.fields.value(2), record, AcceptedDateForms());
        case BatchFileError::Kind::DateOutOfRange:
            return QStringLiteral("%1: the year must be from 1900 to %2: \"%3\" (the record reads: %4)")
                .arg(where, QString::number(lastYear), e.fields.value(2), record);
        case BatchFileError::Kind::Incomplete:
            return QStringLiteral(
                       "%1: the record is incomplete, it needs a first name, a last name and a date "
                       "(the record reads: %2)")
                .arg(where, record);
        case BatchFileError::Kind::NotText:
            return QStringLiteral("%1: %2").arg(where, e.reason);
    }
    return {};
}

CliResult Fail(int code, const QString& message) {
    return CliResult{code, {}, QStringLiteral("natalory-print: %1\n").arg(message)};
}

QString OneLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

// What the command line says when a batch has ended, however it was printed.
CliResult Finished(const BatchRequest& request, const BatchOutcome& outcome, int count,
                   const QString& writeError, const QString& where, const SilentPrompt& prompt) {
    if (outcome.failure) {
        CliResult failed = Fail(1, QStringLiteral("record %1 could not be printed: %2")
                                       .arg(outcome.failure->record)
                                       .arg(outcome.failure->description));
        failed.err.prepend(prompt.warnings());
        return failed;
    }
    if (outcome.cancelled)
        return Fail(130, request.out.isEmpty()
                             ? QStringLiteral("interrupted after %1 prints").arg(outcome.printed)
                             : QStringLiteral("interrupted after %1 prints; %2 was not written")
                                   .arg(outcome.printed)
                                   .arg(request.out));
    if (!writeError.isEmpty())
        return Fail(1, QStringLiteral("cannot write %1: %2").arg(request.out, writeError));
    return CliResult{
        0,
        {},
        prompt.warnings() +
            QStringLiteral("Printed %1 of %2 records %3.\n").arg(outcome.printed).arg(count).arg(where)};
}

// Records `request.from` to `to` into one PDF by `jobs` worker processes of this program.
CliResult RunOnEveryCore(AppState& state, const BatchRequest& request,
                         const std::vector<BatchRecord>& records, int to, int jobs, const Clock& clock,
                         SilentPrompt& prompt) {
    WorkerBatch batch;
    batch.program = QCoreApplication::applicationFilePath();
    batch.arguments = request.workerArguments;
    batch.batchFile = request.file;
    batch.settings = state.settings;
    batch.jobs = jobs;
    state.BatchInProgress = true;
    const InterruptGuard guard;
    TerminalProgress progress(to - request.from + 1);
    WorkerOutcome made = RunBatchWorkers(batch, request.from, to, request.out, progress, clock);
    if (!made.batch.failure && !made.batch.cancelled && made.writeError.isEmpty()) {
        BatchPrinter printing(state, PrintServices{prompt, clock, nullptr});
        CommitWorkerPrints(printing, records, request.from, made);
    }
    state.BatchInProgress = false;
    return Finished(request, made.batch, int(records.size()), made.writeError,
                    QStringLiteral("into ") + request.out, prompt);
}

}  // namespace

PromptAnswer SilentPrompt::ask(const QString& text, const QString& title, PromptButtons buttons, PromptIcon) {
    (title == QLatin1StringView(kPrintLogTitle) ? logProblems : said) << OneLine(text);
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

QString SilentPrompt::warnings() const {
    QString lines;
    for (const QString& problem : logProblems)
        lines += QStringLiteral("natalory-print: warning: %1\n").arg(problem);
    return lines;
}

CliResult RunBatchCommand(AppState& state, const BatchRequest& request) {
    const int destinations =
        int(!request.out.isEmpty()) + int(!request.outDir.isEmpty()) + int(request.print);
    if (destinations != 1)
        return Fail(2, QStringLiteral("--batch needs one of --out FILE.pdf, --out-dir DIR or --print"));
    if (!request.out.isEmpty() && QFileInfo(request.out).suffix().toLower() != u"pdf")
        return Fail(2, QStringLiteral("--out with --batch: the file must end in .pdf"));

    // Damaged year data are told by the first record that needs them, with file, line and what.
    const int lastYear = LastYearAvailable(state.ProgramFolder);
    const BatchFileResult read = ReadBatchFile(request.file, lastYear);
    if (const auto* error = std::get_if<BatchFileError>(&read)) return Fail(2, Describe(*error, lastYear));
    const std::vector<BatchRecord>& records = std::get<BatchFileContents>(read).records;
    const int count = int(records.size());
    if (count == 0) return Fail(2, QStringLiteral("the batch file %1 holds no records").arg(request.file));
    const int to = request.to ? std::min(request.to, count) : count;
    if (request.from > count)
        return Fail(2, QStringLiteral("--from %1: the file has %2 records").arg(request.from).arg(count));
    if (request.from > to) return Fail(2, QStringLiteral("--from must not be after --to"));

    std::unique_ptr<SystemPrinter> printer;
    std::unique_ptr<BatchPdf> pdf;
    FilePerRecord files;
    PrinterTarget* target = &files;
    if (request.print) {
        QString why;
        printer = SystemPrinter::Find(request.printerName, &why);
        if (!printer) return Fail(1, QStringLiteral("cannot print: %1").arg(why));
        target = printer.get();
    } else if (!request.out.isEmpty()) {
        pdf = std::make_unique<BatchPdf>(request.out, QFileInfo(request.file).completeBaseName());
        target = pdf.get();
    } else if (!QDir().mkpath(request.outDir)) {
        return Fail(1, QStringLiteral("cannot make the folder %1").arg(request.outDir));
    }

    SilentPrompt prompt;
    TellingTarget telling(*target);
    const DayClock clock(request.today);
    const int jobs = request.jobs ? request.jobs : QThread::idealThreadCount();
    if (pdf && !request.worker && BatchWorkerCount(jobs, to - request.from + 1) > 1) {
        pdf.reset();
        return RunOnEveryCore(state, request, records, to, jobs, clock, prompt);
    }
    state.BatchInProgress = true;
    const int digits = std::max(3, int(QString::number(count).size()));
    BatchOutcome outcome;
    bool written = false;
    QString writeError;
    {
        const InterruptGuard guard;
        BatchPrinter printing(state, PrintServices{prompt, clock, &telling});
        printing.adjustData(request.adjustData);
        printing.beforePrint = [&](const BatchRecord& r) {
            files.next = QDir(request.outDir).filePath(FileNameFor(r, digits));
        };
        TerminalProgress terminal(to - request.from + 1);
        WorkerLines lines;
        BatchProgress& progress = request.worker ? static_cast<BatchProgress&>(lines) : terminal;
        outcome = BatchRun(records, request.from, to, printing, progress);
        const bool whole = !outcome.failure && !outcome.cancelled;
        written = whole && (!pdf || pdf->finish(&writeError));
        if (whole && !written && writeError.isEmpty())
            writeError = QStringLiteral("the file could not be written");
        // The batch that started a worker counts and logs its prints.
        if (written && !request.worker) printing.commitPrints();
    }
    state.BatchInProgress = false;

    if (outcome.failure) {
        if (pdf) pdf->discard();
        if (!telling.error.isEmpty())
            outcome.failure->description = telling.error;
        else if (request.worker && !prompt.said.isEmpty())
            outcome.failure->description = prompt.said.join(u' ');
        if (request.worker)
            std::fputs(WorkerFailedLine(outcome.failure->record, *outcome.failure).constData(), stdout);
    }
    return Finished(request, outcome, count, writeError,
                    printer ? QStringLiteral("on ") + printer->name()
                    : pdf   ? QStringLiteral("into ") + request.out
                            : QStringLiteral("into ") + request.outDir,
                    prompt);
}

}  // namespace natalory
