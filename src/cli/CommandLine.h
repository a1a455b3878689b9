#pragma once

#include <QString>
#include <QStringList>

namespace natalory {

struct CliResult {
    int exitCode = 0;
    QString out;
    QString err;
};

// Runs natalory-print with the given arguments (the first is the program name).
CliResult RunCommandLine(const QStringList& arguments);

}  // namespace natalory
