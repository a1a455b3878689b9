// A picture file of any format, as a template or the insert-picture tool names it.
#include "FuzzSupport.h"
#include "document/Metafiles.h"
#include "document/Pictures.h"

using namespace natalory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The converter's own code, run here where the fuzzer sees it, as the confined process runs it.
    static const bool inProcess = (SetMetafileConversion(MetafileConversion::InProcess), true);
    (void)inProcess;
    const QString path = fuzz::WriteProgramFile(QStringLiteral("picture"), fuzz::Bytes(data, size));
    QString error;
    const QImage image = LoadPicture(path, &error);
    (void)image;
    return 0;
}
