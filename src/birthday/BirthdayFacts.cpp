#include "birthday/BirthdayFacts.h"

#include "birthday/CalendarFacts.h"

namespace natalory {

std::vector<YearDataProblem> ComputeBirthdayFacts(AppState& state, QDate today, const QLocale& locale) {
    const QDate birth = state.birthday.BirthDate;
    CalendarFacts& facts = state.facts;
    std::vector<YearDataProblem> problems;
    const auto note = [&problems](const DataReadResult& r) {
        if (r.problem) problems.push_back(*r.problem);
    };

    CalculateAge(birth, state.settings.DateCalcMode, today, locale, facts);
    FindWesternSign(facts);
    note(ReadCelebrities(state.ProgramFolder, birth, state.year, state.yearDataCache));
    FindChineseSign(birth, facts);
    FindBirthstone(facts);
    FindBirthFlower(facts);
    DescribeWesternSign(facts);
    DescribeChineseSign(facts);
    note(ReadYearRecord(state.ProgramFolder, birth, state.year, state.yearDataCache));
    facts.StampPrice = FindStampPrice(birth);
    FindPresident(birth, facts);
    return problems;
}

}  // namespace natalory
