#include "output/PageSetupRules.h"

#include "birthday/CalendarFacts.h"
#include "infoobjects/DisplayFormats.h"

#include <cmath>

namespace natalory {

QString InchesText(int twips) {
    return QString::number(twips / 1440.0);
}

std::optional<double> InchesOf(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString PaperSizeText(const QString& text) {
    return InchesOf(text) ? FormatNumber(text.trimmed(), u"####.0#") : text;
}

namespace {

QString MarginText(double inches) {
    return FormatNumber(QString::number(Round(inches, 2)), u"##0.00");
}

void Raise(QString& box, double minimum) {
    const auto v = InchesOf(box);
    if (v && *v < minimum) box = QString::number(minimum);
    if (const auto now = InchesOf(box)) box = MarginText(*now);
}

std::optional<QString> PaperProblem(const QString& text, const char* message) {
    const auto v = InchesOf(text);
    if (v && *v >= 0.25 && *v <= 240) return std::nullopt;
    return QString::fromLatin1(message);
}

}  // namespace

void CheckMinMargins(PageSetupTexts& t, double minX, double minY) {
    Raise(t.left, minX);
    Raise(t.right, minX);
    Raise(t.top, minY);
    Raise(t.bottom, minY);
}

QStringList CheckValidMargins(PageSetupTexts& t, double minX, double minY) {
    QStringList messages;
    const auto w = InchesOf(t.width), l = InchesOf(t.length);
    const auto left = InchesOf(t.left), right = InchesOf(t.right), top = InchesOf(t.top),
               bottom = InchesOf(t.bottom);
    if (w && left && right && *w - (*left + *right) < 1) {
        messages << QStringLiteral("Your Left and Right margins cannot be greater than the page width.");
        t.left = t.right = MarginText(minX);
    }
    if (l && top && bottom && *l - (*top + *bottom) < 1) {
        messages << QStringLiteral("Your Top and Bottom margins cannot be greater than the page length.");
        t.top = t.bottom = MarginText(minY);
    }
    return messages;
}

std::optional<QString> PaperWidthProblem(const QString& text) {
    return PaperProblem(text, "Your paper size must be between .25 and 240");
}

std::optional<QString> PaperLengthProblem(const QString& text) {
    return PaperProblem(text, "Your paper size must be between .25 and 240.");
}

PageSetup AppliedPageSetup(const PageSetupTexts& t, const PageSetup& before, std::optional<int> orientation) {
    PageSetup p = before;
    const auto twips = [](const QString& text, int old) {
        const auto v = InchesOf(text);
        return v ? int(std::nearbyint(*v * 1440)) : old;
    };
    p.TopMargin = twips(t.top, before.TopMargin);
    p.LeftMargin = twips(t.left, before.LeftMargin);
    p.RightMargin = twips(t.right, before.RightMargin);
    p.BottomMargin = twips(t.bottom, before.BottomMargin);
    if (orientation) p.PageOrientation = *orientation;
    p.PaperWidth = twips(t.width, before.PaperWidth);
    p.PaperLength = twips(t.length, before.PaperLength);
    return p;
}

}  // namespace natalory
