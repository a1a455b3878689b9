// The year data reader ReadHeadlines on any file.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    natalory::fuzz::ReadYearData(data, size, natalory::kHeadlinesFile, natalory::ReadHeadlines);
    return 0;
}
