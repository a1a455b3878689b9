// Speed of making the newspaper print: the whole build (facts, template, fit) and
// the render alone, off screen as the command line makes it.
#include "birthday/BirthdayFacts.h"
#include "document/TemplateFile.h"
#include "infoobjects/DisplayFormats.h"
#include "output/Render.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

using namespace natalory;

namespace {

class Quiet final : public Prompt {
  public:
    PromptAnswer ask(const QString&, const QString&, PromptButtons, PromptIcon) override {
        return PromptAnswer::Ok;
    }
};

AppState Birthday() {
    AppState s;
    s.ProgramFolder = QStringLiteral(NATALORY_SOURCE_DATA);
    s.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptNewspaper, {}, {}};
    s.settings.AutosizeFonts = true;
    s.settings.FullJustifyNews = true;
    return s;
}

void Build(AppState& s, CanvasDocument& doc, Quiet& prompt) {
    ComputeBirthdayFacts(s, QDate(2026, 12, 6));
    ApplyDisplayFormats(s.facts, s.year);
    LoadTemplateFile(TemplatePathFor(s), doc, s, prompt);
    FitAllLabels(doc, s, prompt);
}

void BuildFitAndRender(benchmark::State& state) {
    Quiet prompt;
    for (auto _ : state) {
        AppState s = Birthday();
        CanvasDocument doc;
        Build(s, doc, prompt);
        PrintEngine engine;
        RenderDocument(doc, engine, s, CanvasPlacement{});
        benchmark::DoNotOptimize(engine.items().size());
    }
}

void RenderOnly(benchmark::State& state) {
    Quiet prompt;
    AppState s = Birthday();
    CanvasDocument doc;
    Build(s, doc, prompt);
    for (auto _ : state) {
        PrintEngine engine;
        RenderDocument(doc, engine, s, CanvasPlacement{});
        benchmark::DoNotOptimize(engine.items().size());
    }
}

void RenderToPdf(benchmark::State& state) {
    Quiet prompt;
    AppState s = Birthday();
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
