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
inline constexpr int kLastYear = 2004;
// Printing straight from the dialog stops earlier than designing does.
inline constexpr int kLastQuickPrintYear = 2001;

inline const QDate kDropDownDate{1999, 1, 1};

// The date box loses the focus holding `date`.
DateCheck CheckDateBoxOnLeave(QDate date);

// "&Print" pressed with the date box showing `text` (as "MM/dd/yyyy").
DateCheck CheckQuickPrintDate(const QString& text);

// Reads the date box's text, e.g. "03/04/1950"; invalid when it is not a whole date.
QDate ParseDateBoxText(const QString& text);

}  // namespace natalory
