#pragma once

#include "document/DisplayObjects.h"
#include "infoobjects/InfoCatalogue.h"
#include "foundation/AppState.h"

#include <QLocale>
#include <QString>

namespace natalory {

// The text the generator of `key` writes for the birthday in `state` (its values
// already in display form). Empty for a key that names no generator.
QString GenerateCaption(const QString& key, const AppState& state, const QLocale& locale = QLocale());

// Whether a generator makes a new text object or writes the text of one that exists.
enum class GeneratorMode { Create, Rewrite };

// The generator frame. Create makes a text object through NewLabel (nothing at the
// 200-control limit: null) and tags it "T" + key; Rewrite rewrites
// lblObject(currentInfoIndex). Either way it sets the tool tip to the kind's display
// name and the Caption to the generated text, and changes nothing else of the object.
DisplayObject* RunGenerator(const InfoKind& kind, CanvasDocument& doc, AppState& state, Prompt& prompt,
                            GeneratorMode mode = GeneratorMode::Create, int currentInfoIndex = 0,
                            const QLocale& locale = QLocale());

// Reloads the birth year's headlines from the set the data settings name, then
// rewrites every visible info object of the canvas, in control order. Plain text
// objects, unknown keys and hidden objects keep their text.
void RefreshInfoObjects(CanvasDocument& doc, AppState& state, Prompt& prompt,
                        const QLocale& locale = QLocale());

// What a print shows before a template says otherwise: every economic item, headline set 1.
DataSettings DefaultDataSettings();

}  // namespace natalory
