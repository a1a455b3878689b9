// natalory-print for one birthday, started as a process the way a user starts it: options
// the application object would take for its own must reach the program all the same.
#include "support/Programs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/resource.h>

using namespace natalory::test;

namespace {

QStringList Birthday(QStringList more = {}) {
    return QStringList{"--first", "Anna", "--last", "Lee", "--date", "1950-01-15"} + more;
}

// The first lines of a template of the user's own.
QByteArray TemplateHead() {
    QByteArray t = "\"Birthday\",\"4.2.0\",12240,15840,1,720,720,720,720\r\n";
    for (int i = 0; i < 16; ++i) t += "#TRUE#,";
    return t + "1,#FALSE#,#FALSE#,#FALSE#\r\n";
}

QString Section(const QString& texts, const char* key) {
    return texts.section(QStringLiteral("[%1]\n").arg(key), 1).section("\n[", 0, 0);
}

}  // namespace

TEST(CommandLineProgram, StyleChoosesTheTemplateAndRefusesAnUnknownOne) {
    TempProgramFolder folder(kPrintData);
    folder.write("mine.als", TemplateHead() +
                                 "\"T\"\r\n10000,2000,200,100,\"Arial\",0,8,#FALSE#,#FALSE#,#FALSE#,"
                                 "#FALSE#,0,\"Our Own Masthead\"\r\n");
    const auto pdfFor = [&](const QString& style) {
        const QString out = folder.file(style.section('.', 0, 0) + ".pdf");
        const ProgramRun r = RunCli(folder, Birthday({"--style", style, "--out", out}));
        EXPECT_EQ(r.exitCode, 0) << style.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.err, "") << style.toStdString();
        return PdfText(out);
    };
    EXPECT_TRUE(pdfFor("news").contains("The Birthday Times"));
    const QString classy = pdfFor("classy");
    EXPECT_FALSE(classy.contains("The Birthday Times"));
    EXPECT_TRUE(classy.contains("Anna Lee"));
    EXPECT_EQ(pdfFor("blank").trimmed(), "");
    EXPECT_TRUE(pdfFor(folder.file("mine.als")).contains("Our Own Masthead"));

    for (const QString& bad : {QStringLiteral("fancy"), folder.file("missing.als")}) {
        const ProgramRun r = RunCli(folder, Birthday({"--style", bad, "--texts"}));
        EXPECT_EQ(r.exitCode, 2) << bad.toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: --style")) << r.err.toStdString();
        EXPECT_EQ(r.out, "");
    }
}

// Names in Polish, Cyrillic and Chinese are drawn, not left as empty boxes: glyphs the
// layout's own fonts lack come from the fonts the system has for them.
TEST(CommandLineProgram, NamesInEveryScriptReachThePrint) {
    TempProgramFolder folder(kPrintData);
    EXPECT_TRUE(
        CliPdfText(folder, "names.pdf", {"--first", "Łucja 陳", "--last", "Иванова", "--date", "1950-01-15"})
            .contains("Łucja 陳 Иванова Born Today!"));

    // A batch PDF too, with ideographs that share their glyphs with radicals (大, 文): they
    // extract as typed, not as ⼤⽂.
    folder.write("people.alb", QStringLiteral("陳,大文,1950-01-15\r\n").toUtf8());
    EXPECT_TRUE(CliPdfText(folder, "all.pdf", {"--batch", folder.file("people.alb")})
                    .contains(QStringLiteral("陳 大文 Born Today!")));
}

