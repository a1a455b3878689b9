// Speed of making the newspaper print: the whole build (facts, template, fit) and
// the render alone, off screen as the command line makes it.
#include "birthday/BirthdayFacts.h"
#include "document/TemplateFile.h"
#include "infoobjects/DisplayFormats.h"
#include "output/Render.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace natalory;

namespace {

void Build(AppState& s, CanvasDocument& doc, Prompt& prompt) {
    ComputeBirthdayFacts(s, QDate(2026, 12, 6));
    ApplyDisplayFormats(s.facts, s.year);
    LoadTemplateFile(TemplatePathFor(s), doc, s, prompt);
    FitAllLabels(doc, s, prompt);
}

void BuildFitAndRender(benchmark::State& state) {
    bench::QuietPrompt prompt;
    for (auto _ : state) {
        AppState s = bench::NewspaperBirthday();
        CanvasDocument doc;
        Build(s, doc, prompt);
        PrintEngine engine;
        RenderDocument(doc, engine, s, CanvasPlacement{});
        benchmark::DoNotOptimize(engine.items().size());
    }
}

void RenderOnly(benchmark::State& state) {
    bench::QuietPrompt prompt;
    AppState s = bench::NewspaperBirthday();
    CanvasDocument doc;
    Build(s, doc, prompt);
    for (auto _ : state) {
        PrintEngine engine;
        RenderDocument(doc, engine, s, CanvasPlacement{});
        benchmark::DoNotOptimize(engine.items().size());
    }
}

void RenderToPdf(benchmark::State& state) {
    bench::QuietPrompt prompt;
    AppState s = bench::NewspaperBirthday();
    CanvasDocument doc;
    Build(s, doc, prompt);
    PrintEngine engine;
    RenderDocument(doc, engine, s, CanvasPlacement{});
    for (auto _ : state) benchmark::DoNotOptimize(engine.WritePdf(QStringLiteral("/tmp/natalory-bench.pdf")));
}

}  // namespace

BENCHMARK(BuildFitAndRender)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderToPdf)->Unit(benchmark::kMillisecond);

NATALORY_BENCHMARK_MAIN()
