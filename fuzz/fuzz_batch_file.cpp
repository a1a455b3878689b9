// A batch file as the batch window and the command line read it.
#include "FuzzSupport.h"
#include "batch/BatchFile.h"

#include <cstdlib>

using namespace natalory;

constexpr int kLastYear = 2025;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const BatchFileResult result = ParseBatchFile(fuzz::Bytes(data, size).toByteArray(),
                                                  QStringLiteral("people.alb"), kLastYear, english);
    if (const auto* contents = std::get_if<BatchFileContents>(&result)) {
        // Every record read is numbered in order, begins on a line of its own and has a date a print can
        // take.
        int line = 0;
        for (size_t i = 0; i < contents->records.size(); ++i) {
            const BatchRecord& r = contents->records[i];
            if (r.number != int(i) + 1 || r.line < line || !r.birthDate.isValid()) std::abort();
            if (r.birthDate.year() < 1900 || r.birthDate.year() > kLastYear) std::abort();
            line = r.line;
        }
    } else if (std::get<BatchFileError>(result).line < 0) {
        std::abort();
    }
    return 0;
}
