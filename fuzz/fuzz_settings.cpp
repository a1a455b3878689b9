// The settings file, read at start-up from the program folder.
#include "FuzzSupport.h"
#include "foundation/Settings.h"

#include <cstdlib>

using namespace natalory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteProgramFile(QString::fromLatin1(kSettingsFileName), fuzz::Bytes(data, size));
    AppState state;
    state.ProgramFolder = fuzz::ProgramFolder();
    const SettingsReadResult result = ReadSettings(state);
    // Whatever the file held, the program goes on with settings a dialog could have written.
    if (state.settings.DateCalcMode < 0 || state.settings.DateCalcMode > 3) std::abort();
    if (result.source == SettingsSource::File) {
        QString problem;
        (void)SettingsRecord(state.settings, &problem);
    }
    return 0;
}
