#include "birthday/DateLimits.h"
#include "birthday/frmGetInfo.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace natalory;
using namespace natalory::test;

namespace {

struct BirthdayDialog : ::testing::Test {
    TempProgramFolder folder{{"blear.fpf", "blearII.fpf", "blik.fpf", "brdstf.fpf"}};
    TestServices services;
    AppState state;
    std::unique_ptr<frmMDI> mdi;
    Workspace* workspace = nullptr;
    std::vector<QString> canvas;  // what the print asked of its canvas, in order
    int prints = 0;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.settings.DefaultStyle = QStringLiteral("A");
        mdi = std::make_unique<frmMDI>(state, services.services);
        mdi->quitApplication = nullptr;
        workspace = new Workspace(state, services.services, *mdi);
        auto& c = workspace->canvas();
        c.refreshInfoObjects = [this] { canvas.push_back("refresh"); };
        c.loadTemplate = [this] {
            canvas.push_back("load");
            return true;
        };
        c.fitAllLabels = [this] { canvas.push_back("fit"); };
        c.setCaption = [this](const QString& s) { canvas.push_back("caption " + s); };
        c.show = [this] { canvas.push_back("show"); };
        c.hide = [this] { canvas.push_back("hide"); };
        c.move = [this](int x, int y) { canvas.push_back(QStringLiteral("move %1,%2").arg(x).arg(y)); };
        mdi->hooks().unloadCanvas = [this] { canvas.push_back("unload"); };
        mdi->setCommandHandler(Command::PrintCanvas, [this](const ToolClick&) { ++prints; });
    }

    frmGetInfo& dialog() {
        frmGetInfo* d = workspace->birthdayDialog();
        EXPECT_TRUE(d);
        return *d;
    }
    frmGetInfo& openNew() {
        workspace->NewPrint();
        return dialog();
    }
    // A new print's dialog, shown and active, in quick mode or not.
    frmGetInfo& openShown(bool quick) {
        state.settings.QuickPrinting = quick;
        frmGetInfo& d = openNew();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        QApplication::setActiveWindow(&d);
        return d;
    }
    static void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    std::vector<QString> messages() const {
        std::vector<QString> m;
        for (const AskedPrompt& a : services.prompt.asked) m.push_back(a.text);
        return m;
    }
};

}  // namespace

// The dialog's tests below leave and print dates around the data's last year; these are the
// checks it cannot reach: a date its box cannot hold, and no year data at all.
TEST(DateLimits, WithoutDataTheShippedYearsAndAnImpossibleDateIsRefused) {
    TempProgramFolder noData;
    EXPECT_EQ(LastYearAvailable(noData.path()), kShippedLastYear);
    EXPECT_EQ(CheckQuickPrintDate(QStringLiteral("01/01/1899"), 2025).resetTo, QDate(1999, 1, 1));
    const DateCheck invalid = CheckQuickPrintDate(QStringLiteral("02/30/1950"), 2025);
    EXPECT_EQ(invalid.message, QStringLiteral("You must use a valid date!"));
    EXPECT_EQ(invalid.title, QStringLiteral("Incorrect Date Settting"));
    EXPECT_FALSE(invalid.resetTo);
}

