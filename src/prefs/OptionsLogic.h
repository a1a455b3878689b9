#pragma once

#include <QString>

#include <optional>

namespace natalory {

// An offset in twips as the Options dialog shows it in inches (144 shows "0.1").
QString OffsetText(int twips);
// What an offset box holds once left: "0" for text that is no number or lies
// outside -5 to 5 inches.
QString CheckedOffsetText(const QString& text);
// The offset a box's text stands for, in twips, halves to even.
int OffsetTwips(const QString& text);
// The offset in a box that showed `stored`: a box left as it was shown gives `stored`
// back unchanged, even when it lies outside what the box accepts or does not survive
// the round trip through inches.
int OffsetTwips(const QString& text, int stored);
// Whether a typed character may go into an offset box.
bool IsOffsetKey(QChar c);

// The message that stops applying the options, or nothing when the template choice is sound.
std::optional<QString> TemplateChoiceProblem(bool useTemplate, const QString& path);

}  // namespace natalory
