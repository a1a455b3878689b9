#include "editor/CanvasKeyboard.h"

#include "editor/CRect.h"
#include "editor/CanvasAccessible.h"
#include "editor/frmDisplay.h"

#include <QKeyEvent>

#include <algorithm>

namespace natalory {
namespace {

// Sizing steps carry merge keys of their own, far from the nudge's, so a run of them is one
// step and never joins a move.
constexpr int kSizeRunKeys = 1'000'000;

class CanvasKeys final : public QObject {
  public:
    explicit CanvasKeys(frmDisplay& canvas) : QObject(&canvas), canvas_(canvas) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &canvas_) return QObject::eventFilter(watched, event);
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                ++run_;
                break;
            case QEvent::ShortcutOverride:
                // The canvas's keys come before any window shortcut on the same keys.
                if (sizeBy(static_cast<QKeyEvent*>(event))) event->accept();
                break;
            case QEvent::KeyPress:
                return keyPress(static_cast<QKeyEvent*>(event));
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // The change of width and height in pixels a key asks for, or none.
    static std::optional<QPoint> sizeBy(const QKeyEvent* key) {
        if ((key->modifiers() & ~Qt::KeypadModifier) != (Qt::ShiftModifier | Qt::ControlModifier)) return {};
        switch (key->key()) {
            case Qt::Key_Left:
                return QPoint(-1, 0);
            case Qt::Key_Right:
                return QPoint(1, 0);
            case Qt::Key_Up:
                return QPoint(0, -1);
            case Qt::Key_Down:
                return QPoint(0, 1);
            default:
                return {};
        }
    }

    bool keyPress(QKeyEvent* key) {
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            ++run_;
            const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            // On a page with nothing on it, Tab moves the focus on as it does everywhere.
            return SelectNextObject(canvas_, forward);
        }
        if (const std::optional<QPoint> by = sizeBy(key)) {
            size(*by);
            return true;
        }
        if (key->key() != Qt::Key_Shift && key->key() != Qt::Key_Control) ++run_;
        return false;
    }

    void size(QPoint by) {
        DisplayObject* o = canvas_.CurrentObject;
        if (!o || canvas_.multipleSelected() || canvas_.DragMode != frmDisplay::dmIdle) return;
        const double tpp = canvas_.twipsPerPixel();
        const QSize page = canvas_.canvasSizeTwips();
        // A box keeps at least a pixel each way; a line may become level or upright.
        const long least = o->kind == ObjectKind::Line ? 0 : RoundHalfEven(tpp);
        CRect r;
        r.SetRectToCtrl(*o);
        // Never past the page's edge (one already past it may only shrink).
        const auto edge = [least](long from, long to, long step, long pageEnd) {
            return std::clamp(to + step, from + least, std::max({to, pageEnd, from + least}));
        };
        r.Right = edge(r.Left, r.Right, RoundHalfEven(by.x() * tpp), page.width());
        r.Bottom = edge(r.Top, r.Bottom, RoundHalfEven(by.y() * tpp), page.height());
        canvas_.editor().change(
            *o, aspGeometry, QStringLiteral("Size"), [&r](DisplayObject& t) { r.SetCtrlToRect(t); },
            kSizeRunKeys + run_);
        canvas_.DragRect.SetRectToCtrl(*o);
        canvas_.ShowSelection(true);
        canvas_.update();
    }

    frmDisplay& canvas_;
    int run_ = 0;
};

}  // namespace

void InstallCanvasKeyboard(frmDisplay& canvas) {
    canvas.installEventFilter(new CanvasKeys(canvas));
    InstallCanvasAccessibility();
}

bool SelectNextObject(frmDisplay& canvas, bool forward) {
    std::vector<DisplayObject*> order;
    for (DisplayObject* o : canvas.document().stacking())
        if (o->Visible) order.push_back(o);
    if (order.empty()) return false;
    const auto at = std::find(order.begin(), order.end(), canvas.CurrentObject);
    const long n = long(order.size());
    long next = forward ? 0 : n - 1;
    if (at != order.end()) next = ((at - order.begin()) + (forward ? 1 : n - 1)) % n;
    DisplayObject* o = order[size_t(next)];
    canvas.SelectObjects({o});
    // What Edit Text and Edit Picture act on, as a click on it would make it.
    if (o->kind == ObjectKind::Text || o->kind == ObjectKind::Picture) canvas.ClickedObject = o;
    return true;
}

}  // namespace natalory
