// natalory-print --batch, run as a user runs it.
#include "batch/PrintLog.h"
#include "support/Programs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QThread>

#include <csignal>

using namespace natalory::test;

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The newspaper's cake, a PNG with transparency, is stored once (every page refers to the one
// object) and as it went in: no JPEG, and its pixels come back out of the PDF as they were.
void ExpectThePngOnceAndLossless(const QString& pdf, const QString& png) {
    QSet<QString> objects;
    for (const PdfImage& image : PdfImages(pdf)) {
        EXPECT_NE(image.encoding, "jpeg") << image.type.toStdString();
        if (image.type == "image") objects.insert(image.object);
    }
    EXPECT_EQ(objects.size(), 1);

    const QString prefix = QFileInfo(pdf).absolutePath() + "/extracted";
    ASSERT_EQ(RunProgram("pdfimages", {"-png", "-f", "1", "-l", "1", pdf, prefix}).exitCode, 0);
    const QImage original = QImage(png).convertToFormat(QImage::Format_ARGB32);
    const QImage colour = QImage(prefix + "-000.png").convertToFormat(QImage::Format_RGB32);
    const QImage alpha = QImage(prefix + "-001.png").convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(colour.size(), original.size());
    ASSERT_EQ(alpha.size(), original.size());
    int worst = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const QRgb want = original.pixel(x, y);
            const QRgb got = colour.pixel(x, y);
            worst = std::max(worst, std::abs(qAlpha(want) - qGray(alpha.pixel(x, y))));
            // Where nothing shows, the colour is nobody's business.
            if (qAlpha(want) < 8) continue;
            worst = std::max({worst, std::abs(qRed(want) - qRed(got)), std::abs(qGreen(want) - qGreen(got)),
                              std::abs(qBlue(want) - qBlue(got))});
        }
    EXPECT_LE(worst, 2);
    for (const QString& f : QDir(QFileInfo(pdf).absolutePath()).entryList({"extracted-*"}))
        QFile::remove(QFileInfo(pdf).absolutePath() + u'/' + f);
}

// People born on a different day each, named so that no name holds another.
QByteArray People(int count, int bornIn1950 = 0) {
    QByteArray people;
    for (int i = 1; i <= count; ++i)
        people += QStringLiteral("Person%1,Lee,%2/15/%3\r\n")
                      .arg(i, 2, 10, QLatin1Char('0'))
                      .arg(1 + i % 12)
                      .arg(i == bornIn1950 ? 1950 : 1900 + i)
                      .toLatin1();
    return people;
}

}  // namespace

TEST(BatchCommand, OnePdfHoldsAPagePerRecordInFileOrderAndThePictureOnceLossless) {
    TempProgramFolder folder(kPrintData);
    ASSERT_EQ(
        RunCli(folder, {"--first", "Anna", "--date", "1950-01-15", "--out", folder.file("one.pdf")}).exitCode,
        0);
    ExpectThePngOnceAndLossless(folder.file("one.pdf"), folder.file("cake.png"));

    // A spreadsheet's Unicode text export: UTF-16 with its mark, tabs, a header row.
    QByteArray unicodeText("\xFF\xFE");
    for (QChar c :
         QStringLiteral("Date\tFirst\tLast\r\n1950-01-15\tAnna\tLee\r\n1960-07-04\tZoë\tÅngström\r\n"
                        "11/30/1950\tCara\tDoe\r\n"))
        unicodeText += char(c.unicode() & 0xFF), unicodeText += char(c.unicode() >> 8);
    folder.write("people.txt", unicodeText);
    const QString all = folder.file("all.pdf");
    const ProgramRun r = RunCli(folder, {"--batch", folder.file("people.txt"), "--out", all});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("\nPrinted 3 of 3 records into " + all + ".\n") ||
                r.err == "Printed 3 of 3 records into " + all + ".\n")
        << r.err.toStdString();
    ASSERT_EQ(PdfPages(all), 3);
    EXPECT_TRUE(PdfText(all, 1).contains("Anna Lee"));
    EXPECT_TRUE(PdfText(all, 2).contains(QStringLiteral("Zoë Ångström")));
    EXPECT_TRUE(PdfText(all, 3).contains("Cara Doe"));
    ExpectThePngOnceAndLossless(all, folder.file("cake.png"));
    // Each font is stored once, however many pages use it.
    const auto fonts = [](const QString& pdf) { return RunProgram("pdffonts", {pdf}).out.count(u'\n'); };
    EXPECT_GT(fonts(folder.file("one.pdf")), 2);
    EXPECT_EQ(fonts(all), fonts(folder.file("one.pdf")));

    // --from and --to, and the style of the command line over the settings'.
    CliPdfText(folder, "part.pdf",
               {"--batch", folder.file("people.txt"), "--from", "2", "--to", "3", "--style", "classy"});
    ASSERT_EQ(PdfPages(folder.file("part.pdf")), 2);
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 2).contains("Cara Doe"));
    EXPECT_NE(PdfText(folder.file("part.pdf"), 2), PdfText(all, 3));
}

