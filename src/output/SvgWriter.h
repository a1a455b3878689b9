#pragma once

#include "output/PrintEngine.h"

namespace natalory {

// Writes the engine's page as SVG (one <text> a line; full justification is not kept).
bool WriteSvg(const PrintEngine& engine, const QString& path, QString* error = nullptr);

}  // namespace natalory