TEST(CommandLineProgram, DataSettingsReachEveryOutputAndOverrideTheTemplateBothWays) {
    TempProgramFolder folder(kPrintData);
    // 1950: the Yankees beat the Phillies, which the newspaper also has an article of its own on.
    const auto seriesLines = [&](const char* pdf, const QStringList& args) {
        return CliPdfText(folder, pdf, Birthday(args)).count("World Series");
    };

    // The newspaper switches both on; the switches turn them off for the file and the texts alike.
    const int on = seriesLines("on.pdf", {"--style", "news"});
    EXPECT_EQ(seriesLines("one.pdf", {"--style", "news", "--no-world-to-headlines"}), on - 1);
    const ProgramRun off =
        RunCli(folder, Birthday({"--style", "news", "--no-world-to-headlines", "--no-add-world-to-bits",
                                 "--out", folder.file("off.pdf"), "--texts"}));
    ASSERT_EQ(off.exitCode, 0) << off.err.toStdString();
    EXPECT_EQ(off.err, "");
    EXPECT_EQ(PdfText(folder.file("off.pdf")).count("World Series"), on - 2);
    EXPECT_FALSE(Section(off.out, "bitsofinfo").contains("World Series"));

    // The classy page stores both off; the switch turns the bits' line on in its file.
    EXPECT_EQ(seriesLines("bits.pdf", {"--style", "classy", "--add-world-to-bits"}),
              seriesLines("plain.pdf", {"--style", "classy"}) + 1);

    // The second headline set writes other headlines, into the file as into the texts.
    const ProgramRun set1 = RunCli(folder, Birthday({"--style", "news", "--texts"}));
    const ProgramRun set2 =
        RunCli(folder,
               Birthday({"--style", "news", "--info-set", "2", "--texts", "--out", folder.file("set2.pdf")}));
    const QString headlines2 = Section(set2.out, "birthyearheadlines").section('\n', 0, 0);
    EXPECT_NE(Section(set1.out, "birthyearheadlines").section('\n', 0, 0), headlines2);
    EXPECT_TRUE(PdfText(folder.file("set2.pdf")).simplified().contains(headlines2.left(20).simplified()));

    // The texts as plain text, and a switch and the date mode changing them: 1904 had no World Series.
    const QStringList cy = {"--first",    "Cy",      "--date",  "1904-06-01", "--as-of",
                            "2004-06-01", "--texts", "--style", "blank"};
    const ProgramRun plain = RunCli(folder, cy);
    EXPECT_TRUE(plain.out.startsWith("[johndoeborntoday]\nCy  Born Today!\n\n[birthyearlabel]\n1904\n"));
    EXPECT_FALSE(plain.out.contains("Giants refuse"));
    const ProgramRun bits = RunCli(folder, cy + QStringList{"--add-world-to-bits", "--date-mode", "2"});
    EXPECT_TRUE(bits.out.contains("Giants refuse to play Boston in World Series"));
    EXPECT_TRUE(bits.out.contains("you are 101 years old"));
}

