#include "batch/frmBatch.h"
#include "birthday/frmGetInfo.h"
#include "output/Render.h"
#include "foundation/HTMLHelp.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace natalory;
using namespace natalory::test;

namespace {

const QStringList kDataFiles = {"blear.fpf", "blearII.fpf", "blik.fpf",       "brdstf.fpf",
                                "news.al!",  "classy.al!",  "nopicfound.ico", "cake.png"};
const QByteArray kFive =
    "Anna,Lee,1/15/1950\r\nBob,Smith,7/4/1960\r\nCara,Doe,11/30/1950\r\nDan,Roe,2/29/2004\r\nEve,Ng,1/15/"
    "1901\r\n";

// What the window showed at each print.
struct Seen {
    QString inform, percent, cancelCaption;
    int bar;
    bool barVisible;
};

// The printer of Print Setup, as a test sees it.
class WatchingPrinter final : public PrinterTarget {
  public:
    WatchingPrinter(frmBatch& f, std::vector<Seen>& seen, std::vector<QString>& names,
                    std::function<void(int)> onPage)
        : f_(f), seen_(seen), names_(names), onPage_(std::move(onPage)) {}
    bool printPage(const PrintEngine& engine, QString*) override {
        seen_.push_back({f_.lblInform->text(), f_.lblPercentDone->text(), f_.cmdCancel->text(),
                         f_.prgBar->value(), f_.prgBar->isVisible()});
        names_.push_back(engine.docName());
        if (onPage_) onPage_(int(seen_.size()));
        return true;
    }

  private:
    frmBatch& f_;
    std::vector<Seen>& seen_;
    std::vector<QString>& names_;
    std::function<void(int)> onPage_;
};

class BatchWindow : public ::testing::Test {
  protected:
    TempProgramFolder folder{kDataFiles};
    TestServices services;
    AppState state;
    std::unique_ptr<frmBatch> form;
    std::vector<Seen> seen;
    std::vector<QString> printedNames;
    std::function<void(int)> onPage;
    int counted = 0;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.settings.DefaultStyle = "A";
        state.settings.AutosizeFonts = true;
        folder.write("five.alb", kFive);
        form = std::make_unique<frmBatch>(state, services.services, [this] { ++counted; });
        form->findPrinter = [this](const QString&, QString*) -> std::unique_ptr<PrinterTarget> {
            return std::make_unique<WatchingPrinter>(*form, seen, printedNames, [this](int page) {
                if (onPage) onPage(page);
            });
        };
        form->show();
    }
    void choose(const QString& file) {
        services.files.answers.push_back(folder.file(file));
        QTest::mouseClick(form->cmdBrowse, Qt::LeftButton);
    }
    void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    QStringList told() const {
        QStringList texts;
        for (const AskedPrompt& p : services.prompt.asked) texts << p.text;
        return texts;
    }
};

}  // namespace

