#include "editor/ObjectClipboard.h"

#include "document/TemplateFile.h"
#include "foundation/Windows1252.h"

namespace natalory {
namespace {

// A copy of `from` as a new element of `doc`, on top.
DisplayObject& Clone(const DisplayObject& from, CanvasDocument& doc) {
    DisplayObject& to = doc.load(from.kind);
    const int index = to.index;
    to = from;
    to.index = index;
    return to;
}

}  // namespace

QByteArray CopyObjects(const std::vector<const DisplayObject*>& objects, const AppState& state) {
    CanvasDocument scratch;
    for (const DisplayObject* o : objects)
        if (o && o->Visible) Clone(*o, scratch);
    return TemplateBytes(scratch, state);
}

std::vector<DisplayObject*> PasteObjects(const QByteArray& bytes, CanvasDocument& doc, const AppState& state,
                                         Prompt& prompt) {
    // Read on the side: reading sets a page and data settings, which are the print's own.
    AppState reading = state;
    CanvasDocument read;
    ReadTemplateText(DecodeTextFile(bytes), QStringLiteral("clipboard"), read, reading, prompt);
    std::vector<DisplayObject*> pasted;
    for (const DisplayObject* o : read.stacking()) {
        if (!o->Visible) continue;
        if (doc.controlCount() >= kMaxControls) {
            prompt.ask(QString::fromLatin1(kTooManyObjects), {}, PromptButtons::Ok, PromptIcon::None);
            break;
        }
        pasted.push_back(&Clone(*o, doc));
    }
    return pasted;
}

}  // namespace natalory
