#pragma once

#include "shell/AppState.h"

#include <QSize>

#include <optional>

namespace natalory {

// The canvas is the printable area of the page: the paper less its margins, turned
// for landscape. Nothing for an orientation that is neither portrait nor landscape.
std::optional<QSize> PrintableCanvasSize(const PageSetup& page);

// A US Letter page in portrait with half-inch margins: what a canvas has before a
// template gives it a page.
PageSetup DefaultPageSetup();

}  // namespace natalory
