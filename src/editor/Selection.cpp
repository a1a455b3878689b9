// Several objects selected on the canvas at once, and arranging them.
#include "editor/frmDisplay.h"

#include <QUndoStack>

#include <algorithm>

namespace natalory {

std::vector<DisplayObject*> frmDisplay::selectedObjects() const {
    if (multipleSelected()) return Selection;
    if (CurrentObject) return {CurrentObject};
    return {};
}

void frmDisplay::SelectObjects(std::vector<DisplayObject*> objects) {
    std::vector<DisplayObject*> chosen;
    for (DisplayObject* o : document_.stacking())
        if (o->Visible && std::find(objects.begin(), objects.end(), o) != objects.end()) chosen.push_back(o);
    Selection.clear();
    if (chosen.empty()) {
        clearSelection();
        update();
        return;
    }
    if (chosen.size() == 1) {
        applied(chosen.front());
        return;
    }
    Selection = chosen;
    CurrentObject = chosen.back();
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        if ((*it)->kind == ObjectKind::Text) {
            CurrentObject = *it;
            break;
        }
    showGroup();
}

void frmDisplay::SelectAll() {
    SelectObjects(document_.stacking());
}

void frmDisplay::toggleInSelection(DisplayObject& object) {
    std::vector<DisplayObject*> now = selectedObjects();
    if (const auto it = std::find(now.begin(), now.end(), &object); it != now.end())
        now.erase(it);
    else
        now.push_back(&object);
    SelectObjects(now);
}

void frmDisplay::showGroup() {
    // The handles stand on the box around them all.
    const QRect box = BoundingBox(Selection);
    DragRect.SetRect(box.x(), box.y(), box.width(), box.height());
    placeHandles();
    for (QWidget* h : picHandle) h->setVisible(true);
    const bool anyText = CurrentObject && CurrentObject->kind == ObjectKind::Text;
    setBand("Formatting", anyText);
    setBand("Lines", false);
    setBand("Shapes", false);
    if (anyText) SetFont(*CurrentObject);
    TurnOnArrange();
    update();
}

bool frmDisplay::groupPressed(QPoint pos, DisplayObject* hit) {
    if (!multipleSelected()) return false;
    const int handle = handleAt(pos);
    if (handle < 0 && !(hit && std::count(Selection.begin(), Selection.end(), hit))) return false;
    // The group moves, or is sized by the handles of the box around it, as one box.
    groupStart_ = BoundingBox(Selection);
    DragRect.SetRect(groupStart_.x(), groupStart_.y(), groupStart_.width(), groupStart_.height());
    DragRect.TwipsToScreen(twipsPerPixel());
    dragStart_ = DragRect;
    GrabOffset = pos - QPoint(int(DragRect.Left), int(DragRect.Top));
    for (QWidget* h : picHandle) h->hide();
    groupDrag_ = true;
    DragHandle = std::max(handle, 0);
    DragMode = handle >= 0 ? dmSizing : dmMoving;
    DrawDragRect();
    return true;
}

void frmDisplay::groupReleased() {
    groupDrag_ = false;
    DrawDragRect();
    const bool sizing = DragMode == dmSizing;
    DragMode = dmIdle;
    const double tpp = twipsPerPixel();
    if (!sizing) {
        std::vector<QPoint> corners;
        const QPoint by = DragRect.Left != dragStart_.Left || DragRect.Top != dragStart_.Top
                              ? QPoint(int(RoundHalfEven(DragRect.Left * tpp)) - groupStart_.x(),
                                       int(RoundHalfEven(DragRect.Top * tpp)) - groupStart_.y())
                              : QPoint();
        for (const DisplayObject* o : Selection) corners.push_back(ObjectBox(*o).topLeft() + by);
        moveObjects(Selection, corners, QStringLiteral("Move"));
        return;
    }
    // The edges the handle did not move stay exactly where they were, not where their pixel is.
    const HandleEdges moved = EdgesOfHandle(DragHandle);
    const auto edge = [tpp](bool dragged, long pixel, int twips) {
        return dragged ? int(RoundHalfEven(pixel * tpp)) : twips;
    };
    int left = edge(moved.left, DragRect.Left, groupStart_.x());
    int right = edge(moved.right, DragRect.Right, groupStart_.x() + groupStart_.width());
    int top = edge(moved.top, DragRect.Top, groupStart_.y());
    int bottom = edge(moved.bottom, DragRect.Bottom, groupStart_.y() + groupStart_.height());
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const QRect onto(left, top, right - left, bottom - top);
    if (onto != groupStart_) {
        const QString step = QStringLiteral("Size");
        editor_.undoStack().beginMacro(step);
        for (DisplayObject* o : Selection)
            editor_.change(*o, aspGeometry, step, [&](DisplayObject& x) {
                SetObjectBox(x, ScaledBox(ObjectBox(x), groupStart_, onto));
            });
        editor_.undoStack().endMacro();
    }
    showGroup();
}

void frmDisplay::moveObjects(const std::vector<DisplayObject*>& objects, const std::vector<QPoint>& corners,
                             const QString& step) {
    std::vector<size_t> moving;
    for (size_t i = 0; i < objects.size(); ++i)
        if (ObjectBox(*objects[i]).topLeft() != corners[i]) moving.push_back(i);
    if (!moving.empty()) {
        editor_.undoStack().beginMacro(step);
        for (size_t i : moving)
            editor_.change(*objects[i], aspGeometry, step,
                           [&](DisplayObject& o) { MoveObjectTo(o, corners[i]); });
        editor_.undoStack().endMacro();
    }
    if (multipleSelected()) {
        showGroup();
    } else if (CurrentObject) {
        DragRect.SetRectToCtrl(*CurrentObject);
        ShowSelection(true);
    }
    update();
}

bool frmDisplay::rightClicked(QPoint pos, QPoint globalPos) {
    DisplayObject* hit = objectAt(pos, false);
    if (hit && multipleSelected() && std::count(Selection.begin(), Selection.end(), hit)) {
        // The menu's clipboard and arrange commands act on the whole group.
        setTool("ID_EditPicture", false);
        setTool("ID_Resize", false);
        contextMenu("ID_mnuRightClickControl", globalPos);
        return true;
    }
    if (!objectAt(pos, true)) {
        contextMenu("ID_mnuRightClickCanvas", globalPos);
        return true;
    }
    // A text or picture outside the group takes the selection for itself.
    Selection.clear();
    return false;
}

void frmDisplay::AlignSelection(AlignTo how) {
    const std::vector<DisplayObject*> objects = selectedObjects();
    std::vector<QRect> boxes;
    for (const DisplayObject* o : objects) boxes.push_back(ObjectBox(*o));
    moveObjects(objects, AlignedCorners(boxes, how, sizeTwips_), QStringLiteral("Align"));
}

void frmDisplay::DistributeSelection(bool across) {
    if (!multipleSelected()) return;
    std::vector<QRect> boxes;
    for (const DisplayObject* o : Selection) boxes.push_back(ObjectBox(*o));
    moveObjects(Selection, DistributedCorners(boxes, across), QStringLiteral("Distribute"));
}

}  // namespace natalory
