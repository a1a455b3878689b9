#pragma once

#include <QString>

namespace natalory {

struct DisplayObject;
class frmDisplay;

// What assistive technology is told of the canvas: the page, with its objects as children in
// stacking order, the selected one focused. Installed once for every canvas.
void InstallCanvasAccessibility();

// Tells assistive technology which object is now selected, and where it now is.
void AnnounceSelection(frmDisplay& canvas);

// An object as a screen reader names it: its kind and its text ("Text: Happy Birthday"), and
// where it is on the page, in inches.
QString SpokenName(const DisplayObject& object);
QString SpokenPlace(const DisplayObject& object);

}  // namespace natalory
