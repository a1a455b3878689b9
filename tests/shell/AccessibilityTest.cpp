// Every window can be used without a mouse: every input is named and Tab reads it in order.
#include "batch/frmBatch.h"
#include "batch/frmLog.h"
#include "document/PageGeometry.h"
#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/frmPageSetup.h"
#include "prefs/frmDataSettings.h"
#include "prefs/frmOptions.h"
#include "shell/HelpWindow.h"
#include "shell/QtSeams.h"

#include "editor/PrintInWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <memory>

using namespace natalory;
using namespace natalory::test;

namespace {

bool IsInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QCalendarWidget*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// The inputs a person reaches in a window: not the parts a compound input is made of (the
// edit inside a combo box, the year box inside a calendar).
std::vector<QWidget*> Inputs(QWidget& window) {
    std::vector<QWidget*> inputs;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!IsInput(w) || w->focusPolicy() == Qt::NoFocus) continue;
        bool part = false;
        for (QWidget* up = w->parentWidget(); up && up != &window; up = up->parentWidget())
            part = part || IsInput(up);
        if (!part) inputs.push_back(w);
    }
    return inputs;
}

// The inputs Tab visits from the first, in order, until it comes round again; a compound
// input (the calendar, the date box with its three parts) counts once.
std::string TabOrder(QWidget* first) {
    QStringList order;
    first->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 40; ++i) {
        QWidget* now = QApplication::focusWidget();
        if (!now || (!order.isEmpty() && now == first)) break;
        QWidget* input = now;
        while (input->objectName().startsWith(u"qt_") && input->parentWidget()) input = input->parentWidget();
        if (order.isEmpty() || order.back() != input->objectName()) order << input->objectName();
        QTest::keyClick(now, Qt::Key_Tab);
    }
    return order.join(u' ').toStdString();
}

QDir HelpFolder() {
    return QDir(QStringLiteral(NATALORY_SOURCE_DATA "/help"));
}

struct Windows : MainWindowTest {
    // Every dialog of the program, made as its command makes it, the birthday dialog first.
    std::vector<QWidget*> dialogs() {
        workspace->NewPrint();
        state.LogFilePath = folder.file("birthday print log.log");
        state.page = DefaultPageSetup();
        picture.kind = ObjectKind::Picture;
        picture.Width = picture.Height = 1440;
        owned.emplace_back(new frmOptions(state, services.services, frmOptions::Hooks{}, mdi.get()));
        owned.emplace_back(new frmDataSettings(state, services.services, nullptr, mdi.get()));
        owned.emplace_back(
            new frmPageSetup(state, services.services, QPointF(0.25, 0.25), nullptr, mdi.get()));
        owned.emplace_back(new frmLog(state, services.services, nullptr, mdi.get()));
        owned.emplace_back(new frmBatch(state, services.services, nullptr, mdi.get()));
        owned.emplace_back(new frmText(QStringLiteral("text"), mdi.get()));
        owned.emplace_back(new frmResize(picture, services.prompt, nullptr, mdi.get()));
        std::vector<QWidget*> all = {workspace->birthdayDialog()};
        for (auto& d : owned) all.push_back(d.get());
        return all;
    }
    DisplayObject picture;
    std::vector<std::unique_ptr<QDialog>> owned;
};

using Accessibility = Windows;
using HelpPages = Windows;

}  // namespace

TEST_F(Accessibility, EveryInputOfEveryDialogHasANameAndTabNeverGoesBack) {
    mdi->show();
    for (QWidget* window : dialogs()) {
        window->show();
        const std::vector<QWidget*> inputs = Inputs(*window);
        EXPECT_FALSE(inputs.empty()) << window->objectName().toStdString();
        for (QWidget* input : inputs) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(input);
            ASSERT_TRUE(a);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << window->objectName().toStdString() << ": " << input->objectName().toStdString() << " ("
                << input->metaObject()->className() << ")";
        }
        // Tab reads the window as a person does: down a column, then on to the next one on the
        // right; it never goes back up and to the left. (The birthday dialog's own order is below.)
        if (window == workspace->birthdayDialog()) continue;
        QApplication::setActiveWindow(window);
        QWidget* first = window->nextInFocusChain();
        while (first != window && !(std::count(inputs.begin(), inputs.end(), first) && first->isVisible() &&
                                    (first->focusPolicy() & Qt::TabFocus)))
            first = first->nextInFocusChain();
        QRect previous;
        QString previousName;
        first->setFocus(Qt::TabFocusReason);
        for (size_t i = 0; i < inputs.size(); ++i) {
            QWidget* now = QApplication::focusWidget();
            if (!now || !window->isAncestorOf(now) || (i > 0 && now == first)) break;
            const QRect r(now->mapTo(window, QPoint()), now->size());
            EXPECT_FALSE(!previous.isNull() && r.bottom() < previous.top() && r.left() < previous.right())
                << window->objectName().toStdString() << ": " << previousName.toStdString() << " then "
                << now->objectName().toStdString();
            previous = r;
            previousName = now->objectName();
            QTest::keyClick(now, Qt::Key_Tab);
        }
        window->hide();
    }
}

TEST_F(Accessibility, TabFollowsTheBirthdayDialogAsItIsRead) {
    mdi->show();
    click("ID_New");
    frmGetInfo* d = workspace->birthdayDialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    QApplication::setActiveWindow(d);
    d->selectMode(false);
    EXPECT_EQ(
        TabOrder(d->txtFname),
        "txtFname txtLname calCalendar lstYear cmdDone cmdCancel optCloseLook cmbPrintType txtParentsName "
        "txtLbs txtOzs txtInches");
    // The mode group is one stop, at its first button; the arrows choose within it.
    d->selectMode(true);
    EXPECT_EQ(
        TabOrder(d->txtFname),
        "txtFname txtLname ctQuickDate cmdPrint cmdDoneQuick optCloseLook cmbPrintType txtParentsName txtLbs "
        "txtOzs txtInches");
}

// F1 in a modal dialog: the help is that dialog's window, above it; it outlives the dialog
// and Esc closes it.
TEST_F(HelpPages, HelpAskedFromAModalDialogOpensAboveItAndEscClosesIt) {
    QtHelpViewer help;
    QDialog dialog;
    HelpWindow* window = nullptr;
    QTimer::singleShot(0, [&] {
        help.showTopic(HelpFolder().absoluteFilePath(QStringLiteral("../nataloryhelp.chm")), "Main", 1030);
        window = QApplication::activeModalWidget()->findChild<HelpWindow*>();
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isWindow());
        dialog.reject();
    });
    dialog.exec();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible()) << "closing the dialog leaves the help open";
    EXPECT_EQ(window->parentWidget(), nullptr);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}
