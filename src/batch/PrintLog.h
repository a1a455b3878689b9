#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

namespace natalory {

// The style of a print as the log names it.
QString PrintLogStyleName(int printType);

// One record for the current birthday, made at `now`: a print, or an export while
// state.SavingToFile is set. CR LF ended.
QString PrintLogRecord(const AppState& state, const QDateTime& now);

// Appends the record to the log in one write, creating the file when there is none.
// The log gains the whole record or nothing; false, with the reason, for nothing.
// The record is written in the log's encoding; a Windows-1252 log that cannot hold it
// is converted to UTF-8 with the byte order mark first.
bool AppendPrintLog(const AppState& state, const QDateTime& now, QString* error = nullptr);
// The same for a record made earlier with PrintLogRecord.
bool AppendPrintLogRecord(const QString& logPath, const QString& record, QString* error = nullptr);

inline constexpr auto kPrintLogTitle = "Print Log";
inline constexpr auto kPrintLogFailed =
    "The print log %1 could not be written: %2.\r\n"
    "Prints are not logged until this is mended.";

// Appends the record for a print or export. The first failure of a run is told to the
// user; the print itself has been made, so it never fails for want of its log line.
void LogPrint(AppState& state, const QDateTime& now, Prompt& prompt);
// The same for a record made earlier with PrintLogRecord.
void LogPrintRecord(AppState& state, const QString& record, Prompt& prompt);

// A log record as the viewer lists it.
struct PrintLogRow {
    QString date;      // as written, mm-dd-yyyy
    QString time;      // 12-hour with the locale's AM or PM
    QString birthday;  // the short date
    QString name;
    QString style;
    QString customPath;
    bool dateValid = true;
};

struct PrintLogContents {
    bool exists = false;
    std::vector<PrintLogRow> rows;
    int today = 0;                  // rows made on `today`
    bool truncated = false;         // the file ends inside a record
    std::vector<int> damagedLines;  // 1-based lines holding no readable record
};

inline constexpr auto kPrintLogDamaged =
    "The print log holds damaged records on these lines, which are not shown: %1";

// Asks whether to erase the log and, on Yes, deletes it and sets the print count back to 0.
// True when the log was cleared.
bool AskAndClearPrintLog(AppState& state, Prompt& prompt);

PrintLogContents ReadPrintLog(const QString& path, QDate today, const QLocale& locale = QLocale());

}  // namespace natalory