TEST_F(BatchWindow, FiveRecordsPrintWithProgressAndTheCompletionMessage) {
    EXPECT_EQ(form->windowTitle(), "Process A Batch File");
    EXPECT_EQ(form->fraBatchFile->title(), "Batch File To Process:");
    EXPECT_EQ(form->txtBdayFile->text(), "none");
    EXPECT_EQ(form->txtStart->text(), "1");
    EXPECT_EQ(form->txtStop->text(), "1");
    EXPECT_EQ(form->cmdBrowse->toolTip(), "Click Here To Select A Batch File");
    EXPECT_EQ(form->cmdStart->toolTip(), "Starts Printing The Batch File");
    EXPECT_EQ(form->cmdCancel->toolTip(), "Close This Screen");
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    EXPECT_FALSE(form->cmdStart->isEnabled());
    EXPECT_FALSE(form->txtStart->isEnabled());
    EXPECT_FALSE(form->prgBar->isVisible());
    EXPECT_TRUE(state.BatchInProgress);

    choose("five.alb");
    ASSERT_EQ(services.files.requests.size(), 1u);
    EXPECT_TRUE(services.files.requests[0].filter.startsWith("Natalory Batch (*.alb);;Text Files (*.txt)"));
    EXPECT_EQ(services.files.requests[0].fileName, "*.alb");
    EXPECT_EQ(form->lblTotalBdays->text(), "5");
    EXPECT_EQ(form->txtStart->text(), "1");
    EXPECT_EQ(form->txtStop->text(), "5");
    EXPECT_EQ(form->txtBdayFile->text(), folder.file("five.alb"));
    EXPECT_TRUE(form->cmdStart->isEnabled());
    EXPECT_TRUE(services.prompt.asked.empty());

    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(seen[size_t(i)].inform, QStringLiteral("Printing Birthday Number %1").arg(i + 1));
        EXPECT_EQ(seen[size_t(i)].percent, QStringLiteral("%1% Done").arg(i * 25));
        EXPECT_EQ(seen[size_t(i)].cancelCaption, "&Cancel");
        EXPECT_EQ(seen[size_t(i)].bar, i);
        EXPECT_TRUE(seen[size_t(i)].barVisible);
    }
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "Natalory has finished sending 5 Birthday Prints to the Windows Print Manager.");
    EXPECT_EQ(services.prompt.asked[0].title, "Batch Processing Complete");
    EXPECT_EQ(state.PrintCount, 5);
    EXPECT_EQ(counted, 5);
    EXPECT_FALSE(form->prgBar->isVisible());
    EXPECT_FALSE(form->lblInform->isVisible());
    EXPECT_EQ(form->lblPercentDone->text(), "");
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(state.settings.QuickPrinting);
    ASSERT_EQ(printedNames.size(), 5u);
    EXPECT_EQ(printedNames[4], "Eve Ng Natalory Print");
}

TEST_F(BatchWindow, OneRecordOfARangeIntoAPdfAndTheWholeFilePageByPage) {
    state.settings.DefaultStyle = "Z";
    state.settings.DefaultTemplatePath = folder.file("classy.al!");
    state.settings.LogPrintouts = true;
    choose("five.alb");
    QTest::mouseClick(form->optPdf, Qt::LeftButton);
    ASSERT_TRUE(form->optPdf->isChecked());
    type(form->txtStart, "3");
    type(form->txtStop, "3");
    services.files.answers.push_back(folder.file("three.pdf"));
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(services.files.requests.back().filter, "PDF Document (*.pdf)");
    EXPECT_EQ(services.files.requests.back().fileName, "five.pdf");
    ASSERT_EQ(PdfPages(folder.file("three.pdf")), 1);
    EXPECT_TRUE(PdfText(folder.file("three.pdf"), 1).contains("Cara Doe"));
    ASSERT_EQ(services.prompt.asked.size(), 1u) << told().join('\n').toStdString();
    EXPECT_EQ(services.prompt.asked[0].text,
              "Natalory has finished writing 1 Birthday Prints to " + folder.file("three.pdf") + ".");
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_TRUE(folder.read("birthday print log.log").contains("\"Cara Doe\",\"Custom\""));

    type(form->txtStart, "1");
    type(form->txtStop, "5");
    services.files.answers.push_back(folder.file("all.pdf"));
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    ASSERT_EQ(PdfPages(folder.file("all.pdf")), 5);
    const QStringList names = {"Anna Lee", "Bob Smith", "Cara Doe", "Dan Roe", "Eve Ng"};
    for (int page = 1; page <= 5; ++page) {
        const QString text = PdfText(folder.file("all.pdf"), page);
        for (int other = 0; other < 5; ++other)
            EXPECT_EQ(text.contains(names[other]), other == page - 1) << page << " " << other;
    }
}

