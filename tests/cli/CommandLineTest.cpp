#include "birthday/frmGetInfo.h"
#include "cli/CommandLine.h"
#include "editor/frmDisplay.h"
#include "infoobjects/InfoCatalogue.h"
#include "prefs/frmDataSettings.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace natalory;
using namespace natalory::test;

namespace {

const QStringList kDataFiles = {"blear.fpf",  "blearII.fpf", "blik.fpf",       "brdstf.fpf", "news.al!",
                                "classy.al!", "blank.al!",   "nopicfound.ico", "cake.png"};

CliResult RunCli(const TempProgramFolder& folder, QStringList args) {
    args.prepend(QStringLiteral("natalory-print"));
    args << QStringLiteral("--app-dir") << folder.path();
    return RunCommandLine(args);
}

}  // namespace

TEST(CommandLineTexts, JsonGivesEveryInfoObjectAsTheWindowWritesIt) {
    TempProgramFolder folder(kDataFiles);
    const CliResult r =
        RunCli(folder, {"--first", "Anna", "--last", "Lee", "--date", "1950-03-04", "--as-of", "2003-03-04",
                        "--texts", "--json", "--world-to-headlines", "--style", "blank"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(json.size(), 33);
    EXPECT_EQ(json["johndoeborntoday"].toString(), "Anna Lee Born Today!");
    EXPECT_TRUE(json["editorialnote"].toString().contains("has been around for 19,358 days"));
    EXPECT_EQ(json["birthyearheadlines"].toString().count("\r\n"), 6);
    // Catalogue order in the output.
    EXPECT_LT(r.out.indexOf("\"johndoeborntoday\""), r.out.indexOf("\"chineseastrologyarticle\""));

    // The same birthday through the window: every info object inserted on the canvas.
    TestServices services;
    services.clock.moment = QDateTime(QDate(2003, 3, 4), QTime(9, 0));
    AppState state;
    state.ProgramFolder = folder.path();
    state.settings.DefaultStyle = "C";
    frmMDI mdi(state, services.services);
    mdi.quitApplication = nullptr;
    Workspace* workspace = new Workspace(state, services.services, mdi);
    workspace->NewPrint();
    workspace->birthdayDialog()->txtFname->setText("Anna");
    workspace->birthdayDialog()->txtLname->setText("Lee");
    workspace->birthdayDialog()->calCalendar->setSelectedDate(QDate(1950, 3, 4));
    workspace->birthdayDialog()->cmdDone->click();
    state.data.WorldToHeadlines = true;
    for (const InfoKind& k : InfoCatalogue()) mdi.sToolbar.tool(k.toolId).action()->trigger();
    const CanvasDocument& doc = workspace->canvasWindow()->document();
    for (int i = 1; i <= doc.UBound(ObjectKind::Text); ++i) {
        const DisplayObject* o = doc.lblObject(i);
        EXPECT_EQ(o->Caption, json[o->infoKey()].toString()) << o->Tag.toStdString();
    }
    EXPECT_EQ(doc.UBound(ObjectKind::Text), 33);
}

TEST(CommandLineTexts, OptionsChangeTheTextsAndBadArgumentsSaySoOnOneLine) {
    TempProgramFolder folder(kDataFiles);
    const QStringList birthday = {"--first",    "Cy",      "--date",  "1904-06-01", "--as-of",
                                  "2004-06-01", "--texts", "--style", "blank"};
    const CliResult plain = RunCli(folder, birthday);
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.out.startsWith("[johndoeborntoday]\nCy  Born Today!\n\n[birthyearlabel]\n1904\n"));
    EXPECT_FALSE(plain.out.contains("Giants refuse"));
    const CliResult bits = RunCli(folder, birthday + QStringList{"--add-world-to-bits", "--date-mode", "2"});
    EXPECT_TRUE(bits.out.contains("Giants refuse to play Boston in World Series"));
    EXPECT_TRUE(bits.out.contains("you are 101 years old"));
    const CliResult set2 = RunCli(folder, birthday + QStringList{"--info-set", "2"});
    EXPECT_NE(set2.out.section("[birthyearheadlines]", 1, 1).section("[", 0, 0),
              plain.out.section("[birthyearheadlines]", 1, 1).section("[", 0, 0));

    const QStringList bad[] = {
        {"--date", "1950-13-40", "--texts"},
        {"--date", "1899-12-31", "--texts"},
        {"--date", "2026-01-01", "--texts"},
        {"--date", "1950-01-01", "--texts", "--frobnicate"},
        {"--date", "1950-01-01", "--texts", "--info-set", "3"},
        {"--date", "1950-01-01", "--texts", "--date-mode", "7"},
        {"--date", "1950-01-01", "--style", "fancy", "--texts"},
        {"--texts"},
    };
    for (const QStringList& args : bad) {
        const CliResult r = RunCli(folder, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("natalory-print: ")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(RunCommandLine({"natalory-print", "--help"}).out.contains("--world-to-headlines"));
}

TEST(DataSettingsDialog, ApplySwitchesTheHeadlineSetAndCancelChangesNothing) {
    TempProgramFolder folder({"blank.al!", "blik.fpf", "brdstf.fpf"});
    folder.write("blear.fpf", "1950 One A\r\n1950 B\r\n1950 C\r\n1950 D\r\n1950 E\r\n1950 F\r\n");
    folder.write("blearII.fpf", "1,\"1950-01-01\",\"Two A\"\r\n");
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    frmMDI mdi(state, services.services);
    mdi.quitApplication = nullptr;
    Workspace* workspace = new Workspace(state, services.services, mdi);
    state.birthday.PrintType = ptBlankPage;
    workspace->SetBirthday(QDate(1950, 5, 5), "Di", "Ng");
    mdi.sToolbar.tool("ID_BirthYearHeadlines").action()->trigger();
    mdi.sToolbar.tool("ID_HistoricalEconomics").action()->trigger();
    const CanvasDocument& doc = workspace->canvasWindow()->document();
    DisplayObject* headlines = doc.lblObject(1);
    DisplayObject* prices = doc.lblObject(2);
    ASSERT_TRUE(headlines->Caption.startsWith("One A"));
    headlines->Left = 4321;
    state.TemplateChanged = false;

    {
        frmDataSettings dialog(state, services.services, [&] { workspace->RefreshInfoObjects(); });
        EXPECT_TRUE(dialog.optInfoSet1->isChecked());
        EXPECT_TRUE(dialog.chkHouse->isChecked());
        dialog.optInfoSet2->setChecked(true);
        for (QCheckBox* b : dialog.findChildren<QCheckBox*>()) b->setChecked(false);
        dialog.cmdApply->click();
        EXPECT_TRUE(headlines->Caption.startsWith("Two A"));
        EXPECT_EQ(prices->Caption, "No economic data selected.");
        EXPECT_EQ(headlines->Left, 4321);
        EXPECT_EQ(state.data.InfoSet, 2);
        EXPECT_FALSE(state.TemplateChanged);
    }
    {
        frmDataSettings dialog(state, services.services, [&] { workspace->RefreshInfoObjects(); });
        dialog.optInfoSet1->setChecked(true);
        dialog.chkCPI->setChecked(true);
        dialog.cmdCancel->click();
        EXPECT_EQ(state.data.InfoSet, 2);
        EXPECT_FALSE(state.data.IncludeCPI);
        EXPECT_TRUE(headlines->Caption.startsWith("Two A"));
    }
    state.data.InfoSet = 7;  // as a template may carry
    {
        frmDataSettings dialog(state, services.services, [&] { workspace->RefreshInfoObjects(); });
        EXPECT_FALSE(dialog.optInfoSet1->isChecked());
        EXPECT_FALSE(dialog.optInfoSet2->isChecked());
        dialog.cmdOk->click();
        EXPECT_EQ(state.data.InfoSet, 7);
    }
}
