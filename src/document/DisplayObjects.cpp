#include "document/DisplayObjects.h"

#include <map>

#include <algorithm>

namespace natalory {
namespace {

size_t Slot(ObjectKind kind) {
    return size_t(kind);
}

QString KindLetter(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Text:
            return QStringLiteral("T");
        case ObjectKind::Picture:
            return QStringLiteral("P");
        case ObjectKind::Shape:
            return QStringLiteral("S");
        case ObjectKind::Line:
            return QStringLiteral("L");
    }
    return {};
}

bool UnderLimit(const CanvasDocument& doc, Prompt& prompt) {
    if (doc.controlCount() < kMaxControls) return true;
    prompt.ask(QString::fromLatin1(kTooManyObjects), {}, PromptButtons::Ok, PromptIcon::None);
    return false;
}

void Created(AppState& state) {
    if (!state.BatchInProgress) state.TemplateChanged = true;
}

}  // namespace

int ControlKind(const DisplayObject& object) {
    switch (object.kind) {
        case ObjectKind::Text:
            return 3;
        case ObjectKind::Shape:
            return 5;
        case ObjectKind::Line:
            return 6;
        case ObjectKind::Picture:
            return 7;
    }
    return 0;
}

CanvasDocument::CanvasDocument() {
    for (ObjectKind kind : {ObjectKind::Text, ObjectKind::Picture, ObjectKind::Shape, ObjectKind::Line}) {
        auto zero = std::make_unique<DisplayObject>();
        zero->kind = kind;
        zero->Tag = KindLetter(kind);
        stacking_.push_back(zero.get());
        arrays_[Slot(kind)].push_back(std::move(zero));
    }
}

CanvasDocument CanvasDocument::copy() const {
    CanvasDocument out;
    out.stacking_.clear();
    std::map<const DisplayObject*, DisplayObject*> copied;
    for (size_t slot = 0; slot < arrays_.size(); ++slot) {
        out.arrays_[slot].clear();
        for (const auto& element : arrays_[slot]) {
            out.arrays_[slot].push_back(element ? std::make_unique<DisplayObject>(*element) : nullptr);
            copied[element.get()] = out.arrays_[slot].back().get();
        }
    }
    for (const DisplayObject* o : stacking_) out.stacking_.push_back(copied.at(o));
    return out;
}

DisplayObject* CanvasDocument::element(ObjectKind kind, int index) const {
    const auto& a = arrays_[Slot(kind)];
    return index >= 0 && size_t(index) < a.size() ? a[size_t(index)].get() : nullptr;
}

int CanvasDocument::UBound(ObjectKind kind) const {
    return int(arrays_[Slot(kind)].size()) - 1;
}

int CanvasDocument::controlCount() const {
    return kHandleCount + int(stacking_.size());
}

DisplayObject& CanvasDocument::load(ObjectKind kind) {
    auto& a = arrays_[Slot(kind)];
    auto object = std::make_unique<DisplayObject>();
    object->kind = kind;
    object->index = int(a.size());
    object->Tag = KindLetter(kind);
    DisplayObject& o = *object;
    a.push_back(std::move(object));
    stacking_.push_back(&o);
    return o;
}

void CanvasDocument::remove(DisplayObject& object) {
    if (object.index == 0) {
        object.Visible = false;
        return;
    }
    detach(object);
}

CanvasDocument::Detached CanvasDocument::detach(DisplayObject& object) {
    Detached out;
    auto it = std::find(stacking_.begin(), stacking_.end(), &object);
    if (it == stacking_.end() || object.index == 0) return out;
    out.stackPosition = int(it - stacking_.begin());
    stacking_.erase(it);
    auto& a = arrays_[Slot(object.kind)];
    out.object = std::move(a[size_t(object.index)]);
    // The array ends at its last loaded element, so a new one takes the next index after it.
    while (!a.empty() && !a.back()) a.pop_back();
    return out;
}

