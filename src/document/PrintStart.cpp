#include "document/PrintStart.h"

#include "birthday/YearDataReaders.h"
#include "infoobjects/Generators.h"

namespace natalory {

void StartBlankPrint(AppState& state) {
    state.data = DefaultDataSettings();
    ReadHeadlinesForSet(state.ProgramFolder, state.data.InfoSet, state.birthday.BirthDate, state.year);
}

}  // namespace natalory
