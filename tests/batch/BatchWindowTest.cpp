#include "batch/frmBatch.h"
#include "birthday/frmGetInfo.h"
#include "foundation/HTMLHelp.h"
#include "output/Render.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/Programs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace natalory;
using namespace natalory::test;

namespace {

// The printer of Print Setup: each page it is given tells the test what the window showed then.
class WatchingPrinter final : public PrinterTarget {
  public:
    explicit WatchingPrinter(std::function<void(const PrintEngine&)> onPage) : onPage_(std::move(onPage)) {}
    bool printPage(const PrintEngine& engine, QString*) override {
        onPage_(engine);
        return true;
    }

  private:
    std::function<void(const PrintEngine&)> onPage_;
};

// The batch window, opened from the main window's tool as a user opens it.
class BatchWindow : public ::testing::Test {
  protected:
    TempProgramFolder folder{kPrintData};
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;
    frmBatch* form = nullptr;
    QStringList seen;  // at each print: what the window showed, and the print's name
    std::function<void(int)> onPage;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.settings.DefaultStyle = "A";
        state.settings.AutosizeFonts = true;
        folder.write(
            "five.alb",
            "Anna,Lee,1/15/1950\r\nBob,Smith,7/4/1960\r\nCara,Doe,11/30/1950\r\nDan,Roe,2/29/2004\r\n"
            "Eve,Ng,1/15/1901\r\n");
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
        trigger("ID_BatchProcessing");
        form = mdi->findChild<frmBatch*>();
        ASSERT_TRUE(form);
        form->findPrinter = [this](const QString&, QString*) -> std::unique_ptr<PrinterTarget> {
            return std::make_unique<WatchingPrinter>([this](const PrintEngine& engine) {
                seen << QStringList{form->lblInform->text(),
                                    form->lblPercentDone->text(),
                                    form->cmdCancel->text(),
                                    QString::number(form->prgBar->value()),
                                    form->prgBar->isVisible() ? "bar shown" : "bar hidden",
                                    engine.docName()}
                            .join(" | ");
                if (onPage) onPage(int(seen.size()));
            });
        };
    }
    void trigger(const QString& tool) { mdi->sToolbar.tool(tool).action()->trigger(); }
    void choose(const QString& file) {
        services.files.answers.push_back(folder.file(file));
        QTest::mouseClick(form->cmdBrowse, Qt::LeftButton);
    }
    void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void start(const QString& pdf = {}) {
        if (!pdf.isEmpty()) services.files.answers.push_back(folder.file(pdf));
        QTest::mouseClick(form->cmdStart, Qt::LeftButton);
    }
    QStringList told() const {
        QStringList texts;
        for (const AskedPrompt& p : services.prompt.asked) texts << p.text;
        return texts;
    }
};

}  // namespace

