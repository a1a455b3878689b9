#pragma once

#include "foundation/AppState.h"

namespace natalory {

// The layout editor's own habits (snapping), kept in a file of their own beside the
// settings, one "name=0|1" line each; the settings file keeps the record format it has.
inline constexpr auto kEditorPreferencesFile = "editor.cfg";

bool ReadEditorPreference(const AppState& state, const char* name, bool fallback);
// False when the file could not be written; the choice then lasts until the program ends.
bool WriteEditorPreference(const AppState& state, const char* name, bool value);

}  // namespace natalory
