#include "output/CanvasPainter.h"
#include "output/TextLayout.h"

#include "support/Doubles.h"
#include "support/Rendering.h"

#include <gtest/gtest.h>

using namespace natalory;
using natalory::test::Ink;

namespace {

// An image at 144 dots per inch: 10 twips a pixel.
QImage Paint(const CanvasDocument& doc, QSize twips) {
    QImage image(twips / 10, QImage::Format_ARGB32);
    image.setDotsPerMeterX(5669);  // 144 dpi
    image.setDotsPerMeterY(5669);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintDocument(p, doc, image.logicalDpiX() / 1440.0);
    return image;
}

QRect Px(int left, int top, int width, int height) {
    return QRect(left / 10, top / 10, width / 10, height / 10);
}

}  // namespace

TEST(CanvasPainter, EveryKindInksInsideItsBoxAndNowhereElse) {
    CanvasDocument doc;
    AppState state;
    test::ScriptedPrompt prompt;

    DisplayObject* text = NewLabel(doc, state, prompt);
    text->Caption = QStringLiteral("Happy Birthday Anna, born on a Sunday in January 1950");
    text->Left = 200, text->Top = 200, text->Width = 3000, text->Height = 2000;
    text->FontName = QStringLiteral("Arial");

    DisplayObject* oval = NewShape(doc, state, prompt, shOval);
    oval->Left = 4000, oval->Top = 200, oval->Width = 2000, oval->Height = 1000, oval->BorderWidth = 3;

    DisplayObject* square = NewShape(doc, state, prompt, shSquare);
    square->Left = 4000, square->Top = 2000, square->Width = 3000, square->Height = 1000;

    DisplayObject* line = NewShape(doc, state, prompt, kLineShapeKind);
    line->X1 = 200, line->Y1 = 4000, line->X2 = 6000, line->Y2 = 4000, line->BorderStyle = lsDash;
    line->BorderWidth = 2;

    DisplayObject* pic = NewPicture(doc, state, prompt, false);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::darkRed);
    pic->Picture = red;
    pic->Left = 200, pic->Top = 5000, pic->Width = 1000, pic->Height = 500;

    DisplayObject* hidden = NewLabel(doc, state, prompt);
    hidden->Caption = QStringLiteral("HIDDEN HIDDEN");
    hidden->Left = 7500, hidden->Top = 5000, hidden->Width = 2000, hidden->Height = 800;
    hidden->Visible = false;

    const QImage image = Paint(doc, QSize(10000, 6000));
    EXPECT_GT(Ink(image, Px(200, 200, 3000, 2000)), 200) << "text";
    // The text wraps inside its box: nothing to the right of it.
    EXPECT_EQ(Ink(image, Px(3250, 200, 700, 2000)), 0);
    EXPECT_GT(Ink(image, Px(4000, 200, 2000, 1000)), 100) << "oval";
    // An oval leaves its box's corners and middle empty.
    EXPECT_EQ(Ink(image, Px(4000, 200, 120, 120)), 0);
    EXPECT_EQ(Ink(image, Px(4800, 600, 400, 200)), 0);
    // A square is the largest square in the middle of its box.
    EXPECT_GT(Ink(image, Px(5000, 2000, 1000, 1000)), 100) << "square";
    EXPECT_EQ(Ink(image, Px(4050, 2050, 800, 900)), 0);
    EXPECT_EQ(Ink(image, Px(6150, 2050, 800, 900)), 0);
    // A dashed line has gaps.
    const int dashed = Ink(image, Px(200, 3980, 5800, 40));
    EXPECT_GT(dashed, 100);
    EXPECT_LT(dashed, 5800 / 10 * 4 * 9 / 10);
    // The picture fills its box, stretched.
    EXPECT_EQ(Ink(image, Px(220, 5020, 960, 460)), 96 * 46);
    EXPECT_EQ(Ink(image, Px(7500, 5000, 2000, 800)), 0) << "hidden objects are not painted";

    // Frames appear on texts and pictures with the borders on.
    SetBorders(doc, true);
    const QImage framed = Paint(doc, QSize(10000, 6000));
    EXPECT_GT(Ink(framed, Px(3190, 200, 20, 2000)), 150);
}

TEST(TextBlock, AlignsWrapsAndTellsWhenAWordDoesNotFit) {
    QImage device(10, 10, QImage::Format_RGB32);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    const TextBlock left(QStringLiteral("one two three four five six seven"), font, 100, TextBlock::Left,
                         false, &device);
    EXPECT_GT(left.lineCount(), 1);
    EXPECT_TRUE(left.wordsFit());
    const TextBlock breaks(QStringLiteral("A\r\nB\r\n\r\nC"), font, 300, TextBlock::Left, false, &device);
    EXPECT_EQ(breaks.lineCount(), 4);
    EXPECT_FALSE(
        TextBlock(QStringLiteral("Antidisestablishmentarianism"), font, 40, 0, false, &device).wordsFit());

    const auto right = TextBlock(QStringLiteral("x"), font, 300, TextBlock::Right, false, &device).lines();
    const auto centre = TextBlock(QStringLiteral("x"), font, 300, TextBlock::Center, false, &device).lines();
    ASSERT_EQ(right.size(), 1u);
    EXPECT_GT(right[0].rect.left(), 250);
    EXPECT_NEAR(centre[0].rect.center().x(), 150, 10);
}