TEST_F(BatchWindow, FiveRecordsPrintWithProgressAndTheCompletionMessageOrACancelAfterTheRecord) {
    EXPECT_EQ(form->windowTitle(), "Process A Batch File");
    EXPECT_FALSE(form->cmdStart->isEnabled());
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

    start();
    const QStringList names = {"Anna Lee", "Bob Smith", "Cara Doe", "Dan Roe", "Eve Ng"};
    QStringList pages;
    for (int i = 0; i < 5; ++i)
        pages << QStringLiteral(
                     "Printing Birthday Number %1 | %2% Done | &Cancel | %3 | bar shown | %4 Natalory Print")
                     .arg(i + 1)
                     .arg(i * 25)
                     .arg(i)
                     .arg(names[i]);
    EXPECT_EQ(seen, pages);
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "Natalory has finished sending 5 Birthday Prints to the Windows Print Manager.");
    EXPECT_EQ(services.prompt.asked[0].title, "Batch Processing Complete");
    EXPECT_EQ(state.PrintCount, 5);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Prints").caption(), "Prints: 5");
    EXPECT_FALSE(form->prgBar->isVisible());
    EXPECT_FALSE(form->lblInform->isVisible());
    EXPECT_EQ(form->lblPercentDone->text(), "");
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(state.settings.QuickPrinting);

    // Cancel during a run finishes the record, then says so.
    seen.clear();
    services.prompt.asked.clear();
    onPage = [this](int page) {
        if (page == 2) QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    };
    start();
    EXPECT_EQ(seen.size(), 2);
    EXPECT_EQ(told(),
              QStringList({"Batch Canceled",
                           "Natalory has finished sending 2 Birthday Prints to the Windows Print Manager."}));
    EXPECT_EQ(services.prompt.asked[0].title, "Batch Mode");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->cmdCancel->text(), "&Close");

    // Without a printer the first print says so, and the run ends quietly.
    form->findPrinter = [](const QString&, QString* why) -> std::unique_ptr<PrinterTarget> {
        *why = "no printer";
        return nullptr;
    };
    services.prompt.asked.clear();
    start();
    EXPECT_EQ(services.prompt.asked.size(), 1u) << told().join('\n').toStdString();
    EXPECT_EQ(services.prompt.asked.back().title, "No Printer");
    EXPECT_EQ(state.PrintCount, 7);
    EXPECT_FALSE(form->prgBar->isVisible());
    EXPECT_TRUE(form->cmdStart->isEnabled());

    // Outside a run the Cancel button closes the window, and the batch is over.
    QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(mdi->findChild<frmBatch*>());
    EXPECT_FALSE(state.BatchInProgress);
}

TEST_F(BatchWindow, OneRecordOfARangeIntoAPdf) {
    state.settings.DefaultStyle = "Z";
    state.settings.DefaultTemplatePath = folder.file("classy.al!");
    state.settings.LogPrintouts = true;
    choose("five.alb");
    QTest::mouseClick(form->optPdf, Qt::LeftButton);
    ASSERT_TRUE(form->optPdf->isChecked());
    type(form->txtStart, "3");
    type(form->txtStop, "3");
    start("three.pdf");
    EXPECT_EQ(services.files.requests.back().filter, "PDF Document (*.pdf)");
    EXPECT_EQ(services.files.requests.back().fileName, "five.pdf");
    ASSERT_EQ(PdfPages(folder.file("three.pdf")), 1);
    EXPECT_TRUE(PdfText(folder.file("three.pdf"), 1).contains("Cara Doe"));
    EXPECT_EQ(told(), QStringList{"Natalory has finished writing 1 Birthday Prints to " +
                                  folder.file("three.pdf") + "."});
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_TRUE(folder.read("birthday print log.log").contains("\"Cara Doe\",\"Custom\""));
}

TEST_F(BatchWindow, OnTwoWorkersTheBarReachesTheEndAndCancelStopsEveryWorker) {
    QByteArray forty;
    for (int i = 1; i <= 40; ++i)
        forty += "Person" + QByteArray::number(i) + ",Lee,1/15/19" + QByteArray::number(10 + i) + "\r\n";
    folder.write("forty.alb", forty);
    // The count after each page of either worker, and what the window said then.
    std::vector<std::pair<int, QString>> counts;
    QObject::connect(form->prgBar, &QProgressBar::valueChanged, form, [&](int value) {
        counts.push_back({value, form->lblPercentDone->text()});
        if (onPage) onPage(value);
    });
    form->jobs = 2;
    form->workerProgram = QStringLiteral(NATALORY_CLI);
    choose("forty.alb");
    QTest::mouseClick(form->optPdf, Qt::LeftButton);
    start("forty.pdf");
    ASSERT_EQ(PdfPages(folder.file("forty.pdf")), 40) << told().join('\n').toStdString();
    EXPECT_TRUE(PdfText(folder.file("forty.pdf"), 40).contains("Person40 Lee"));
    EXPECT_EQ(form->prgBar->maximum(), 40);
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), std::pair(40, QString("100% Done")));
    EXPECT_EQ(state.PrintCount, 40);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Prints").caption(), "Prints: 40");
    EXPECT_EQ(told(), QStringList{"Natalory has finished writing 40 Birthday Prints to " +
                                  folder.file("forty.pdf") + "."});

    // Cancel stops both workers before the end and leaves no file.
    onPage = [&](int count) {
        if (count == 3) QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    };
    counts.clear();
    services.prompt.asked.clear();
    start("stopped.pdf");
    EXPECT_EQ(told(), QStringList{"Batch Canceled"});
    ASSERT_FALSE(counts.empty());
    EXPECT_LT(counts.back().first, 40);
    EXPECT_FALSE(QFile::exists(folder.file("stopped.pdf")));
    EXPECT_EQ(state.PrintCount, 40);
    EXPECT_EQ(form->cmdCancel->text(), "&Close");
    EXPECT_FALSE(form->prgBar->isVisible());
}

