#include "document/DisplayObjects.h"
#include "editor/CRect.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

DisplayObject Line(int x1, int y1, int x2, int y2) {
    DisplayObject o;
    o.kind = ObjectKind::Line;
    o.X1 = x1, o.Y1 = y1, o.X2 = x2, o.Y2 = y2;
    return o;
}

}  // namespace

TEST(CRect, WidthAndHeightMoveTheFarEdges) {
    CRect r;
    r.Left = 10, r.Top = 20, r.Right = 50, r.Bottom = 80;
    EXPECT_EQ(r.Width(), 40);
    EXPECT_EQ(r.Height(), 60);
    r.setWidth(-5);  // no minimum: the rectangle may turn inside out
    r.setHeight(7);
    EXPECT_EQ(r.Right, 5);
    EXPECT_EQ(r.Bottom, 27);
    r.NormalizeRect();
    EXPECT_EQ(r.Left, 5);
    EXPECT_EQ(r.Right, 10);
}

TEST(CRect, PointsOnTheRightAndBottomEdgesAreOutside) {
    CRect r;
    r.Left = 0, r.Top = 0, r.Right = 100, r.Bottom = 50;
    EXPECT_TRUE(r.PtInRect(0, 0));
    EXPECT_TRUE(r.PtInRect(99.9f, 49.9f));
    EXPECT_FALSE(r.PtInRect(100, 10));
    EXPECT_FALSE(r.PtInRect(10, 50));
    EXPECT_FALSE(r.PtInRect(-0.1f, 10));
    // A level line's rectangle has no area: nothing is inside it.
    r.Bottom = 0;
    EXPECT_FALSE(r.PtInRect(10, 0));
}

TEST(CRect, ABoxKeepsItsGeometryThroughTheRectangle) {
    DisplayObject label;
    label.Left = 300, label.Top = 450, label.Width = 1200, label.Height = 600;
    CRect r;
    r.SetRectToCtrl(label);
    EXPECT_EQ(r.Right, 1500);
    EXPECT_EQ(r.Bottom, 1050);
    // Turned inside out by a size, it comes back normalised.
    r.Left = 2000;
    r.SetCtrlToRect(label);
    EXPECT_EQ(label.Left, 1500);
    EXPECT_EQ(label.Width, 500);
    EXPECT_EQ(label.Top, 450);
}

TEST(CRect, ALineKeepsWhichEndWasWhereThroughAnInsideOutSize) {
    DisplayObject line = Line(5000, 800, 1000, 3000);  // runs right to left, downwards
    CRect r;
    r.SetRectToCtrl(line);
    EXPECT_EQ(r.flags(), CRect::X1AfterX2);
    EXPECT_EQ(r.Left, 1000);
    EXPECT_EQ(r.Right, 5000);
    EXPECT_EQ(r.Top, 800);
    EXPECT_EQ(r.Bottom, 3000);

    // The left end (X2) dragged past the right one: the rectangle is inside out.
    r.Left = 6000;
    r.SetCtrlToRect(line);
    EXPECT_EQ(line.X1, 5000);
    EXPECT_EQ(line.X2, 6000);
    EXPECT_EQ(line.Y1, 800);
    EXPECT_EQ(line.Y2, 3000);

    DisplayObject up = Line(100, 900, 100, 100);
    r.SetRectToCtrl(up);
    EXPECT_EQ(r.flags(), CRect::Y1AfterY2);
    r.SetCtrlToRect(up);
    EXPECT_EQ(up.Y1, 900);
    EXPECT_EQ(up.Y2, 100);
}

TEST(CRect, ScreenConversionsRoundHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);

    CRect r;
    r.Left = 22, r.Top = 38, r.Right = 53, r.Bottom = 67;  // twips at 15 a pixel: 1.47, 2.53, 3.53, 4.47
    r.TwipsToScreen(15, QPoint(100, 200));
    EXPECT_EQ(r.Left, 101);
    EXPECT_EQ(r.Top, 203);
    EXPECT_EQ(r.Right, 104);
    EXPECT_EQ(r.Bottom, 204);
    r.ScreenToTwips(15, QPoint(100, 200));
    EXPECT_EQ(r.Left, 15);
    EXPECT_EQ(r.Top, 45);
    EXPECT_EQ(r.Right, 60);
    EXPECT_EQ(r.Bottom, 60);

    // At 200 % a pixel is 7.5 twips: odd pixels land on half twips and round to even.
    r.Left = 1, r.Top = 3, r.Right = 5, r.Bottom = 2;
    r.ScreenToTwips(7.5);
    EXPECT_EQ(r.Left, 8);    // 7.5
    EXPECT_EQ(r.Top, 22);    // 22.5
    EXPECT_EQ(r.Right, 38);  // 37.5
    EXPECT_EQ(r.Bottom, 15);
}