TEST(CommandLineProgram, EveryOutputFormatAndTheTextOptions) {
    TempProgramFolder folder(kPrintData);
    // Without the newspaper's picture its placeholder is printed.
    QFile::remove(folder.file("cake.png"));
    for (const char* name : {"p.pdf", "p.png", "p.bmp", "p.svg", "p.emf"}) {
        const ProgramRun r = RunCli(folder, Birthday({"--out", folder.file(name)}));
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        EXPECT_EQ(r.err, "") << name;
        EXPECT_GT(QFile(folder.file(name)).size(), 100) << name;
    }
    EXPECT_EQ(PdfPages(folder.file("p.pdf")), 1);
    EXPECT_EQ(QImage(folder.file("p.bmp")).size(), QSize(816, 1056));   // 96 dots per inch
    EXPECT_EQ(QImage(folder.file("p.png")).size(), QSize(1275, 1650));  // 150 by default
    EXPECT_EQ(folder.read("p.emf").mid(40, 4), " EMF");
    EXPECT_TRUE(folder.read("p.svg").contains("Anna Lee Born Today!"));
    // Standard output, as a pipe to a file gets it.
    ProgramRun piped = RunCli(folder, Birthday({"--out", "-"}), "en_US.UTF-8", folder.file("piped.pdf"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_TRUE(PdfText(folder.file("piped.pdf")).contains("Anna Lee Born Today!"));
    piped = RunCli(folder, Birthday({"--out", "-", "--format", "png", "--dpi", "72"}), "en_US.UTF-8",
                   folder.file("piped.png"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(QImage(folder.file("piped.png"), "PNG").size(), QSize(612, 792));
    ASSERT_EQ(RunCli(folder, Birthday({"--out", folder.file("named.print"), "--format", "svg"})).exitCode, 0);
    EXPECT_TRUE(folder.read("named.print").contains("<svg"));

    const ProgramRun help = RunCli(folder, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(RunCli(folder, {"--version"}).out, QStringLiteral("natalory-print " NATALORY_VERSION "\n"));
    for (const char* option : {"  --out FILE ", "--style", "--world-to-headlines", "--no-world-to-headlines",
                               "--no-add-world-to-bits", "--info-set"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    // Without --app-dir the data beside the program are read.
    EXPECT_TRUE(Holds(RunProgram(QStringLiteral(NATALORY_CLI), {"--help"}).out, "to 2025-12-31"));
    EXPECT_EQ(RunCli(folder, Birthday()).err,
              "natalory-print: nothing to make: give --texts, --out FILE or --print (see --help)\n");

    for (const QStringList& bad :
         {Birthday({"--out", folder.file("p.txt")}), Birthday({"--dpi", "5", "--out", folder.file("q.png")}),
          Birthday({"--dpi", "nan", "--out", folder.file("q.png")}), Birthday({"--info-set", "3", "--texts"}),
          Birthday({"--date-mode", "9", "--texts"}), Birthday({"--reverse", "--texts"}),
          Birthday({"--frobnicate", "--texts"}),
          Birthday({"--world-to-headlines", "--no-world-to-headlines", "--texts"}),
          // --dpi where there are no dots to count is refused, not ignored.
          Birthday({"--out", folder.file("d.pdf"), "--dpi", "300"}), Birthday({"--out", "-", "--dpi", "300"}),
          Birthday({"--out", folder.file("d.png"), "--format", "pdf"}), Birthday({"--out", "-", "--texts"}),
          Birthday({"--out", "-", "--format", "doc"}), Birthday({"--jobs", "2", "--texts"}),
          QStringList{"--batch", folder.file("none.alb"), "--jobs", "0", "--out", folder.file("b.pdf")},
          QStringList{"--date", "1950-13-40", "--texts"}, QStringList{"--date", "1899-12-31", "--texts"},
          QStringList{"--texts"}}) {
        const ProgramRun r = RunCli(folder, bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(r.out, "") << bad.join(' ').toStdString();
    }
}

// The facts of recent birth years, each as published (not as read back from the data file), up to
// the last year of the data.
TEST(CommandLineProgram, RecentBirthYearsGetTheirOwnFactsUpToTheDatasLastYear) {
    TempProgramFolder folder(kPrintData);
    const struct {
        const char *date, *series, *actor, *actress, *film, *president, *chinese, *stamp;
    } cases[] = {
        {"2010-06-15", "San Francisco Giants Win 2010 World Series", "Jeff Bridges", "Sandra Bullock",
         "The Hurt Locker", "Barack Obama", "Metal Tiger", "$0.44"},
        {"2016-07-04", "Chicago Cubs Win 2016 World Series", "Leonardo DiCaprio", "Brie Larson", "Spotlight",
         "Barack Obama", "Fire Monkey", "$0.47"},
        {"2025-03-01", "Los Angeles Dodgers Win 2025 World Series", "Adrien Brody", "Mikey Madison", "Anora",
         "Donald Trump", "Wood Snake", "$0.73"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        const ProgramRun r =
            RunCli(folder, {"--first", "Anna", "--date", c.date, "--texts", "--json", "--style", "news"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
        EXPECT_EQ(json["worldseriesheadline"].toString(), c.series);
        EXPECT_EQ(json["academyawards"].toString(),
                  QStringLiteral("Best Actor - %1\r\nBest Actress - %2\r\nBest Picture - \"%3\"")
                      .arg(c.actor, c.actress, c.film));
        EXPECT_EQ(json["presidentialannouncementlabel"].toString(),
                  QStringLiteral("President %1 Speaks On U.S. Economy").arg(c.president));
        EXPECT_TRUE(json["chineseastrology"].toString().startsWith(
            QStringLiteral("Your Chinese sign, %1,").arg(c.chinese)));
        EXPECT_TRUE(
            json["historicaleconomics"].toString().contains(QStringLiteral("Stamp.....%1\r\n").arg(c.stamp)));
    }

    // The last birth year is the last year of the data in the folder, whatever that is.
    const ProgramRun late = RunCli(folder, {"--first", "Anna", "--date", "2026-01-01", "--texts"});
    EXPECT_EQ(late.exitCode, 2);
    EXPECT_EQ(late.err, "natalory-print: --date: the year must be from 1900 to 2025, not 2026\n");

    // An older data file ending at 2004 reads as it always has, and ends everything there.
    const QByteArray bytes = folder.read("brdstf.fpf");
    folder.write("brdstf.fpf", bytes.left(bytes.indexOf("\"2005\"")));
    const ProgramRun old = RunCli(folder, {"--first", "Anna", "--date", "2005-01-01", "--texts"});
    EXPECT_EQ(old.exitCode, 2);
    EXPECT_EQ(old.err, "natalory-print: --date: the year must be from 1900 to 2004, not 2005\n");
    EXPECT_TRUE(RunCli(folder, {"--help"}).out.contains("birth date, 1900-01-01 to 2004-12-31"));
    const ProgramRun last = RunCli(folder, {"--first", "Anna", "--date", "2004-06-01", "--texts", "--json"});
    ASSERT_EQ(last.exitCode, 0) << last.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(last.out.toUtf8()).object()["worldseriesheadline"].toString(),
              "Boston Red Sox Win 2004 World Series");

    folder.write("people.alb", "Anna,Lee,2005-01-01\r\n");
    const ProgramRun batch =
        RunCli(folder, {"--batch", folder.file("people.alb"), "--out", folder.file("all.pdf")});
    EXPECT_EQ(batch.exitCode, 2);
    EXPECT_TRUE(Holds(batch.err, "the year must be from 1900 to 2004"));
}

TEST(CommandLineProgram, DamagedOrMissingYearDataMakesNoPrintAndSaysWhichFileLineAndWhat) {
    const struct {
        const char* hostile;
        const char* dataFile;
        QString says;
    } cases[] = {
        {"brdstf-empty.fpf", "brdstf.fpf", ", line 1: the file is empty"},
        {"brdstf-cut.fpf", "brdstf.fpf", ", line 51, field 17: a quoted text has no closing quote"},
        {"brdstf-garbled.fpf", "brdstf.fpf", ", line 50: a year record is 34 fields on one line"},
        {"blear-cut.fpf", "blear.fpf", ", line 300: the file holds nothing for 1950"},
        {"blik-cut.fpf", "blik.fpf", ", line 1201, field 3: the file ends before the record is complete"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hostile);
        TempProgramFolder folder(kPrintData);
        QFile hostile(QStringLiteral(NATALORY_HOSTILE_DATA "/") + c.hostile);
        ASSERT_TRUE(hostile.open(QIODevice::ReadOnly));
        folder.write(c.dataFile, hostile.readAll());
        const QString says = folder.file(c.dataFile) + c.says;
        folder.write("people.alb", "Anna,Lee,1/15/1920\r\nBob,Ray,7/1/1950\r\nCy,Doe,1/15/1920\r\n");

        for (const QStringList& args : {QStringList{"--date", "1950-07-01", "--out", folder.file("one.pdf")},
                                        QStringList{"--date", "1950-07-01", "--texts"}}) {
            const ProgramRun r = RunCli(folder, QStringList{"--first", "Bob"} + args);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err.toStdString(), ("natalory-print: no print: " + says + "\n").toStdString());
            EXPECT_EQ(r.out, "");
        }
        const ProgramRun batch =
            RunCli(folder, {"--batch", folder.file("people.alb"), "--out", folder.file("all.pdf")});
        EXPECT_EQ(batch.exitCode, 1);
        const int failing = QByteArray(c.hostile) == "brdstf-empty.fpf" ? 1 : 2;
        EXPECT_EQ(
            batch.err.toStdString(),
            (QStringLiteral("natalory-print: record %1 could not be printed: ").arg(failing) + says + "\n")
                .toStdString());
        EXPECT_FALSE(QFile::exists(folder.file("one.pdf")));
        EXPECT_FALSE(QFile::exists(folder.file("all.pdf")));

        // A file that holds the year, damaged only where the search never goes, still prints it.
        if (failing == 2) {
            EXPECT_EQ(RunCli(folder, {"--date", "1920-01-15", "--out", folder.file("1920.pdf")}).exitCode, 0);
        }
    }

    // Without the year records it makes nothing at all.
    TempProgramFolder folder({"news.al!", "blear.fpf", "blearII.fpf", "blik.fpf"});
    const ProgramRun r = RunCli(folder, {"--first", "Anna", "--date", "1950-01-15", "--texts"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("natalory-print: cannot read the year data file ")) << r.err.toStdString();
    EXPECT_TRUE(Holds(r.err, "brdstf.fpf: the file does not exist"));
}

TEST(CommandLineProgram, ACompressedDrawingBombPrintsThePlaceholderWithinAGigabyte) {
    TempProgramFolder folder(kPrintData);
    QFile bomb(QStringLiteral(NATALORY_HOSTILE_DATA "/bomb.svgz"));
    ASSERT_TRUE(bomb.open(QIODevice::ReadOnly));
    folder.write("bomb.svgz", bomb.readAll());
    folder.write("bomb.als", TemplateHead() + "\"P\"\r\n2000,2000,500,500,\"bomb.svgz\"\r\n");
    QProcess p;
    // Inflated whole, the drawing took 1.6 GB and ended in std::bad_alloc under this limit.
    p.setChildProcessModifier([] {
        const rlimit gigabyte{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &gigabyte);
    });
    StartProgram(p, QStringLiteral(NATALORY_CLI),
                 Birthday({"--style", folder.file("bomb.als"), "--out", folder.file("bomb.pdf"), "--app-dir",
                           folder.path()}));
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(PdfPages(folder.file("bomb.pdf")), 1);
}
