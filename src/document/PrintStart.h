#pragma once

#include "shell/AppState.h"

namespace natalory {

// What a new print starts from before a template gives it its own: every economic
// item, headline set 1, and the birth year's headlines of that set.
void StartBlankPrint(AppState& state);

}  // namespace natalory
