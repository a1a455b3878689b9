#include "document/DisplayObjects.h"
#include "editor/CRect.h"

#include <gtest/gtest.h>

#include <QLine>
#include <QRect>

using namespace natalory;

namespace {

DisplayObject Line(int x1, int y1, int x2, int y2) {
    DisplayObject o;
    o.kind = ObjectKind::Line;
    o.X1 = x1, o.Y1 = y1, o.X2 = x2, o.Y2 = y2;
    return o;
}

}  // namespace

TEST(CRect, ALineKeepsWhichEndWasWhereThroughAnInsideOutSize) {
    DisplayObject line = Line(5000, 800, 1000, 3000);  // runs right to left, downwards
    CRect r;
    r.SetRectToCtrl(line);
    EXPECT_EQ(r.flags(), CRect::X1AfterX2);
    EXPECT_EQ(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)),
              QRect(QPoint(1000, 800), QPoint(5000, 3000)));
    // The left end (X2) dragged past the right one: the rectangle is inside out.
    r.Left = 6000;
    r.SetCtrlToRect(line);
    EXPECT_EQ(QLine(line.X1, line.Y1, line.X2, line.Y2), QLine(5000, 800, 6000, 3000));

    DisplayObject up = Line(100, 900, 100, 100);
    r.SetRectToCtrl(up);
    EXPECT_EQ(r.flags(), CRect::Y1AfterY2);
    r.SetCtrlToRect(up);
    EXPECT_EQ(QLine(up.X1, up.Y1, up.X2, up.Y2), QLine(100, 900, 100, 100));
}
