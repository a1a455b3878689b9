// natalory-print --batch, run as a user runs it.
#include "batch/PrintLog.h"
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QThread>

#include <csignal>

using namespace natalory::test;

namespace {

const QStringList kDataFiles = {"blear.fpf", "blearII.fpf", "blik.fpf",       "brdstf.fpf",
                                "news.al!",  "classy.al!",  "nopicfound.ico", "cake.png"};

// The user's locale is that of the United States unless said: 1/15/1950 is a date.
QProcessEnvironment InLocale(const QString& locale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome Cli(const TempProgramFolder& folder, QStringList args, const QString& locale = "en_US.UTF-8") {
    QProcess p;
    p.setProcessEnvironment(InLocale(locale));
    args << "--app-dir" << folder.path() << "--as-of"
         << "2026-12-06";
    p.start(QStringLiteral(NATALORY_CLI), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

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
    QProcess p;
    p.start("pdfimages", {"-png", "-f", "1", "-l", "1", pdf, prefix});
    ASSERT_TRUE(p.waitForFinished(60000));
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

}  // namespace

TEST(BatchCommand, OnePdfHoldsAPagePerRecordInFileOrder) {
    TempProgramFolder folder(kDataFiles);
    folder.write("people.csv",
                 "Date,First,Last\r\n1950-01-15,Anna,Lee\r\n1960-07-04,Zoë,Ångström\r\n"
                 "11/30/1950,Cara,Doe\r\n");
    const Outcome r = Cli(folder, {"--batch", folder.file("people.csv"), "--out", folder.file("all.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("\nPrinted 3 of 3 records into " + folder.file("all.pdf") + ".\n") ||
                r.err == "Printed 3 of 3 records into " + folder.file("all.pdf") + ".\n")
        << r.err.toStdString();
    ASSERT_EQ(PdfPages(folder.file("all.pdf")), 3);
    EXPECT_TRUE(PdfText(folder.file("all.pdf"), 1).contains("Anna Lee"));
    EXPECT_TRUE(PdfText(folder.file("all.pdf"), 2).contains(QStringLiteral("Zoë Ångström")));
    EXPECT_TRUE(PdfText(folder.file("all.pdf"), 3).contains("Cara Doe"));

    // --from and --to, and the style of the command line over the settings'.
    const Outcome part = Cli(folder, {"--batch", folder.file("people.csv"), "--from", "2", "--to", "3",
                                      "--style", "classy", "--out", folder.file("part.pdf")});
    ASSERT_EQ(part.exitCode, 0) << part.err.toStdString();
    ASSERT_EQ(PdfPages(folder.file("part.pdf")), 2);
    EXPECT_FALSE(PdfText(folder.file("part.pdf")).contains("Anna Lee"));
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 2).contains("Cara Doe"));
    EXPECT_NE(PdfText(folder.file("part.pdf"), 2), PdfText(folder.file("all.pdf"), 3));
}

TEST(BatchCommand, PicturesKeepTheirQualityInTheSinglePdfAndTheBatchPdf) {
    TempProgramFolder folder(kDataFiles);
    const Outcome one = Cli(folder, {"--first", "Anna", "--last", "Lee", "--date", "1950-01-15", "--out",
                                     folder.file("one.pdf")});
    ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
    ExpectThePngOnceAndLossless(folder.file("one.pdf"), folder.file("cake.png"));

    folder.write("three.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,7/4/1960\r\nCara,Doe,11/30/1950\r\n");
    const Outcome three =
        Cli(folder, {"--batch", folder.file("three.alb"), "--out", folder.file("three.pdf")});
    ASSERT_EQ(three.exitCode, 0) << three.err.toStdString();
    ASSERT_EQ(PdfPages(folder.file("three.pdf")), 3);
    ExpectThePngOnceAndLossless(folder.file("three.pdf"), folder.file("cake.png"));
}

TEST(BatchCommand, ABadFileExitsTwoNamingTheLineAndWritesNothing) {
    TempProgramFolder folder(kDataFiles);
    folder.write("bad.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\n");
    const QStringList before = FilesIn(folder.path());
    const Outcome r = Cli(folder, {"--batch", folder.file("bad.alb"), "--out", folder.file("out.pdf")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("line 2")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("31/31/1950")) << r.err.toStdString();
    const Outcome dir = Cli(folder, {"--batch", folder.file("bad.alb"), "--out-dir", folder.file("prints")});
    EXPECT_EQ(dir.exitCode, 2);
    EXPECT_EQ(FilesIn(folder.path()), before);
    EXPECT_FALSE(QFileInfo::exists(folder.file("prints")));

    EXPECT_EQ(Cli(folder, {"--batch", folder.file("missing.alb"), "--out", folder.file("out.pdf")}).exitCode,
              2);
    EXPECT_EQ(Cli(folder, {"--batch", folder.file("bad.alb")}).exitCode, 2);
    EXPECT_EQ(Cli(folder, {"--batch", folder.file("bad.alb"), "--out", folder.file("out.png")}).exitCode, 2);
    EXPECT_EQ(FilesIn(folder.path()), before);

    // An empty file, and one with a NUL byte that would cut a name short on the print.
    folder.write("empty.alb", "");
    folder.write("nul.alb", QByteArray("Anna,Lee,1/15/1950\r\nBob\0Evil,Smith,7/4/1960\r\n", 45));
    const Outcome empty = Cli(folder, {"--batch", folder.file("empty.alb"), "--out", folder.file("out.pdf")});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(empty.err,
              "natalory-print: the batch file " + folder.file("empty.alb") + " holds no records\n");
    const Outcome nul = Cli(folder, {"--batch", folder.file("nul.alb"), "--out", folder.file("out.pdf")});
    EXPECT_EQ(nul.exitCode, 2);
    EXPECT_EQ(nul.err, "natalory-print: " + folder.file("nul.alb") +
                           ", line 2: a NUL byte; expected text: UTF-8, Windows-1252, or UTF-16 with its "
                           "byte order mark\n");
    EXPECT_FALSE(QFileInfo::exists(folder.file("out.pdf")));

    // The dates a fresh system (the C locale) and a British one read, and the message naming them.
    folder.write("us.alb", "Anna,Lee,1/15/1950\r\n");
    const Outcome c =
        Cli(folder, {"--batch", folder.file("us.alb"), "--out", folder.file("c.pdf")}, "C.UTF-8");
    EXPECT_EQ(c.exitCode, 0) << c.err.toStdString();
    const Outcome gb =
        Cli(folder, {"--batch", folder.file("us.alb"), "--out", folder.file("gb.pdf")}, "en_GB.UTF-8");
    EXPECT_EQ(gb.exitCode, 2);
    EXPECT_TRUE(gb.err.contains("dates are read as 1950-01-15 or 15/01/1950")) << gb.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.file("gb.pdf")));
}

TEST(BatchCommand, SpreadsheetExportsPrintAsTheyCome) {
    TempProgramFolder folder(kDataFiles);
    QByteArray unicodeText("\xFF\xFE");
    for (QChar c : QStringLiteral("First\tLast\tDate\r\nZoë\tÅngström\t1960-07-04\r\n"))
        unicodeText += char(c.unicode() & 0xFF), unicodeText += char(c.unicode() >> 8);
    folder.write("unicode.txt", unicodeText);
    folder.write("semicolons.csv", "Last;First;Date\r\nLee;Anna;1/15/1950\r\n");
    folder.write("sep.csv", "sep=;\r\nCara;Doe;11/30/1950\r\n");
    for (const auto& [file, name] :
         {std::pair{"unicode.txt", "Zoë Ångström"}, std::pair{"semicolons.csv", "Anna Lee"},
          std::pair{"sep.csv", "Cara Doe"}}) {
        const QString pdf = folder.file(QString::fromLatin1(file) + ".pdf");
        const Outcome r = Cli(folder, {"--batch", folder.file(file), "--out", pdf});
        ASSERT_EQ(r.exitCode, 0) << file << ": " << r.err.toStdString();
        EXPECT_EQ(PdfPages(pdf), 1) << file;
        EXPECT_TRUE(PdfText(pdf).contains(QString::fromUtf8(name))) << file;
    }
}

TEST(BatchCommand, ThePrintsDatesAreEnglishInTheOrderOfTheUsersCountry) {
    TempProgramFolder folder(kDataFiles);
    for (const auto& [locale, date] : {std::pair{"de_DE.UTF-8", "Sunday, 15 January 1950"},
                                       std::pair{"en_US.UTF-8", "Sunday, January 15, 1950"}}) {
        QProcess p;
        p.setProcessEnvironment(InLocale(locale));
        p.start(QStringLiteral(NATALORY_CLI), {"--app-dir", folder.path(), "--first", "Anna", "--last", "Lee",
                                               "--date", "1950-01-15", "--as-of", "2026-12-06", "--texts"});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString texts = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(texts.contains(date)) << locale << ": " << texts.left(600).toStdString();
        EXPECT_FALSE(texts.contains("Sonntag")) << locale;
    }
}

TEST(BatchCommand, OutDirWritesAFilePerRecordNamedByNumberAndName) {
    TempProgramFolder folder(kDataFiles);
    folder.write("people.alb",
                 "Anna,Lee,1/15/1950\r\n\"Bob/Rob\",\"Smith\",\"7/4/1960\"\r\nCara,Doe,1950-11-30\r\n");
    const Outcome r = Cli(
        folder, {"--batch", folder.file("people.alb"), "--from", "2", "--out-dir", folder.file("prints")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(FilesIn(folder.file("prints")), QStringList({"002 Bob_Rob Smith.pdf", "003 Cara Doe.pdf"}));
    EXPECT_TRUE(PdfText(folder.file("prints/003 Cara Doe.pdf")).contains("Cara Doe"));
}

TEST(BatchCommand, CtrlCStopsBetweenRecordsAndLeavesNoFileNorWorker) {
    TempProgramFolder folder(kDataFiles);
    QByteArray many;
    for (int i = 0; i < 3000; ++i) many += "Anna,Lee" + QByteArray::number(i) + ",1/15/1950\r\n";
    folder.write("many.alb", many);
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        QProcess p;
        p.setProcessEnvironment(InLocale("en_US.UTF-8"));
        p.start(QStringLiteral(NATALORY_CLI), {"--app-dir", folder.path(), "--batch", folder.file("many.alb"),
                                               "--out", folder.file("many.pdf"), "--jobs", jobs});
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

TEST(BatchCommand, OnEveryCoreTheFileAndTheLogAreThoseOfOneCore) {
    TempProgramFolder folder(kDataFiles);
    folder.write("people.alb", People(45));
    for (const char* jobs : {"1", "2"}) {
        const Outcome r = Cli(folder, {"--batch", folder.file("people.alb"), "--jobs", jobs, "--out",
                                       folder.file(QStringLiteral("%1.pdf").arg(jobs))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Printed 45 of 45 records into %1.\n")
                                       .arg(folder.file(QStringLiteral("%1.pdf").arg(jobs)))))
            << r.err.toStdString();
    }
    // pdftotext ends each page with a form feed: the same text on every page, in the same order.
    ASSERT_EQ(PdfPages(folder.file("2.pdf")), 45);
    EXPECT_EQ(PdfText(folder.file("2.pdf")), PdfText(folder.file("1.pdf")));
    EXPECT_TRUE(PdfText(folder.file("2.pdf"), 45).contains("Person45 Lee"));
    QProcess check;
    check.start("qpdf", {"--check", folder.file("2.pdf")});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    const natalory::PrintLogContents logged =
        natalory::ReadPrintLog(folder.file("birthday print log.log"), QDate(2026, 12, 6));
    ASSERT_EQ(logged.rows.size(), 90u);
    for (size_t i = 0; i < 90; ++i)
        EXPECT_EQ(logged.rows[i].name,
                  QStringLiteral("Person%1 Lee").arg(i % 45 + 1, 2, 10, QLatin1Char('0')));

    // A range is shared among the workers as a whole file is.
    ASSERT_EQ(Cli(folder, {"--batch", folder.file("people.alb"), "--from", "20", "--to", "44", "--jobs", "3",
                           "--out", folder.file("part.pdf")})
                  .exitCode,
              0);
    ASSERT_EQ(PdfPages(folder.file("part.pdf")), 25);
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 1).contains("Person20 Lee"));
    EXPECT_TRUE(PdfText(folder.file("part.pdf"), 25).contains("Person44 Lee"));
}

TEST(BatchCommand, ARecordThatFailsInTheSecondHalfStopsTheBatchNamingIt) {
    TempProgramFolder folder(kDataFiles);
    QFile hostile(QStringLiteral(NATALORY_HOSTILE_DATA "/blear-cut.fpf"));
    ASSERT_TRUE(hostile.open(QIODevice::ReadOnly));
    folder.write("blear.fpf", hostile.readAll());
    folder.write("people.alb", People(40, 33));
    const Outcome r =
        Cli(folder, {"--batch", folder.file("people.alb"), "--jobs", "2", "--out", folder.file("all.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "natalory-print: record 33 could not be printed: " + folder.file("blear.fpf") +
                         ", line 300: the file holds nothing for 1950\n");
    EXPECT_FALSE(QFile::exists(folder.file("all.pdf")));
    EXPECT_FALSE(QFile::exists(folder.file("birthday print log.log")));
}

TEST(BatchCommand, EveryPrintIsLoggedAsTheWindowLogsItAndEachProblemIsToldOnce) {
    TempProgramFolder folder(kDataFiles);
    folder.write("three.alb", "Anna,Lee,1/15/1950\r\nBob,Smith,7/4/1960\r\nCara,Doe,11/30/1950\r\n");
    const QString log = folder.file("birthday print log.log");
    ASSERT_EQ(Cli(folder, {"--batch", folder.file("three.alb"), "--out", folder.file("all.pdf")}).exitCode,
              0);
    const natalory::PrintLogContents logged = natalory::ReadPrintLog(log, QDate(2026, 12, 6));
    ASSERT_EQ(logged.rows.size(), 3u);
    EXPECT_EQ(logged.rows[1].name, "Bob Smith");
    // Names and birthdays are the user's alone.
    EXPECT_EQ(QFileInfo(log).permissions() & 0x0077, 0);

    // A log that cannot be written is said once; the prints go on.
    QFile::remove(log);
    QDir().mkdir(log);
    const Outcome unlogged =
        Cli(folder, {"--batch", folder.file("three.alb"), "--out", folder.file("all.pdf")});
    EXPECT_EQ(unlogged.exitCode, 0);
    EXPECT_TRUE(
        unlogged.err.startsWith("natalory-print: warning: The print log " + log + " could not be written: "))
        << unlogged.err.toStdString();
    EXPECT_EQ(unlogged.err.count("warning"), 1) << unlogged.err.toStdString();
    EXPECT_TRUE(unlogged.err.endsWith("\nPrinted 3 of 3 records into " + folder.file("all.pdf") + ".\n"))
        << unlogged.err.toStdString();

    // A print that cannot be written says why in one sentence.
    QDir().mkpath(folder.file("prints/001 Anna Lee.pdf"));
    const Outcome failed =
        Cli(folder, {"--batch", folder.file("three.alb"), "--out-dir", folder.file("prints")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains("natalory-print: record 1 could not be printed: "))
        << failed.err.toStdString();
    EXPECT_EQ(failed.err.count("could not be printed"), 1) << failed.err.toStdString();
}
