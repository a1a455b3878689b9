// The help tells the truth about the windows: its links lead somewhere, and every
// caption it names in bold is one the program shows.
#include "batch/frmBatch.h"
#include "batch/frmLog.h"
#include "birthday/frmGetInfo.h"
#include "document/DisplayObjects.h"
#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/frmPageSetup.h"
#include "output/frmPrev.h"
#include "prefs/frmDataSettings.h"
#include "prefs/frmOptions.h"
#include "shell/HelpWindow.h"
#include "shell/QtSeams.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace natalory;
using namespace natalory::test;

namespace {

QDir HelpFolder() {
    return QDir(QStringLiteral(NATALORY_SOURCE_DATA "/help"));
}

QStringList Pages() {
    return HelpFolder().entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString Read(const QString& page) {
    QFile f(HelpFolder().filePath(page));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
    return QString::fromUtf8(f.readAll());
}

QStringList Matches(const QString& text, const QRegularExpression& re) {
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();) found << it.next().captured(1);
    return found;
}

QString Plain(QString caption) {
    caption.remove(u'&');
    return caption.simplified();
}

void AddWidgetTexts(const QWidget& window, QSet<QString>& captions) {
    captions.insert(Plain(window.windowTitle()));
    for (const auto* b : window.findChildren<QAbstractButton*>()) captions.insert(Plain(b->text()));
    for (const auto* l : window.findChildren<QLabel*>()) captions.insert(Plain(l->text()));
    for (const auto* g : window.findChildren<QGroupBox*>()) captions.insert(Plain(g->title()));
    for (const auto* c : window.findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) captions.insert(Plain(c->itemText(i)));
}

// Every caption the program shows: tools and menus, and the texts of every window.
QSet<QString> ProgramCaptions() {
    QSet<QString> captions;
    for (const ToolCatalogue* catalogue : {&MainToolCatalogue(), &PreviewToolCatalogue()})
        for (const ToolDef& t : catalogue->tools) captions.insert(Plain(t.caption));

    TempProgramFolder folder;
    TestServices services;
    AppState state;
    state.ProgramFolder = folder.path();
    state.LogFilePath = folder.file("birthday print log.log");
    frmMDI mdi(state, services.services);
    mdi.quitApplication = nullptr;
    auto* workspace = new Workspace(state, services.services, mdi);
    workspace->NewPrint();
    AddWidgetTexts(*workspace->birthdayDialog(), captions);
    AddWidgetTexts(frmOptions(state, services.services, {}, &mdi), captions);
    AddWidgetTexts(frmDataSettings(state, services.services, {}, &mdi), captions);
    AddWidgetTexts(frmPageSetup(state, services.services, {}, {}, &mdi), captions);
    AddWidgetTexts(frmLog(state, services.services, {}, &mdi), captions);
    AddWidgetTexts(frmBatch(state, services.services, {}, &mdi), captions);
    AddWidgetTexts(frmText(QStringLiteral("text"), &mdi), captions);
    DisplayObject picture;
    picture.kind = ObjectKind::Picture;
    picture.Width = picture.Height = 1440;
    AddWidgetTexts(frmResize(picture, services.prompt, {}, &mdi), captions);
    AddWidgetTexts(frmPrev({}, &mdi), captions);
    return captions;
}

}  // namespace

// F1 in a modal dialog: the help is that dialog's window, above it; it outlives the dialog
// and Esc closes it.
TEST(HelpPages, HelpAskedFromAModalDialogOpensAboveItAndEscClosesIt) {
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

TEST(HelpPages, EveryLinkAndPictureLeadsToAFileTheHelpWindowOpens) {
    const QStringList pages = Pages();
    ASSERT_GE(pages.size(), 12);
    // Every window's help page is there, and the contents lead to each.
    const QString contents = Read(QStringLiteral("index.html"));
    for (int topic = 1000; topic <= 1100; topic += 10)
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1.html\"").arg(topic))) << topic;

    HelpWindow window;
    auto* browser = window.findChild<QTextBrowser*>();
    ASSERT_TRUE(browser);
    static const QRegularExpression kHref(QStringLiteral(R"re(href="([^"]*)")re"));
    static const QRegularExpression kTitle(QStringLiteral("<title>(.*)</title>"));
    static const QRegularExpression kSrc(QStringLiteral(R"re(src="([^"]*)")re"));
    for (const QString& page : pages) {
        const QString html = Read(page);
        for (const QString& picture : Matches(html, kSrc))
            EXPECT_TRUE(HelpFolder().exists(picture)) << page.toStdString() << ": " << picture.toStdString();
        for (const QString& link : Matches(html, kHref)) {
            // As a click does: the link is resolved against the page it is on.
            const QUrl base = QUrl::fromLocalFile(HelpFolder().filePath(page));
            const QFileInfo target(base.resolved(QUrl(link)).toLocalFile());
            ASSERT_TRUE(target.isFile()) << page.toStdString() << ": " << link.toStdString();
            browser->setSource(base);
            browser->setSource(QUrl(link));
            EXPECT_EQ(browser->documentTitle(), Matches(Read(target.fileName()), kTitle).value(0))
                << page.toStdString() << ": " << link.toStdString();
        }
    }
}

TEST(HelpPages, NameOnlyCaptionsTheProgramShows) {
    const QSet<QString> captions = ProgramCaptions();
    static const QRegularExpression kBold(QStringLiteral(R"(<b>(.*?)</b>)"),
                                          QRegularExpression::DotMatchesEverythingOption);
    int named = 0;
    for (const QString& page : Pages()) {
        for (const QString& bold : Matches(Read(page), kBold)) {
            ++named;
            EXPECT_TRUE(captions.contains(bold.simplified()))
                << page.toStdString() << " names \"" << bold.toStdString() << "\", which no window shows";
        }
    }
    EXPECT_GT(named, 100);
}
