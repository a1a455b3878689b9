// The print log as the log viewer reads it.
#include "FuzzSupport.h"
#include "batch/PrintLog.h"

#include <cstdlib>

using namespace natalory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path =
        fuzz::WriteProgramFile(QStringLiteral("birthday print log.log"), fuzz::Bytes(data, size));
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const PrintLogContents log = ReadPrintLog(path, QDate(2026, 12, 7), english);
    if (!log.exists || log.today > int(log.rows.size())) std::abort();
    return 0;
}
