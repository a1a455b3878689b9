#pragma once

#include "document/DisplayObjects.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QByteArray>

#include <vector>

namespace natalory {

// The clipboard's own type for display objects: a template's text holding just them, so
// that a paste reaches another print, another running copy of the program, and outlives
// the print it came from.
inline constexpr auto kObjectsMimeType = "application/x-natalory-objects";

QByteArray CopyObjects(const std::vector<const DisplayObject*>& objects, const AppState& state);

// Puts the objects of `bytes` on `doc` where they were copied from, on top of the others;
// their info objects are written for the print's birthday. The print's page and data
// settings stay as they are. Returns the new objects, bottom to top; none for bytes that
// hold no objects. Stops at the control limit.
std::vector<DisplayObject*> PasteObjects(const QByteArray& bytes, CanvasDocument& doc, const AppState& state,
                                         Prompt& prompt);

}  // namespace natalory
