#pragma once

#include "shell/AppState.h"
#include "shell/Seams.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

namespace natalory {

// The style of a print as the log names it.
QString PrintLogStyleName(int printType);

// One record for the current birthday, made at `now`: a print, or an export while
// state.SavingToFile is set. CR LF ended, Windows-1252.
QByteArray PrintLogRecord(const AppState& state, const QDateTime& now);

// Appends the record to the log in one write, creating the file when there is none.
bool AppendPrintLog(const AppState& state, const QDateTime& now, QString* error = nullptr);

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
    int today = 0;           // rows made on `today`
    bool truncated = false;  // the file ends inside a record
};

// Asks whether to erase the log and, on Yes, deletes it and sets the print count back to 0.
// True when the log was cleared.
bool AskAndClearPrintLog(AppState& state, Prompt& prompt);

PrintLogContents ReadPrintLog(const QString& path, QDate today, const QLocale& locale = QLocale());

}  // namespace natalory
