#include "foundation/HTMLHelp.h"
#include "shell/frmSplash.h"

#include "editor/PrintInWindow.h"

#include <QFileInfo>
#include <QSet>

#include <set>

using namespace natalory;
using namespace natalory::test;

namespace {

using MainWindow = MainWindowTest;

}  // namespace

// Every tool runs the one command the dispatch names for it, once, with its own ID; a tool the
// dispatch does not know (a menu title, a combo) runs none.
TEST_F(MainWindow, EveryToolRunsTheCommandItsIdNamesAndNothingElse) {
    std::vector<std::pair<Command, QString>> ran;
    std::set<int> commands;
    for (const auto& t : mdi->sToolbar.tools()) commands.insert(int(CommandForTool(t->id(), 1)));
    for (int c : commands)
        mdi->setCommandHandler(Command(c),
                               [&ran, c](const ToolClick& k) { ran.emplace_back(Command(c), k.id); });

    int dispatched = 0;
    for (const auto& t : mdi->sToolbar.tools()) {
        SCOPED_TRACE(t->id().toStdString());
        if (t->kind() == ToolKind::Toggle) t->setState(0);  // the click presses it
        ran.clear();
        click(*t);
        const Command expected = CommandForTool(t->id(), t->state());
        if (expected == Command::None) {
            EXPECT_TRUE(ran.empty());
            continue;
        }
        ASSERT_EQ(ran.size(), 1u);
        EXPECT_EQ(ran[0], std::pair(expected, t->id()));
        ++dispatched;
    }
    EXPECT_GT(dispatched, 60);

    // Where the ID does not say the command.
    for (const auto& [id, command] : {std::pair{"ID_NewShape", Command::InsertSquare},
                                      {"ID_TopBooks", Command::InsertInfoObject},
                                      {"ID_President'sEconomicReport", Command::InsertInfoObject},
                                      {"ID_Red", Command::FixedColor},
                                      {"ID_SaveToemfFile", Command::SaveAsMetafile},
                                      {"id_new", Command::None},
                                      {"ID_Nonsense", Command::None}})
        EXPECT_EQ(CommandForTool(QString::fromLatin1(id), 0), command) << id;
}

TEST_F(MainWindow, TheFontsAreTheSystemsFamilies) {
    // Each family once, without its foundry.
    ComboTool* fonts = tool("ID_Font").comboBox();
    QSet<QString> seen;
    for (int i = 0; i < fonts->count(); ++i) {
        const QString family = fonts->itemText(i);
        EXPECT_FALSE(family.contains(u'[') || seen.contains(family)) << family.toStdString();
        seen.insert(family);
    }
    EXPECT_TRUE(seen.contains(QStringLiteral("Liberation Serif")));
}

TEST_F(MainWindow, ClosingAChangedPrintAsksAndHonoursTheAnswer) {
    int unloaded = 0, saved = 0, newPrints = 0;
    auto& h = mdi->hooks();
    h.canvasVisible = [] { return true; };
    h.unloadCanvas = [&] { ++unloaded; };
    h.newPrint = [&] { ++newPrints; };
    h.saveTemplate = [&] {
        ++saved;
        state.SaveCancelled = true;
    };
    mdi->ShowDocumentTools();
    mdi->setWindowTitle(QStringLiteral("Ann Lee born on 1/15/1950"));
    state.TemplateChanged = true;

    services.prompt.answers = {PromptAnswer::Cancel, PromptAnswer::Yes, PromptAnswer::Cancel};
    EXPECT_FALSE(mdi->CloseDocument());
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text,
              QStringLiteral("Do you want to save your changes to this template first?"));
    EXPECT_EQ(services.prompt.asked[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_FALSE(mdi->CloseDocument());  // Yes, then the save is cancelled
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(state.SaveCancelled);
    EXPECT_TRUE(state.TemplateChanged);
    // New with Cancel at the question keeps the print and starts nothing over it.
    click("ID_New");
    EXPECT_EQ(newPrints + unloaded, 0);
    EXPECT_TRUE(tool("ID_Print").visible());

    services.prompt.answers = {PromptAnswer::No};
    click("ID_New");
    EXPECT_EQ(unloaded + newPrints, 2);
    EXPECT_FALSE(state.TemplateChanged);
    EXPECT_FALSE(tool("ID_Print").visible());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Natalory"));

    // An unchanged print closes without a question.
    EXPECT_TRUE(mdi->CloseDocument());
    EXPECT_EQ(services.prompt.asked.size(), 4u);
}

TEST_F(MainWindow, ColourAndPrinterDialogsChangeOnlyWhenConfirmed) {
    std::optional<QColor> objectColor;
    mdi->hooks().currentForeColor = [&] { return objectColor; };
    mdi->hooks().setCurrentForeColor = [&](const QColor& c) { objectColor = c; };
    click("ID_Color");  // nothing selected: no dialog
    EXPECT_TRUE(services.colors.offered.empty());
    objectColor = QColor(Qt::black);
    click("ID_Color");  // cancelled
    EXPECT_EQ(objectColor, QColor(Qt::black));
    services.colors.answer = QColor(Qt::red);
    click("ID_Color");
    EXPECT_EQ(objectColor, QColor(Qt::red));
    click("ID_Blue");
    EXPECT_EQ(objectColor, QColor(0, 0, 255));

    state.page.PageOrientation = 1;
    mdi->hooks().pageChanged = nullptr;  // a main window with no print to turn
    click("ID_PrintSetup");
    EXPECT_EQ(state.page.PageOrientation, 1);
    services.printerSetup.answer = PrinterChoice{2, "office", {3, false, 0, true}};
    click("ID_PrintSetup");
    EXPECT_EQ(state.page.PageOrientation, 2);
    EXPECT_EQ(state.PrinterName, "office");
    EXPECT_TRUE(state.PrinterOptions.copies == 3 && state.PrinterOptions.grayscale);
}

TEST_F(MainWindow, HelpAndWebCommands) {
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

TEST_F(MainWindow, TheAboutBoxStaysUntilOk) {
    bool checked = false;
    WhenDialogOpens<frmSplash>([&](frmSplash& about) {
        EXPECT_TRUE(about.Command1->isVisible());
        EXPECT_FALSE(about.tmrClose->isActive());
        EXPECT_FALSE(tool("ID_HelpMenu").enabled());
        checked = true;
        about.Command1->click();
    });
    click("ID_AboutNatalory");
    EXPECT_TRUE(checked);
    EXPECT_TRUE(tool("ID_HelpMenu").enabled());
}
