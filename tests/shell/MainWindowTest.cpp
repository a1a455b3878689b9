#include "foundation/HTMLHelp.h"
#include "shell/frmSplash.h"

#include "editor/PrintInWindow.h"

#include <QFileInfo>
#include <QSet>

using namespace natalory;
using namespace natalory::test;

namespace {

using MainWindow = MainWindowTest;

}  // namespace

TEST_F(MainWindow, TheFontsAreTheSystemsFamiliesEachOnceWithoutItsFoundry) {
    const ComboTool* fonts = tool("ID_Font").comboBox();
    QStringList families;
    for (int i = 0; i < fonts->count(); ++i) families << fonts->itemText(i);
    EXPECT_EQ(QSet<QString>(families.begin(), families.end()).size(), families.size());
    EXPECT_TRUE(families.contains("Liberation Serif") && !families.join(u' ').contains(u'['));
}

TEST_F(MainWindow, HelpAboutAndWebCommands) {
    mdi->hooks().activeHelpContext = nullptr;  // as a main window without its workspace has it
    click("ID_Help");
    QTest::keyClick(mdi.get(), Qt::Key_F1);
    mdi->show();
    QApplication::setActiveWindow(mdi.get());
    QTest::keyClick(mdi.get(), Qt::Key_F1);
    ASSERT_GE(services.help.shown.size(), 2u);
    EXPECT_EQ(services.help.shown[0].topic, 0);
    EXPECT_EQ(services.help.shown[0].file, folder.file("nataloryhelp.chm"));
    EXPECT_EQ(services.help.shown[0].window, QStringLiteral("Main"));
    EXPECT_EQ(services.help.shown.back().topic, int(hcMainWindow));
    // The About box asked for from the menu stays until OK, and the menu waits for it.
    bool aboutShown = false;
    WhenDialogOpens<frmSplash>([&](frmSplash& about) {
        aboutShown = about.Command1->isVisible();
        EXPECT_FALSE(about.tmrClose->isActive());
        EXPECT_FALSE(tool("ID_HelpMenu").enabled());
        about.Command1->click();
    });
    click("ID_AboutNatalory");
    EXPECT_TRUE(aboutShown && tool("ID_HelpMenu").enabled());

    for (const char* id : {"ID_VisitOurWebsite", "ID_GetTechnicalSupport", "ID_CheckForUpgrades"}) click(id);
    ASSERT_EQ(services.urls.opened.size(), 3u);
    EXPECT_EQ(services.urls.opened[0], QStringLiteral("https://www.natalory.com/"));
    EXPECT_TRUE(services.urls.opened[2].endsWith(QStringLiteral("?version=100")));
    EXPECT_TRUE(services.prompt.asked.empty());
    // Without a browser the address is told instead.
    services.urls.succeed = false;
    click("ID_CheckForUpgrades");
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(
        services.prompt.asked[0].text,
        "It looks like you don't have a default browser set.\nTo find what you were looking for, please go "
        "to: \n" +
            services.urls.opened[2]);
    EXPECT_TRUE(services.prompt.asked[0].title.isEmpty());
}

TEST_F(MainWindow, ToolbarLayoutAndStatesSurviveARestart) {
    mdi->show();
    mdi->addToolBar(Qt::LeftToolBarArea, mdi->sToolbar.band("Standard").toolBar());
    tool("ID_Bold").setState(1);
    mdi->setGeometry(40, 60, 700, 500);
    mdi->close();
    EXPECT_TRUE(QFileInfo::exists(folder.file("toolbar.tls")));

    frmMDI again(state, services.services);
    again.quitApplication = nullptr;
    EXPECT_EQ(again.toolBarArea(again.sToolbar.band("Standard").toolBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(again.sToolbar.tool("ID_Bold").state(), 1);
    EXPECT_EQ(again.geometry(), QRect(40, 60, 700, 500));
    // The layout cannot bring the document tools back: start-up hides them after loading it.
    EXPECT_FALSE(again.sToolbar.tool("ID_Print").visible());
    EXPECT_FALSE(again.sToolbar.band("Objects").visible());
    // Alone, without a workspace: a print's command and Close do nothing more than they can.
    again.sToolbar.tool("ID_EditBirthdayInfo").action()->trigger();
    EXPECT_TRUE(again.CloseDocument());

    folder.write("toolbar.tls", "not a layout");
    frmMDI damaged(state, services.services);
    damaged.quitApplication = nullptr;
    EXPECT_EQ(damaged.toolBarArea(damaged.sToolbar.band("Standard").toolBar()), Qt::TopToolBarArea);
}
