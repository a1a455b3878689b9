#include "editor/Arrange.h"

#include "editor/CRect.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace natalory {

QRect ObjectBox(const DisplayObject& o) {
    if (o.kind == ObjectKind::Line)
        return QRect(QPoint(std::min(o.X1, o.X2), std::min(o.Y1, o.Y2)),
                     QSize(std::abs(o.X2 - o.X1), std::abs(o.Y2 - o.Y1)));
    return QRect(o.Left, o.Top, o.Width, o.Height);
}

void MoveObjectTo(DisplayObject& o, QPoint topLeft) {
    const QPoint by = topLeft - ObjectBox(o).topLeft();
    if (o.kind == ObjectKind::Line) {
        o.X1 += by.x(), o.X2 += by.x(), o.Y1 += by.y(), o.Y2 += by.y();
    } else {
        o.Left += by.x(), o.Top += by.y();
    }
}

void SetObjectBox(DisplayObject& o, const QRect& box) {
    CRect r;
    r.SetRectToCtrl(o);  // for a line, which way it runs
    r.SetRect(box.x(), box.y(), box.width(), box.height());
    r.SetCtrlToRect(o);
}

QRect ScaledBox(const QRect& box, const QRect& from, const QRect& to) {
    const auto place = [](int at, int fromStart, int fromLength, int toStart, int toLength) {
        if (fromLength == 0) return toStart;
        return toStart + int(RoundHalfEven(double(at - fromStart) * toLength / fromLength));
    };
    const int left = place(box.x(), from.x(), from.width(), to.x(), to.width());
    const int right = place(box.x() + box.width(), from.x(), from.width(), to.x(), to.width());
    const int top = place(box.y(), from.y(), from.height(), to.y(), to.height());
    const int bottom = place(box.y() + box.height(), from.y(), from.height(), to.y(), to.height());
    return QRect(left, top, right - left, bottom - top);
}

HandleEdges EdgesOfHandle(int h) {
    return {h == 0 || h == 6 || h == 7, h == 0 || h == 1 || h == 2, h == 2 || h == 3 || h == 4,
            h == 4 || h == 5 || h == 6};
}

QPoint CornerOnCanvas(const QRect& box, QPoint by, QSize canvas) {
    return QPoint(std::clamp(box.x() + by.x(), 0, std::max(0, canvas.width() - box.width())),
                  std::clamp(box.y() + by.y(), 0, std::max(0, canvas.height() - box.height())));
}

namespace {

// The box around them all; a level line has no height but still a place, which
// QRect::united would pass over.
QRect Around(const std::vector<QRect>& boxes) {
    int left = boxes[0].x(), top = boxes[0].y(), right = left + boxes[0].width(),
        bottom = top + boxes[0].height();
    for (const QRect& b : boxes) {
        left = std::min(left, b.x()), top = std::min(top, b.y());
        right = std::max(right, b.x() + b.width()), bottom = std::max(bottom, b.y() + b.height());
    }
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace

QRect BoundingBox(const std::vector<DisplayObject*>& objects) {
    if (objects.empty()) return {};
    std::vector<QRect> boxes;
    for (const DisplayObject* o : objects) boxes.push_back(ObjectBox(*o));
    return Around(boxes);
}

std::vector<QPoint> AlignedCorners(const std::vector<QRect>& boxes, AlignTo how, QSize page) {
    if (boxes.empty()) return {};
    const QRect around = boxes.size() > 1 ? Around(boxes) : QRect(QPoint(0, 0), page);
    std::vector<QPoint> corners;
    for (const QRect& b : boxes) {
        QPoint at = b.topLeft();
        switch (how) {
            case AlignTo::Left: at.setX(around.x()); break;
            case AlignTo::Centre: at.setX(around.x() + (around.width() - b.width()) / 2); break;
            case AlignTo::Right: at.setX(around.x() + around.width() - b.width()); break;
            case AlignTo::Top: at.setY(around.y()); break;
            case AlignTo::Middle: at.setY(around.y() + (around.height() - b.height()) / 2); break;
            case AlignTo::Bottom: at.setY(around.y() + around.height() - b.height()); break;
        }
        corners.push_back(at);
    }
    return corners;
}

std::vector<QPoint> DistributedCorners(const std::vector<QRect>& boxes, bool across) {
    std::vector<QPoint> corners;
    for (const QRect& b : boxes) corners.push_back(b.topLeft());
    if (boxes.size() < 3) return corners;
    const auto start = [across](const QRect& b) { return across ? b.x() : b.y(); };
    const auto length = [across](const QRect& b) { return across ? b.width() : b.height(); };
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return start(boxes[a]) < start(boxes[b]); });
    const QRect& first = boxes[order.front()];
    const QRect& last = boxes[order.back()];
    double used = 0;
    for (const QRect& b : boxes) used += length(b);
    const double gap = (start(last) + length(last) - start(first) - used) / double(boxes.size() - 1);
    double at = start(first);
    for (size_t i : order) {
        const int place = int(std::lround(at));
        across ? corners[i].setX(place) : corners[i].setY(place);
        at += length(boxes[i]) + gap;
    }
    return corners;
}

Snap SnapOnAxis(std::initializer_list<long> edges, const std::vector<long>& lines, long reach) {
    Snap snap;
    for (long e : edges)
        for (long l : lines)
            if (std::abs(l - e) <= reach && (!snap.line || std::abs(l - e) < std::abs(snap.by))) {
                snap.by = l - e;
                snap.line = l;
            }
    return snap;
}

}  // namespace natalory
