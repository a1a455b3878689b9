// A year data file handed over in place of the shipped one; the last two bytes
// also pick the birth date searched for.
#include "FuzzSupport.h"
#include "birthday/YearDataReaders.h"

using namespace natalory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    fuzz::WriteProgramFile(QString::fromLatin1(kHeadlinesFile), fuzz::Bytes(data, size));
    YearData year;
    const DataReadResult result =
        ReadHeadlines(fuzz::ProgramFolder(), fuzz::BirthDateFrom(data[size - 2], data[size - 1]), year);
    (void)result;
    return 0;
}
