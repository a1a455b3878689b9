// A batch into one PDF, as the window's PDF destination and the command line make
// it: the CPU time per print and the size of the file.
#include "batch/BatchPdf.h"
#include "batch/BatchRun.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

using namespace natalory;

namespace {

class Today final : public Clock {
  public:
    QDate today() const override { return {2026, 12, 6}; }
    QDateTime now() const override { return {today(), QTime(12, 0)}; }
};

// Takes the page and does nothing with it: the cost of building and recording alone.
class Nowhere final : public PrinterTarget {
  public:
    bool printPage(const PrintEngine&, QString*) override { return true; }
};

class NoProgress final : public BatchProgress {
  public:
    void started(int) override {}
    void printing(int, int) override {}
    void printed(int) override {}
    bool cancelRequested() override { return false; }
};

// People born all over the covered years, on every day of the year.
std::vector<BatchRecord> People(int count) {
    std::vector<BatchRecord> people;
    for (int i = 0; i < count; ++i) {
        const QDate born = QDate(1900 + (i * 37) % 105, 1, 1).addDays((i * 53) % 365);
        people.push_back({i + 1,
                          i + 1,
                          QStringLiteral("Person%1").arg(i),
                          QStringLiteral("Lee"),
                          born.toString(Qt::ISODate),
                          born,
                          {}});
    }
    return people;
}

AppState Settings(const char* style) {
    AppState s;
    s.ProgramFolder = QStringLiteral(NATALORY_SOURCE_DATA);
    s.settings.DefaultStyle = QString::fromLatin1(style);
    s.settings.AutosizeFonts = true;
    s.settings.FullJustifyNews = true;
    return s;
}

// CPU seconds per print, shown in the benchmark's time units.
benchmark::Counter PerPrint(int count) {
    return benchmark::Counter(count,
                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BatchIntoOnePdf(benchmark::State& state, const char* style) {
    const int count = int(state.range(0));
    const std::vector<BatchRecord> people = People(count);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("batch.pdf"));
    bench::QuietPrompt prompt;
    Today clock;
    for (auto _ : state) {
        AppState s = Settings(style);
        BatchPdf pdf(path);
        BatchPrinter printing(s, PrintServices{prompt, clock, &pdf});
        NoProgress progress;
        const BatchOutcome outcome = BatchRun(people, 1, count, printing, progress);
        if (outcome.printed != count || !pdf.finish()) state.SkipWithError("the batch did not print");
    }
    state.counters["per_print"] = PerPrint(count);
    state.counters["pdf_bytes"] = double(QFileInfo(path).size());
}

// The same prints built and recorded, then dropped: what the PDF costs is the difference.
void NewspaperWithoutPdf(benchmark::State& state) {
    const int count = int(state.range(0));
    const std::vector<BatchRecord> people = People(count);
    bench::QuietPrompt prompt;
    Today clock;
    Nowhere nowhere;
    for (auto _ : state) {
        AppState s = Settings("A");
        BatchPrinter printing(s, PrintServices{prompt, clock, &nowhere});
        NoProgress progress;
        benchmark::DoNotOptimize(BatchRun(people, 1, count, printing, progress).printed);
    }
    state.counters["per_print"] = PerPrint(count);
}

void NewspaperBatch(benchmark::State& state) {
    BatchIntoOnePdf(state, "A");
}

void ClassyBatch(benchmark::State& state) {
    BatchIntoOnePdf(state, "B");
}

double ChildCpuSeconds() {
    rusage used{};
    getrusage(RUSAGE_CHILDREN, &used);
    return double(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
           double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
}

// natalory-print --batch as a user runs it, on `jobs` cores: the time it takes per print
// (real time), the CPU it costs per print in all its processes, the largest process and
// the size of the file. It logs into a program folder of its own.
void BatchOnCores(benchmark::State& state) {
    const int count = int(state.range(0)), jobs = int(state.range(1));
    QTemporaryDir dir;
    const QDir data(QStringLiteral(NATALORY_SOURCE_DATA));
    for (const QString& file : data.entryList(QDir::Files))
        QFile::copy(data.filePath(file), dir.filePath(file));
    QFile batch(dir.filePath(QStringLiteral("people.alb")));
    if (!batch.open(QIODevice::WriteOnly)) return state.SkipWithError("no batch file");
    for (const BatchRecord& r : People(count))
        batch.write((r.first + u',' + r.last + u',' + r.dateText + QStringLiteral("\r\n")).toUtf8());
    batch.close();
    const QString pdf = dir.filePath(QStringLiteral("batch.pdf"));
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double before = ChildCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QProcess run;
        run.start(QStringLiteral(NATALORY_CLI),
                  {QStringLiteral("--app-dir"), dir.path(), QStringLiteral("--as-of"),
                   QStringLiteral("2026-12-06"), QStringLiteral("--batch"), batch.fileName(),
                   QStringLiteral("--out"), pdf, QStringLiteral("--jobs"), QString::number(jobs)});
        if (!run.waitForFinished(-1) || run.exitCode() != 0) state.SkipWithError("the batch did not print");
        wall += double(clock.nsecsElapsed()) / 1e9;
        cpu += ChildCpuSeconds() - before;
    }
    rusage largest{};
    getrusage(RUSAGE_CHILDREN, &largest);
    state.counters["wall_ms_per_print"] = 1000 * wall / double(state.iterations() * count);
    state.counters["cpu_ms_per_print"] = 1000 * cpu / double(state.iterations() * count);
    state.counters["largest_process_MB"] = double(largest.ru_maxrss) / 1024;
    state.counters["pdf_KB_per_page"] = double(QFileInfo(pdf).size()) / 1024 / count;
}

}  // namespace

BENCHMARK(BatchOnCores)
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Args({10000, 2})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NewspaperBatch)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ClassyBatch)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(NewspaperWithoutPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

NATALORY_BENCHMARK_MAIN()
