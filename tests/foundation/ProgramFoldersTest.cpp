#include "batch/PrintLog.h"
#include "batch/frmBatch.h"
#include "birthday/frmGetInfo.h"
#include "foundation/ProgramFolders.h"
#include "foundation/RecentFiles.h"
#include "shell/Application.h"
#include "shell/StartFile.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

using namespace natalory;
using namespace natalory::test;

namespace {

// HOME and the XDG folders of a user of our own for one test.
struct UserFolders : ::testing::Test {
    QTemporaryDir home;
    std::vector<std::pair<const char*, QByteArray>> saved;

    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"})
            saved.emplace_back(name, qgetenv(name));
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", path(".config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", path(".local/share").toLocal8Bit());
        qunsetenv("XDG_DOCUMENTS_DIR");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    QString path(const char* relative) const {
        return QDir(home.path()).filePath(QString::fromLatin1(relative));
    }
    // The batch window the program shows last, if any.
    static frmBatch* batchWindow() {
        frmBatch* shown = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<frmBatch*>(top); b && b->isVisible()) shown = b;
        return shown;
    }
};

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The window program's four files: the settings from Options, a logged print, a file opened,
// and the toolbar layout written when the main window closes.
void RunWindowProgram(const QString& executableFolder) {
    TestServices services;
    AppState state;
    UseProgramFolders(state, FindProgramFolders(executableFolder));
    MainWindows w = Main(state, services.services);
    w.mdi->quitApplication = nullptr;
    ASSERT_TRUE(WriteSettings(state, state.settings));
    ASSERT_TRUE(AppendPrintLog(state, QDateTime(QDate(2026, 3, 4), QTime(12, 0))));
    ASSERT_TRUE(RememberRecentFile(state, QStringLiteral("/somewhere/people.alb")));
    w.mdi->close();
}

}  // namespace

TEST_F(UserFolders, ABuildFolderKeepsEveryFileBesideTheProgramAnInstallUsesTheUsersFolders) {
    TempProgramFolder build({"brdstf.fpf"});
    EXPECT_EQ(FindProgramFolders(build.path()).documents, build.path());
    RunWindowProgram(build.path());
    EXPECT_EQ(FilesUnder(build.path()),
              (QStringList{"birthday print log.log", "brdstf.fpf", "recent.lst", "toolbar.tls", "vir1.cgf"}));
    EXPECT_TRUE(FilesUnder(path("")).isEmpty());

    // Without data anywhere, the readers look beside the program and the settings go to the user.
    TempProgramFolder bare;
    EXPECT_EQ(FindProgramFolders(bare.path()).data, bare.path());
    EXPECT_EQ(FindProgramFolders(bare.path()).config, path(".config/natalory"));

    TempProgramFolder prefix({"brdstf.fpf"});
    QDir(prefix.path()).mkpath(QStringLiteral("bin"));
    QDir(prefix.path()).mkpath(QStringLiteral("share/natalory"));
    QFile::rename(prefix.file("brdstf.fpf"), prefix.file("share/natalory/brdstf.fpf"));
    const QStringList installed = FilesUnder(prefix.path());
    EXPECT_EQ(FindProgramFolders(prefix.file("bin")).data, prefix.file("share/natalory"));
    // No documents folder: save dialogs start at home, never in the install.
    EXPECT_EQ(FindProgramFolders(prefix.file("bin")).documents, path(""));
    QDir().mkpath(path("Documents"));
    EXPECT_EQ(FindProgramFolders(prefix.file("bin")).documents, path("Documents"));

    // The folders are made by the first write, not by looking.
    EXPECT_FALSE(QFileInfo::exists(path(".config/natalory")));
    RunWindowProgram(prefix.file("bin"));
    EXPECT_EQ(FilesUnder(prefix.path()), installed);
    EXPECT_EQ(FilesUnder(path(".config/natalory")), (QStringList{"recent.lst", "toolbar.tls", "vir1.cgf"}));
    EXPECT_EQ(FilesUnder(path(".local/share/natalory")), QStringList{"birthday print log.log"});
}

