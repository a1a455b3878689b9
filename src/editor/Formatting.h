#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace natalory {

class VectorPicture;

struct DisplayObject;

// The entry of the font-size list that shows `size`: the first entry at least as
// large as the size rounded to a whole number; -1 when the size is above the list.
int FindFontSizeIndex(const QStringList& entries, double size);

// The font families to choose from, each once: a family two foundries supply is
// listed as "Name [foundry]" by the font database, and both name the same face.
QStringList FontFamilies();

// Where centring puts an object on a canvas: 0 across, 1 up and down, 2 both; any
// other value, and a line (which has no box of its own), moves nothing.
std::optional<QPoint> CenteredPosition(const DisplayObject& object, QSize canvas, int where);

// A text as the text dialog keeps it: the first "anniversary", in any case, is taken out.
QString RemoveAnniversary(const QString& text);

// The picture resize dialog's arithmetic, in inches as the dialog shows them.
struct PictureSizeTexts {
    QString width;
    QString height;
    double widthPerHeight = 0;
    double heightPerWidth = 0;
};
PictureSizeTexts PictureSizeFor(int widthTwips, int heightTwips);
// The other box's text when one box changes and the ratio is kept; nothing when the box is not a number.
std::optional<QString> KeepRatio(const QString& edited, double ratio);
// The size in twips the two boxes ask for; nothing when either is empty, not a number, or not above 0.
std::optional<QSize> PictureSizeTwips(const QString& width, const QString& height);
std::optional<double> ParseNumber(const QString& text);

// A picture's own size on the canvas: a pixel of the picture is a pixel of a 96-dpi screen.
// A drawing's size is its own exact size, not that of its bitmap's whole pixels.
QSize NaturalPictureSizeTwips(const QImage& image, const VectorPicture* drawing = nullptr);

}  // namespace natalory
