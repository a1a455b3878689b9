#pragma once

#include "birthday/YearDataReaders.h"
#include "foundation/AppState.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace natalory {

// What building a print needs of the canvas that holds it. The desktop program
// gives it a window; the command-line tool an off-screen canvas.
class PrintDocumentHost {
  public:
    virtual ~PrintDocumentHost() = default;
    // Writes the texts of the info objects on the canvas again from the record.
    virtual void RefreshInfoObjects() = 0;
    // Builds the print of state.birthday.PrintType on a fresh canvas. False when the
    // template could not be read at all: there is then no canvas.
    virtual bool LoadTemplate() = 0;
    // Fits every text object's font to its box.
    virtual void FitAllLabels() = 0;
    virtual void SetCanvasCaption(const QString& caption) = 0;
    virtual void ShowCanvas() = 0;
    virtual void MoveCanvas(int leftTwips, int topTwips) = 0;
    virtual void ShowDocumentTools() = 0;
    // Drops the canvas LoadTemplate made.
    virtual void UnloadCanvas() = 0;
};

// A date in the locale's short format, always with all four digits of the year.
QString ShortDateText(QDate date, const QLocale& locale = QLocale());

// "Anna Lee born on 1/15/1950"; with no last name the two blanks stay.
QString CanvasCaption(const QString& first, const QString& last, QDate birthDate,
                      const QLocale& locale = QLocale());

// How a birthday reaches the canvas: a new print loads its template; editing the
// birthday of the print on the canvas rewrites only the texts of its info objects.
enum class BuildMode { LoadTemplate, RefreshTexts };

// What became of a birthday's print.
struct BuildResult {
    bool built = false;  // the canvas holds the print
    // The year data could not give the birthday its facts: no canvas was opened or changed,
    // and the birthday record is the one before.
    std::optional<YearDataProblem> yearData;
};

inline constexpr auto kYearDataTitle = "Year Data Problem";
// What the window says when the year data refuse a birthday.
QString YearDataMessage(const YearDataProblem& problem);

// Stores a birthday and builds its print: the record, every fact, the display
// forms, then the refreshed or freshly loaded canvas, fitted and shown. Nothing is
// built when a year data file has a problem with the birthday, or when the template
// could not be read (no canvas was opened).
BuildResult SetBirthday(AppState& state, QDate today, PrintDocumentHost& host, BuildMode mode,
                        QDate birthDate, const QString& first, const QString& last,
                        const QLocale& locale = QLocale());

}  // namespace natalory
