// What converting a metafile in the confined child process costs over converting it in
// the program's own process: the newspaper print as an EMF (text, lines and the cake's
// bitmap), read as a picture both ways.
#include "document/Metafiles.h"
#include "document/TemplateFile.h"
#include "output/EmfWriter.h"
#include "output/Render.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <QFile>

using namespace natalory;

namespace {

QByteArray NewspaperEmf() {
    static const QByteArray bytes = [] {
        bench::QuietPrompt prompt;
        AppState s = bench::NewspaperBirthday();
        CanvasDocument doc;
        LoadTemplateFile(TemplatePathFor(s), doc, s, prompt);
        PrintEngine engine;
        RenderDocument(doc, engine, s, CanvasPlacement{});
        const QString path = QStringLiteral("/tmp/natalory-bench.emf");
        WriteEmf(engine, path);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    return bytes;
}

void LoadMetafileIn(benchmark::State& state, MetafileConversion conversion) {
    SetMetafileConversion(conversion, QStringLiteral(NATALORY_METAFILE_HELPER));
    const QByteArray emf = NewspaperEmf();
    for (auto _ : state) {
        QString error;
        if (!LoadMetafile(emf, &error)) state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["emf_kb"] = double(emf.size()) / 1024;
}

void InProcess(benchmark::State& state) {
    LoadMetafileIn(state, MetafileConversion::InProcess);
}

void Confined(benchmark::State& state) {
    LoadMetafileIn(state, MetafileConversion::Confined);
}

}  // namespace

BENCHMARK(InProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(Confined)->Unit(benchmark::kMillisecond);

NATALORY_BENCHMARK_MAIN()
