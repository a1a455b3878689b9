#include "editor/CRect.h"

#include "document/DisplayObjects.h"

#include <cmath>
#include <utility>

namespace natalory {

long RoundHalfEven(double value) {
    // The default rounding mode rounds to nearest, halves to even.
    return long(std::nearbyint(value));
}

void CRect::SetRectToCtrl(const DisplayObject& ctl) {
    flags_ = 0;
    if (ctl.kind == ObjectKind::Line) {
        Left = ctl.X1;
        Top = ctl.Y1;
        Right = ctl.X2;
        Bottom = ctl.Y2;
        if (ctl.X1 > ctl.X2) flags_ |= X1AfterX2;
        if (ctl.Y1 > ctl.Y2) flags_ |= Y1AfterY2;
        if (flags_) NormalizeRect();
        return;
    }
    Left = ctl.Left;
    Top = ctl.Top;
    Right = Left + ctl.Width;
    Bottom = Top + ctl.Height;
}

void CRect::SetCtrlToRect(DisplayObject& ctl) {
    if (ctl.kind == ObjectKind::Line) {
        if (flags_ & X1AfterX2) {
            ctl.X1 = int(Right);
            ctl.X2 = int(Left);
        } else {
            ctl.X1 = int(Left);
            ctl.X2 = int(Right);
        }
        if (flags_ & Y1AfterY2) {
            ctl.Y1 = int(Bottom);
            ctl.Y2 = int(Top);
        } else {
            ctl.Y1 = int(Top);
            ctl.Y2 = int(Bottom);
        }
        NormalizeRect();
        return;
    }
    NormalizeRect();
    ctl.Left = int(Left);
    ctl.Top = int(Top);
    ctl.Width = int(Width());
    ctl.Height = int(Height());
}

void CRect::ScreenToTwips(double twipsPerPixel, QPoint origin) {
    Left = RoundHalfEven((Left - origin.x()) * twipsPerPixel);
    Top = RoundHalfEven((Top - origin.y()) * twipsPerPixel);
    Right = RoundHalfEven((Right - origin.x()) * twipsPerPixel);
    Bottom = RoundHalfEven((Bottom - origin.y()) * twipsPerPixel);
}

void CRect::TwipsToScreen(double twipsPerPixel, QPoint origin) {
    Left = RoundHalfEven(Left / twipsPerPixel) + origin.x();
    Top = RoundHalfEven(Top / twipsPerPixel) + origin.y();
    Right = RoundHalfEven(Right / twipsPerPixel) + origin.x();
    Bottom = RoundHalfEven(Bottom / twipsPerPixel) + origin.y();
}

void CRect::NormalizeRect() {
    if (Left > Right) std::swap(Left, Right);
    if (Top > Bottom) std::swap(Top, Bottom);
}

bool CRect::PtInRect(double x, double y) const {
    return Left <= x && x < Right && Top <= y && y < Bottom;
}

}  // namespace natalory
