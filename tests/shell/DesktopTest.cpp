// How the program sits on the desktop: icons without an icon theme, keys that reach
// their command, safe answers to destructive questions, the font list.
#include "batch/PrintLog.h"
#include "editor/PrintInWindow.h"
#include "shell/Icons.h"
#include "shell/QtSeams.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTimer>

#include <functional>

using namespace natalory;
using namespace natalory::test;

namespace {

using DesktopPrint = PrintInWindow;

// Runs `answer` on the message box the next question shows, then lets it close.
void OnNextMessageBox(std::function<void(QMessageBox&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        answer(*box);
    });
}

// The main window alone, with no print.
struct MainWindowAlone {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    MainWindowAlone() {
        state.ProgramFolder = folder.path();
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
    }
};

}  // namespace

TEST(ToolIcons, EveryToolWithAnIconNameShowsOneWhereNoThemeIsInstalled) {
    const QString themeBefore = QIcon::themeName();
    const QStringList pathsBefore = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("no-such-theme"));

    const MainWindowAlone w;
    int withIcons = 0;
    for (const ToolCatalogue* catalogue : {&MainToolCatalogue(), &PreviewToolCatalogue()}) {
        for (const ToolDef& def : catalogue->tools) {
            if (def.icon.isEmpty()) continue;
            ++withIcons;
            const QIcon icon = ToolIcon(def.icon);
            EXPECT_FALSE(icon.pixmap(QSize(22, 22)).isNull()) << def.id.toStdString();
            if (catalogue == &MainToolCatalogue()) {
                EXPECT_FALSE(w.mdi->sToolbar.tool(def.id).action()->icon().isNull()) << def.id.toStdString();
            }
        }
    }
    EXPECT_GT(withIcons, 25);
    for (const char* id : {"ID_New", "ID_Print", "ID_Bold", "ID_Left", "ID_Help"})
        EXPECT_FALSE(w.mdi->sToolbar.tool(id).def().icon.isEmpty()) << id;
    EXPECT_FALSE(ProgramIcon().pixmap(QSize(64, 64)).isNull());

    QIcon::setThemeSearchPaths(pathsBefore);
    QIcon::setThemeName(themeBefore);
}

TEST(FontList, NamesEveryFamilyOnceWithoutItsFoundry) {
    const MainWindowAlone w;
    ComboTool* fonts = w.mdi->sToolbar.tool("ID_Font").comboBox();
    ASSERT_GT(fonts->count(), 0);
    QSet<QString> seen;
    for (int i = 0; i < fonts->count(); ++i) {
        const QString family = fonts->itemText(i);
        EXPECT_FALSE(family.contains(u'[')) << family.toStdString();
        EXPECT_FALSE(seen.contains(family)) << family.toStdString();
        seen.insert(family);
    }
    EXPECT_TRUE(seen.contains(QStringLiteral("Liberation Serif")));
}

TEST_F(DesktopPrint, CtrlWClosesThePrintWhereverTheFocusIsInTheMainWindow) {
    openBlankPrint();
    auto* sub = mdi->mdiArea->subWindowList().value(0);
    ASSERT_TRUE(sub);
    sub->showMaximized();
    // The MDI area names the maximized print after the application title, one blank apart.
    EXPECT_TRUE(mdi->windowTitle().startsWith(QStringLiteral("Natalory - [Anna Lee born on")))
        << mdi->windowTitle().toStdString();
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_FALSE(mdi->sToolbar.tool("ID_Close").visible());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Natalory"));
}

TEST(Questions, EnterOnClearLogKeepsTheLog) {
    TempProgramFolder folder;
    AppState state;
    state.LogFilePath = folder.file("birthday print log.log");
    folder.write("birthday print log.log",
                 "\"12-05-2026\",\"18:30:05\",#1950-01-15#,\"Anna Lee\",\"Newspaper\",\"n/a\"\r\n");
    state.PrintCount = 3;
    QtPrompt prompt;

    QString defaultButton;
    OnNextMessageBox([&](QMessageBox& box) {
        ASSERT_TRUE(box.defaultButton());
        defaultButton = box.defaultButton()->text().remove(u'&');
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_FALSE(AskAndClearPrintLog(state, prompt));
    EXPECT_EQ(defaultButton, QStringLiteral("No"));
    EXPECT_TRUE(QFileInfo::exists(state.LogFilePath));
    EXPECT_EQ(state.PrintCount, 3);

    OnNextMessageBox([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(AskAndClearPrintLog(state, prompt));
    EXPECT_FALSE(QFileInfo::exists(state.LogFilePath));
}
