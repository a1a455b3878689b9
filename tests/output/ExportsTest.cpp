#include "output/Exports.h"

#include "output/SvgWriter.h"

#include "support/Doubles.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <functional>

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
    // The bitmap is drawn straight from the page: no temporary metafile is left behind.
    EXPECT_FALSE(QFileInfo::exists(folder.file("XXx134583994872thwod.emf")));
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

TEST_F(Exporting, AMetafileAnIndependentReaderUnderstands) {
    DisplayObject* circle = NewShape(doc, state, services.prompt, shCircle);
    circle->Left = 1000, circle->Top = 2000, circle->Width = 1000, circle->Height = 1000;
    DisplayObject* line = NewShape(doc, state, services.prompt, kLineShapeKind);
    line->BorderStyle = lsDash;
    DisplayObject* pic = NewPicture(doc, state, services.prompt, false);
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    pic->Picture = red;
    pic->Left = 3000, pic->Top = 3000, pic->Width = 720, pic->Height = 720;
    folder.write("old.emf", "old");
    services.files.answers = {folder.file("old.emf")};
    services.prompt.answers = {PromptAnswer::Yes};
    ASSERT_TRUE(SaveExport(ExportKind::Metafile, doc, state, services.services));
    EXPECT_EQ(services.files.requests[0].fileName, "Anna Lee.emf");
    const QByteArray emf = folder.read("old.emf");
    ASSERT_GT(emf.size(), 88);
    EXPECT_EQ(emf.mid(40, 4), " EMF");  // the header's signature
    EXPECT_TRUE(folder.read("birthday print log.log").contains("Saved As .emf File"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Hidden | QDir::Files).filter(".old.emf").size(), 0);

    const QString reader = QStandardPaths::findExecutable("emf2svg-conv");
    if (reader.isEmpty()) GTEST_SKIP() << "emf2svg-conv is not installed";
    QProcess p;
    p.start(reader, {"-i", folder.file("old.emf"), "-o", folder.file("page.svg")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QByteArray svg = folder.read("page.svg");
    EXPECT_TRUE(svg.contains("Anna Lee Born Today!"));
    EXPECT_TRUE(svg.contains("<ellipse") || svg.contains("<path"));
    EXPECT_TRUE(svg.contains("<image"));
}

TEST_F(Exporting, EveryWriterSaysTheDiskIsFullAndLeavesNothingBehind) {
    FullDisk disk;
    PrintEngine engine;
    RenderDocument(doc, engine, state, CanvasPlacement{});
    const struct {
        const char* name;
        std::function<bool(const QString&, QString*)> write;
    } writers[] = {
        {"p.pdf",
         [&](const QString& to, QString* why) { return WriteExport(ExportKind::Pdf, engine, to, why); }},
        {"p.png",
         [&](const QString& to, QString* why) { return WriteExport(ExportKind::Png, engine, to, why); }},
        {"p.bmp",
         [&](const QString& to, QString* why) { return WriteExport(ExportKind::Bitmap, engine, to, why); }},
        {"p.emf",
         [&](const QString& to, QString* why) { return WriteExport(ExportKind::Metafile, engine, to, why); }},
        {"p.svg", [&](const QString& to, QString* why) { return WriteSvg(engine, to, why); }},
    };
    for (const auto& w : writers) {
        QString why;
        bool written = true;
        disk.run(0, [&] { written = w.write(disk.file(w.name), &why); });
        EXPECT_FALSE(written) << w.name;
        if (disk.real())
            EXPECT_EQ(why, "the disk is full") << w.name;
        else
            EXPECT_FALSE(why.isEmpty() || why.contains("Unknown")) << w.name << ": " << why.toStdString();
        EXPECT_TRUE(QDir(QFileInfo(disk.file(w.name)).path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << w.name;
    }
}

TEST(EmfWriter, AHugeSheetKeepsItsSizeInTheHeaderAndAReadOnlyFileIsTreatedAsForPictures) {
    TempProgramFolder folder;
    PrintEngine engine;
    engine.PageWidth = 900000;
    engine.PageHeight = 15840;
    engine.StartDoc();
    engine.EndDoc();
    QString why;
    ASSERT_TRUE(WriteExport(ExportKind::Metafile, engine, folder.file("big.emf"), &why)) << why.toStdString();
    const QByteArray emf = folder.read("big.emf");
    ASSERT_GT(emf.size(), 88);
    // The frame, in hundredths of a millimetre, follows the record's type, size and bounds.
    const auto field = [&](int offset) { return qFromLittleEndian<qint32>(emf.constData() + offset); };
    EXPECT_EQ(field(32), 900000 * 2540LL / 1440);
    EXPECT_EQ(field(36), 15840 * 2540 / 1440);

    engine.PageWidth = 12240;
    for (const char* name : {"ro.emf", "ro.png"}) {
        folder.write(name, "old");
        QFile::setPermissions(folder.file(name), QFileDevice::ReadOwner);
    }
    EXPECT_EQ(WriteExport(ExportKind::Metafile, engine, folder.file("ro.emf"), &why),
              WriteExport(ExportKind::Png, engine, folder.file("ro.png"), &why));
    EXPECT_EQ(folder.read("ro.emf") == "old", folder.read("ro.png") == "old");
}