TEST(BatchCommand, ABadFileExitsTwoSayingWhyAndWritesNothingAndDatesFollowTheUsersCountry) {
    TempProgramFolder folder(kPrintData);
    folder.write("bad.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\n");
    folder.write("empty.alb", "");
    // A NUL byte would cut a name short on the print.
    folder.write("nul.alb", QByteArray("Anna,Lee,1/15/1950\r\nBob\0Evil,Smith,7/4/1960\r\n", 45));
    folder.write("us.alb", "Anna,Lee,1/15/1950\r\n");
    const QString bad = folder.file("bad.alb"), out = folder.file("out.pdf");
    const QStringList before = FilesIn(folder.path());
    const struct {
        QStringList args;
        QString says;
        const char* locale = "en_US.UTF-8";
    } cases[] = {
        {{"--batch", bad, "--out", out}, ", line 2"},
        {{"--batch", bad, "--out-dir", folder.file("prints")}, "31/31/1950"},
        {{"--batch", folder.file("missing.alb"), "--out", out}, "natalory-print: "},
        {{"--batch", folder.path(), "--out", out}, "natalory-print: "},
        {{"--batch", bad}, "natalory-print: "},
        {{"--batch", bad, "--out", folder.file("out.png")}, "natalory-print: "},
        {{"--batch", folder.file("empty.alb"), "--out", out},
         "natalory-print: the batch file " + folder.file("empty.alb") + " holds no records\n"},
        {{"--batch", folder.file("nul.alb"), "--out", out},
         "natalory-print: " + folder.file("nul.alb") +
             ", line 2: a NUL byte; expected text: UTF-8, Windows-1252, or UTF-16 with its byte order "
             "mark\n"},
        // A British user's dates, and the message naming them.
        {{"--batch", folder.file("us.alb"), "--out", out},
         "dates are read as 1950-01-15 or 15/01/1950",
         "en_GB.UTF-8"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = RunCli(folder, c.args, c.locale);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(Holds(r.err, c.says));
    }
    EXPECT_EQ(FilesIn(folder.path()), before);
    EXPECT_FALSE(QFileInfo::exists(folder.file("prints")));
    // A fresh system (the C locale) reads the dates of the United States.
    EXPECT_EQ(RunCli(folder, {"--batch", folder.file("us.alb"), "--out", out}, "C.UTF-8").exitCode, 0);
    // The print's dates are English, in the order of the user's country.
    const ProgramRun r =
        RunCli(folder, {"--first", "Anna", "--date", "1950-01-15", "--texts"}, "de_DE.UTF-8");
    EXPECT_TRUE(r.out.contains("Sunday, 15 January 1950")) << r.out.left(600).toStdString();
    EXPECT_FALSE(r.out.contains("Sonntag"));
}

TEST(BatchCommand, CtrlCStopsBetweenRecordsAndLeavesNoFileNorWorker) {
    TempProgramFolder folder(kPrintData);
    QByteArray many;
    for (int i = 0; i < 3000; ++i) many += "Anna,Lee" + QByteArray::number(i) + ",1/15/1950\r\n";
    folder.write("many.alb", many);
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        QProcess p;
        StartProgram(p, QStringLiteral(NATALORY_CLI),
                     {"--app-dir", folder.path(), "--batch", folder.file("many.alb"), "--out",
                      folder.file("many.pdf"), "--jobs", jobs});
        ASSERT_TRUE(p.waitForStarted());
        // Once it listens for Ctrl+C the batch is under way.
        const auto listening = [&p] {
            QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
            if (!status.open(QIODevice::ReadOnly)) return false;
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("SigCgt:"))
                    return (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1u << (SIGINT - 1))) != 0;
            return false;
        };
        for (int i = 0; i < 3000 && !listening(); ++i) QThread::msleep(10);
        ASSERT_TRUE(listening());
        QThread::msleep(300);
        ::kill(pid_t(p.processId()), SIGINT);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 130);
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("interrupted"));
        EXPECT_TRUE(FilesIn(folder.path()).filter("many.pdf").isEmpty())
            << FilesIn(folder.path()).join(' ').toStdString();
        // No worker goes on printing once the batch has ended.
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile command("/proc/" + pid + "/cmdline");
            if (command.open(QIODevice::ReadOnly)) {
                EXPECT_FALSE(command.readAll().contains("many.alb")) << pid.toStdString();
            }
        }
    }
}

