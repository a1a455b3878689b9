#pragma once

#include "FuzzSupport.h"
#include "document/DisplayObjects.h"
#include "document/TemplateFile.h"

namespace natalory::fuzz {

// A template read from the fuzzer's bytes for a fixed birthday.
struct LoadedTemplate {
    AppState state;
    CanvasDocument doc;
    AnswerFirst prompt;
    std::optional<TemplateError> error;
};

void LoadFuzzTemplate(LoadedTemplate& t, QByteArrayView bytes, const QString& name);

}  // namespace natalory::fuzz
