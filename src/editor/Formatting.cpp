#include "editor/Formatting.h"

#include "birthday/CalendarFacts.h"
#include "document/DisplayObjects.h"
#include "document/Metafiles.h"
#include "editor/CRect.h"

#include <QFontDatabase>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace natalory {

int FindFontSizeIndex(const QStringList& entries, double size) {
    const double r = Round(size, 0);
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].toDouble() >= r) return i;
    return -1;
}

QStringList FontFamilies() {
    static const QRegularExpression kFoundry(QStringLiteral(R"(\s*\[[^\]]*\]$)"));
    QStringList families;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const QString name = QString(family).remove(kFoundry);
        if (!seen.contains(name)) {
            seen.insert(name);
            families << name;
        }
    }
    return families;
}

std::optional<QPoint> CenteredPosition(const DisplayObject& o, QSize canvas, int where) {
    if (o.kind == ObjectKind::Line || where < 0 || where > 2) return std::nullopt;
    QPoint at(o.Left, o.Top);
    if (where == 0 || where == 2) at.setX(int(RoundHalfEven((canvas.width() - o.Width) / 2.0)));
    if (where == 1 || where == 2) at.setY(int(RoundHalfEven((canvas.height() - o.Height) / 2.0)));
    return at;
}

QString RemoveAnniversary(const QString& text) {
    static const QString word = QStringLiteral("anniversary");
    const int at = int(text.toLower().indexOf(word));
    if (at < 0) return text;
    QString out = text;
    return out.remove(at, int(word.size()));
}

namespace {

// Numbers in the boxes are written in the user's own form ("0,694" in German), without
// thousands separators, so that what the dialog writes reads back as the same number.
QLocale BoxLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

QString Inches(double value) {
    return BoxLocale().toString(Round(value, 3), 'g', 12);
}

}  // namespace

std::optional<double> ParseNumber(const QString& text) {
    // The user's form first, then the point that every keyboard has ("2.125" in German too,
    // where a point would otherwise be taken for a thousands separator).
    bool ok = false;
    double v = BoxLocale().toDouble(text.trimmed(), &ok);
    if (!ok) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        v = c.toDouble(text.trimmed(), &ok);
    }
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

PictureSizeTexts PictureSizeFor(int widthTwips, int heightTwips) {
    PictureSizeTexts t;
    t.height = Inches(heightTwips / 1440.0);
    t.width = Inches(widthTwips / 1440.0);
    const double w = ParseNumber(t.width).value_or(0), h = ParseNumber(t.height).value_or(0);
    t.widthPerHeight = h != 0 ? Round(w / h, 4) : 0;
    t.heightPerWidth = w != 0 ? Round(h / w, 4) : 0;
    return t;
}

std::optional<QString> KeepRatio(const QString& edited, double ratio) {
    const std::optional<double> v = ParseNumber(edited);
    if (!v) return std::nullopt;
    return Inches(*v * ratio);
}

QSize NaturalPictureSizeTwips(const QImage& image, const VectorPicture* drawing) {
    if (drawing && !drawing->size().isEmpty()) return (drawing->size() * 15).toSize();
    return (image.deviceIndependentSize() * 15).toSize();
}

std::optional<QSize> PictureSizeTwips(const QString& width, const QString& height) {
    const std::optional<double> w = ParseNumber(width), h = ParseNumber(height);
    // A picture of more than a few hundred inches would not fit any paper there is.
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 1000 || *h > 1000) return std::nullopt;
    return QSize(int(Round(*w * 1440, 0)), int(Round(*h * 1440, 0)));
}

}  // namespace natalory
