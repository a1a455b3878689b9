// natalory-print for one birthday, started as a process the way a user starts it: options
// the application object would take for its own must reach the program all the same.
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>

#include <sys/resource.h>

using namespace natalory::test;

namespace {

const QStringList kDataFiles = {"blear.fpf", "blearII.fpf", "blik.fpf",  "brdstf.fpf",
                                "news.al!",  "classy.al!",  "blank.al!", "nopicfound.ico"};

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun Cli(const TempProgramFolder& folder, QStringList args, const QString& standardOutputFile = {}) {
    QProcess p;
    if (!standardOutputFile.isEmpty()) p.setStandardOutputFile(standardOutputFile);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "en_US.UTF-8");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Qt warns about a runtime folder it cannot find; the tool must not pass that on.
    env.remove("XDG_RUNTIME_DIR");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(NATALORY_CLI), args << "--app-dir" << folder.path() << "--as-of"
                                               << "2026-12-06");
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QStringList Birthday(QStringList more = {}) {
    return QStringList{"--first", "Anna", "--last", "Lee", "--date", "1950-01-15"} + more;
}

// A template of the user's own: one label with `caption`, and info objects for the
// headlines and the bits of info with both World Series data settings switched on.
QByteArray OwnTemplate(const char* caption) {
    QByteArray t = "\"Birthday\",\"4.2.0\",12240,15840,1,720,720,720,720\r\n";
    for (int i = 0; i < 16; ++i) t += "#TRUE#,";
    t += "1,#TRUE#,#TRUE#,#FALSE#\r\n";
    const auto label = [&t](const char* tag, int top, const QByteArray& text) {
        t += "\"" + QByteArray(tag) + "\"\r\n10000,2000,200," + QByteArray::number(top) +
             ",\"Arial\",0,8,#FALSE#,#FALSE#,#FALSE#,#FALSE#,0,\"" + text + "\"\r\n";
    };
    label("T", 100, caption);
    label("Tbirthyearheadlines", 2200, "");
    label("Tbitsofinfo", 4400, "");
    return t;
}

}  // namespace

TEST(CommandLineProgram, StyleChoosesTheTemplateAndRefusesAnUnknownOne) {
    TempProgramFolder folder(kDataFiles);
    folder.write("mine.als", OwnTemplate("Our Own Masthead"));
    const auto pdfFor = [&](const QString& style) {
        const QString out = folder.file(style.section('.', 0, 0) + ".pdf");
        const CliRun r = Cli(folder, Birthday({"--style", style, "--out", out}));
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
        const CliRun r = Cli(folder, Birthday({"--style", bad, "--texts"}));
        EXPECT_EQ(r.exitCode, 2) << bad.toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: --style")) << r.err.toStdString();
        EXPECT_EQ(r.out, "");
    }
}

