#pragma once

#include "birthday/BirthdayValues.h"

#include <QString>

namespace natalory {

// Formats a number held as text with a numeric pattern: "0" a digit always shown,
// "#" a digit shown only when significant, "," thousands separators, "." the
// decimal point, "$" a literal. Text that is not a number is returned unchanged.
QString FormatNumber(const QString& value, QStringView pattern);

// Gives every computed number its display form.
void ApplyDisplayFormats(CalendarFacts& facts, YearData& year);

}  // namespace natalory
