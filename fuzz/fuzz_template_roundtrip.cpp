// A template read, saved, read again and saved again: the two saves must be the
// same bytes, or a save would change the print it was asked to keep.
#include "TemplateInput.h"

#include <cstdio>
#include <cstdlib>

using namespace natalory;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::LoadedTemplate first;
    fuzz::LoadFuzzTemplate(first, fuzz::Bytes(data, size), QStringLiteral("first.als"));
    if (first.error) return 0;
    QString problem;
    const QByteArray saved = TemplateBytes(first.doc, first.state, &problem);
    if (!problem.isEmpty()) return 0;

    fuzz::LoadedTemplate second;
    fuzz::LoadFuzzTemplate(second, saved, QStringLiteral("second.als"));
    if (second.error) {
        std::fprintf(stderr, "a saved template does not read back: %s\n",
                     qPrintable(TemplateErrorMessage(*second.error)));
        std::abort();
    }
    const QByteArray again = TemplateBytes(second.doc, second.state, &problem);
    if (again != saved) {
        std::fprintf(stderr, "saved:\n%s\nsaved again:\n%s\n", saved.constData(), again.constData());
        std::abort();
    }
    return 0;
}
