// The record codec on any bytes: the first four bytes choose the sequence of typed
// fields a caller asks for, the rest is the file. Whatever the writer accepts must
// read back as it was.
#include "FuzzSupport.h"
#include "foundation/RecordFormat.h"
#include "foundation/Windows1252.h"

#include <cstdlib>

using namespace natalory;

namespace {

constexpr size_t kPlanBytes = 4;

void ReadsBack(const RecordWriter& out, const QString& written) {
    if (!out.ok()) return;
    RecordReader back(DecodeTextFile(out.bytes()), QStringLiteral("back"));
    QString read;
    if (!back.readText(read) || read != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kPlanBytes) return 0;
    const QString path = fuzz::WriteProgramFile(QStringLiteral("record.fpf"),
                                                fuzz::Bytes(data + kPlanBytes, size - kPlanBytes));
    RecordError error;
    auto in = RecordReader::open(path, &error);
    if (!in) return 0;
    // Every successful read consumes input, so the fields can never outnumber the bytes.
    const size_t limit = size + 1;
    for (size_t i = 0; !in->atEnd() && !in->failed(); ++i) {
        if (i > limit) std::abort();
        const int before = in->line();
        switch (data[i % kPlanBytes] % 7) {
            case 0: {
                QString text;
                if (in->readText(text)) {
                    RecordWriter out;
                    out.text(text);
                    ReadsBack(out, text);
                }
                break;
            }
            case 1: {
                double v = 0;
                in->readNumber(v);
                break;
            }
            case 2: {
                int v = 0;
                in->readInteger(v);
                break;
            }
            case 3: {
                bool v = false;
                in->readBoolean(v);
                break;
            }
            case 4: {
                QDate v;
                in->readDate(v);
                break;
            }
            case 5: {
                AnyField v;
                in->readAny(v);
                break;
            }
            case 6: {
                QString v;
                in->readLine(v);
                break;
            }
        }
        if (in->line() < before) std::abort();
    }
    if (in->failed()) (void)in->error().describe();
    return 0;
}
