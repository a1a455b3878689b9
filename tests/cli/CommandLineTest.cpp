#include "editor/frmDisplay.h"
#include "prefs/frmDataSettings.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using namespace natalory;
using namespace natalory::test;

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