DisplayObject& CanvasDocument::attach(Detached detached) {
    DisplayObject& o = *detached.object;
    auto& a = arrays_[Slot(o.kind)];
    if (a.size() <= size_t(o.index)) a.resize(size_t(o.index) + 1);
    a[size_t(o.index)] = std::move(detached.object);
    const size_t at = std::min(size_t(std::max(0, detached.stackPosition)), stacking_.size());
    stacking_.insert(stacking_.begin() + std::ptrdiff_t(at), &o);
    return o;
}

void CanvasDocument::setStacking(std::vector<DisplayObject*> order) {
    stacking_ = std::move(order);
}

void CanvasDocument::bringToFront(DisplayObject& object) {
    auto it = std::find(stacking_.begin(), stacking_.end(), &object);
    if (it == stacking_.end()) return;
    std::rotate(it, it + 1, stacking_.end());
}

void CanvasDocument::sendToBack(DisplayObject& object) {
    auto it = std::find(stacking_.begin(), stacking_.end(), &object);
    if (it == stacking_.end()) return;
    std::rotate(stacking_.begin(), it, it + 1);
}

bool CanvasDocument::contains(const DisplayObject* object) const {
    return std::find(stacking_.begin(), stacking_.end(), object) != stacking_.end();
}

DisplayObject* NewLabel(CanvasDocument& doc, AppState& state, Prompt& prompt) {
    if (!UnderLimit(doc, prompt)) return nullptr;
    DisplayObject& o = doc.load(ObjectKind::Text);
    o.ForeColor = qRgb(0, 0, 0);
    o.FontSize = 12;
    o.FontName = QStringLiteral("Times New Roman");
    o.Caption = QString::fromLatin1(kNewTextCaption);
    o.Tag = QStringLiteral("T");
    o.Left = 100;
    o.Top = 100;
    // A new label has a size of its own until the caller gives it one.
    o.Width = 2880;
    o.Height = 495;
    o.Visible = true;
    doc.bringToFront(o);
    Created(state);
    return &o;
}

DisplayObject* NewPicture(CanvasDocument& doc, AppState& state, Prompt& prompt, bool askForPicture,
                          const PictureChooser& choose) {
    if (!UnderLimit(doc, prompt)) return nullptr;
    DisplayObject& o = doc.load(ObjectKind::Picture);
    o.Stretch = false;
    o.Visible = true;
    o.Left = 3;
    o.Top = 3;
    o.Width = 1440;
    o.Height = 1440;
    o.Tag = QStringLiteral("P");
    if (askForPicture && choose) {
        if (const std::optional<QString> path = choose(o)) o.ToolTipText = *path;
    }
    o.Stretch = true;
    doc.bringToFront(o);
    Created(state);
    return &o;
}

DisplayObject* NewShape(CanvasDocument& doc, AppState& state, Prompt& prompt, int shapeKind) {
    if (!UnderLimit(doc, prompt)) return nullptr;
    if (shapeKind >= kLineShapeKind) {
        DisplayObject& line = doc.load(ObjectKind::Line);
        line.Visible = true;
        line.Tag = QStringLiteral("L");
        line.X1 = 1000;
        line.Y1 = 1001;
        line.X2 = 2440;
        line.Y2 = 1001;
        line.BorderStyle = lsSolid;
        doc.bringToFront(line);
        Created(state);
        return &line;
    }
    DisplayObject& shape = doc.load(ObjectKind::Shape);
    shape.Visible = true;
    shape.Tag = QStringLiteral("S");
    shape.Shape = shapeKind;
    shape.Left = 3;
    shape.Top = 3;
    shape.Width = 1440;
    shape.Height = 1440;
    doc.bringToFront(shape);
    Created(state);
    return &shape;
}

void SetBorders(CanvasDocument& doc, bool show) {
    for (DisplayObject* o : doc.stacking())
        if (ControlKind(*o) == 3 || ControlKind(*o) == 7) o->BorderStyle = show ? 1 : 0;
}

}  // namespace natalory
