#include "editor/ObjectClipboard.h"

#include "document/TemplateFile.h"
#include "shell/Windows1252.h"

#include <algorithm>

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

void MoveInside(DisplayObject& o, QPoint offset, QSize canvas) {
    if (o.kind == ObjectKind::Line) {
        const int left = std::min(o.X1, o.X2), top = std::min(o.Y1, o.Y2);
        const int w = std::abs(o.X2 - o.X1), h = std::abs(o.Y2 - o.Y1);
        const int dx = std::clamp(left + offset.x(), 0, std::max(0, canvas.width() - w)) - left;
        const int dy = std::clamp(top + offset.y(), 0, std::max(0, canvas.height() - h)) - top;
        o.X1 += dx, o.X2 += dx, o.Y1 += dy, o.Y2 += dy;
        return;
    }
    o.Left = std::clamp(o.Left + offset.x(), 0, std::max(0, canvas.width() - o.Width));
    o.Top = std::clamp(o.Top + offset.y(), 0, std::max(0, canvas.height() - o.Height));
}

}  // namespace

QByteArray CopyObjects(const std::vector<const DisplayObject*>& objects, const AppState& state) {
    CanvasDocument scratch;
    for (const DisplayObject* o : objects)
        if (o && o->Visible) Clone(*o, scratch);
    return TemplateBytes(scratch, state);
}

std::vector<DisplayObject*> PasteObjects(const QByteArray& bytes, CanvasDocument& doc, const AppState& state,
                                         Prompt& prompt, QPoint offset, QSize canvas) {
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
        DisplayObject& n = Clone(*o, doc);
        MoveInside(n, offset, canvas);
        pasted.push_back(&n);
    }
    return pasted;
}

}  // namespace natalory