TEST(StartArguments, OneTemplateOrBatchFileOrHelp) {
    EXPECT_FALSE(ParseStartArguments({}).exitCode);
    EXPECT_EQ(ParseStartArguments({"a/b.ALS"}).file, QStringLiteral("a/b.ALS"));
    EXPECT_EQ(ParseStartArguments({"people.alb"}).file, QStringLiteral("people.alb"));

    const StartArguments help = ParseStartArguments({"x.als", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output, QString::fromLatin1(kWindowUsage));
    EXPECT_EQ(ParseStartArguments({"-v"}).output, QStringLiteral("natalory 1.0.0\n"));
    // Qt's own options, with their values, are Qt's business.
    const StartArguments qt = ParseStartArguments(
        {"-platform", "offscreen", "--style", "fusion", "-reverse", "-stylesheet=x.qss", "people.alb"});
    EXPECT_FALSE(qt.exitCode);
    EXPECT_EQ(qt.file, QStringLiteral("people.alb"));

    for (const QStringList& bad :
         {QStringList{"--print"}, QStringList{"notes.txt"}, QStringList{"a.als", "b.alb"}}) {
        const StartArguments s = ParseStartArguments(bad);
        EXPECT_EQ(s.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(s.error.startsWith(QStringLiteral("natalory: "))) << s.error.toStdString();
    }
}

TEST_F(UserFolders, StartAndDroppedFilesOpenTheirWindowsAndTheLastEightSurviveARestart) {
    TempProgramFolder folder({"brdstf.fpf", "blank.al!"});
    QFile::copy(folder.file("blank.al!"), folder.file("mine.als"));
    folder.write("people.alb", "Anna,Lee,1/15/1950\r\nBo,Ek,2/1/1960\r\n");
    folder.write("others.alb", "Cy,Oh,3/1/1970\r\n");
    for (int i = 1; i <= 9; ++i) folder.write(QStringLiteral("p%1.alb").arg(i), "Anna,Lee,1/15/1950\r\n");
    AppState state;
    UseProgramFolders(state, FindProgramFolders(folder.path()));
    const auto captions = [](QMenu* menu) {
        QStringList shown;
        for (QAction* a : menu->actions()) shown << a->text();
        return shown;
    };
    const auto start = [&](TestServices& services) {
        MainWindows w = Main(state, services.services);
        w.mdi->quitApplication = nullptr;
        return w;
    };
    {
        TestServices services;
        MainWindows w = start(services);
        ListRecentFiles(w, state, services.services);
        QMenu* menu = w.mdi->sToolbar.tool("ID_mnuRecentFiles").menu();
        emit menu->aboutToShow();
        EXPECT_EQ(captions(menu), QStringList{"No recent files"});

        // A template opens the birthday dialog and a batch file the batch window.
        OpenStartFile(w, folder.file("mine.als"));
        frmGetInfo* dialog = w.workspace->birthdayDialog();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->cmbPrintType->currentIndex(), int(ptUserTemplate));
        EXPECT_EQ(dialog->txtCustomStyle->text(), folder.file("mine.als"));
        OpenStartFile(w, folder.file("people.alb"));
        frmBatch* batch = batchWindow();
        ASSERT_TRUE(batch);
        EXPECT_EQ(batch->txtBdayFile->text(), folder.file("people.alb"));
        EXPECT_EQ(batch->lblTotalBdays->text(), QStringLiteral("2"));
        EXPECT_TRUE(services.prompt.asked.empty());

        // Dropped on the main window: a batch file opens in the batch window; other files are refused.
        AcceptDroppedFiles(w);
        const auto drop = [&](const QString& file) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            const QPoint at = w.mdi->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.mdi.get(), &enter);
            if (!enter.isAccepted()) return false;
            QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.mdi.get(), &dropped);
            QApplication::processEvents();
            return dropped.isAccepted();
        };
        EXPECT_FALSE(drop(folder.file("brdstf.fpf")));
        EXPECT_TRUE(drop(folder.file("others.alb")));
        EXPECT_EQ(batch->txtBdayFile->text(), folder.file("others.alb"));
        EXPECT_EQ(batch->lblTotalBdays->text(), QStringLiteral("1"));

        // Opened in the batch window, one after another; p2 again comes first once more.
        for (int i = 1; i <= 9; ++i) OpenStartFile(w, folder.file(QStringLiteral("p%1.alb").arg(i)));
        OpenStartFile(w, folder.file("p2.alb"));
        w.mdi->close();
    }
    TestServices services;
    MainWindows w = start(services);
    ListRecentFiles(w, state, services.services);
    QMenu* menu = w.mdi->sToolbar.tool("ID_mnuRecentFiles").menu();
    emit menu->aboutToShow();
    EXPECT_EQ(captions(menu), (QStringList{"&1 p2.alb", "&2 p9.alb", "&3 p8.alb", "&4 p7.alb", "&5 p6.alb",
                                           "&6 p5.alb", "&7 p4.alb", "&8 p3.alb"}));

    QFile::remove(folder.file("p9.alb"));
    menu->actions()[1]->trigger();
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(
        services.prompt.asked[0].text,
        folder.file("p9.alb") + " can no longer be found; it has been taken off the list of recent files.");
    EXPECT_EQ(services.prompt.asked[0].title, QStringLiteral("Recent Files"));
    EXPECT_FALSE(ReadRecentFiles(state).contains(folder.file("p9.alb")));

    // A file that is there opens as it did when it was first opened.
    emit menu->aboutToShow();
    menu->actions()[1]->trigger();  // p8
    frmBatch* batch = batchWindow();
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->txtBdayFile->text(), folder.file("p8.alb"));
    EXPECT_EQ(ReadRecentFiles(state).front(), folder.file("p8.alb"));
    w.mdi->close();

    // A list that is no file of ours (a pipe nobody writes to) is an empty list, at once.
    QFile::remove(folder.file("recent.lst"));
    ASSERT_EQ(mkfifo(folder.file("recent.lst").toLocal8Bit().constData(), 0600), 0);
    EXPECT_TRUE(ReadRecentFiles(state).isEmpty());
}
