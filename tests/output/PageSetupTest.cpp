#include "output/frmPageSetup.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace natalory;
using namespace natalory::test;

namespace {

auto Fields(const PageSetup& p) {
    return std::tuple(p.PaperWidth, p.PaperLength, p.LeftMargin, p.RightMargin, p.TopMargin, p.BottomMargin,
                      p.PageOrientation);
}

// The dialog on a letter page, shown as the user sees it; `resized` holds every canvas
// size Apply gave.
struct PageSetupDialog : ::testing::Test {
    TestServices services;
    AppState state;
    std::vector<QSize> resized;
    std::unique_ptr<frmPageSetup> dialog;

    void open(const PageSetup& page = {12240, 15840, 720, 720, 720, 720, 1}) {
        state.page = page;
        dialog = std::make_unique<frmPageSetup>(state, services.services, QPointF(0.25, 0.25),
                                                [this](QSize s) { resized.push_back(s); });
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        QApplication::setActiveWindow(dialog.get());
        services.prompt.asked.clear();
    }
};

}  // namespace

TEST_F(PageSetupDialog, LeavingOneOfTwoWrongSizesAsksOnceAndKeepsTheFocusThere) {
    open({0, 0, 720, 720, 720, 720, 1});
    dialog->txtWidth->setFocus();
    services.prompt.asked.clear();
    dialog->txtLength->setFocus();
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text, "Your paper size must be between .25 and 240");
    EXPECT_TRUE(dialog->txtWidth->hasFocus());
}

TEST_F(PageSetupDialog, EnterOnValuesThatCannotBeAPageKeepsTheOldPageAndTheDialog) {
    open();
    const PageSetup before = state.page;
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {dialog->txtLeft, "8", "Your Left and Right margins cannot be greater than the page width."},
        {dialog->txtBottom, "10.5", "Your Top and Bottom margins cannot be greater than the page length."},
        {dialog->txtWidth, ".1", "Your paper size must be between .25 and 240"},
        // The typed x never reaches the box: it holds 300.
        {dialog->txtLength, "3x00", "Your paper size must be between .25 and 240."},
    };
    for (const auto& c : cases) {
        services.prompt.asked.clear();
        c.box->setFocus();
        c.box->selectAll();
        QTest::keyClicks(c.box, c.typed);
        QTest::keyClick(c.box, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << c.typed;
        ASSERT_FALSE(services.prompt.asked.empty()) << c.typed;
        EXPECT_EQ(services.prompt.asked.front().text, c.message);
        EXPECT_EQ(Fields(state.page), Fields(before)) << c.typed;
        EXPECT_TRUE(resized.empty());
    }
    // The boxes are back at values a page can have: Enter now applies and closes.
    EXPECT_EQ(dialog->txtWidth->text(), "8.5");
    services.prompt.asked.clear();
    QTest::keyClick(dialog->txtTop, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(services.prompt.asked.empty());
    EXPECT_EQ(resized.size(), 1u);
    EXPECT_EQ(state.page.LeftMargin, 360);  // reset to the printer's smallest
}
