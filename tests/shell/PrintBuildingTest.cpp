// Building a print through the birthday dialog onto the real canvas: every way of leaving
// the dialog leaves the next print built the way its own dialog says.
#include "editor/PrintInWindow.h"

using namespace natalory;
using namespace natalory::test;

namespace {

struct PrintBuilding : MainWindowTest {
    frmGetInfo& newPrint() {
        state.TemplateChanged = false;  // no save question in the way
        workspace->NewPrint();
        return *workspace->birthdayDialog();
    }
    void done(frmGetInfo& d) {
        QTest::mouseClick(d.cmdDone, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int objects() const { return workspace->canvasWindow()->document().controlCount(); }
    // The main window itself is never shown here: the canvas counts as shown when its own window is.
    bool printShown() const {
        return workspace->canvasWindow() && !workspace->canvasWindow()->parentWidget()->isHidden();
    }
};

}  // namespace

TEST_F(PrintBuilding, LeavingTheEditDialogAnyWayLetsTheNextNewPrintLoadItsTemplate) {
    const std::vector<std::pair<const char*, std::function<void(frmGetInfo&)>>> leaving = {
        {"Esc", [](frmGetInfo& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](frmGetInfo& d) { d.close(); }},
        {"Cancel", [](frmGetInfo& d) { QTest::mouseClick(d.cmdCancel, Qt::LeftButton); }},
    };
    for (const auto& [how, leave] : leaving) {
        done(newPrint());
        workspace->EditCurrentBirthday();
        leave(*workspace->birthdayDialog());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(printShown()) << how;  // the print being edited stays

        frmGetInfo& d = newPrint();
        d.txtFname->setText(QStringLiteral("Nia"));
        done(d);
        ASSERT_TRUE(printShown()) << how;
        EXPECT_TRUE(workspace->canvasWindow()->parentWidget()->windowTitle().startsWith("Nia ")) << how;
        EXPECT_TRUE(tool("ID_Print").visible()) << how;
    }
}

TEST_F(PrintBuilding, InsertingAnInfoObjectWhileEditingTheBirthdayKeepsTheUsersWork) {
    done(newPrint());
    click("ID_BirthYearHeadlines");
    DisplayObject* headlines = workspace->canvasWindow()->document().lblObject(1);
    ASSERT_TRUE(headlines);
    headlines->Left = 4321;
    const int before = objects();
    workspace->EditCurrentBirthday();
    frmGetInfo& d = *workspace->birthdayDialog();
    click("ID_TopBooks");
    d.txtLname->setText(QStringLiteral("Oder"));
    done(d);
    EXPECT_EQ(objects(), before + 1);
    EXPECT_EQ(headlines->Left, 4321);
    EXPECT_EQ(state.birthday.LastName, "Oder");
}

TEST_F(PrintBuilding, TheUsersTemplateIsAskedForAndAFailedLoadOpensNoCanvas) {
    frmGetInfo& d = newPrint();
    d.selectStyle(ptUserTemplate);
    // No file chosen: the dialog asks for one; cancelling that builds nothing.
    services.files.answers = {std::nullopt};
    done(d);
    EXPECT_EQ(services.files.requests.size(), 1u);
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_TRUE(services.prompt.asked.empty());

    // A file that cannot be read is reported once, and still no canvas opens.
    folder.write("broken.als", "not a template");
    services.files.answers = {folder.file("broken.als")};
    done(d);
    EXPECT_EQ(d.txtCustomStyle->text(), folder.file("broken.als"));
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].title, "Template File Problem");
    EXPECT_FALSE(workspace->canvasWindow());
    EXPECT_FALSE(tool("ID_Print").visible());
    EXPECT_TRUE(d.isVisible());
}

TEST_F(PrintBuilding, TheBordersToggleIsReleasedWithEveryNewPrint) {
    state.settings.DefaultStyle = QStringLiteral("A");
    done(newPrint());
    click("ID_ShowBorders");
    EXPECT_EQ(workspace->canvasWindow()->document().lblObject(1)->BorderStyle, 1);
    done(newPrint());
    EXPECT_EQ(tool("ID_ShowBorders").state(), 0);
    EXPECT_EQ(workspace->canvasWindow()->document().lblObject(1)->BorderStyle, 0);
    click("ID_ShowBorders");
    EXPECT_EQ(workspace->canvasWindow()->document().lblObject(1)->BorderStyle, 1);
}

TEST_F(PrintBuilding, DamagedYearDataAreToldOnceAndMakeNoPrint) {
    // The year record, read before the template; the headlines, read with it.
    for (const auto& [damaged, start1950] :
         {std::pair{"brdstf.fpf", "\"1950\""}, std::pair{"blear.fpf", "1950 "}}) {
        SCOPED_TRACE(damaged);
        const QByteArray whole = folder.read(damaged);
        // brdstf.fpf loses 1950 alone (a file cut short ends its data earlier); blear.fpf ends before.
        const qsizetype at = whole.indexOf("\n" + QByteArray(start1950)) + 1;
        const QByteArray rest =
            damaged == QByteArray("brdstf.fpf") ? whole.mid(whole.indexOf('\n', at) + 1) : "";
        folder.write(damaged, whole.left(at) + rest);
        services.prompt.asked.clear();
        frmGetInfo& d = newPrint();
        d.calCalendar->setSelectedDate(QDate(1950, 1, 15));
        done(d);
        ASSERT_EQ(services.prompt.asked.size(), 1u);
        EXPECT_EQ(services.prompt.asked[0].title, "Year Data Problem");
        EXPECT_TRUE(services.prompt.asked[0].text.contains(folder.file(damaged) + ", line "));
        EXPECT_TRUE(services.prompt.asked[0].text.endsWith(": the file holds nothing for 1950"));
        EXPECT_FALSE(workspace->canvasWindow());

        // Editing the birthday of a print to a year the data lack leaves the print as it was.
        d.calCalendar->setSelectedDate(QDate(1940, 1, 15));
        done(d);
        ASSERT_TRUE(printShown());
        workspace->EditCurrentBirthday();
        workspace->birthdayDialog()->calCalendar->setSelectedDate(QDate(1950, 1, 15));
        done(*workspace->birthdayDialog());
        EXPECT_EQ(services.prompt.asked.size(), 2u);
        EXPECT_EQ(state.birthday.BirthDate, QDate(1940, 1, 15));
        EXPECT_TRUE(printShown());
        folder.write(damaged, whole);
        workspace->CloseDocument();
    }
}
