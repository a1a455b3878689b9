// natalory-print for one birthday, started as a process the way a user starts it: options
// the application object would take for its own must reach the program all the same.
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

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
          Birthday({"--info-set", "3", "--texts"}), Birthday({"--date-mode", "9", "--texts"}),
          QStringList{"--date", "2010-01-01", "--texts"}, Birthday(), Birthday({"--reverse", "--texts"}),
          // --dpi where there are no dots to count is refused, not ignored.
          Birthday({"--out", folder.file("d.pdf"), "--dpi", "300"}), Birthday({"--out", "-", "--dpi", "300"}),
          Birthday({"--out", folder.file("d.png"), "--format", "pdf"}), Birthday({"--out", "-", "--texts"}),
          Birthday({"--out", "-", "--format", "doc"})}) {
        const CliRun r = Cli(folder, bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}
