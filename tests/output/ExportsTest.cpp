#include "output/Exports.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

using namespace natalory;
using namespace natalory::test;

namespace {

struct Exporting : ::testing::Test {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    CanvasDocument doc;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.page = {12240, 15840, 720, 720, 720, 720, 1};
        state.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptClassy, {}, {}};
        DisplayObject* label = NewLabel(doc, state, services.prompt);
        label->Caption = "Anna Lee Born Today!";
        label->Width = 6000;
    }
};

}  // namespace

TEST_F(Exporting, ABitmapAtScreenResolutionCountedAndLoggedWithLoggingOff) {
    state.settings.LogPrintouts = false;
    services.files.answers = {folder.file("anna.bmp")};
    ASSERT_TRUE(SaveExport(ExportKind::Bitmap, doc, state, services.services));
    EXPECT_EQ(services.files.requests[0].fileName, "Anna Lee.bmp");
    EXPECT_EQ(services.files.requests[0].folder, folder.path());
    const QImage bmp(folder.file("anna.bmp"), "BMP");
    EXPECT_EQ(bmp.size(), QSize(816, 1056));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_FALSE(state.SavingToFile);
    EXPECT_TRUE(folder.read("birthday print log.log").contains("\"Saved As .emf File\",\"Classy\""));
}

TEST_F(Exporting, OverwritingAsksAndAnEmptyNameProposesBirthdayPrint) {
    state.birthday.FirstName.clear();
    state.birthday.LastName.clear();
    EXPECT_EQ(ProposedExportName(state), "Birthday Print");
    folder.write("old.png", "old");
    services.files.answers = {folder.file("old.png")};
    services.prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(SaveExport(ExportKind::Png, doc, state, services.services));
    EXPECT_EQ(folder.read("old.png"), "old");
    EXPECT_EQ(state.PrintCount, 0);

    services.files.answers = {folder.file("old.png"), folder.file("old.png")};
    services.prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    ASSERT_TRUE(SaveExport(ExportKind::Png, doc, state, services.services));
    EXPECT_EQ(services.files.requests.size(), 3u);
    EXPECT_TRUE(folder.read("old.png").startsWith("\x89PNG"));
    EXPECT_EQ(state.PrintCount, 1);
}

TEST_F(Exporting, APdfWithTheNameOnItsOnePage) {
    services.files.answers = {folder.file("anna.pdf")};
    ASSERT_TRUE(SaveExport(ExportKind::Pdf, doc, state, services.services));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess p;
    p.start(pdftotext, {folder.file("anna.pdf"), "-"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_TRUE(p.readAllStandardOutput().contains("Anna Lee Born Today!"));
}
