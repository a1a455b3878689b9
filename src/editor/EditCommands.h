#pragma once

#include "document/DisplayObjects.h"

#include <QString>
#include <QUndoStack>

#include <functional>

namespace natalory {

// What an edit changes of an object; an undo step keeps only these.
enum Aspect {
    aspGeometry = 1,  // Left, Top, Width, Height; a line's ends
    aspFormat = 2,    // font, colour, alignment, shape code, border
    aspText = 4,      // Caption
    aspPicture = 8,   // the image, its file and stretching
    aspVisible = 16,
};

// Copies the `aspects` of one object's properties onto another.
void CopyAspects(const DisplayObject& from, DisplayObject& to, int aspects);
bool SameAspects(const DisplayObject& a, const DisplayObject& b, int aspects);

// Every edit of the open print as one undo step. The stack's clean state is the
// print as last built or saved: leaving it marks the template changed, coming back
// to it clears the mark.
class DocumentEditor {
  public:
    DocumentEditor(CanvasDocument& doc, AppState& state);
    ~DocumentEditor();

    QUndoStack& undoStack() { return stack_; }
    CanvasDocument& document() { return doc_; }

    // Changes `object` through `edit` as one step, keeping `aspects` before and after.
    // Nothing is recorded when the edit changed none of them. Steps with the same
    // non-negative `mergeKey` on the same object in a row become one.
    bool change(DisplayObject& object, int aspects, const QString& text,
                const std::function<void(DisplayObject&)>& edit, int mergeKey = -1);
    // Records an object that was just created on the canvas.
    void inserted(DisplayObject& object, const QString& text);
    // Deletes an object: element 0 is hidden, any other taken off the canvas.
    void remove(DisplayObject& object);
    void bringToFront(DisplayObject& object);
    void sendToBack(DisplayObject& object);

    // The print as it now stands is what a save holds, or what was just built.
    void setClean();
    void clear();

    // Run after every undo and redo with the object the step concerned (null when it
    // is no longer on the canvas).
    std::function<void(DisplayObject*)> onApplied;

  private:
    void restack(DisplayObject& object, bool toFront);
    CanvasDocument& doc_;
    AppState& state_;
    QUndoStack stack_;
};

}  // namespace natalory
