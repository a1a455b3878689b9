// The year data reader ReadCelebrities on any file.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    natalory::fuzz::ReadYearData(data, size, natalory::kCelebritiesFile, natalory::ReadCelebrities);
    return 0;
}
