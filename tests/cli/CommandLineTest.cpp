#include "birthday/frmGetInfo.h"
#include "editor/frmDisplay.h"
#include "infoobjects/InfoCatalogue.h"
#include "prefs/frmDataSettings.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/Programs.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace natalory;
using namespace natalory::test;

namespace {

// The main window over a program folder, before any print.
class WindowOverFolder : public ::testing::Test {
  protected:
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;

    void open(const TempProgramFolder& folder) {
        state.ProgramFolder = folder.path();
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
    }
    void trigger(const QString& tool) { mdi->sToolbar.tool(tool).action()->trigger(); }
};
using CommandLineTexts = WindowOverFolder;
using DataSettingsDialog = WindowOverFolder;

}  // namespace

TEST_F(CommandLineTexts, JsonGivesEveryInfoObjectAsTheWindowWritesIt) {
    TempProgramFolder folder(kPrintData);
    const ProgramRun r =
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
    services.clock.moment = QDateTime(QDate(2003, 3, 4), QTime(9, 0));
    state.settings.DefaultStyle = "C";
    open(folder);
    workspace->NewPrint();
    workspace->birthdayDialog()->txtFname->setText("Anna");
    workspace->birthdayDialog()->txtLname->setText("Lee");
    workspace->birthdayDialog()->calCalendar->setSelectedDate(QDate(1950, 3, 4));
    workspace->birthdayDialog()->cmdDone->click();
    state.data.WorldToHeadlines = true;
    for (const InfoKind& k : InfoCatalogue()) trigger(k.toolId);
    const CanvasDocument& doc = workspace->canvasWindow()->document();
    ASSERT_EQ(doc.UBound(ObjectKind::Text), 33);
    for (int i = 1; i <= doc.UBound(ObjectKind::Text); ++i)
        EXPECT_EQ(doc.lblObject(i)->Caption, json[doc.lblObject(i)->infoKey()].toString())
            << doc.lblObject(i)->Tag.toStdString();
}

TEST_F(DataSettingsDialog, ApplySwitchesTheHeadlineSetAndCancelChangesNothing) {
    TempProgramFolder folder({"blank.al!", "blik.fpf", "brdstf.fpf"});
    folder.write("blear.fpf", "1950 One A\r\n1950 B\r\n1950 C\r\n1950 D\r\n1950 E\r\n1950 F\r\n");
    folder.write("blearII.fpf", "1,\"1950-01-01\",\"Two A\"\r\n");
    open(folder);
    state.birthday.PrintType = ptBlankPage;
    workspace->SetBirthday(QDate(1950, 5, 5), "Di", "Ng");
    trigger("ID_BirthYearHeadlines");
    trigger("ID_HistoricalEconomics");
    DisplayObject* headlines = workspace->canvasWindow()->document().lblObject(1);
    DisplayObject* prices = workspace->canvasWindow()->document().lblObject(2);
    ASSERT_TRUE(headlines->Caption.startsWith("One A"));
    headlines->Left = 4321;
    state.TemplateChanged = false;
    const auto refresh = [&] { workspace->RefreshInfoObjects(); };

    frmDataSettings apply(state, services.services, refresh);
    EXPECT_TRUE(apply.optInfoSet1->isChecked());
    EXPECT_TRUE(apply.chkHouse->isChecked());
    apply.optInfoSet2->setChecked(true);
    for (QCheckBox* b : apply.findChildren<QCheckBox*>()) b->setChecked(false);
    apply.cmdApply->click();
    EXPECT_TRUE(headlines->Caption.startsWith("Two A"));
    EXPECT_EQ(prices->Caption, "No economic data selected.");
    EXPECT_EQ(headlines->Left, 4321);
    EXPECT_EQ(state.data.InfoSet, 2);
    EXPECT_FALSE(state.TemplateChanged);

    frmDataSettings cancel(state, services.services, refresh);
    cancel.optInfoSet1->setChecked(true);
    cancel.chkCPI->setChecked(true);
    cancel.cmdCancel->click();
    EXPECT_EQ(state.data.InfoSet, 2);
    EXPECT_FALSE(state.data.IncludeCPI);
    EXPECT_TRUE(headlines->Caption.startsWith("Two A"));

    state.data.InfoSet = 7;  // as a template may carry
    frmDataSettings ok(state, services.services, refresh);
    EXPECT_FALSE(ok.optInfoSet1->isChecked());
    EXPECT_FALSE(ok.optInfoSet2->isChecked());
    ok.cmdOk->click();
    EXPECT_EQ(state.data.InfoSet, 7);
}
