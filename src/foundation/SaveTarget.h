#pragma once

#include "foundation/Seams.h"

namespace natalory {

inline constexpr auto kOverwriteQuestion =
    "Do you want to copy over this file and lose all data it contains?";

// Asks where to save. When the chosen file exists, asks whether to copy over it:
// No shows the dialog again, Cancel stops. Nothing when the user stopped.
std::optional<QString> ChooseSaveTarget(Services& services, FileRequest request);

}  // namespace natalory
