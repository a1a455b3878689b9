#pragma once

#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The built programs, started as a user starts them: natalory-print (NATALORY_CLI) and
// natalory (NATALORY_APP).
namespace natalory::test {

// Headless and in `locale`, without a runtime folder: Qt warns of its absence, and the programs
// must not pass that on.
inline QProcessEnvironment ProgramEnvironment(const QString& locale = QStringLiteral("en_US.UTF-8")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    env.remove("XDG_RUNTIME_DIR");
    return env;
}

inline void StartProgram(QProcess& p, const QString& program, const QStringList& args,
                         const QProcessEnvironment& env = ProgramEnvironment()) {
    p.setProcessEnvironment(env);
    p.start(program, args);
}

struct ProgramRun {
    int exitCode = -1;  // -1 when it crashed or did not end
    QString out;
    QString err;
};

// Runs the program to its end; its standard output goes to `outFile` when one is given.
inline ProgramRun RunProgram(const QString& program, const QStringList& args,
                             const QProcessEnvironment& env = ProgramEnvironment(),
                             const QString& outFile = {}) {
    QProcess p;
    if (!outFile.isEmpty()) p.setStandardOutputFile(outFile);
    StartProgram(p, program, args, env);
    const bool ended = p.waitForFinished(120000);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// Whether `text` holds `part`; what it holds instead when not.
inline ::testing::AssertionResult Holds(const QString& text, const QString& part) {
    if (text.contains(part)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "no \"" << part.toStdString() << "\" in \"" << text.toStdString() << '"';
}

#ifdef NATALORY_CLI
// natalory-print with the data and templates of `folder`, as of a fixed day unless `args` name one.
inline ProgramRun RunCli(const TempProgramFolder& folder, QStringList args,
                         const QString& locale = QStringLiteral("en_US.UTF-8"), const QString& outFile = {}) {
    if (!args.contains("--as-of"))
        args << "--as-of"
             << "2026-12-06";
    return RunProgram(QStringLiteral(NATALORY_CLI), args << "--app-dir" << folder.path(),
                      ProgramEnvironment(locale), outFile);
}

// The text of the PDF natalory-print writes into `pdf` in the folder; empty when it fails.
inline QString CliPdfText(const TempProgramFolder& folder, const QString& pdf, const QStringList& args) {
    const ProgramRun r = RunCli(folder, args + QStringList{"--out", folder.file(pdf)});
    EXPECT_EQ(r.exitCode, 0) << pdf.toStdString() << ": " << r.err.toStdString();
    return r.exitCode == 0 ? PdfText(folder.file(pdf)) : QString();
}
#endif

}  // namespace natalory::test
