#pragma once

#include <QString>

namespace natalory {

struct AppVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version this program was built as.
AppVersion CurrentVersion();

// "Build 1.0.0"
QString BuildLabel(const AppVersion& v);

// The digits of the version one after another, as the upgrade check sends them (1.0.0 gives "100").
QString VersionDigits(const AppVersion& v);

}  // namespace natalory
