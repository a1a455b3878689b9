#pragma once

#include <QPoint>

namespace natalory {

struct DisplayObject;

// The rectangle the editor moves and sizes objects with. Its unit is whatever the
// caller put in: twips of the canvas, or pixels of the screen. For a line it also
// remembers which way the line ran, so a line keeps its direction through a size
// that turns the rectangle inside out.
class CRect {
  public:
    enum Flags { X1AfterX2 = 1, Y1AfterY2 = 2 };

    long Left = 0;
    long Top = 0;
    long Right = 0;
    long Bottom = 0;

    long Width() const { return Right - Left; }
    void setWidth(long value) { Right = Left + value; }
    long Height() const { return Bottom - Top; }
    void setHeight(long value) { Bottom = Top + value; }
    // The rectangle of a box given as position and size.
    void SetRect(long left, long top, long width, long height) {
        Left = left, Top = top, Right = left + width, Bottom = top + height;
    }
    int flags() const { return flags_; }

    void SetRectToCtrl(const DisplayObject& ctl);
    void SetCtrlToRect(DisplayObject& ctl);
    // Screen pixels to twips and back: `twipsPerPixel` is the screen's factor (at the
    // canvas's zoom), `origin` the canvas's client origin on that screen. Every
    // coordinate is rounded half to even.
    void ScreenToTwips(double twipsPerPixel, QPoint origin = {});
    void TwipsToScreen(double twipsPerPixel, QPoint origin = {});
    void NormalizeRect();
    // Right and bottom edges are outside.
    bool PtInRect(double x, double y) const;

  private:
    int flags_ = 0;
};

// Rounds half to even, as the conversions to whole twips and pixels do.
long RoundHalfEven(double value);

}  // namespace natalory
