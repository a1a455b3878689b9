#pragma once

// What the benchmarks share: a prompt that answers OK without a window, the newspaper
// print's birthday, and a main() that runs them off screen.
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace natalory::bench {

class QuietPrompt final : public Prompt {
  public:
    PromptAnswer ask(const QString&, const QString&, PromptButtons, PromptIcon) override {
        return PromptAnswer::Ok;
    }
};

// Anna Lee's newspaper print of 15 January 1950, from the source data.
inline AppState NewspaperBirthday() {
    AppState s;
    s.ProgramFolder = QStringLiteral(NATALORY_SOURCE_DATA);
    s.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptNewspaper, {}, {}};
    s.settings.AutosizeFonts = true;
    s.settings.FullJustifyNews = true;
    return s;
}

}  // namespace natalory::bench

#define NATALORY_BENCHMARK_MAIN()                \
    int main(int argc, char** argv) {            \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QGuiApplication app(argc, argv);         \
        benchmark::Initialize(&argc, argv);      \
        benchmark::RunSpecifiedBenchmarks();     \
        return 0;                                \
    }
