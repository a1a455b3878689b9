#pragma once

#include "document/DisplayObjects.h"
#include "output/PrintEngine.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDateTime>

#include <functional>

namespace natalory {

// The system printer, as rendering needs it.
class PrinterTarget {
  public:
    virtual ~PrinterTarget() = default;
    // Prints the recorded page. False, with the reason, when there is no printer or printing failed.
    virtual bool printPage(const PrintEngine& engine, QString* error) = 0;
    // True when no page exists until the whole file is written (a batch PDF): its prints are
    // then counted and logged by whoever finishes the file, not as each page is drawn.
    virtual bool defersPrints() const { return false; }
};

// Where the canvas lies when it is printed: every printed position is moved by
// the offsets and stretched by the scale (outer over inner width of the canvas).
struct CanvasPlacement {
    int offX = 5;
    int offY = 5;
    double scale = 1.0;
};

// The tag rule: articles (not their labels), the president's report and the editorial note are justified.
bool IsJustifiedNews(const QString& tag);

// Sends one visible object to the engine.
void RenderObject(PrintEngine& engine, const DisplayObject& object, const CanvasPlacement& at,
                  const AppState& state);

// Sets the engine's page up from the page setup and sends every visible object, bottom to top.
void RenderDocument(const CanvasDocument& doc, PrintEngine& engine, AppState& state,
                    const CanvasPlacement& at);

struct PrintServices {
    Prompt& prompt;
    const Clock& clock;
    PrinterTarget* printer = nullptr;  // null: no printer on this machine
};

// Renders the canvas; a real print is then printed, counted and, when the user logs
// prints, logged. A preview and an export leave the finished engine to their caller,
// uncounted. False when a print could not be printed (said in a message).
bool PrintCanvas(const CanvasDocument& doc, AppState& state, PrintEngine& engine, const CanvasPlacement& at,
                 PrintServices services);

// Cuts a caption too long to lay out in reasonable time (a damaged template, a pasted
// file) and tells the user; such a text could never be read on paper anyway.
void LimitCaption(DisplayObject& label, Prompt& prompt);

// Fits one text object to its box: with autosizing on, its font shrinks a point
// at a time (not below 4 points, at most 200 times) until its text fits; with it
// off, the user is told. `sizeShown` receives the size for the toolbar's size box.
// Layouts come from `memo` when one is given.
void FitLabelText(DisplayObject& label, const AppState& state, Prompt& prompt,
                  const std::function<void(int)>& sizeShown = {}, TextBlockMemo* memo = nullptr);
void FitAllLabels(CanvasDocument& doc, const AppState& state, Prompt& prompt,
                  const std::function<void(int)>& sizeShown = {}, TextBlockMemo* memo = nullptr);

// Whether a text object's text fits its box at its font size, as the print lays it out.
// `justify`: the text is drawn fully justified (lines break the same either way; a
// memo keeps the layout for the drawing).
bool TextFitsBox(const DisplayObject& label, TextBlockMemo* memo = nullptr, bool justify = false);

}  // namespace natalory
