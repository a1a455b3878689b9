#include "shell/Application.h"
#include "foundation/HTMLHelp.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace natalory;
using namespace natalory::test;

namespace {

struct MainWindowFixture : ::testing::Test {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
    }

    Tool& tool(const char* id) { return mdi->sToolbar.tool(QString::fromLatin1(id)); }
    void click(const char* id) { click(tool(id)); }
    void click(Tool& t) {
        if (t.kind() == ToolKind::Menu)
            mdi->sToolbar_ToolClick(t);
        else
            t.action()->trigger();
    }
};

}  // namespace

// Every tool runs the one command the dispatch names for it, once, with its own ID; a tool the
// dispatch does not know (a menu title, a combo) runs none.
TEST_F(MainWindowFixture, EveryToolRunsTheCommandItsIdNamesAndNothingElse) {
    std::vector<std::pair<Command, QString>> ran;
    std::set<int> commands;
    for (const auto& t : mdi->sToolbar.tools()) commands.insert(int(CommandForTool(t->id(), 1)));
    for (int c : commands)
        mdi->setCommandHandler(Command(c), [&ran, c](const ToolClick& k) { ran.emplace_back(Command(c), k.id); });

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
        EXPECT_EQ(ran[0].first, expected);
        EXPECT_EQ(ran[0].second, t->id());
        ++dispatched;
    }
    EXPECT_GT(dispatched, 60);

    // Where the ID does not say the command.
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_NewShape"), 0), Command::InsertSquare);
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_TopBooks"), 0), Command::InsertInfoObject);
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_President'sEconomicReport"), 0), Command::InsertInfoObject);
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_Red"), 0), Command::FixedColor);
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_SaveToemfFile"), 0), Command::SaveAsMetafile);
    EXPECT_EQ(CommandForTool(QStringLiteral("id_new"), 0), Command::None);
    EXPECT_EQ(CommandForTool(QStringLiteral("ID_Nonsense"), 0), Command::None);
}

TEST_F(MainWindowFixture, AlignLeftActsOnlyWhenTheClickPressesIt) {
    int lefts = 0, rights = 0;
    mdi->setCommandHandler(Command::AlignLeft, [&](const ToolClick&) { ++lefts; });
    mdi->setCommandHandler(Command::AlignRight, [&](const ToolClick&) { ++rights; });
    click("ID_Left");
    EXPECT_EQ(tool("ID_Left").state(), 1);
    EXPECT_EQ(lefts, 1);
    click("ID_Left");  // releases it
    EXPECT_EQ(tool("ID_Left").state(), 0);
    EXPECT_EQ(lefts, 1);
    click("ID_Right");
    click("ID_Right");
    EXPECT_EQ(rights, 2);
    // One group: pressing Center releases Right.
    click("ID_Center");
    EXPECT_EQ(tool("ID_Center").state(), 1);
    EXPECT_EQ(tool("ID_Right").state(), 0);
    // Menus draw an exclusive group's pressed entry with its mark.
    ASSERT_TRUE(tool("ID_Center").action()->actionGroup());
    EXPECT_TRUE(tool("ID_Center").action()->actionGroup()->isExclusive());
}

TEST_F(MainWindowFixture, ToolSetsShowAndHideExactlyTheirTools) {
    const QStringList document = DocumentToolIds();
    auto visibleBands = [&] {
        QStringList v;
        for (const char* b : {"Standard", "Formatting", "Objects", "Shapes", "Lines", "Menu Bar"})
            if (mdi->sToolbar.band(b).visible()) v << b;
        return v;
    };
    for (const QString& id : document) EXPECT_FALSE(mdi->sToolbar.tool(id).visible()) << id.toStdString();
    for (const QString& id : ArrangeToolIds()) EXPECT_FALSE(mdi->sToolbar.tool(id).visible());
    EXPECT_TRUE(tool("ID_BatchProcessing").visible());
    EXPECT_EQ(visibleBands(), QStringList({"Standard", "Menu Bar"}));

    mdi->ShowDocumentTools();
    for (const QString& id : document) EXPECT_TRUE(mdi->sToolbar.tool(id).visible()) << id.toStdString();
    EXPECT_FALSE(tool("ID_BatchProcessing").visible());
    for (const QString& id : ArrangeToolIds()) EXPECT_FALSE(mdi->sToolbar.tool(id).visible());
    EXPECT_EQ(visibleBands(), QStringList({"Standard", "Objects", "Menu Bar"}));
    EXPECT_EQ(mdi->sToolbar.band("Objects").dockLine(), 2);
    EXPECT_EQ(mdi->sToolbar.band("Formatting").dockLine(), 3);
    EXPECT_TRUE(mdi->toolBarBreak(mdi->sToolbar.band("Objects").toolBar()));

    mdi->TurnOnArrange();
    for (const QString& id : ArrangeToolIds()) EXPECT_TRUE(mdi->sToolbar.tool(id).visible());
    mdi->sToolbar.band("Formatting").setVisible(true);
    mdi->HideDocumentTools();
    for (const QString& id : document + ArrangeToolIds()) EXPECT_FALSE(mdi->sToolbar.tool(id).visible());
    EXPECT_EQ(visibleBands(), QStringList({"Standard", "Menu Bar"}));
    // Everything else keeps its place in the menus.
    EXPECT_TRUE(tool("ID_New").visible());
    EXPECT_TRUE(tool("ID_Exit").visible());
}

