// Speed of the facts of one birthday, with the year data read from disk each time
// as the program does (nothing is cached between birthdays).
#include "birthday/BirthdayFacts.h"
#include "infoobjects/DisplayFormats.h"

#include <benchmark/benchmark.h>

using namespace natalory;

namespace {

void AllFactsOfOneBirthday(benchmark::State& state) {
    AppState app;
    app.ProgramFolder = QStringLiteral(NATALORY_SOURCE_DATA);
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    // Late in the year and late in the century: the searches read furthest.
    app.birthday.BirthDate = QDate(int(state.range(0)), 12, 31);
    for (auto _ : state) {
        ComputeBirthdayFacts(app, QDate(2026, 12, 6), locale);
        ApplyDisplayFormats(app.facts, app.year);
        benchmark::DoNotOptimize(app.year.Celebrity[4]);
    }
}

void HeadlinesOfOneYear(benchmark::State& state) {
    YearData year;
    for (auto _ : state) {
        ReadHeadlinesForSet(QStringLiteral(NATALORY_SOURCE_DATA), int(state.range(0)), QDate(2025, 12, 31),
                            year);
        benchmark::DoNotOptimize(year.YearHeadline[5]);
    }
}

}  // namespace

BENCHMARK(AllFactsOfOneBirthday)->Arg(1900)->Arg(2025)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeadlinesOfOneYear)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
