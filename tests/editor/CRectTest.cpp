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

TEST(CRect, PointsOnTheRightAndBottomEdgesAreOutside) {
    CRect r;
    r.SetRect(0, 0, 100, 50);
    for (const auto& [x, y, inside] : {std::tuple{0.f, 0.f, true},
                                       {99.9f, 49.9f, true},
                                       {100.f, 10.f, false},
                                       {10.f, 50.f, false},
                                       {-0.1f, 10.f, false}})
        EXPECT_EQ(r.PtInRect(x, y), inside) << x << "," << y;
    // A level line's rectangle has no area: nothing is inside it.
    r.setHeight(0);
    EXPECT_FALSE(r.PtInRect(10, 0));
}

TEST(CRect, ABoxTurnedInsideOutComesBackNormalised) {
    DisplayObject label;
    label.Left = 300, label.Top = 450, label.Width = 1200, label.Height = 600;
    CRect r;
    r.SetRectToCtrl(label);
    EXPECT_EQ(QPoint(r.Right, r.Bottom), QPoint(1500, 1050));
    r.setWidth(-1700);  // no minimum: a size may turn the rectangle inside out
    r.SetCtrlToRect(label);
    EXPECT_EQ(QRect(label.Left, label.Top, label.Width, label.Height), QRect(-1400, 450, 1700, 600));
}

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

TEST(CRect, ScreenConversionsRoundHalvesToEven) {
    for (const auto& [value, rounded] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.51, 3}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;

    CRect r;
    r.Left = 22, r.Top = 38, r.Right = 53, r.Bottom = 67;  // twips at 15 a pixel: 1.47, 2.53, 3.53, 4.47
    r.TwipsToScreen(15, QPoint(100, 200));
    EXPECT_EQ(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)),
              QRect(QPoint(101, 203), QPoint(104, 204)));
    r.ScreenToTwips(15, QPoint(100, 200));
    EXPECT_EQ(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)), QRect(QPoint(15, 45), QPoint(60, 60)));
    // At 200 % a pixel is 7.5 twips: odd pixels land on half twips and round to even.
    r.Left = 1, r.Top = 3, r.Right = 5, r.Bottom = 2;
    r.ScreenToTwips(7.5);
    EXPECT_EQ(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)), QRect(QPoint(8, 22), QPoint(38, 15)));
}