TEST_F(MainWindowFixture, AHiddenToolVanishesFromEveryBandAndMenu) {
    mdi->show();
    mdi->ShowDocumentTools();
    QAction* del = tool("ID_Delete").action();
    QWidget* button = mdi->sToolbar.band("Objects").toolBar()->widgetForAction(del);
    ASSERT_TRUE(button);
    QApplication::processEvents();
    EXPECT_TRUE(button->isVisible());
    tool("ID_Delete").setVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(button->isVisible());
    for (const char* menu : {"ID_mnuObjects", "ID_mnuRightClickControl"}) {
        QMenu* m = tool(menu).menu();
        ASSERT_TRUE(m->actions().contains(del));
        EXPECT_FALSE(del->isVisible());
    }
    // Separators stand only between groups that still show a tool.
    auto visibleSeparators = [&](const char* band) {
        int n = 0;
        for (QAction* a : mdi->sToolbar.band(band).toolBar()->actions())
            n += a->isSeparator() && a->isVisible();
        return n;
    };
    EXPECT_EQ(visibleSeparators("Standard"), 5);
    EXPECT_EQ(visibleSeparators("Objects"), 0);
    tool("ID_Delete").setVisible(true);
    EXPECT_EQ(visibleSeparators("Objects"), 1);
    mdi->HideDocumentTools();
    EXPECT_EQ(visibleSeparators("Standard"), 1);  // Prints: 0 | Show Help Contents, Exit

    // Hiding the Objects menu header takes it off the menu bar.
    tool("ID_mnuObjects").setVisible(false);
    EXPECT_FALSE(tool("ID_mnuObjects").action()->isVisible());
    EXPECT_TRUE(mdi->menuBar()->actions().contains(tool("ID_mnuObjects").action()));
}

TEST_F(MainWindowFixture, CombosKeepTextIndexAndEntryData) {
    ComboTool* size = tool("ID_Size").comboBox();
    EXPECT_EQ(size->count(), 17);
    EXPECT_EQ(size->listIndex(), -1);
    size->setListIndex(3);
    EXPECT_EQ(size->comboText(), QStringLiteral("13"));
    size->setComboText(QStringLiteral("72"));
    EXPECT_EQ(size->listIndex(), 16);
    size->setComboText(QStringLiteral("19"));
    EXPECT_EQ(size->listIndex(), -1);
    size->clear();
    size->addItem(QStringLiteral("200%"), QStringLiteral("200"));
    EXPECT_EQ(size->itemText(0), QStringLiteral("200%"));
    EXPECT_EQ(size->itemData(0), QStringLiteral("200"));
    EXPECT_EQ(tool("ID_Shape").comboBox()->itemText(5), QStringLiteral("Rounded Square"));
    // The font list comes from the system's fonts.
    EXPECT_GT(tool("ID_Font").comboBox()->count(), 0);

    std::vector<QString> closed;
    mdi->setComboHandler([&](Tool& t) { closed.push_back(t.id()); });
    mdi->sToolbar_ComboCloseUp(tool("ID_Width"));
    mdi->sToolbar_ComboCloseUp(tool("ID_Size"));
    EXPECT_EQ(closed, std::vector<QString>({"ID_Width", "ID_Size"}));
}

