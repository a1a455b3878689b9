#pragma once

#include "foundation/AppState.h"

#include <QSize>

#include <optional>

namespace natalory {

// The paper a page setup can describe, in twips: a quarter of an inch to 240 inches.
inline constexpr int kSmallestPaper = 360;
inline constexpr int kLargestPaper = 240 * 1440;

// The canvas is the printable area of the page: the paper less its margins, turned
// for landscape. Nothing for an orientation that is neither portrait nor landscape.
std::optional<QSize> PrintableCanvasSize(const PageSetup& page);

// A US Letter page in portrait with half-inch margins: what a canvas has before a
// template gives it a page.
PageSetup DefaultPageSetup();

}  // namespace natalory
