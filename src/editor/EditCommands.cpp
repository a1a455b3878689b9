#include "editor/EditCommands.h"

#include <QUndoCommand>

#include <algorithm>

namespace natalory {

void CopyAspects(const DisplayObject& from, DisplayObject& to, int aspects) {
    if (aspects & aspGeometry) {
        to.Left = from.Left;
        to.Top = from.Top;
        to.Width = from.Width;
        to.Height = from.Height;
        to.X1 = from.X1;
        to.Y1 = from.Y1;
        to.X2 = from.X2;
        to.Y2 = from.Y2;
    }
    if (aspects & aspFormat) {
        to.FontName = from.FontName;
        to.FontSize = from.FontSize;
        to.FontBold = from.FontBold;
        to.FontItalic = from.FontItalic;
        to.FontStrikethru = from.FontStrikethru;
        to.FontUnderline = from.FontUnderline;
        to.ForeColor = from.ForeColor;
        to.Alignment = from.Alignment;
        to.Shape = from.Shape;
        to.BorderWidth = from.BorderWidth;
        // A text's or picture's border is the Show Borders view, not part of its format.
        if (to.kind == ObjectKind::Line) to.BorderStyle = from.BorderStyle;
    }
    if (aspects & aspText) to.Caption = from.Caption;
    if (aspects & aspPicture) {
        to.Picture = from.Picture;
        to.PictureVector = from.PictureVector;
        to.ToolTipText = from.ToolTipText;
        to.Stretch = from.Stretch;
    }
    if (aspects & aspVisible) to.Visible = from.Visible;
}

bool SameAspects(const DisplayObject& a, const DisplayObject& b, int aspects) {
    DisplayObject copy = b;
    CopyAspects(a, copy, aspects);
    const auto key = [](const DisplayObject& o) {
        return std::tuple(o.Left, o.Top, o.Width, o.Height, o.X1, o.Y1, o.X2, o.Y2, o.FontName, o.FontSize,
                          o.FontBold, o.FontItalic, o.FontStrikethru, o.FontUnderline, o.ForeColor,
                          o.Alignment, o.Shape, o.BorderWidth, o.BorderStyle, o.Caption, o.ToolTipText,
                          o.Stretch, o.Visible);
    };
    return key(copy) == key(b) && copy.Picture.cacheKey() == b.Picture.cacheKey() &&
           copy.PictureVector == b.PictureVector;
}

namespace {

class EditorCommand : public QUndoCommand {
  public:
    EditorCommand(const QString& text, std::function<void(DisplayObject*)>& applied)
        : QUndoCommand(text), applied_(applied) {}

  protected:
    void applied(DisplayObject* object) const {
        if (applied_) applied_(object);
    }

  private:
    std::function<void(DisplayObject*)>& applied_;
};

// A change of some properties of one object.
class ChangeCommand : public EditorCommand {
  public:
    ChangeCommand(const QString& text, std::function<void(DisplayObject*)>& applied, DisplayObject& object,
                  int aspects, DisplayObject before, int mergeKey)
        : EditorCommand(text, applied),
          object_(object),
          aspects_(aspects),
          before_(std::move(before)),
          after_(object),
          mergeKey_(mergeKey) {}

    void undo() override {
        CopyAspects(before_, object_, aspects_);
        applied(&object_);
    }
    void redo() override {
        if (first_) {
            first_ = false;  // the edit is already made
            return;
        }
        CopyAspects(after_, object_, aspects_);
        applied(&object_);
    }
    int id() const override { return mergeKey_; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const ChangeCommand*>(other);
        if (&next->object_ != &object_ || next->aspects_ != aspects_) return false;
        after_ = next->after_;
        return true;
    }

  private:
    DisplayObject& object_;
    int aspects_;
    DisplayObject before_;
    DisplayObject after_;
    int mergeKey_;
    bool first_ = true;
};

// An object that comes onto the canvas (redo) or goes off it (undo); a delete is the reverse.
class PresenceCommand : public EditorCommand {
  public:
    PresenceCommand(const QString& text, std::function<void(DisplayObject*)>& applied, CanvasDocument& doc,
                    DisplayObject& object, bool insertion)
        : EditorCommand(text, applied), doc_(doc), object_(&object), insertion_(insertion) {}

