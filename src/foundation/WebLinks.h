#pragma once

#include "foundation/Seams.h"
#include "foundation/Version.h"

namespace natalory {

inline constexpr auto kHomePageUrl = "https://www.natalory.com/";
inline constexpr auto kTechnicalSupportUrl = "https://www.natalory.com/support/contact";
inline constexpr auto kUpgradeCheckUrl = "https://www.natalory.com/upgrade/check?";

// Opens a web address in the desktop's browser; when that fails, tells the user
// where to go instead.
void OpenUrl(const QString& address, UrlOpener& urls, Prompt& prompt);

// The upgrade-check address for a version ("...check?version=100" for 1.0.0).
QString UpgradeCheckAddress(const AppVersion& version);

void CheckForUpgrades(UrlOpener& urls, Prompt& prompt);

}  // namespace natalory
