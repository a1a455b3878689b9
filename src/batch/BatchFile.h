#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace natalory {

// One person of a batch file.
struct BatchRecord {
    int number = 0;  // 1-based, in file order
    int line = 0;    // the line of the file the record begins on
    QString first;
    QString last;
    QString dateText;  // the date field as written
    QDate birthDate;
    QString parents;  // only a file with a header row can give it
};

// Why a batch file cannot be printed. The callers word the message; this says
// what went wrong and where.
struct BatchFileError {
    enum class Kind {
        CannotRead,   // missing, not a regular file, too large, unreadable
        InvalidDate,  // the date field is no date
        DateOutOfRange,
        Incomplete,  // the file ends inside a record, or a row lacks a column
        NotText,     // a NUL byte, or a "sep=" line that names no separator; `reason` says what was expected
    };
    Kind kind = Kind::CannotRead;
    QString file;        // the path as given
    int line = 0;        // where the record begins (0 for CannotRead)
    int record = 0;      // the record's number
    QStringList fields;  // the record's fields as read (first, last, date as far as given)
    QString reason;      // CannotRead: the system's words; NotText: what was found and what was expected
};

struct BatchFileContents {
    std::vector<BatchRecord> records;
    bool hasHeader = false;  // the first row named its columns
};

using BatchFileResult = std::variant<BatchFileContents, BatchFileError>;

// A birth date as a batch file may give it: ISO 8601 (1950-01-15) or the locale's
// numeric short date with the year in full (1/15/1950 in the United States).
QDate ParseBatchDate(const QString& text, const QLocale& locale = QLocale());
// The date forms ParseBatchDate reads in `locale`, as examples: "1950-01-15 or 1/15/1950".
QString AcceptedDateForms(const QLocale& locale = QLocale());

// Reads a whole batch file. Plain files are a run of fields, three to a record,
// separated by commas or line ends; a quoted field may hold commas and line ends.
// A first row that names the columns first, last and date (and optionally
// parents), in any order, makes the file a CSV table read by those columns.
// Text is UTF-8 (with or without its byte order mark), UTF-16 after its byte order
// mark (a spreadsheet's "Unicode Text"), or else Windows-1252. A first line "sep=;"
// (or any one character) names the separator, as spreadsheets write it.
// A birth year from 1900 to `lastYear` (the year data's last year) is in range.
// The first bad record stops the reading: nothing of a bad file is printed.
BatchFileResult ReadBatchFile(const QString& path, int lastYear, const QLocale& locale = QLocale());
BatchFileResult ParseBatchFile(const QByteArray& bytes, const QString& path, int lastYear,
                               const QLocale& locale = QLocale());

}  // namespace natalory
