#include "batch/BatchPdf.h"
#include "batch/BatchRun.h"
#include "batch/PrintLog.h"

#include "support/Doubles.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <array>

using namespace natalory;
using namespace natalory::test;

namespace {

BatchRecord Person(int number, const QString& first, const QString& last, QDate date) {
    return BatchRecord{number, number, first, last, date.toString(Qt::ISODate), date, {}};
}

std::vector<BatchRecord> People() {
    return {Person(1, "Anna", "Lee", QDate(1950, 1, 15)), Person(2, "Bob", "Smith", QDate(1960, 7, 4)),
            Person(3, "Cara", "Doe", QDate(1950, 11, 30)), Person(4, "Dan", "Roe", QDate(2004, 2, 29)),
            Person(5, "Eve", "Ng", QDate(1901, 1, 15))};
}

// Every page as text: each item's place, and each text's font and lines.
class RecordingPrinter final : public PrinterTarget {
  public:
    std::vector<QStringList> pages;
    int failAt = 0;  // 1-based page that fails
    bool printPage(const PrintEngine& engine, QString* error) override {
        if (int(pages.size()) + 1 == failAt) {
            *error = "paper jam";
            return false;
        }
        QStringList page;
        for (const PrintEngine::Item& item : engine.items()) {
            if (const auto* t = std::get_if<PrintEngine::TextItem>(&item)) {
                QString s = QStringLiteral("T %1,%2 %3x%4 %5 %6:")
                                .arg(t->box.x())
                                .arg(t->box.y())
                                .arg(t->box.width())
                                .arg(t->box.height())
                                .arg(t->block->font().family())
                                .arg(t->block->font().pointSizeF());
                for (const TextBlock::Line& l : t->block->lines()) s += u'|' + l.text;
                page << s;
            } else if (const auto* i = std::get_if<PrintEngine::ImageItem>(&item)) {
                page << QStringLiteral("P %1,%2 %3").arg(i->box.x()).arg(i->box.y()).arg(i->image.width());
            } else {
                page << QStringLiteral("S");
            }
        }
        pages.push_back(page);
        return true;
    }
};

// The window's and the command line's progress are tested with them; here a run goes to its end.
class NoProgress final : public BatchProgress {
  public:
    void started(int) override {}
    void printing(int, int) override {}
    void printed(int) override {}
    bool cancelRequested() override { return false; }
};

class BatchRunning : public ::testing::Test {
  protected:
    TempProgramFolder folder{kPrintData};
    TestServices services;
    AppState state;
    RecordingPrinter printer;
    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.settings.DefaultStyle = "A";
        state.settings.AutosizeFonts = true;
        state.settings.FullJustifyNews = true;
    }
    PrintServices Services(PrinterTarget* target) {
        return PrintServices{services.prompt, services.clock, target};
    }
};

}  // namespace

TEST(BatchPercent, IsTheShareOfTheSpanRoundedHalfToEven) {
    // 23 of 40 is 57.5 exactly, which floating point made 57.4999.
    for (const auto& [done, span, percent] : {std::array{0, 4, 0},
                                              {4, 4, 100},
                                              {1, 8, 12},
                                              {3, 8, 38},
                                              {1, 3, 33},
                                              {2, 3, 67},
                                              {23, 40, 58},
                                              {109, 200, 54}})
        EXPECT_EQ(BatchPercent(done, span), percent) << done << "/" << span;
}

TEST_F(BatchRunning, ReadingTheTemplateAndYearDataOncePrintsWhatReadingThemEachTimePrints) {
    std::vector<BatchRecord> people = People();
    people.push_back(Person(6, "Fay", "Lee", QDate(1950, 1, 15)));  // a day and year seen before
    for (const char* style : {"A", "B"}) {
        state.settings.DefaultStyle = style;
        RecordingPrinter once;
        {
            BatchPrinter printing(state, Services(&once));
            NoProgress progress;
            BatchRun(people, 1, int(people.size()), printing, progress);
        }
        RecordingPrinter each;
        for (const BatchRecord& r : people) {
            BatchPrinter printing(state, Services(&each));
            NoProgress progress;
            BatchRun({r}, r.number, r.number, printing, progress);
        }
        ASSERT_EQ(once.pages.size(), people.size());
        for (size_t i = 0; i < people.size(); ++i)
            EXPECT_EQ(once.pages[i], each.pages[i]) << style << " " << i;
    }
}

