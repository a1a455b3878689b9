#pragma once

#include "foundation/AppState.h"
#include "foundation/RecordFormat.h"

namespace natalory {

inline constexpr auto kSettingsFileName = "vir1.cgf";

// What a new user starts with when there is no usable settings file: the
// newspaper, age as of today, the designer, fonts fitted to their boxes, news
// articles justified, every print logged, screen fonts, no print offset.
Settings DefaultSettings();

enum class SettingsSource { File, DefaultsNoFile, DefaultsDamagedFile };

struct SettingsReadResult {
    SettingsSource source = SettingsSource::File;
    RecordError error;  // set for DefaultsDamagedFile
};

// Reads the eleven settings of the program folder's settings file into
// state.settings. A missing, unreadable, short or damaged file never stops the
// program: the settings become DefaultSettings() and the result says why.
SettingsReadResult ReadSettings(AppState& state);

// The settings file's one record, CR LF ended.
QByteArray SettingsRecord(const Settings& settings, QString* problem = nullptr);

// Replaces the settings file with the given settings (whole or not at all).
bool WriteSettings(const AppState& state, const Settings& settings, QString* error = nullptr);

}  // namespace natalory
