#include "cli/CommandLine.h"

#include "shell/Version.h"

#include <QCommandLineParser>

namespace natalory {
namespace {

constexpr auto kUsage =
    "Makes Birthday Prints without opening a window.\n"
    "\n"
    "Options:\n"
    "  -h, --help       Show this help and exit.\n"
    "  -v, --version    Show the version and exit.\n";

}  // namespace

CliResult RunCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption version({"v", "version"}, "Show the version.");
    parser.addOption(help);
    parser.addOption(version);

    CliResult result;
    if (!parser.parse(arguments)) {
        result.exitCode = 2;
        result.err = QStringLiteral("natalory-print: %1\nTry 'natalory-print --help'.\n").arg(parser.errorText());
        return result;
    }
    if (parser.isSet(version)) {
        const AppVersion v = CurrentVersion();
        result.out = QStringLiteral("natalory-print %1.%2.%3\n").arg(v.major).arg(v.minor).arg(v.revision);
        return result;
    }
    if (parser.isSet(help) || parser.positionalArguments().isEmpty()) {
        result.out = QStringLiteral("Usage: natalory-print [options]\n") + QString::fromLatin1(kUsage);
        return result;
    }
    result.exitCode = 2;
    result.err = QStringLiteral("natalory-print: unexpected argument '%1'\nTry 'natalory-print --help'.\n")
                     .arg(parser.positionalArguments().constFirst());
    return result;
}

}  // namespace natalory
