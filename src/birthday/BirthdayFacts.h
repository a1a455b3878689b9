#pragma once

#include "birthday/YearDataReaders.h"
#include "foundation/AppState.h"

#include <QLocale>

#include <vector>

namespace natalory {

// Every fact of the birthday in state.birthday.BirthDate, in the order in which
// each one reads what the ones before it set: the age block and the month and
// day texts, the Western sign, the celebrities, the Chinese sign, stone, flower,
// the two sign descriptions, the year record, the stamp price and the president.
// Returns the problems the year data files had (empty when all was well).
std::vector<YearDataProblem> ComputeBirthdayFacts(AppState& state, QDate today,
                                                  const QLocale& locale = QLocale());

}  // namespace natalory
