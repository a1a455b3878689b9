#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

using natalory::test::TempProgramFolder;

namespace {

QProcessEnvironment Headless(const QString& runtimeFolder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtimeFolder);
    return env;
}

}  // namespace

TEST(Program, ASecondCopyEndsAtOnceWhileTheFirstRuns) {
    // The lock lies in the runtime folder when it is the user's alone, else in the user's cache
    // folder, made 0700: never where another user could take it first.
    enum class Runtime { Private, Open, Unset };
    for (const Runtime runtime : {Runtime::Private, Runtime::Open, Runtime::Unset}) {
        SCOPED_TRACE(int(runtime));
        TempProgramFolder home;
        QDir().mkpath(home.file("run"));
        QFile::setPermissions(home.file("run"), runtime == Runtime::Open
                                                    ? QFile::Permissions(0x7755)
                                                    : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = Headless(home.file("run"));
        if (runtime == Runtime::Unset) env.remove("XDG_RUNTIME_DIR");
        env.insert("XDG_CACHE_HOME", home.file("cache"));
        const QString lock = runtime == Runtime::Private ? home.file("run/natalory.lock")
                                                         : home.file("cache/natalory/natalory.lock");
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(NATALORY_APP), {});
        ASSERT_TRUE(first.waitForStarted());
        for (int i = 0; i < 200 && !QFileInfo::exists(lock); ++i) QThread::msleep(20);
        ASSERT_TRUE(QFileInfo::exists(lock));
        EXPECT_EQ(QFileInfo(QFileInfo(lock).path()).permissions() & 0x0077, 0);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(NATALORY_APP), {});
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
        EXPECT_EQ(first.state(), QProcess::Running);

        // Killed rather than ended: ended, it would save its toolbar layout into the build folder.
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST(Program, TheCommandLineToolReportsItsVersion) {
    QProcess cli;
    cli.start(QStringLiteral(NATALORY_CLI), {QStringLiteral("--version")});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardOutput(), QByteArray("natalory-print 1.0.0\n"));
}

TEST(Program, TheCommandLineToolMakesNothingWithoutItsYearData) {
    TempProgramFolder folder({"news.al!", "blear.fpf", "blearII.fpf", "blik.fpf"});
    QProcess cli;
    cli.setProcessEnvironment(Headless(folder.path()));
    cli.start(QStringLiteral(NATALORY_CLI),
              {"--first", "Anna", "--date", "1950-01-15", "--texts", "--app-dir", folder.path()});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    const QString said = QString::fromLocal8Bit(cli.readAllStandardError());
    EXPECT_TRUE(said.startsWith("natalory-print: cannot read the year data file ")) << said.toStdString();
    EXPECT_TRUE(said.contains("brdstf.fpf: the file does not exist")) << said.toStdString();
}