// Names in Polish, Cyrillic and Chinese are drawn, not left as empty boxes: glyphs the
// layout's own fonts lack come from the fonts the system has for them.
TEST(CommandLineProgram, NamesInEveryScriptReachThePrint) {
    TempProgramFolder folder(kDataFiles);
    const CliRun r = Cli(folder, {"--first", "Łucja 陳", "--last", "Иванова", "--date", "1950-01-15", "--out",
                                  folder.file("names.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(PdfText(folder.file("names.pdf")).contains("Łucja 陳 Иванова Born Today!"));

    // A batch PDF too, with ideographs that share their glyphs with radicals (大, 文): they
    // extract as typed, not as ⼤⽂.
    folder.write("people.alb", QStringLiteral("陳,大文,1950-01-15\r\n").toUtf8());
    const CliRun batch = Cli(folder, {"--batch", folder.file("people.alb"), "--out", folder.file("all.pdf")});
    ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    EXPECT_TRUE(PdfText(folder.file("all.pdf")).contains(QStringLiteral("陳 大文 Born Today!")));
}

TEST(CommandLineProgram, DataSettingsReachEveryOutputAndOverrideTheTemplateBothWays) {
    TempProgramFolder folder(kDataFiles);
    folder.write("mine.als", OwnTemplate("Mine"));
    const QString mine = folder.file("mine.als");
    // 1950: the Yankees beat the Phillies.
    const auto seriesLines = [](const QString& text) { return text.count("World Series"); };

    // The template switches both on; the switches turn them off for the file and the texts alike.
    CliRun r = Cli(folder, Birthday({"--style", mine, "--out", folder.file("on.pdf")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(seriesLines(PdfText(folder.file("on.pdf"))), 2);
    r = Cli(folder, Birthday({"--style", mine, "--no-world-to-headlines", "--out", folder.file("one.pdf")}));
    EXPECT_EQ(seriesLines(PdfText(folder.file("one.pdf"))), 1);
    r = Cli(folder, Birthday({"--style", mine, "--no-world-to-headlines", "--no-add-world-to-bits", "--out",
                              folder.file("off.pdf"), "--texts"}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(seriesLines(PdfText(folder.file("off.pdf"))), 0);
    EXPECT_FALSE(r.out.section("[bitsofinfo]", 1).section("\n[", 0, 0).contains("World Series"));

    // The classy page stores both off; the switch turns the bits' line on in its file.
    r = Cli(folder, Birthday({"--style", "classy", "--add-world-to-bits", "--out", folder.file("bits.pdf")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const CliRun plain = Cli(folder, Birthday({"--style", "classy", "--out", folder.file("plain.pdf")}));
    EXPECT_EQ(seriesLines(PdfText(folder.file("bits.pdf"))),
              seriesLines(PdfText(folder.file("plain.pdf"))) + 1);

    // The second headline set writes other headlines, into the file as into the texts.
    const CliRun set1 = Cli(folder, Birthday({"--style", mine, "--texts"}));
    const CliRun set2 = Cli(
        folder, Birthday({"--style", mine, "--info-set", "2", "--texts", "--out", folder.file("set2.pdf")}));
    const QString headlines2 = set2.out.section("[birthyearheadlines]\n", 1).section('\n', 0, 0);
    EXPECT_NE(set1.out.section("[birthyearheadlines]\n", 1).section('\n', 0, 0), headlines2);
    EXPECT_TRUE(PdfText(folder.file("set2.pdf")).simplified().contains(headlines2.left(20).simplified()));

    r = Cli(folder, Birthday({"--world-to-headlines", "--no-world-to-headlines", "--texts"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("contradict")) << r.err.toStdString();
}

TEST(CommandLineProgram, EveryOutputFormatAndTheTextOptions) {
    TempProgramFolder folder(kDataFiles);
    for (const char* name : {"p.pdf", "p.png", "p.bmp", "p.svg", "p.emf"}) {
        const CliRun r = Cli(folder, Birthday({"--out", folder.file(name)}));
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        EXPECT_EQ(r.err, "") << name;
        EXPECT_GT(QFile(folder.file(name)).size(), 100) << name;
    }
    EXPECT_EQ(PdfPages(folder.file("p.pdf")), 1);
    EXPECT_EQ(QImage(folder.file("p.bmp")).size(), QSize(816, 1056));   // 96 dots per inch
    EXPECT_EQ(QImage(folder.file("p.png")).size(), QSize(1275, 1650));  // 150 by default
    EXPECT_EQ(folder.read("p.emf").mid(40, 4), " EMF");
    EXPECT_TRUE(folder.read("p.svg").contains("Anna Lee Born Today!"));
    ASSERT_EQ(Cli(folder, Birthday({"--out", folder.file("small.png"), "--dpi", "72"})).exitCode, 0);
    EXPECT_EQ(QImage(folder.file("small.png")).size(), QSize(612, 792));
    // Standard output, as a pipe to a file gets it.
    CliRun piped = Cli(folder, Birthday({"--out", "-"}), folder.file("piped.pdf"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(PdfPages(folder.file("piped.pdf")), 1);
    EXPECT_TRUE(PdfText(folder.file("piped.pdf")).contains("Anna Lee Born Today!"));
    piped = Cli(folder, Birthday({"--out", "-", "--format", "png", "--dpi", "72"}), folder.file("piped.png"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(QImage(folder.file("piped.png"), "PNG").size(), QSize(612, 792));
    ASSERT_EQ(Cli(folder, Birthday({"--out", folder.file("named.print"), "--format", "svg"})).exitCode, 0);
    EXPECT_TRUE(folder.read("named.print").contains("<svg"));
    EXPECT_EQ(Cli(folder, Birthday({"--out", folder.file("x.doc")})).exitCode, 2);
    const CliRun nothing = Cli(folder, Birthday());
    EXPECT_EQ(nothing.err,
              "natalory-print: nothing to make: give --texts, --out FILE or --print (see --help)\n");
    EXPECT_TRUE(Cli(folder, {"--help"}).out.contains("  --out FILE "));
    EXPECT_EQ(Cli(folder, Birthday({"--out", folder.file("s.png"), "--dpi", "0"})).exitCode, 2);

    const CliRun texts = Cli(folder, Birthday({"--texts"}));
    EXPECT_EQ(texts.exitCode, 0);
    EXPECT_TRUE(texts.out.startsWith("[")) << texts.out.left(80).toStdString();
    const CliRun json = Cli(folder, Birthday({"--texts", "--json"}));
    EXPECT_TRUE(json.out.startsWith("{\n")) << json.out.left(80).toStdString();
    // The age is counted as of another day with --date-mode.
    const CliRun nextBirthday = Cli(folder, Birthday({"--texts", "--date-mode", "2"}));
    EXPECT_NE(texts.out, nextBirthday.out);

    const CliRun help = Cli(folder, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--style", "--no-world-to-headlines", "--no-add-world-to-bits", "--info-set"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    EXPECT_TRUE(Cli(folder, {"--version"}).out.startsWith("natalory-print "));

    for (const QStringList& bad :
         {Birthday({"--out", folder.file("p.txt")}), Birthday({"--dpi", "5", "--out", folder.file("q.png")}),
          Birthday({"--dpi", "nan", "--out", folder.file("q.png")}), Birthday({"--info-set", "3", "--texts"}),
          Birthday({"--date-mode", "9", "--texts"}), Birthday(), Birthday({"--reverse", "--texts"}),
          // --dpi where there are no dots to count is refused, not ignored.
          Birthday({"--out", folder.file("d.pdf"), "--dpi", "300"}), Birthday({"--out", "-", "--dpi", "300"}),
          Birthday({"--out", folder.file("d.png"), "--format", "pdf"}), Birthday({"--out", "-", "--texts"}),
          Birthday({"--out", "-", "--format", "doc"}), Birthday({"--jobs", "2", "--texts"}),
          QStringList{"--batch", folder.file("none.alb"), "--jobs", "0", "--out", folder.file("b.pdf")}}) {
        const CliRun r = Cli(folder, bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

// The facts of recent birth years, each as published (not as read back from the data file).
TEST(CommandLineProgram, RecentBirthYearsGetTheirOwnFacts) {
    TempProgramFolder folder(kDataFiles);
    struct Case {
        const char* date;
        const char* series;
        const char* actor;
        const char* actress;
        const char* film;
        const char* president;
        const char* chinese;
        const char* stamp;
    };
    const Case cases[] = {
        {"2010-06-15", "San Francisco Giants Win 2010 World Series", "Jeff Bridges", "Sandra Bullock",
         "The Hurt Locker", "Barack Obama", "Metal Tiger", "$0.44"},
        {"2016-07-04", "Chicago Cubs Win 2016 World Series", "Leonardo DiCaprio", "Brie Larson", "Spotlight",
         "Barack Obama", "Fire Monkey", "$0.47"},
        {"2025-03-01", "Los Angeles Dodgers Win 2025 World Series", "Adrien Brody", "Mikey Madison", "Anora",
         "Donald Trump", "Wood Snake", "$0.73"},
    };
    for (const Case& c : cases) {
        const CliRun r =
            Cli(folder, {"--first", "Anna", "--date", c.date, "--texts", "--json", "--style", "news"});
        ASSERT_EQ(r.exitCode, 0) << c.date << ": " << r.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
        EXPECT_EQ(json["worldseriesheadline"].toString(), c.series) << c.date;
        EXPECT_EQ(json["academyawards"].toString(),
                  QStringLiteral("Best Actor - %1\r\nBest Actress - %2\r\nBest Picture - \"%3\"")
                      .arg(c.actor, c.actress, c.film))
            << c.date;
        EXPECT_EQ(json["presidentialannouncementlabel"].toString(),
                  QStringLiteral("President %1 Speaks On U.S. Economy").arg(c.president))
            << c.date;
        EXPECT_TRUE(json["chineseastrology"].toString().startsWith(
            QStringLiteral("Your Chinese sign, %1,").arg(c.chinese)))
            << c.date;
        EXPECT_TRUE(
            json["historicaleconomics"].toString().contains(QStringLiteral("Stamp.....%1\r\n").arg(c.stamp)))
            << c.date;
    }
}

// The last birth year is the last year of the data in the folder, whatever that is.
TEST(CommandLineProgram, TheLastYearIsTheYearDatasLast) {
    TempProgramFolder folder(kDataFiles);
    const CliRun late = Cli(folder, {"--first", "Anna", "--date", "2026-01-01", "--texts"});
    EXPECT_EQ(late.exitCode, 2);
    EXPECT_EQ(late.err, "natalory-print: --date: the year must be from 1900 to 2025, not 2026\n");
    EXPECT_TRUE(Cli(folder, {"--help"}).out.contains("birth date, 1900-01-01 to 2025-12-31"));

    // An older data file ending at 2004 reads as it always has, and ends everything there.
    QFile full(folder.file("brdstf.fpf"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QByteArray bytes = full.readAll();
    full.close();
    folder.write("brdstf.fpf", bytes.left(bytes.indexOf("\"2005\"")));
    const CliRun old = Cli(folder, {"--first", "Anna", "--date", "2005-01-01", "--texts"});
    EXPECT_EQ(old.exitCode, 2);
    EXPECT_EQ(old.err, "natalory-print: --date: the year must be from 1900 to 2004, not 2005\n");
    EXPECT_TRUE(Cli(folder, {"--help"}).out.contains("birth date, 1900-01-01 to 2004-12-31"));
    const CliRun last = Cli(folder, {"--first", "Anna", "--date", "2004-06-01", "--texts", "--json"});
    ASSERT_EQ(last.exitCode, 0) << last.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(last.out.toUtf8()).object()["worldseriesheadline"].toString(),
              "Boston Red Sox Win 2004 World Series");

    folder.write("people.alb", "Anna,Lee,2005-01-01\r\n");
    const CliRun batch = Cli(folder, {"--batch", folder.file("people.alb"), "--out", folder.file("all.pdf")});
    EXPECT_EQ(batch.exitCode, 2);
    EXPECT_TRUE(batch.err.contains("the year must be from 1900 to 2004")) << batch.err.toStdString();
}

TEST(CommandLineProgram, DamagedYearDataMakesNoPrintAndSaysWhichFileLineAndWhat) {
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
        TempProgramFolder folder(kDataFiles);
        QFile hostile(QStringLiteral(NATALORY_HOSTILE_DATA "/") + c.hostile);
        ASSERT_TRUE(hostile.open(QIODevice::ReadOnly));
        folder.write(c.dataFile, hostile.readAll());
        const QString says = folder.file(c.dataFile) + c.says;
        const QString july = QStringLiteral("Anna,Lee,1/15/1920\r\nBob,Ray,7/1/1950\r\nCy,Doe,1/15/1920\r\n");
        folder.write("people.alb", july.toLatin1());

        for (const QStringList& args : {QStringList{"--date", "1950-07-01", "--out", folder.file("one.pdf")},
                                        QStringList{"--date", "1950-07-01", "--texts"}}) {
            const CliRun r = Cli(folder, QStringList{"--first", "Bob"} + args);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err.toStdString(), ("natalory-print: no print: " + says + "\n").toStdString());
            EXPECT_EQ(r.out, "");
        }
        const CliRun batch =
            Cli(folder, {"--batch", folder.file("people.alb"), "--out", folder.file("all.pdf")});
        EXPECT_EQ(batch.exitCode, 1);
        const int failing = QByteArray(c.hostile) == "brdstf-empty.fpf" ? 1 : 2;
        EXPECT_EQ(
            batch.err.toStdString(),
            (QStringLiteral("natalory-print: record %1 could not be printed: ").arg(failing) + says + "\n")
                .toStdString());
        EXPECT_FALSE(QFile::exists(folder.file("one.pdf")));
        EXPECT_FALSE(QFile::exists(folder.file("all.pdf")));

        // A file that holds the year, damaged only where the search never goes, still prints it.
        if (QByteArray(c.hostile) != "brdstf-empty.fpf") {
            EXPECT_EQ(Cli(folder, {"--date", "1920-01-15", "--out", folder.file("1920.pdf")}).exitCode, 0);
        }
    }
}

TEST(CommandLineProgram, ACompressedDrawingBombPrintsThePlaceholderWithinAGigabyte) {
    TempProgramFolder folder(kDataFiles);
    QFile bomb(QStringLiteral(NATALORY_HOSTILE_DATA "/bomb.svgz"));
    ASSERT_TRUE(bomb.open(QIODevice::ReadOnly));
    folder.write("bomb.svgz", bomb.readAll());
    QByteArray t = "\"Birthday\",\"4.2.0\",12240,15840,1,720,720,720,720\r\n";
    for (int i = 0; i < 16; ++i) t += "#TRUE#,";
    t += "1,#FALSE#,#FALSE#,#FALSE#\r\n\"P\"\r\n2000,2000,500,500,\"bomb.svgz\"\r\n";
    folder.write("bomb.als", t);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    // Inflated whole, the drawing took 1.6 GB and ended in std::bad_alloc under this limit.
    p.setChildProcessModifier([] {
        const rlimit gigabyte{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &gigabyte);
    });
    p.start(QStringLiteral(NATALORY_CLI), Birthday({"--style", folder.file("bomb.als"), "--out",
                                                    folder.file("bomb.pdf"), "--app-dir", folder.path()}));
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(PdfPages(folder.file("bomb.pdf")), 1);
}
