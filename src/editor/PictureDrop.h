#pragma once

#include "document/DisplayObjects.h"

#include <functional>

namespace natalory {

class frmDisplay;

// Loads a picture file into a picture object as Insert Picture does; false (the user told
// why) when the file cannot be read.
using PictureLoader = std::function<bool(DisplayObject& picture, const QString& file)>;

// A picture file dropped on the canvas becomes a picture object with its top left corner at
// the drop point (kept on the page), selected, as one undo step. The canvas must already
// stand in the main window.
void AcceptDroppedPictures(frmDisplay& canvas, PictureLoader load);

}  // namespace natalory