TEST_F(BatchWindow, TheRangeChecksSayWhatIsWrongAndResetTheBox) {
    choose("five.alb");
    type(form->txtStart, "0");
    EXPECT_EQ(form->txtStart->text(), "1");
    type(form->txtStart, "9");
    EXPECT_EQ(form->txtStart->text(), "1");
    type(form->txtStop, "0");
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(form->txtStop->text(), "5");
    type(form->txtStart, "3");
    type(form->txtStop, "2");
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(form->txtStop->text(), "5");
    EXPECT_EQ(told(), QStringList({"Starting Birthday cannot be zero.",
                                   "Starting birthday cannot be higher than the stopping birthday.",
                                   "Stopping birthday cannot be zero.",
                                   "Stopping birthday must be higher or equal to the starting birthday."}));
    for (const AskedPrompt& p : services.prompt.asked) EXPECT_EQ(p.title, "");
    EXPECT_TRUE(seen.empty());

    // A box half typed holds no number yet and is left alone; thousands separators are numbers.
    type(form->txtStart, "");
    type(form->txtStop, "1,234");
    type(form->txtStart, "2");
    EXPECT_EQ(services.prompt.asked.size(), 4u);
    EXPECT_EQ(form->txtStart->text(), "2");
}

TEST_F(BatchWindow, CancelDuringARunFinishesTheRecordThenSaysSo) {
    choose("five.alb");
    onPage = [this](int page) {
        if (page == 2) QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    };
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(seen.size(), 2u);
    ASSERT_EQ(services.prompt.asked.size(), 2u);
    EXPECT_EQ(services.prompt.asked[0].text, "Batch Canceled");
    EXPECT_EQ(services.prompt.asked[0].title, "Batch Mode");
    EXPECT_EQ(services.prompt.asked[1].text,
              "Natalory has finished sending 2 Birthday Prints to the Windows Print Manager.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    // Outside a run the same button closes the window, and the batch is over.
    QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(BatchWindow, OnTwoWorkersTheBarReachesTheEndAndCancelStopsEveryWorker) {
    QByteArray forty;
    for (int i = 1; i <= 40; ++i)
        forty += "Person" + QByteArray::number(i) + ",Lee,1/15/19" + QByteArray::number(10 + i) + "\r\n";
    folder.write("forty.alb", forty);
    std::vector<int> bar;
    QStringList percents;
    std::function<void()> atCount;
    form.reset(new frmBatch(state, services.services, [&] {
        bar.push_back(form->prgBar->value());
        percents << form->lblPercentDone->text();
        if (atCount) atCount();
    }));
    form->jobs = 2;
    form->workerProgram = QStringLiteral(NATALORY_CLI);
    form->show();
    choose("forty.alb");
    QTest::mouseClick(form->optPdf, Qt::LeftButton);
    services.files.answers.push_back(folder.file("forty.pdf"));
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    ASSERT_EQ(PdfPages(folder.file("forty.pdf")), 40) << told().join('\n').toStdString();
    EXPECT_TRUE(PdfText(folder.file("forty.pdf"), 40).contains("Person40 Lee"));
    // The count after each page of either worker, then once more when the prints are counted.
    ASSERT_EQ(bar.size(), 41u);
    EXPECT_EQ(bar[39], 40);
    EXPECT_EQ(form->prgBar->maximum(), 40);
    EXPECT_EQ(percents[39], "100% Done");
    EXPECT_EQ(state.PrintCount, 40);
    EXPECT_EQ(told(), QStringList{"Natalory has finished writing 40 Birthday Prints to " +
                                  folder.file("forty.pdf") + "."});

    // Cancel stops both workers before the end and leaves no file.
    atCount = [&] {
        if (bar.size() == 3) QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    };
    bar.clear();
    services.prompt.asked.clear();
    services.files.answers.push_back(folder.file("stopped.pdf"));
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(told(), QStringList{"Batch Canceled"});
    EXPECT_LT(bar.size(), 40u);
    EXPECT_FALSE(QFile::exists(folder.file("stopped.pdf")));
    EXPECT_EQ(state.PrintCount, 40);
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    EXPECT_FALSE(form->prgBar->isVisible());
}

TEST_F(BatchWindow, ABadFileIsRefusedAndTheWindowKeepsItsValues) {
    folder.write("bad.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\n");
    folder.write("short.alb", "Anna,Lee,1/15/1950\r\nBob,Smith\r\n");
    folder.write("empty.alb", "");
    choose("bad.alb");
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].title, "Error in Batch File");
    EXPECT_EQ(services.prompt.asked[0].text,
              "Natalory cannot process this file, probably because of an invalid date.\r\n"
              "The record appears to be on line 2.\r\n"
              "The record probably looks like this: Bob Smith 31/31/1950\r\n"
              "The path is: " +
                  folder.file("bad.alb") + "\r\nBirth dates are read as 1950-01-15 or 1/15/1950.");
    EXPECT_EQ(form->txtBdayFile->text(), "none");
    EXPECT_FALSE(form->cmdStart->isEnabled());

    choose("short.alb");
    choose("missing.alb");
    ASSERT_EQ(services.prompt.asked.size(), 3u);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(services.prompt.asked[i].text,
                  "Natalory either could not find the file, or there is an error in it.");
        EXPECT_EQ(services.prompt.asked[i].title, "Batch File Mode");
    }

    // An empty file counts 0 and cannot start.
    choose("empty.alb");
    EXPECT_EQ(form->lblTotalBdays->text(), "0");
    EXPECT_EQ(form->txtStop->text(), "0");
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    EXPECT_EQ(services.prompt.asked.back().text, "Stopping birthday cannot be zero.");
    EXPECT_TRUE(seen.empty());
}

