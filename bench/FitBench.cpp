// Speed of the text-fit pass on texts that do not fit: an unbroken word in a
// narrow box, a long run of ordinary words, whole-kilobyte captions, and the
// newspaper template's whole pass.
#include "birthday/BirthdayFacts.h"
#include "document/TemplateFile.h"
#include "infoobjects/DisplayFormats.h"
#include "output/Render.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace natalory;

namespace {

QString Words(qsizetype chars) {
    static const QString sample =
        QStringLiteral("The paper of the day told of prices, songs and weather in plain words. ");
    QString text;
    while (text.size() < chars) text += sample;
    text.truncate(chars);
    return text;
}

DisplayObject Label(const QString& caption, int width, int height) {
    DisplayObject o;
    o.kind = ObjectKind::Text;
    o.Visible = true;
    o.Caption = caption;
    o.FontName = QStringLiteral("Times New Roman");
    o.FontSize = 12;
    o.Width = width;
    o.Height = height;
    return o;
}

void FitOne(benchmark::State& state, const QString& caption, int width, int height) {
    bench::QuietPrompt prompt;
    AppState s;
    s.settings.AutosizeFonts = true;
    for (auto _ : state) {
        DisplayObject label = Label(caption, width, height);
        FitLabelText(label, s, prompt);
        benchmark::DoNotOptimize(label.FontSize);
    }
}

void UnbrokenWordNarrowBox(benchmark::State& state) {
    FitOne(state, QString(3000, u'x'), 100, 300);
}

void OrdinaryWords5000(benchmark::State& state) {
    FitOne(state, Words(5000), 2000, 300);
}

void Caption10K(benchmark::State& state) {
    FitOne(state, Words(10 * 1024), 4000, 2000);
}

void Caption40K(benchmark::State& state) {
    FitOne(state, Words(40 * 1024), 4000, 2000);
}

// A pasted 10 MB caption: cut to what one box may hold, with a message.
void Caption10M(benchmark::State& state) {
    FitOne(state, Words(10 * 1024 * 1024), 4000, 2000);
}

void NewspaperFitPass(benchmark::State& state) {
    bench::QuietPrompt prompt;
    AppState base = bench::NewspaperBirthday();
    ComputeBirthdayFacts(base, QDate(2026, 12, 6));
    ApplyDisplayFormats(base.facts, base.year);
    for (auto _ : state) {
        state.PauseTiming();
        AppState s = base;
        CanvasDocument doc;
        LoadTemplateFile(TemplatePathFor(s), doc, s, prompt);
        state.ResumeTiming();
        FitAllLabels(doc, s, prompt);
        benchmark::DoNotOptimize(doc.stacking().size());
    }
}

}  // namespace

BENCHMARK(UnbrokenWordNarrowBox)->Unit(benchmark::kMillisecond);
BENCHMARK(OrdinaryWords5000)->Unit(benchmark::kMillisecond);
BENCHMARK(Caption10K)->Unit(benchmark::kMillisecond);
BENCHMARK(Caption40K)->Unit(benchmark::kMillisecond);
BENCHMARK(Caption10M)->Unit(benchmark::kMillisecond);
BENCHMARK(NewspaperFitPass)->Unit(benchmark::kMillisecond);

NATALORY_BENCHMARK_MAIN()
