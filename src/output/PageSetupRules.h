#pragma once

#include "foundation/AppState.h"

#include <QString>

#include <optional>

namespace natalory {

// The page setup as the dialog shows it: inches as text.
struct PageSetupTexts {
    QString top, bottom, left, right, width, length;
};

// Twips as plain inches: 12240 shows "8.5", 720 "0.5".
QString InchesText(int twips);
// The paper boxes' form on leaving them ("11" becomes "11.0").
QString PaperSizeText(const QString& text);
// A box's inches, or nothing for text that is no number.
std::optional<double> InchesOf(const QString& text);

// Raises margins below the printer's smallest to it, and writes them all as "##0.00".
void CheckMinMargins(PageSetupTexts& t, double minMarginX, double minMarginY);
// At least an inch must be left to print on each way; the messages of what was reset.
QStringList CheckValidMargins(PageSetupTexts& t, double minMarginX, double minMarginY);
// A paper size from 0.25 to 240 inches, or the message (width's without a full stop, length's with one).
std::optional<QString> PaperWidthProblem(const QString& text);
std::optional<QString> PaperLengthProblem(const QString& text);

// The page the boxes describe, every box that holds no number keeping the value it had.
PageSetup AppliedPageSetup(const PageSetupTexts& t, const PageSetup& before, std::optional<int> orientation);

}  // namespace natalory