TEST_F(BirthdayDialog, NewPrintOpensOnJanuaryFirst1999InTheStoredModeAndStyle) {
    state.settings.DefaultStyle = QStringLiteral("Z");
    state.settings.DefaultTemplatePath = QStringLiteral("/home/ann/party.als");
    folder.write("party.als", "12240,15840,720,720,720,720,1\r\n");
    frmGetInfo& d = openNew();
    EXPECT_EQ(d.calCalendar->selectedDate(), QDate(1999, 1, 1));
    EXPECT_EQ(d.lstYear->currentItem()->text(), QStringLiteral("1999"));
    EXPECT_EQ(d.cmbPrintType->currentText(), QStringLiteral("Template..."));
    EXPECT_EQ(d.txtCustomStyle->text(), QStringLiteral("/home/ann/party.als"));
    EXPECT_TRUE(d.cmdBrowseStyles->isEnabled());
    EXPECT_EQ(state.birthday.PrintType, 3);
    EXPECT_TRUE(d.cmdDone->isDefault());
    EXPECT_FALSE(d.frmQuick->isVisible());

    // The calendar and the year list follow each other.
    d.calCalendar->setSelectedDate(QDate(1960, 2, 29));
    EXPECT_EQ(d.lstYear->currentItem()->text(), QStringLiteral("1960"));
    d.lstYear->setCurrentRow(61);  // 1961 has no February 29
    EXPECT_EQ(d.calCalendar->selectedDate(), QDate(1961, 2, 28));
    d.lstYear->setCurrentRow(125);
    EXPECT_EQ(d.calCalendar->selectedDate().year(), 2025);

    // A chosen template keeps its folder for the next choice only when the file reads.
    services.files.answers = {folder.file("party.als")};
    d.cmdBrowseStyles->click();
    EXPECT_EQ(d.txtCustomStyle->text(), folder.file("party.als"));
    EXPECT_EQ(state.settings.LastTemplateFolder, folder.path() + u'/');
    EXPECT_EQ(services.files.requests.back().filter, QStringLiteral("Templates (*.als)"));
    EXPECT_EQ(services.files.requests.back().folder, folder.path());
    state.settings.LastTemplateFolder = QStringLiteral("/kept/");
    services.files.answers = {folder.file("missing.als")};
    d.cmdBrowseStyles->click();
    EXPECT_EQ(d.txtCustomStyle->text(), folder.file("missing.als"));
    EXPECT_EQ(state.settings.LastTemplateFolder, QStringLiteral("/kept/"));
    EXPECT_EQ(services.files.requests.back().folder, QStringLiteral("/kept/"));
    services.files.answers = {std::nullopt};  // cancelled
    d.cmdBrowseStyles->click();
    EXPECT_EQ(d.txtCustomStyle->text(), folder.file("missing.als"));

    // Choosing a built-in style empties and locks the template path.
    d.selectStyle(1);
    EXPECT_TRUE(d.txtCustomStyle->text().isEmpty());
    EXPECT_FALSE(d.txtCustomStyle->isEnabled());
    EXPECT_EQ(state.birthday.PrintType, 1);

    // Quick mode in memory only.
    d.optFastPrint->click();
    EXPECT_TRUE(state.settings.QuickPrinting);
    EXPECT_TRUE(d.cmdPrint->isDefault());
    EXPECT_TRUE(d.frmQuick->isVisible());
    EXPECT_FALSE(d.calCalendar->isVisible());
    EXPECT_FALSE(d.cmdDone->isVisible());
    // A new print's Cancel takes the document tools away.
    mdi->ShowDocumentTools();
    d.cmdCancel->click();
    EXPECT_FALSE(mdi->sToolbar.tool("ID_Print").visible());
}

TEST_F(BirthdayDialog, DoneBuildsThePrintOnTheCanvasInOrder) {
    frmGetInfo& d = openNew();
    QTest::keyClicks(d.txtFname, QStringLiteral("anna"));
    EXPECT_EQ(d.txtFname->text(), QStringLiteral("Anna"));  // only the first letter, typed alone, is raised
    QTest::keyClicks(d.txtParentsName, QStringLiteral("Ruth and Sam Lee"));
    d.lstYear->setCurrentRow(50);
    d.calCalendar->setSelectedDate(QDate(1950, 1, 15));
    canvas.clear();
    d.cmdDone->click();

    EXPECT_EQ(canvas,
              std::vector<QString>({"load", "fit", "caption Anna  born on 1/15/1950", "show", "move 5,5"}));
    EXPECT_EQ(state.birthday.BirthDate, QDate(1950, 1, 15));
    EXPECT_EQ(state.birthday.FullName, QStringLiteral("Anna "));
    EXPECT_EQ(state.birthday.ParentsName, QStringLiteral("Ruth and Sam Lee"));
    EXPECT_EQ(state.facts.WesternSign, QStringLiteral("Capricorn"));
    EXPECT_TRUE(mdi->sToolbar.tool("ID_Print").visible());
    EXPECT_FALSE(state.TemplateChanged);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(workspace->birthdayDialog());  // the dialog is gone
}