TEST_F(MainWindowFixture, ClosingAChangedPrintAsksAndHonoursTheAnswer) {
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
    EXPECT_EQ(services.prompt.asked[0].title, QStringLiteral("Save Changes?"));
    EXPECT_EQ(services.prompt.asked[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_FALSE(mdi->CloseDocument());  // Yes, then the save is cancelled
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(state.SaveCancelled);
    EXPECT_TRUE(state.TemplateChanged);
    // New with Cancel at the question keeps the print and starts nothing over it.
    click("ID_New");
    EXPECT_EQ(newPrints, 0);
    EXPECT_EQ(unloaded, 0);
    EXPECT_TRUE(tool("ID_Print").visible());

    services.prompt.answers = {PromptAnswer::No};
    click("ID_New");
    EXPECT_EQ(unloaded, 1);
    EXPECT_EQ(newPrints, 1);
    EXPECT_FALSE(state.TemplateChanged);
    EXPECT_FALSE(tool("ID_Print").visible());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Natalory"));

    // An unchanged print closes without a question.
    const size_t asked = services.prompt.asked.size();
    EXPECT_TRUE(mdi->CloseDocument());
    EXPECT_EQ(services.prompt.asked.size(), asked);
}

TEST_F(MainWindowFixture, ColourAndPrinterDialogsChangeOnlyWhenConfirmed) {
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
    EXPECT_EQ(services.colors.offered.back(), QColor(Qt::black));
    EXPECT_EQ(objectColor, QColor(Qt::red));
    click("ID_Blue");
    EXPECT_EQ(objectColor, QColor(0, 0, 255));

    state.page.PageOrientation = 1;
    click("ID_PrintSetup");
    EXPECT_EQ(state.page.PageOrientation, 1);
    services.printerSetup.answer = PrinterChoice{2, "office", {3, false, 0, true}};
    click("ID_PrintSetup");
    EXPECT_EQ(state.page.PageOrientation, 2);
    EXPECT_EQ(state.PrinterName, "office");
    EXPECT_EQ(state.PrinterOptions.copies, 3);
    EXPECT_TRUE(state.PrinterOptions.grayscale);
    EXPECT_EQ(services.printerSetup.shown, 2);
}

TEST_F(MainWindowFixture, HelpAndWebCommands) {
    click("ID_Help");
    QTest::keyClick(mdi.get(), Qt::Key_F1);
    mdi->show();
    QApplication::setActiveWindow(mdi.get());
    QTest::keyClick(mdi.get(), Qt::Key_F1);
    ASSERT_GE(services.help.shown.size(), 2u);
    EXPECT_EQ(services.help.shown[0].topic, 0);
    EXPECT_EQ(services.help.shown[0].file, folder.file("nataloryhelp.chm"));
    EXPECT_EQ(services.help.shown.back().topic, int(hcMainWindow));

    click("ID_VisitOurWebsite");
    click("ID_GetTechnicalSupport");
    click("ID_CheckForUpgrades");
    ASSERT_EQ(services.urls.opened.size(), 3u);
    EXPECT_EQ(services.urls.opened[0], QStringLiteral("https://www.natalory.com/"));
    EXPECT_TRUE(services.urls.opened[2].endsWith(QStringLiteral("version=100")));
}

TEST_F(MainWindowFixture, ToolbarLayoutAndStatesSurviveARestart) {
    mdi->show();
    QToolBar* standard = mdi->sToolbar.band("Standard").toolBar();
    mdi->addToolBar(Qt::LeftToolBarArea, standard);
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

    folder.write("toolbar.tls", "not a layout");
    frmMDI damaged(state, services.services);
    damaged.quitApplication = nullptr;
    EXPECT_EQ(damaged.toolBarArea(damaged.sToolbar.band("Standard").toolBar()), Qt::TopToolBarArea);
}

TEST(StartUp, MainShowsTheSplashThenTheMainWindowWithItsSettings) {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    MainWindows w = Main(state, services.services);
    w.mdi->quitApplication = nullptr;

    EXPECT_EQ(state.AppTitle, QStringLiteral("Natalory "));
    // One blank before the " - [print]" the MDI area adds for a maximized canvas.
    EXPECT_EQ(w.mdi->windowTitle(), QStringLiteral("Natalory"));
    EXPECT_EQ(state.LogFilePath, folder.file("birthday print log.log"));
    EXPECT_EQ(w.settings.source, SettingsSource::DefaultsNoFile);
    EXPECT_EQ(state.settings.DefaultStyle, QStringLiteral("A"));
    EXPECT_EQ(w.mdi->sToolbar.tool("ID_Prints").caption(), QStringLiteral("Prints: 0"));

    ASSERT_TRUE(w.splash);
    EXPECT_TRUE(w.splash->isVisible());
    EXPECT_FALSE(w.splash->Command1->isVisible());
    EXPECT_EQ(w.splash->lblBuild->text(), QStringLiteral("Build 1.0.0"));
    EXPECT_TRUE(w.splash->tmrClose->isActive());
    EXPECT_EQ(w.splash->tmrClose->interval(), 2000);
    EXPECT_TRUE(w.splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w.mdi->sToolbar.tool("ID_HelpMenu").enabled());

    // Let the timer run out now rather than two seconds from now.
    w.splash->tmrClose->start(1);
    for (int i = 0; i < 200 && w.splash; ++i) {
        QTest::qWait(5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_FALSE(w.splash);
    EXPECT_TRUE(w.mdi->sToolbar.tool("ID_HelpMenu").enabled());
}

TEST_F(MainWindowFixture, TheAboutBoxStaysUntilOk) {
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<frmSplash*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        EXPECT_TRUE(about->Command1->isVisible());
        EXPECT_FALSE(about->tmrClose->isActive());
        EXPECT_FALSE(tool("ID_HelpMenu").enabled());
        checked = true;
        about->Command1->click();
    });
    click("ID_AboutNatalory");
    EXPECT_TRUE(checked);
    EXPECT_TRUE(tool("ID_HelpMenu").enabled());
}
