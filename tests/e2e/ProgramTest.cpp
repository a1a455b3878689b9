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

TEST(Program, ASecondStartHandsItsFileToTheRunningCopyAndEnds) {
    TempProgramFolder runtime;
    runtime.write("people.alb", "Anna,Lee,1/15/1950\r\n");
    QProcessEnvironment env = Headless(runtime.path());
    env.insert("QT_LOGGING_RULES", "natalory.handover.info=true");
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(NATALORY_APP), {});
    ASSERT_TRUE(first.waitForStarted());
    const QString socket = runtime.file("natalory.socket");
    for (int i = 0; i < 250 && !QFileInfo::exists(socket); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(runtime.file("natalory.lock")));
    ASSERT_TRUE(QFileInfo::exists(socket));

    const auto second = [&](const QStringList& arguments) {
        QProcess p;
        p.setProcessEnvironment(Headless(runtime.path()));
        p.start(QStringLiteral(NATALORY_APP), arguments);
        EXPECT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
        return p.exitCode();
    };
    EXPECT_EQ(second({}), 0);
    // Answered, so listening: the socket is the user's alone.
    EXPECT_EQ(QFileInfo(socket).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(second({runtime.file("people.alb")}), 0);
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains("Process A Batch File"); ++i) {
        first.waitForReadyRead(100);
        said += first.readAllStandardError();
    }
    EXPECT_TRUE(said.contains("opened " + runtime.file("people.alb").toUtf8() + " | windows: "))
        << said.data();
    EXPECT_TRUE(said.contains("Process A Batch File")) << said.data();
    EXPECT_EQ(first.state(), QProcess::Running);

    // Killed rather than ended: ended, it would save its toolbar layout into the build folder.
    first.kill();
    first.waitForFinished(5000);
}

TEST(Program, HelpAndABadArgumentNeedNoDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    for (const auto& [arguments, code, said] :
         {std::tuple{QStringList{"--help"}, 0, QByteArray("Usage: natalory ")},
          std::tuple{QStringList{"-platform", "xcb", "--bogus"}, 2,
                     QByteArray("natalory: unknown option '--bogus'")},
          std::tuple{QStringList{"notes.txt"}, 2, QByteArray("natalory: 'notes.txt' is neither")}}) {
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(NATALORY_APP), arguments);
        ASSERT_TRUE(app.waitForFinished(10000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
        EXPECT_EQ(app.exitCode(), code) << arguments.join(' ').toStdString();
        EXPECT_TRUE((code ? app.readAllStandardError() : app.readAllStandardOutput()).startsWith(said))
            << arguments.join(' ').toStdString();
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
