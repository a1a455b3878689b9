#include "batch/PrintLog.h"
#include "batch/frmLog.h"
#include "foundation/Settings.h"
#include "prefs/frmOptions.h"
#include "shell/QtSeams.h"

#include "support/Dialogs.h"
#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using namespace natalory;
using namespace natalory::test;

namespace {

struct Dialogs : ::testing::Test {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    int fontRefills = 0, counterShown = 0;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
    }
    frmOptions::Hooks hooks() {
        return {[this] { ++fontRefills; }, [this] { ++counterShown; }};
    }
    void log(int n, QDate day) {
        AppState p = state;
        p.birthday.BirthDate = QDate(1960, 2, 29);
        p.birthday.FirstName = "Cy";
        for (int i = 0; i < n; ++i) AppendPrintLog(p, QDateTime(day, QTime(9, i, 0)));
    }
    void leave(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
};

}  // namespace

TEST_F(Dialogs, OptionsOkWithoutChangesWritesBackWhatItRead) {
    folder.write("party.als", "x");
    const QByteArray stored = "\"" + folder.file("party.als").toLatin1() +
                              "\",\"Z\",\"/t/\",2,#TRUE#,#FALSE#,#TRUE#,#FALSE#,#TRUE#,-144,10000\r\n";
    folder.write("vir1.cgf", stored);
    state.settings.QuickPrinting = false;  // changed in memory by the birthday dialog
    frmOptions options(state, services.services, hooks());
    EXPECT_TRUE(state.settings.QuickPrinting);  // the dialog starts from the file
    EXPECT_EQ(options.txtOffsetX->text(), "-0.1");
    // An offset beyond what the box takes is shown, and kept while nobody types in it.
    EXPECT_EQ(options.txtOffsetY->text(), "6.94444");
    leave(options.txtOffsetY);
    EXPECT_EQ(options.txtOffsetY->text(), "6.94444");
    options.cmdOk->click();
    EXPECT_EQ(folder.read("vir1.cgf"), stored);
    EXPECT_EQ(fontRefills, 1);
}

TEST_F(Dialogs, OptionsValidationWritesNothingAndOffsetsAreChecked) {
    WriteSettings(state, DefaultSettings());
    const QByteArray before = folder.read("vir1.cgf");
    frmOptions options(state, services.services, hooks());
    options.optCustomTemplate->click();
    const std::pair<QString, QString> refused[] = {
        {" ", "You must enter a template or uncheck the Use Custom Template box."},
        {folder.file("gone.als"), "Your template was not found."},
        {folder.file("say \"hello\".als"), "The template's path cannot hold a double quote"}};
    for (const auto& [path, message] : refused) {
        options.txtCustomPath->setText(path);
        (path == " " ? options.cmdApply : options.cmdOk)->click();
        EXPECT_TRUE(services.prompt.asked.back().text.startsWith(message)) << path.toStdString();
    }
    EXPECT_NE(services.prompt.asked.back().title, "Disk Error");
    EXPECT_EQ(folder.read("vir1.cgf"), before);
    EXPECT_EQ(fontRefills, 0);

    // Letters never reach the offset boxes; a value out of range becomes 0 on leaving.
    options.txtOffsetX->clear();
    QTest::keyClicks(options.txtOffsetX, "a0b.1");
    EXPECT_EQ(options.txtOffsetX->text(), "0.1");
    options.txtOffsetY->clear();
    QTest::keyClicks(options.txtOffsetY, "5.01");
    leave(options.txtOffsetY);
    EXPECT_EQ(options.txtOffsetY->text(), "0");
    options.optNews->click();
    EXPECT_TRUE(options.txtCustomPath->text().isEmpty());
    options.optPrinter->click();
    options.cmdApply->click();
    EXPECT_EQ(fontRefills, 1);
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::File);
    EXPECT_EQ(QPoint(state.settings.PrintOffsetX, state.settings.PrintOffsetY), QPoint(144, 0));
    EXPECT_TRUE(state.settings.UsePrinterFonts);
}

TEST_F(Dialogs, OptionsClearCountAndClearLogWhoseQuestionTakesNoOnEnter) {
    log(2, QDate(2026, 12, 6));
    state.PrintCount = 4;
    QtPrompt questions;
    Services real{questions,      services.files, services.colors, services.printerSetup,
                  services.clock, services.urls,  services.help};
    frmOptions options(state, real, hooks());
    options.cmdClearLogCount->click();
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_EQ(counterShown, 1);

    // The real question: Enter takes its default, No, and the log and count stay; Yes clears both.
    state.PrintCount = 3;
    for (const bool clear : {false, true}) {
        WhenDialogOpens<QMessageBox>([clear](QMessageBox& box) {
            if (clear)
                box.button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(&box, Qt::Key_Return);
        });
        options.cmdClearLogFile->click();
        EXPECT_EQ(QFileInfo::exists(state.LogFilePath), !clear);
        EXPECT_EQ(state.PrintCount, clear ? 0 : 3);
    }
    EXPECT_EQ(counterShown, 2);
}

TEST_F(Dialogs, TheLogViewerListsTotalsClearsAndCopies) {
    services.clock.moment = QDateTime(QDate(2026, 12, 6), QTime(12, 0));
    log(1, QDate(2026, 12, 5));
    log(2, QDate(2026, 12, 6));
    frmLog viewer(state, services.services, [this] { ++counterShown; });
    viewer.show();
    EXPECT_EQ(viewer.lstLog->topLevelItemCount(), 3);
    EXPECT_EQ(viewer.lblTotalCount->text(), "Total Prints: 3");
    EXPECT_EQ(viewer.lblTodayTotal->text(), "Today's Prints: 2");

    // Save To: an existing target asks; No asks again; Yes copies.
    folder.write("backup.log", "old");
    services.files.answers = {folder.file("backup.log"), folder.file("backup.log")};
    services.prompt.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Yes};
    viewer.cmdSaveLog->click();
    EXPECT_EQ(folder.read("backup.log"), folder.read("birthday print log.log"));

    state.PrintCount = 5;
    viewer.cmdClearLog->click();
    EXPECT_FALSE(QFileInfo::exists(state.LogFilePath));
    EXPECT_EQ(viewer.lstLog->topLevelItemCount(), 0);
    EXPECT_EQ(state.PrintCount, 0);
    viewer.cmdClearLog->click();
    EXPECT_EQ(services.prompt.asked.back().text, "No log to clear.");

    // A record cut short: the rows before it stay, with the message.
    log(1, QDate(2026, 12, 6));
    folder.write("birthday print log.log",
                 folder.read("birthday print log.log") + "\"12-06-2026\",\"10:00:00\"");
    viewer.Form_Activate();
    EXPECT_EQ(viewer.lstLog->topLevelItemCount(), 1);
    EXPECT_EQ(services.prompt.asked.back().text, "Log file is corrupted or empty.");

    // A damaged record between good ones: the rows around it stay and its line is named.
    folder.write("birthday print log.log", folder.read("birthday print log.log") + "\r\n");
    log(1, QDate(2026, 12, 6));
    viewer.Form_Activate();
    EXPECT_EQ(viewer.lstLog->topLevelItemCount(), 2);
    EXPECT_EQ(services.prompt.asked.back().text,
              "The print log holds damaged records on these lines, which are not shown: 2");
}