TEST_F(BirthdayDialog, EditingTheBirthdayRewritesTextsWithoutReloadingTheTemplateANewPrintReloadsIt) {
    state.birthday = {QDate(1960, 2, 29), "Ben", "Ode", "Ben Ode", 1, {}, {}};
    workspace->EditCurrentBirthday();
    frmGetInfo& d = dialog();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Current Birthday Information"));
    EXPECT_EQ(d.txtFname->text(), QStringLiteral("Ben"));
    EXPECT_EQ(d.calCalendar->selectedDate(), QDate(1960, 2, 29));
    EXPECT_EQ(d.cmbPrintType->currentIndex(), 1);
    EXPECT_FALSE(d.cmbPrintType->isEnabled());
    EXPECT_FALSE(d.cmdBrowseStyles->isEnabled());
    d.txtLname->setText(QStringLiteral("Oder"));
    canvas.clear();
    d.cmdDone->click();
    EXPECT_EQ(canvas.front(), QStringLiteral("refresh"));
    EXPECT_EQ(std::count(canvas.begin(), canvas.end(), QStringLiteral("load")), 0);
    EXPECT_EQ(state.birthday.FullName, QStringLiteral("Ben Oder"));

    // Edit, then Cancel; a new print asks first whether to save a changed template, and Cancel keeps
    // the canvas.
    workspace->EditCurrentBirthday();
    dialog().cmdCancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.TemplateChanged = true;
    services.prompt.answers = {PromptAnswer::Cancel, PromptAnswer::No};
    canvas.clear();
    workspace->NewPrint();
    EXPECT_EQ(services.prompt.asked.back().title, QStringLiteral("Save Changes?"));
    EXPECT_TRUE(canvas.empty());
    EXPECT_FALSE(workspace->birthdayDialog());
    frmGetInfo& fresh = openNew();
    EXPECT_EQ(canvas, std::vector<QString>({"unload"}));
    EXPECT_TRUE(fresh.isVisible());
    EXPECT_TRUE(fresh.cmbPrintType->isEnabled());
    canvas.clear();
    fresh.cmdDone->click();
    EXPECT_EQ(canvas.front(), QStringLiteral("load"));
}

