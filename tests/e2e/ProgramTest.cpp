// natalory, the desktop program, started as a user starts it.
#include "support/Programs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

using namespace natalory::test;

namespace {

bool AppearsWithin(const QString& path, int milliseconds) {
    for (int waited = 0; waited < milliseconds && !QFileInfo::exists(path); waited += 20) QThread::msleep(20);
    return QFileInfo::exists(path);
}

}  // namespace

TEST(Program, ASecondStartHandsItsFileToTheRunningCopyAndEnds) {
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
        QProcessEnvironment env = ProgramEnvironment();
        if (runtime != Runtime::Unset) env.insert("XDG_RUNTIME_DIR", home.file("run"));
        env.insert("XDG_CACHE_HOME", home.file("cache"));
        env.insert("QT_LOGGING_RULES", "natalory.handover.info=true");
        const QString lock = runtime == Runtime::Private ? home.file("run/natalory.lock")
                                                         : home.file("cache/natalory/natalory.lock");
        QProcess first;
        StartProgram(first, QStringLiteral(NATALORY_APP), {}, env);
        ASSERT_TRUE(first.waitForStarted());
        ASSERT_TRUE(AppearsWithin(lock, 4000));
        EXPECT_EQ(QFileInfo(QFileInfo(lock).path()).permissions() & 0x0077, 0);
        if (runtime == Runtime::Private) {
            ASSERT_TRUE(AppearsWithin(home.file("run/natalory.socket"), 5000));
        }

        const auto second = [&](const QStringList& arguments) {
            const ProgramRun r = RunProgram(QStringLiteral(NATALORY_APP), arguments, env);
            EXPECT_TRUE(r.out.isEmpty());
            return r.exitCode;
        };
        EXPECT_EQ(second({}), 0);
        EXPECT_EQ(first.state(), QProcess::Running);
        if (runtime == Runtime::Private) {
            // Answered, so listening: the socket is the user's alone.
            EXPECT_EQ(QFileInfo(home.file("run/natalory.socket")).permissions() &
                          ~(QFile::ReadUser | QFile::WriteUser),
                      QFile::ReadOwner | QFile::WriteOwner);
            home.write("people.alb", "Anna,Lee,1/15/1950\r\n");
            EXPECT_EQ(second({home.file("people.alb")}), 0);
            QByteArray said;
            for (int i = 0; i < 100 && !said.contains("Process A Batch File"); ++i) {
                first.waitForReadyRead(100);
                said += first.readAllStandardError();
            }
            EXPECT_TRUE(said.contains("opened " + home.file("people.alb").toUtf8() + " | windows: "))
                << said.data();
            EXPECT_TRUE(said.contains("Process A Batch File")) << said.data();
            EXPECT_EQ(first.state(), QProcess::Running);
        }
        // Killed rather than ended: ended, it would save its toolbar layout into the build folder.
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST(Program, HelpAndABadArgumentNeedNoDisplay) {
    QProcessEnvironment env = ProgramEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    for (const auto& [arguments, code, said] :
         {std::tuple{QStringList{"--help"}, 0, QString("Usage: natalory ")},
          std::tuple{QStringList{"-platform", "xcb", "--bogus"}, 2,
                     QString("natalory: unknown option '--bogus'")},
          std::tuple{QStringList{"notes.txt"}, 2, QString("natalory: 'notes.txt' is neither")}}) {
        const ProgramRun r = RunProgram(QStringLiteral(NATALORY_APP), arguments, env);
        EXPECT_EQ(r.exitCode, code) << arguments.join(' ').toStdString();
        EXPECT_TRUE((code ? r.err : r.out).startsWith(said)) << arguments.join(' ').toStdString();
    }
}
