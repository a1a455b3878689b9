// The year data reader ReadYearRecord on any file.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    natalory::fuzz::ReadYearData(data, size, natalory::kYearRecordsFile, natalory::ReadYearRecord);
    return 0;
}