TEST_F(BatchWindow, ABadFileOrRangeIsRefusedSayingWhatIsWrong) {
    folder.write("bad.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\n");
    folder.write("short.alb", "Anna,Lee,1/15/1950\r\nBob,Smith\r\n");
    folder.write("empty.alb", "");
    choose("bad.alb");
    choose("short.alb");
    choose("missing.alb");
    ASSERT_EQ(services.prompt.asked.size(), 3u);
    EXPECT_EQ(services.prompt.asked[0].title, "Error in Batch File");
    EXPECT_EQ(services.prompt.asked[0].text,
              "Natalory cannot process this file, probably because of an invalid date.\r\n"
              "The record appears to be on line 2.\r\n"
              "The record probably looks like this: Bob Smith 31/31/1950\r\n"
              "The path is: " +
                  folder.file("bad.alb") + "\r\nBirth dates are read as 1950-01-15 or 1/15/1950.");
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(services.prompt.asked[i].text,
                  "Natalory either could not find the file, or there is an error in it.");
        EXPECT_EQ(services.prompt.asked[i].title, "Batch File Mode");
    }
    EXPECT_EQ(form->txtBdayFile->text(), "none");
    EXPECT_FALSE(form->cmdStart->isEnabled());

    // An empty file counts 0 and cannot start.
    choose("empty.alb");
    EXPECT_EQ(form->lblTotalBdays->text(), "0");
    EXPECT_EQ(form->txtStop->text(), "0");
    start();
    EXPECT_EQ(services.prompt.asked.back().text, "Stopping birthday cannot be zero.");

    // Each range check says what is wrong and resets its box.
    services.prompt.asked.clear();
    choose("five.alb");
    type(form->txtStart, "0");
    EXPECT_EQ(form->txtStart->text(), "1");
    type(form->txtStart, "9");
    EXPECT_EQ(form->txtStart->text(), "1");
    type(form->txtStop, "0");
    start();
    EXPECT_EQ(form->txtStop->text(), "5");
    type(form->txtStart, "3");
    type(form->txtStop, "2");
    start();
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

TEST_F(BatchWindow, OneWindowAtATimeWithHelpOnF1AndNoNewPrintWhileItIsOpen) {
    QTest::keyClick(form, Qt::Key_F1);
    ASSERT_EQ(services.help.shown.size(), 1u);
    EXPECT_EQ(services.help.shown[0].topic, int(hcBatch));
    EXPECT_TRUE(form->isVisible());
    trigger("ID_BatchProcessing");
    EXPECT_EQ(mdi->findChildren<frmBatch*>().size(), 1);

    trigger("ID_New");
    EXPECT_EQ(told(), QStringList{"You can't open a new birthday while batch processing."});
    EXPECT_EQ(services.prompt.asked[0].title, "Batch In Progress");
    EXPECT_EQ(workspace->birthdayDialog(), nullptr);

    QTest::keyClick(form, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(state.BatchInProgress);
    state.settings.DefaultStyle = "Q";  // a style letter of a settings file this program does not know
    trigger("ID_New");
    ASSERT_NE(workspace->birthdayDialog(), nullptr);
    EXPECT_TRUE(workspace->birthdayDialog()->isVisible());
}