TEST_F(BatchWindow, WithoutAPrinterTheFirstPrintSaysSoAndTheRunEndsQuietly) {
    form->findPrinter = [](const QString&, QString* why) -> std::unique_ptr<PrinterTarget> {
        *why = "no printer";
        return nullptr;
    };
    choose("five.alb");
    QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    ASSERT_EQ(services.prompt.asked.size(), 1u) << told().join('\n').toStdString();
    EXPECT_EQ(services.prompt.asked[0].title, "No Printer");
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_FALSE(form->prgBar->isVisible());
    EXPECT_TRUE(form->cmdStart->isEnabled());
}

TEST_F(BatchWindow, F1OpensItsHelpPage) {
    QTest::keyClick(form.get(), Qt::Key_F1);
    ASSERT_EQ(services.help.shown.size(), 1u);
    EXPECT_EQ(services.help.shown[0].topic, int(hcBatch));
}

TEST(BatchFromTheMainWindow, NoNewPrintWhileTheBatchWindowIsOpen) {
    TempProgramFolder folder(kDataFiles);
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    frmMDI mdi(state, services.services);
    mdi.quitApplication = nullptr;
    auto* workspace = new Workspace(state, services.services, mdi);
    mdi.sToolbar.tool("ID_BatchProcessing").action()->trigger();
    frmBatch* batch = mdi.findChild<frmBatch*>();
    ASSERT_NE(batch, nullptr);
    EXPECT_TRUE(batch->isVisible());
    mdi.sToolbar.tool("ID_BatchProcessing").action()->trigger();
    EXPECT_EQ(mdi.findChildren<frmBatch*>().size(), 1);

    mdi.sToolbar.tool("ID_New").action()->trigger();
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text, "You can't open a new birthday while batch processing.");
    EXPECT_EQ(services.prompt.asked[0].title, "Batch In Progress");
    EXPECT_EQ(workspace->birthdayDialog(), nullptr);

    QTest::keyClick(batch, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(state.BatchInProgress);
    mdi.sToolbar.tool("ID_New").action()->trigger();
    ASSERT_NE(workspace->birthdayDialog(), nullptr);
    EXPECT_TRUE(workspace->birthdayDialog()->isVisible());
}
