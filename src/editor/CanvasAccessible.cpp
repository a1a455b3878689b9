#include "editor/CanvasAccessible.h"

#include "editor/Arrange.h"
#include "editor/frmDisplay.h"

#include <QAccessibleWidget>
#include <QFileInfo>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <map>

namespace natalory {
namespace {

std::vector<DisplayObject*> VisibleObjects(const frmDisplay& canvas) {
    std::vector<DisplayObject*> shown;
    for (DisplayObject* o : canvas.document().stacking())
        if (o->Visible) shown.push_back(o);
    return shown;
}

QString Inches(int twips) {
    return QString::number(twips / 1440.0, 'f', 2);
}

// One object on the page. It has no QObject of its own: it asks the canvas for what it is.
class ObjectAccessible final : public QAccessibleInterface {
  public:
    ObjectAccessible(frmDisplay* canvas, DisplayObject* object) : canvas_(canvas), object_(object) {}

    bool isValid() const override {
        return canvas_ && canvas_->document().contains(object_) && object_->Visible;
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return canvas_ ? canvas_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(canvas_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return SpokenName(*object_);
        if (t == QAccessible::Description) return SpokenPlace(*object_);
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const double scale = canvas_->scale();
        const QRect box = ObjectBox(*object_);
        const QRect pixels(qRound(box.x() * scale), qRound(box.y() * scale),
                           std::max(1, qRound(box.width() * scale)),
                           std::max(1, qRound(box.height() * scale)));
        return QRect(canvas_->mapToGlobal(pixels.topLeft()), pixels.size());
    }

    QAccessible::Role role() const override {
        return isValid() && object_->kind == ObjectKind::Text ? QAccessible::StaticText
                                                              : QAccessible::Graphic;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const bool selected = canvas_->CurrentObject == object_ ||
                              std::count(canvas_->Selection.begin(), canvas_->Selection.end(), object_);
        s.selected = selected;
        s.focused = canvas_->CurrentObject == object_ && canvas_->hasFocus();
        return s;
    }

    DisplayObject* displayObject() const { return object_; }

  private:
    QPointer<frmDisplay> canvas_;
    DisplayObject* object_;
};

// The page: its objects are its children.
class CanvasAccessibleWidget final : public QAccessibleWidget {
  public:
    explicit CanvasAccessibleWidget(frmDisplay* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas, QStringLiteral("Page")) {}

    ~CanvasAccessibleWidget() override {
        for (const auto& [object, id] : children_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(VisibleObjects(*canvas()).size()); }

    QAccessibleInterface* child(int index) const override {
        const std::vector<DisplayObject*> shown = VisibleObjects(*canvas());
        if (index < 0 || index >= int(shown.size())) return nullptr;
        return interfaceOf(shown[size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* o = dynamic_cast<const ObjectAccessible*>(child);
        if (!o) return QAccessibleWidget::indexOfChild(child);
        const std::vector<DisplayObject*> shown = VisibleObjects(*canvas());
        const auto at = std::find(shown.begin(), shown.end(), o->displayObject());
        return at == shown.end() ? -1 : int(at - shown.begin());
    }

    QAccessibleInterface* focusChild() const override {
        DisplayObject* current = canvas()->CurrentObject;
        return current && current->Visible ? interfaceOf(current) : nullptr;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const std::vector<DisplayObject*> shown = VisibleObjects(*canvas());
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (QAccessibleInterface* a = interfaceOf(*it); a->rect().contains(x, y)) return a;
        return nullptr;
    }

  private:
    frmDisplay* canvas() const { return static_cast<frmDisplay*>(widget()); }

    QAccessibleInterface* interfaceOf(DisplayObject* object) const {
        if (const auto it = children_.find(object); it != children_.end())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second)) return known;
        auto* made = new ObjectAccessible(canvas(), object);
        children_[object] = QAccessible::registerAccessibleInterface(made);
        return made;
    }

    mutable std::map<const DisplayObject*, QAccessible::Id> children_;
};

QAccessibleInterface* CanvasFactory(const QString& className, QObject* object) {
    if (className == QLatin1StringView(frmDisplay::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new CanvasAccessibleWidget(static_cast<frmDisplay*>(object));
    return nullptr;
}

const char* const kShapeNames[] = {"Rectangle",         "Square",        "Oval", "Circle",
                                   "Rounded Rectangle", "Rounded Square"};

QString Shortened(const QString& text) {
    const QString plain = text.simplified();
    return plain.size() > 120 ? plain.left(119) + QChar(0x2026) : plain;
}

}  // namespace

void InstallCanvasAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CanvasFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceSelection(frmDisplay& canvas) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(&canvas);
    QAccessibleInterface* selected = page ? page->focusChild() : nullptr;
    if (!selected || !canvas.hasFocus()) return;
    const int index = page->indexOfChild(selected);
    for (QAccessible::Event what : {QAccessible::Focus, QAccessible::LocationChanged}) {
        QAccessibleEvent event(&canvas, what);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
}

QString SpokenName(const DisplayObject& o) {
    switch (o.kind) {
        case ObjectKind::Text:
            if (o.Tag.size() > 1) return QStringLiteral("%1: %2").arg(o.ToolTipText, Shortened(o.Caption));
            return QStringLiteral("Text: ") + Shortened(o.Caption);
        case ObjectKind::Picture:
            return o.ToolTipText.isEmpty()
                       ? QStringLiteral("Picture")
                       : QStringLiteral("Picture: ") + QFileInfo(o.ToolTipText).fileName();
        case ObjectKind::Shape:
            return o.Shape >= 0 && o.Shape < int(std::size(kShapeNames))
                       ? QString::fromLatin1(kShapeNames[o.Shape])
                       : QStringLiteral("Shape");
        case ObjectKind::Line:
            return QStringLiteral("Line");
    }
    return {};
}

QString SpokenPlace(const DisplayObject& o) {
    const QRect box = ObjectBox(o);
    return QStringLiteral("%1 in. from the left, %2 in. from the top, %3 by %4 in.")
        .arg(Inches(box.x()), Inches(box.y()), Inches(box.width()), Inches(box.height()));
}

}  // namespace natalory
