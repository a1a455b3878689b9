// Every window can be used without a mouse and is told truly by the help: every input is
// named and Tab reads it in order; the help's links lead somewhere, and every caption it
// names in bold is one the program shows.
#include "batch/frmBatch.h"
#include "batch/frmLog.h"
#include "document/PageGeometry.h"
#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/frmPageSetup.h"
#include "output/frmPrev.h"
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
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
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

QString Read(const QString& page) {
    QFile f(HelpFolder().filePath(page));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
    return QString::fromUtf8(f.readAll());
}

QStringList Matches(const QString& text, const QString& pattern) {
    const QRegularExpression re(pattern, QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();) found << it.next().captured(1);
    return found;
}

QString Plain(QString caption) {
    return caption.remove(u'&').simplified();
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

TEST_F(Accessibility, EveryInputOfEveryDialogHasANameAndTabReadsItInOrder) {
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
        QApplication::setActiveWindow(window);
        if (auto* d = qobject_cast<frmGetInfo*>(window)) {
            // The birthday dialog is read by the names, the date and its buttons, then the choices;
            // the mode group is one stop, at its first button, and the arrows choose within it.
            d->selectMode(false);
            EXPECT_EQ(TabOrder(d->txtFname),
                      "txtFname txtLname calCalendar lstYear cmdDone cmdCancel optCloseLook cmbPrintType "
                      "txtParentsName txtLbs txtOzs txtInches");
            d->selectMode(true);
            EXPECT_EQ(TabOrder(d->txtFname),
                      "txtFname txtLname ctQuickDate cmdPrint cmdDoneQuick optCloseLook cmbPrintType "
                      "txtParentsName txtLbs txtOzs txtInches");
            continue;
        }
        // Tab reads every other window as a person does: down a column, then on to the next one
        // on the right; it never goes back up and to the left.
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

TEST_F(HelpPages, EveryLinkAndPictureLeadsToAFileTheHelpWindowOpens) {
    const QStringList pages = HelpFolder().entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    ASSERT_GE(pages.size(), 12);
    // Every window's help page is there, and the contents lead to each.
    const QString contents = Read(QStringLiteral("index.html"));
    for (int topic = 1000; topic <= 1100; topic += 10)
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1.html\"").arg(topic))) << topic;

    HelpWindow window;
    auto* browser = window.findChild<QTextBrowser*>();
    ASSERT_TRUE(browser);
    for (const QString& page : pages) {
        const QString html = Read(page);
        for (const QString& picture : Matches(html, R"re(src="([^"]*)")re"))
            EXPECT_TRUE(HelpFolder().exists(picture)) << page.toStdString() << ": " << picture.toStdString();
        for (const QString& link : Matches(html, R"re(href="([^"]*)")re")) {
            // As a click does: the link is resolved against the page it is on.
            const QUrl base = QUrl::fromLocalFile(HelpFolder().filePath(page));
            const QFileInfo target(base.resolved(QUrl(link)).toLocalFile());
            ASSERT_TRUE(target.isFile()) << page.toStdString() << ": " << link.toStdString();
            browser->setSource(base);
            browser->setSource(QUrl(link));
            EXPECT_EQ(browser->documentTitle(),
                      Matches(Read(target.fileName()), "<title>(.*)</title>").value(0))
                << page.toStdString() << ": " << link.toStdString();
        }
    }
}

TEST_F(HelpPages, NameOnlyCaptionsTheProgramShows) {
    // Every caption the program shows: tools and menus, and the texts of every window.
    QSet<QString> captions;
    for (const ToolCatalogue* catalogue : {&MainToolCatalogue(), &PreviewToolCatalogue()})
        for (const ToolDef& t : catalogue->tools) captions.insert(Plain(t.caption));
    std::vector<QWidget*> windows = dialogs();
    frmPrev preview({}, mdi.get());
    windows.push_back(&preview);
    for (const QWidget* window : windows) {
        captions.insert(Plain(window->windowTitle()));
        for (const auto* b : window->findChildren<QAbstractButton*>()) captions.insert(Plain(b->text()));
        for (const auto* l : window->findChildren<QLabel*>()) captions.insert(Plain(l->text()));
        for (const auto* g : window->findChildren<QGroupBox*>()) captions.insert(Plain(g->title()));
        for (const auto* c : window->findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i) captions.insert(Plain(c->itemText(i)));
    }

    int named = 0;
    for (const QString& page : HelpFolder().entryList({QStringLiteral("*.html")}, QDir::Files)) {
        for (const QString& bold : Matches(Read(page), "<b>(.*?)</b>")) {
            ++named;
            EXPECT_TRUE(captions.contains(bold.simplified()))
                << page.toStdString() << " names \"" << bold.toStdString() << "\", which no window shows";
        }
    }
    EXPECT_GT(named, 100);
}
