#pragma once

#include "output/Render.h"

namespace natalory {

enum class ExportKind { Metafile, Bitmap, Pdf, Png };

// The file name an export proposes: first and last name, or "Birthday Print" when both are empty.
QString ProposedExportName(const AppState& state);

// Asks where to save the print, renders it as an export (counted, nothing printed),
// writes the file whole and logs the export whatever the logging setting says.
// False when the user stopped or the file could not be written (said in a message).
bool SaveExport(ExportKind kind, const CanvasDocument& doc, AppState& state, Services& services);

// Writes a rendered page: EMF, BMP at screen resolution (96 dots per inch), PNG at `dpi`, or PDF.
bool WriteExport(ExportKind kind, const PrintEngine& engine, const QString& path, QString* error,
                 double dpi = 150);

}  // namespace natalory