TEST(BatchCommand, OnEveryCoreTheFileAndTheLogAreThoseOfOneCore) {
    TempProgramFolder folder(kPrintData);
    folder.write("people.alb", People(45));
    for (const char* jobs : {"1", "2"}) {
        const QString pdf = folder.file(QStringLiteral("%1.pdf").arg(jobs));
        const ProgramRun r =
            RunCli(folder, {"--batch", folder.file("people.alb"), "--jobs", jobs, "--out", pdf});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith("Printed 45 of 45 records into " + pdf + ".\n")) << r.err.toStdString();
    }
    // pdftotext ends each page with a form feed: the same text on every page, in the same order.
    ASSERT_EQ(PdfPages(folder.file("2.pdf")), 45);
    EXPECT_EQ(PdfText(folder.file("2.pdf")), PdfText(folder.file("1.pdf")));
    EXPECT_TRUE(PdfText(folder.file("2.pdf"), 45).contains("Person45 Lee"));
    const ProgramRun check = RunProgram("qpdf", {"--check", folder.file("2.pdf")});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();

    const natalory::PrintLogContents logged =
        natalory::ReadPrintLog(folder.file("birthday print log.log"), QDate(2026, 12, 6));
    ASSERT_EQ(logged.rows.size(), 90u);
    for (size_t i = 0; i < 90; ++i)
        EXPECT_EQ(logged.rows[i].name,
                  QStringLiteral("Person%1 Lee").arg(i % 45 + 1, 2, 10, QLatin1Char('0')));

    // A range is shared among the workers as a whole file is.
    CliPdfText(folder, "part.pdf",
               {"--batch", folder.file("people.alb"), "--from", "20", "--to", "44", "--jobs", "3"});
    ASSERT_EQ(PdfPages(folder.file("part.pdf")), 25);
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 1).contains("Person20 Lee"));
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 25).contains("Person44 Lee"));
}

TEST(BatchCommand, ARecordThatFailsInTheSecondHalfStopsTheBatchNamingIt) {
    TempProgramFolder folder(kPrintData);
    QFile hostile(QStringLiteral(NATALORY_HOSTILE_DATA "/blear-cut.fpf"));
    ASSERT_TRUE(hostile.open(QIODevice::ReadOnly));
    folder.write("blear.fpf", hostile.readAll());
    folder.write("people.alb", People(40, 33));
    const ProgramRun r = RunCli(
        folder, {"--batch", folder.file("people.alb"), "--jobs", "2", "--out", folder.file("all.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "natalory-print: record 33 could not be printed: " + folder.file("blear.fpf") +
                         ", line 300: the file holds nothing for 1950\n");
    EXPECT_FALSE(QFile::exists(folder.file("all.pdf")));
    EXPECT_FALSE(QFile::exists(folder.file("birthday print log.log")));
}

TEST(BatchCommand, EveryPrintIsLoggedAsTheWindowLogsItAndEachProblemIsToldOnce) {
    TempProgramFolder folder(kPrintData);
    folder.write("three.alb",
                 "Anna,Lee,1/15/1950\r\n\"Bob/Rob\",\"Smith\",\"7/4/1960\"\r\nCara,Doe,1950-11-30\r\n");
    const QString log = folder.file("birthday print log.log");
    const QStringList three = {"--batch", folder.file("three.alb"), "--out", folder.file("all.pdf")};
    ASSERT_EQ(RunCli(folder, three).exitCode, 0);
    // Names and birthdays are the user's alone.
    EXPECT_EQ(QFileInfo(log).permissions() & 0x0077, 0);

    // A log that cannot be written is said once; the prints go on.
    QFile::remove(log);
    QDir().mkdir(log);
    const ProgramRun unlogged = RunCli(folder, three);
    EXPECT_EQ(unlogged.exitCode, 0);
    EXPECT_TRUE(
        unlogged.err.startsWith("natalory-print: warning: The print log " + log + " could not be written: "))
        << unlogged.err.toStdString();
    EXPECT_EQ(unlogged.err.count("warning"), 1) << unlogged.err.toStdString();
    EXPECT_TRUE(unlogged.err.endsWith("\nPrinted 3 of 3 records into " + folder.file("all.pdf") + ".\n"))
        << unlogged.err.toStdString();

    // A file per record, named by number and name; one that cannot be written says why in one sentence.
    const ProgramRun some = RunCli(
        folder, {"--batch", folder.file("three.alb"), "--from", "2", "--out-dir", folder.file("prints")});
    ASSERT_EQ(some.exitCode, 0) << some.err.toStdString();
    EXPECT_EQ(FilesIn(folder.file("prints")), QStringList({"002 Bob_Rob Smith.pdf", "003 Cara Doe.pdf"}));
    EXPECT_TRUE(PdfText(folder.file("prints/003 Cara Doe.pdf")).contains("Cara Doe"));
    QDir().mkpath(folder.file("prints/001 Anna Lee.pdf"));
    const ProgramRun failed =
        RunCli(folder, {"--batch", folder.file("three.alb"), "--out-dir", folder.file("prints")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(Holds(failed.err, "natalory-print: record 1 could not be printed: "));
    EXPECT_EQ(failed.err.count("could not be printed"), 1) << failed.err.toStdString();
}