    void undo() override { insertion_ ? takeOff() : putBack(); }
    void redo() override {
        if (first_) {
            first_ = false;
            if (!insertion_) takeOff();
            return;
        }
        insertion_ ? putBack() : takeOff();
    }

  private:
    void takeOff() {
        detached_ = doc_.detach(*object_);
        applied(nullptr);
    }
    void putBack() {
        if (detached_.object) doc_.attach(std::move(detached_));
        applied(object_);
    }
    CanvasDocument& doc_;
    DisplayObject* object_;  // stays valid: the command owns it while it is off the canvas
    CanvasDocument::Detached detached_;
    bool insertion_;
    bool first_ = true;
};

class StackingCommand : public EditorCommand {
  public:
    StackingCommand(const QString& text, std::function<void(DisplayObject*)>& applied, CanvasDocument& doc,
                    DisplayObject& object, std::vector<DisplayObject*> before)
        : EditorCommand(text, applied),
          doc_(doc),
          object_(object),
          before_(std::move(before)),
          after_(doc.stacking()) {}
    void undo() override {
        doc_.setStacking(before_);
        applied(&object_);
    }
    void redo() override {
        if (first_) {
            first_ = false;
            return;
        }
        doc_.setStacking(after_);
        applied(&object_);
    }

  private:
    CanvasDocument& doc_;
    DisplayObject& object_;
    std::vector<DisplayObject*> before_, after_;
    bool first_ = true;
};

}  // namespace

DocumentEditor::DocumentEditor(CanvasDocument& doc, AppState& state) : doc_(doc), state_(state) {
    QObject::connect(&stack_, &QUndoStack::cleanChanged, &stack_,
                     [this](bool clean) { state_.TemplateChanged = !clean; });
}

DocumentEditor::~DocumentEditor() {
    // Commands refer to the document; they go first, without reporting.
    onApplied = nullptr;
    stack_.blockSignals(true);
    stack_.clear();
}

bool DocumentEditor::change(DisplayObject& object, int aspects, const QString& text,
                            const std::function<void(DisplayObject&)>& edit, int mergeKey) {
    DisplayObject before = object;
    edit(object);
    if (SameAspects(before, object, aspects)) return false;
    stack_.push(new ChangeCommand(text, onApplied, object, aspects, std::move(before), mergeKey));
    state_.TemplateChanged = true;
    return true;
}

void DocumentEditor::inserted(DisplayObject& object, const QString& text) {
    stack_.push(new PresenceCommand(text, onApplied, doc_, object, true));
    state_.TemplateChanged = true;
}

void DocumentEditor::remove(DisplayObject& object) {
    if (object.index == 0) {
        change(object, aspVisible, QStringLiteral("Delete"), [](DisplayObject& o) { o.Visible = false; });
        return;
    }
    stack_.push(new PresenceCommand(QStringLiteral("Delete"), onApplied, doc_, object, false));
    state_.TemplateChanged = true;
}

void DocumentEditor::restack(DisplayObject& object, bool toFront) {
    std::vector<DisplayObject*> before = doc_.stacking();
    toFront ? doc_.bringToFront(object) : doc_.sendToBack(object);
    if (before == doc_.stacking()) return;
    stack_.push(
        new StackingCommand(toFront ? QStringLiteral("Bring To Front") : QStringLiteral("Send To Back"),
                            onApplied, doc_, object, std::move(before)));
    state_.TemplateChanged = true;
}

void DocumentEditor::bringToFront(DisplayObject& object) {
    restack(object, true);
}

void DocumentEditor::sendToBack(DisplayObject& object) {
    restack(object, false);
}

void DocumentEditor::setClean() {
    stack_.setClean();
}

void DocumentEditor::clear() {
    stack_.clear();
}

}  // namespace natalory
