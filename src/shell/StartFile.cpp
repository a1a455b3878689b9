#include "shell/StartFile.h"

#include "shell/Version.h"

#include <QFileInfo>

namespace natalory {
namespace {

bool IsTemplate(const QString& file) {
    return QFileInfo(file).suffix().compare(u"als", Qt::CaseInsensitive) == 0;
}

bool IsBatchFile(const QString& file) {
    return QFileInfo(file).suffix().compare(u"alb", Qt::CaseInsensitive) == 0;
}

}  // namespace

StartArguments ParseStartArguments(const QStringList& arguments) {
    StartArguments start;
    const auto stop = [&start](int code, const QString& output, const QString& error = {}) {
        start.exitCode = code;
        start.output = output;
        start.error = error;
        return start;
    };
    for (const QString& a : arguments) {
        if (a == u"-h" || a == u"--help") return stop(0, QString::fromLatin1(kWindowUsage));
        if (a == u"-v" || a == u"--version") {
            const AppVersion v = CurrentVersion();
            return stop(0, QStringLiteral("natalory %1.%2.%3\n").arg(v.major).arg(v.minor).arg(v.revision));
        }
    }
    for (const QString& a : arguments) {
        if (a.startsWith(u'-'))
            return stop(2, {}, QStringLiteral("natalory: unknown option '%1' (see --help)\n").arg(a));
        if (!IsTemplate(a) && !IsBatchFile(a))
            return stop(
                2, {},
                QStringLiteral("natalory: '%1' is neither a template (.als) nor a batch file (.alb)\n")
                    .arg(a));
    }
    if (arguments.size() > 1)
        return stop(2, {}, QStringLiteral("natalory: give one file at most (see --help)\n"));
    if (!arguments.isEmpty()) start.file = arguments.front();
    return start;
}

void OpenStartFile(const MainWindows& windows, const QString& file) {
    if (IsTemplate(file))
        windows.workspace->NewPrint(file);
    else if (IsBatchFile(file))
        windows.mdi->BeginBatch(QFileInfo(file).absoluteFilePath());
}

}  // namespace natalory
