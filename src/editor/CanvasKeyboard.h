#pragma once

namespace natalory {

class frmDisplay;

// The canvas without a mouse: Tab and Shift+Tab select the next and the previous object in
// stacking order (round the page), Shift+Ctrl+arrows size the selection a pixel at a time
// (a run of them one undo step, as the arrows' nudge is). Called once by the canvas.
void InstallCanvasKeyboard(frmDisplay& canvas);

// Selects the object after (or before) the selected one; false when the page has none.
bool SelectNextObject(frmDisplay& canvas, bool forward);

}  // namespace natalory
