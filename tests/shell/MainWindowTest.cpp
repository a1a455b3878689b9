#include "foundation/HTMLHelp.h"
#include "shell/Application.h"
#include "shell/Icons.h"

#include "editor/PrintInWindow.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

TEST_F(MainWindow, ToolSetsShowAndHideExactlyTheirTools) {
    const QStringList document = DocumentToolIds(), arrange = ArrangeToolIds();
    const auto visible = [&](const QStringList& ids) {
        int n = 0;
        for (const QString& id : ids) n += mdi->sToolbar.tool(id).visible();
        return n;
    };
    EXPECT_EQ(visible(document + arrange), 0);
    EXPECT_TRUE(mdi->sToolbar.band("Menu Bar").visible());
    mdi->ShowDocumentTools();
    EXPECT_EQ(visible(document), document.size());
    EXPECT_EQ(visible(arrange), 0);
    EXPECT_FALSE(tool("ID_BatchProcessing").visible());
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible());
    EXPECT_EQ(mdi->sToolbar.band("Objects").dockLine(), 2);
    EXPECT_EQ(mdi->sToolbar.band("Formatting").dockLine(), 3);
    EXPECT_TRUE(mdi->toolBarBreak(mdi->sToolbar.band("Objects").toolBar()));

    mdi->TurnOnArrange();
    mdi->sToolbar.band("Formatting").setVisible(true);
    mdi->HideDocumentTools();
    EXPECT_EQ(visible(document + arrange), 0);
    EXPECT_FALSE(mdi->sToolbar.band("Formatting").visible() || mdi->sToolbar.band("Objects").visible());
    EXPECT_TRUE(tool("ID_BatchProcessing").visible() && tool("ID_Exit").visible());
}

TEST_F(MainWindow, AHiddenToolVanishesFromEveryBandAndMenu) {
    mdi->show();
    mdi->ShowDocumentTools();
    QAction* del = tool("ID_Delete").action();
    QWidget* button = mdi->sToolbar.band("Objects").toolBar()->widgetForAction(del);
    ASSERT_TRUE(button);
    tool("ID_Delete").setVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(button->isVisible());
    for (const char* menu : {"ID_mnuObjects", "ID_mnuRightClickControl"})
        EXPECT_TRUE(tool(menu).menu()->actions().contains(del));
    EXPECT_FALSE(del->isVisible());
    // Separators stand only between groups that still show a tool.
    const auto visibleSeparators = [&](const char* band) {
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

TEST_F(MainWindow, CombosKeepTextIndexAndEntryDataAndTheFontsAreTheSystemsFamilies) {
    ComboTool* size = tool("ID_Size").comboBox();
    EXPECT_EQ(size->count(), 17);
    size->setListIndex(3);
    EXPECT_EQ(size->comboText(), QStringLiteral("13"));
    size->setComboText(QStringLiteral("72"));
    EXPECT_EQ(size->listIndex(), 16);
    size->setComboText(QStringLiteral("19"));
    EXPECT_EQ(size->listIndex(), -1);
    size->clear();
    size->addItem(QStringLiteral("200%"), QStringLiteral("200"));
    EXPECT_EQ(size->itemData(0), QStringLiteral("200"));

    std::vector<QString> closed;
    mdi->setComboHandler([&](Tool& t) { closed.push_back(t.id()); });
    mdi->sToolbar_ComboCloseUp(tool("ID_Width"));
    mdi->sToolbar_ComboCloseUp(tool("ID_Size"));
    EXPECT_EQ(closed, std::vector<QString>({"ID_Width", "ID_Size"}));

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

TEST(StartUp, MainShowsTheSplashThenTheMainWindowWithItsSettings) {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    MainWindows w = Main(state, services.services);
    w.mdi->quitApplication = nullptr;

    EXPECT_EQ(state.LogFilePath, folder.file("birthday print log.log"));
    EXPECT_EQ(w.settings.source, SettingsSource::DefaultsNoFile);
    EXPECT_EQ(state.settings.DefaultStyle, QStringLiteral("A"));
    EXPECT_EQ(w.mdi->sToolbar.tool("ID_Prints").caption(), QStringLiteral("Prints: 0"));

    ASSERT_TRUE(w.splash);
    EXPECT_TRUE(w.splash->isVisible() && !w.splash->Command1->isVisible());
    EXPECT_EQ(w.splash->lblBuild->text(), QStringLiteral("Build 1.0.0"));
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

TEST(ToolIcons, EveryToolWithAnIconNameShowsOneWhereNoThemeIsInstalled) {
    const QString themeBefore = QIcon::themeName();
    const QStringList pathsBefore = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("no-such-theme"));

    TempProgramFolder folder;
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    frmMDI mdi(state, services.services);
    mdi.quitApplication = nullptr;
    int withIcons = 0;
    for (const ToolCatalogue* catalogue : {&MainToolCatalogue(), &PreviewToolCatalogue()}) {
        for (const ToolDef& def : catalogue->tools) {
            if (def.icon.isEmpty()) continue;
            ++withIcons;
            EXPECT_FALSE(ToolIcon(def.icon).pixmap(QSize(22, 22)).isNull()) << def.id.toStdString();
            if (catalogue == &MainToolCatalogue()) {
                EXPECT_FALSE(mdi.sToolbar.tool(def.id).action()->icon().isNull()) << def.id.toStdString();
            }
        }
    }
    EXPECT_GT(withIcons, 25);
    EXPECT_FALSE(mdi.sToolbar.tool("ID_New").def().icon.isEmpty());
    EXPECT_FALSE(ProgramIcon().pixmap(QSize(64, 64)).isNull());

    QIcon::setThemeSearchPaths(pathsBefore);
    QIcon::setThemeName(themeBefore);
}
