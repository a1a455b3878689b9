#pragma once

#include "output/PrintEngine.h"

namespace natalory {

// Writes the engine's page as an Enhanced Metafile: one device unit a twip, text
// line by line as the engine broke it, with its font, size, style and colour; lines,
// rectangles, ellipses, rounded rectangles and pictures. The old file is replaced
// only once the new one is whole.
bool WriteEmf(const PrintEngine& engine, const QString& path, QString* error = nullptr);

}  // namespace natalory
