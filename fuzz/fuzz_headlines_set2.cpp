// The year data reader ReadHeadlinesSet2 on any file.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    natalory::fuzz::ReadYearData(data, size, natalory::kHeadlinesSet2File, natalory::ReadHeadlinesSet2);
    return 0;
}
