#include "batch/PrintLog.h"

#include "birthday/SetBirthday.h"
#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"
#include "foundation/RecordFormat.h"
#include "foundation/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace natalory {

QString PrintLogStyleName(int printType) {
    switch (printType) {
        case ptNewspaper:
            return QStringLiteral("Newspaper");
        case ptClassy:
            return QStringLiteral("Classy");
        case ptBlankPage:
            return QStringLiteral("Custom From Blank");
        default:
            return QStringLiteral("Custom");
    }
}

QString PrintLogRecord(const AppState& s, const QDateTime& now) {
    RecordWriter out;
    // The log cannot hold a double quote: a quoted nickname or a path with a quote keeps
    // single quotes there, so every record stays readable.
    const auto text = [&out](QString value) { out.text(value.replace(u'"', u'\'')); };
    text(now.date().toString(QStringLiteral("MM-dd-yyyy")));
    text(now.time().toString(QStringLiteral("HH:mm:ss")));
    out.date(s.birthday.BirthDate);
    text(s.birthday.FirstName + u' ' + s.birthday.LastName);
    const QString style = PrintLogStyleName(s.birthday.PrintType);
    if (s.SavingToFile) {
        text(QStringLiteral("Saved As .emf File"));
        text(style);
    } else {
        text(style);
        text(s.birthday.PrintType == ptUserTemplate ? s.birthday.CustomTemplatePath : QStringLiteral("n/a"));
    }
    out.endRecord();
    return out.content();
}

namespace {

// A Windows-1252 log that must take a record it cannot hold becomes UTF-8 once, as a
// whole: the old records and the new one go to a new file that replaces the log.
bool ConvertLogToUtf8(const QString& path, const QByteArray& old, const QString& record, QString* error) {
    QString text = DecodeTextFile(old);
    if (!text.isEmpty() && !text.endsWith(u'\n')) text += QStringLiteral("\r\n");
    return WriteFileAtomically(path, kUtf8Mark.toByteArray() + (text + record).toUtf8(), error,
                               FileAccess::Private);
}

}  // namespace

bool AppendPrintLog(const AppState& state, const QDateTime& now, QString* error) {
    return AppendPrintLogRecord(state.LogFilePath, PrintLogRecord(state, now), error);
}

bool AppendPrintLogRecord(const QString& logPath, const QString& text, QString* error) {
    // The user's data folder may not exist before the first print is logged.
    MakeFolderFor(logPath);
    const int fd = ::open(QFile::encodeName(logPath).constData(),
                          O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        if (error) *error = SystemReason(errno);
        return false;
    }
    struct stat status {};
    const bool sized = ::fstat(fd, &status) == 0;
    char head[3] = {};
    const bool utf8 =
        sized && status.st_size >= 3 && ::pread(fd, head, 3, 0) == 3 && HasUtf8Mark(QByteArrayView(head, 3));
    QByteArray record;
    if (utf8)
        record = text.toUtf8();
    else if (IsWindows1252(text))
        record = ToWindows1252(text);
    else if (sized && status.st_size > 0) {
        ::close(fd);
        const std::optional<QByteArray> old = ReadFileBytes(logPath, error);
        return old && ConvertLogToUtf8(logPath, *old, text, error);
    } else
        record = EncodeTextFile(text);
    // A record left unfinished by an older crash must not swallow this one: it gets a line of its own.
    if (sized && status.st_size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n') record.prepend("\r\n");
    }
    // One write of the whole record; if the disk takes only part of it, the part is cut
    // off again, so the log never holds half a record that would hide the ones after it
    // (should even that fail, the viewer passes over the damaged line).
    const ssize_t wrote = ::write(fd, record.constData(), size_t(record.size()));
    const int why = errno;
    const bool ok = wrote == record.size();
    if (!ok && wrote > 0 && sized && ::ftruncate(fd, status.st_size) != 0) {
    }
    ::close(fd);
    if (!ok && error) *error = SystemReason(wrote < 0 ? why : ENOSPC);
    return ok;
}

void LogPrint(AppState& state, const QDateTime& now, Prompt& prompt) {
    LogPrintRecord(state, PrintLogRecord(state, now), prompt);
}

void LogPrintRecord(AppState& state, const QString& record, Prompt& prompt) {
    QString error;
    if (AppendPrintLogRecord(state.LogFilePath, record, &error) || state.PrintLogFailureShown) return;
    state.PrintLogFailureShown = true;
    prompt.tell(QString::fromLatin1(kPrintLogFailed).arg(QDir::toNativeSeparators(state.LogFilePath), error),
                QString::fromLatin1(kPrintLogTitle), PromptIcon::Exclamation);
}

bool AskAndClearPrintLog(AppState& state, Prompt& prompt) {
    if (prompt.ask(
            QStringLiteral("Are you sure you want to clear this log?  All information will be erased."),
            QStringLiteral("Clear Log"), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::No)
        return false;
    QFile::remove(state.LogFilePath);
    state.PrintCount = 0;
    return true;
}

PrintLogContents ReadPrintLog(const QString& path, QDate today, const QLocale& locale) {
    PrintLogContents log;
    log.exists = QFileInfo(path).isFile();
    if (!log.exists) return log;
    RecordError error;
    auto file = RecordReader::open(path, &error);
    if (!file) return log;
    QStringList lines;
    for (QString line; !file->atEnd() && file->readLine(line);) lines << line;
    const QString todayText = today.toString(QStringLiteral("MM-dd-yyyy"));
    // Each record is one line, read on its own: a damaged line costs that line only.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        RecordReader in(lines[i], QFileInfo(path).fileName());
        QString date, time, name, style, custom;
        QDate birthday;
        in.readText(date);
        in.readText(time);
        in.readDate(birthday);
        in.readText(name);
        in.readText(style);
        in.readText(custom);
        if (!in.failed() && !in.atEnd()) in.rejectLast(QStringLiteral("the record has more than six fields"));
        if (in.failed()) {
            // A record cut off by the end of the file is reported as such; a damaged one
            // before it is passed over and named by its line.
            const bool cutOff = in.error().kind == RecordError::Kind::CutShort;
            if (i == lines.size() - 1 && cutOff)
                log.truncated = true;
            else
                log.damagedLines.push_back(int(i) + 1);
            continue;
        }
        PrintLogRow row;
        row.date = date;
        const QTime t = QTime::fromString(time, QStringLiteral("HH:mm:ss"));
        row.time = t.isValid() ? locale.toString(t, QStringLiteral("hh:mm:ss AP")) : time;
        row.birthday = ShortDateText(birthday, locale);
        row.name = name;
        row.style = style;
        row.customPath = custom;
        row.dateValid = QDate::fromString(date, QStringLiteral("MM-dd-yyyy")).isValid();
        if (date == todayText) ++log.today;
        log.rows.push_back(row);
    }
    return log;
}

}  // namespace natalory
