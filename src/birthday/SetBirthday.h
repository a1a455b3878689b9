#pragma once

#include "shell/AppState.h"

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
};

// A date in the locale's short format, always with all four digits of the year.
QString ShortDateText(QDate date, const QLocale& locale = QLocale());

// "Anna Lee born on 1/15/1950"; with no last name the two blanks stay.
QString CanvasCaption(const QString& first, const QString& last, QDate birthDate,
                      const QLocale& locale = QLocale());

// How a birthday reaches the canvas: a new print loads its template; editing the
// birthday of the print on the canvas rewrites only the texts of its info objects.
enum class BuildMode { LoadTemplate, RefreshTexts };

// Stores a birthday and builds its print: the record, every fact, the display
// forms, then the refreshed or freshly loaded canvas, fitted and shown. False when
// the template could not be read, so that no canvas was opened.
bool SetBirthday(AppState& state, QDate today, PrintDocumentHost& host, BuildMode mode, QDate birthDate,
                 const QString& first, const QString& last, const QLocale& locale = QLocale());

}  // namespace natalory