TEST_F(BirthdayDialog, QuickModeDateLimitsAndPrinting) {
    state.settings.QuickPrinting = true;
    frmGetInfo& d = openNew();
    EXPECT_TRUE(d.optFastPrint->isChecked());

    // The last year of the data is accepted when leaving the box; a later one is refused by Print.
    d.ctQuickDate->setDate(QDate(2025, 6, 15));
    leave(d.ctQuickDate);
    EXPECT_TRUE(services.prompt.asked.empty());
    EXPECT_EQ(d.calCalendar->selectedDate(), QDate(2025, 6, 15));
    d.ctQuickDate->setDate(QDate(2026, 2, 2));
    d.cmdPrint->click();
    EXPECT_EQ(messages(), std::vector<QString>({"Last year available is 2025, your date will be reset."}));
    EXPECT_EQ(d.ctQuickDate->date(), QDate(2025, 1, 1));
    EXPECT_EQ(prints, 0);

    d.ctQuickDate->setDate(QDate(1899, 7, 4));
    leave(d.ctQuickDate);
    EXPECT_EQ(messages().back(), QStringLiteral("First year available is 1900, your date will be reset."));
    EXPECT_EQ(d.ctQuickDate->date(), QDate(1999, 1, 1));

    // Opening the drop-down always starts on January 1, 1999.
    d.ctQuickDate->setDate(QDate(1975, 5, 5));
    QShowEvent show;
    QApplication::sendEvent(d.ctQuickDate->calendarWidget(), &show);
    EXPECT_EQ(d.ctQuickDate->date(), QDate(1999, 1, 1));

    // A good date prints at once; the print closes and the dialog stays for the next name.
    d.txtFname->setText(QStringLiteral("Cy"));
    d.ctQuickDate->setDate(QDate(1950, 3, 4));
    canvas.clear();
    d.cmdPrint->click();
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(state.birthday.BirthDate, QDate(1950, 3, 4));
    EXPECT_EQ(std::count(canvas.begin(), canvas.end(), QStringLiteral("show")), 0);
    EXPECT_EQ(canvas.back(), QStringLiteral("unload"));
    EXPECT_FALSE(mdi->sToolbar.tool("ID_Print").visible());
    EXPECT_TRUE(d.isVisible());
    d.cmdDoneQuick->click();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(BirthdayDialog, F1HelpWhereverTheFocusIsAndQuickModeKeepsFebruary29AndFitsItsControls) {
    frmGetInfo& d = openShown(false);
    for (QWidget* w : {static_cast<QWidget*>(d.txtFname), static_cast<QWidget*>(d.calCalendar),
                       static_cast<QWidget*>(d.lstYear)}) {
        services.help.shown.clear();
        w->setFocus();
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        QTest::keyClick(focus, Qt::Key_F1);
        ASSERT_EQ(services.help.shown.size(), 1u) << w->objectName().toStdString();
        EXPECT_EQ(services.help.shown[0].topic, 1010);
    }

    const int designerHeight = d.height();
    d.optFastPrint->click();
    ASSERT_TRUE(d.optFastPrint->isChecked());
    // No room is kept for the calendar the mode hides.
    EXPECT_LT(d.height(), designerHeight);
    EXPECT_EQ(d.height(), d.sizeHint().height());

    d.txtFname->setText(QStringLiteral("Leap"));
    d.ctQuickDate->setFocus(Qt::TabFocusReason);
    // The box shows 01/01/1999, a year without February 29, while month and day are typed.
    QTest::keyClicks(d.ctQuickDate, QStringLiteral("02291904"));
    EXPECT_EQ(d.ctQuickDate->text(), QStringLiteral("02/29/1904"));
    d.cmdPrint->click();
    EXPECT_TRUE(services.prompt.asked.empty());
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(state.birthday.BirthDate, QDate(1904, 2, 29));
}

// The dialog offers the years of the data in its folder: an old file ending at 2004 ends them there.
TEST_F(BirthdayDialog, TheYearsOfferedEndWithTheDataAndTheDateBoxTakesTypingAfterAClick) {
    const QByteArray bytes = folder.read("brdstf.fpf");
    folder.write("brdstf.fpf", bytes.left(bytes.indexOf("\"2005\"")));
    frmGetInfo& d = openShown(true);
    EXPECT_EQ(d.lstYear->count(), 105);
    EXPECT_EQ(d.lstYear->item(104)->text(), QStringLiteral("2004"));
    EXPECT_EQ(d.calCalendar->maximumDate(), QDate(2004, 12, 31));
    d.txtFname->setFocus();
    // A click at the start of the month, where a hand would put it.
    const QPoint at(6, d.ctQuickDate->height() / 2);
    QWidget* under = d.ctQuickDate->childAt(at) ? d.ctQuickDate->childAt(at) : d.ctQuickDate;
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(d.ctQuickDate, at));
    ASSERT_TRUE(QApplication::focusWidget());
    QApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("07042016"));
    EXPECT_EQ(d.ctQuickDate->text(), QStringLiteral("07/04/2016"));
    QTest::mouseClick(d.txtFname, Qt::LeftButton);
    EXPECT_EQ(messages(), std::vector<QString>({"Last year available is 2004, your date will be reset."}));
    EXPECT_EQ(d.ctQuickDate->date(), QDate(2004, 1, 1));
    EXPECT_EQ(prints, 0);
}