TEST_F(BatchRunning, WithStyleZEveryRecordUsesTheDefaultTemplateAndAFailureEndsTheRun) {
    folder.write("mine.als", folder.read("classy.al!"));
    state.settings.DefaultStyle = "Z";
    state.settings.DefaultTemplatePath = folder.file("mine.als");
    state.settings.LogPrintouts = true;
    state.birthday.PrintType = ptNewspaper;
    state.birthday.CustomTemplatePath = folder.file("other.als");
    const auto run = [&](PrinterTarget& target) {
        BatchPrinter printing(state, Services(&target));
        NoProgress progress;
        return BatchRun(People(), 1, 5, printing, progress);
    };
    // A page the printer refuses ends the run; the printer's reason is told at once.
    printer.failAt = 3;
    const BatchOutcome jammed = run(printer);
    EXPECT_EQ(jammed.printed, 2);
    ASSERT_TRUE(jammed.failure);
    EXPECT_TRUE(jammed.failure->alreadyTold);
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_TRUE(services.prompt.asked[0].text.contains("paper jam"));
    const PrintLogContents log = ReadPrintLog(state.LogFilePath, services.clock.today());
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[1].style, "Custom");
    EXPECT_EQ(log.rows[1].customPath, folder.file("mine.als"));

    // A template that is gone ends it before the first print, for the caller to tell.
    state.settings.DefaultTemplatePath = folder.file("gone.als");
    const BatchOutcome gone = run(printer);
    EXPECT_EQ(gone.printed, 0);
    ASSERT_TRUE(gone.failure);
    EXPECT_EQ(gone.failure->number, 53);
    EXPECT_FALSE(gone.failure->alreadyTold);
    // The year data stays the run's own: none is left behind for the next print.
    EXPECT_EQ(state.yearDataCache, nullptr);
}

// The batch's index of birthdays and its headlines of the second set answer as the readers do, also
// from a damaged file or none.
TEST(YearDataCache, AnswersAsTheReadersDoFromADamagedFileOrNone) {
    TempProgramFolder damaged({"blik.fpf", "blearII.fpf"});
    const QByteArray celebrities = damaged.read("blik.fpf");
    damaged.write("blik.fpf", celebrities.left(celebrities.size() / 2) + "\r\n\"unclosed");
    TempProgramFolder none;
    for (const TempProgramFolder* folder : {&damaged, &none}) {
        YearDataCache cache;
        for (const QDate d : {QDate(1952, 1, 15), QDate(1952, 12, 15)}) {
            SCOPED_TRACE(d.toString().toStdString());
            YearData plain, cached;
            const DataReadResult a = ReadCelebrities(folder->path(), d, plain);
            const DataReadResult b = ReadCelebrities(folder->path(), d, cached, &cache);
            EXPECT_EQ(std::pair(a.found, a.problem), std::pair(b.found, b.problem));
            EXPECT_EQ(plain.Celebrity, cached.Celebrity);
            const DataReadResult c = ReadHeadlinesForSet(folder->path(), 2, d, plain);
            const DataReadResult e = ReadHeadlinesForSet(folder->path(), 2, d, cached, &cache);
            EXPECT_EQ(std::pair(c.found, c.problem), std::pair(e.found, e.problem));
            EXPECT_EQ(plain.YearHeadline, cached.YearHeadline);
        }
    }
}

TEST_F(BatchRunning, APdfBatchStopsAtTheWriteThatFailsAndCountsAndLogsOnlyAWrittenFile) {
    state.settings.LogPrintouts = true;
    std::vector<BatchRecord> many;
    for (int i = 1; i <= 200; ++i) many.push_back(Person(i, "Anna", QString::number(i), QDate(1950, 1, 15)));
    FullDisk disk;
    BatchOutcome outcome;
    disk.run(64 * 1024, [&] {
        BatchPdf pdf(disk.file("full.pdf"));
        BatchPrinter printing(state, Services(&pdf));
        NoProgress progress;
        outcome = BatchRun(many, 1, 200, printing, progress);
        if (!outcome.failure && pdf.finish()) printing.commitPrints();
    });
    // Each page holds about 5 KB of its own: the disk is full within a few dozen pages, not after 200.
    ASSERT_TRUE(outcome.failure);
    EXPECT_LT(outcome.printed, 60);
    EXPECT_FALSE(QFileInfo::exists(disk.file("full.pdf")));
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_FALSE(QFileInfo::exists(state.LogFilePath));

    // A file that is written counts and logs every page of it.
    BatchPdf pdf(folder.file("three.pdf"));
    BatchPrinter printing(state, Services(&pdf));
    NoProgress progress;
    EXPECT_EQ(BatchRun(People(), 1, 3, printing, progress).printed, 3);
    EXPECT_EQ(state.PrintCount, 0);
    ASSERT_TRUE(pdf.finish());
    printing.commitPrints();
    EXPECT_EQ(state.PrintCount, 3);
    EXPECT_EQ(ReadPrintLog(state.LogFilePath, services.clock.today()).rows.size(), 3u);
}
