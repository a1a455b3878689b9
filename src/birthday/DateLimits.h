#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace natalory {

// What the birthday dialog does with a date the user gave it.
struct DateCheck {
    bool accepted = true;
    QString message;               // shown (OK only) when not empty
    QString title;                 // empty: the application's title
    std::optional<QDate> resetTo;  // the date box is set to this
};

inline constexpr int kFirstYear = 1900;

inline const QDate kDropDownDate{1999, 1, 1};

// The last year of the year data that comes with the program.
inline constexpr int kShippedLastYear = 2025;

// The last birth year a print can be made for: the last year of the year data in
// `programFolder`. When that file cannot be read the dialogs offer the shipped years,
// and building the print reports the file, rather than a calendar stopping at 1900.
int LastYearAvailable(const QString& programFolder);

// The date box loses the focus holding `date`; `lastYear` is LastYearAvailable's.
DateCheck CheckDateBoxOnLeave(QDate date, int lastYear);

// "&Print" pressed with the date box showing `text` (as "MM/dd/yyyy").
DateCheck CheckQuickPrintDate(const QString& text, int lastYear);

// Reads the date box's text, e.g. "03/04/1950"; invalid when it is not a whole date.
QDate ParseDateBoxText(const QString& text);

}  // namespace natalory
