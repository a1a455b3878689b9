#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

namespace natalory {

struct CliResult {
    CliResult(int code = 0, QString standardOutput = {}, QString standardError = {})
        : exitCode(code), out(std::move(standardOutput)), err(std::move(standardError)) {}
    int exitCode = 0;
    QString out;
    QString err;
    QByteArray outBytes;  // a file written to standard output (--out -), after `out`
};

// Runs natalory-print with the given arguments (the first is the program name).
CliResult RunCommandLine(const QStringList& arguments);

}  // namespace natalory
