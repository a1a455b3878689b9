#include "birthday/SetBirthday.h"

#include "birthday/BirthdayFacts.h"
#include "infoobjects/DisplayFormats.h"

namespace natalory {

QString ShortDateText(QDate date, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // A birth year needs its century: 1/15/50 could be either.
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString CanvasCaption(const QString& first, const QString& last, QDate birthDate, const QLocale& locale) {
    return first + u' ' + last + QStringLiteral(" born on ") + ShortDateText(birthDate, locale);
}

bool SetBirthday(AppState& state, QDate today, PrintDocumentHost& host, BuildMode mode, QDate birthDate,
                 const QString& first, const QString& last, const QLocale& locale) {
    BirthdayRecord& b = state.birthday;
    b.BirthDate = birthDate;
    b.FirstName = first;
    b.LastName = last;
    b.FullName = first + u' ' + last;

    ComputeBirthdayFacts(state, today, locale);
    ApplyDisplayFormats(state.facts, state.year);

    if (mode == BuildMode::RefreshTexts)
        host.RefreshInfoObjects();
    else if (!host.LoadTemplate())
        return false;
    host.FitAllLabels();
    host.SetCanvasCaption(CanvasCaption(first, last, birthDate, locale));
    const bool offScreen = state.BatchInProgress || state.settings.QuickPrinting;
    if (!offScreen) host.ShowCanvas();
    host.MoveCanvas(5, 5);
    if (!offScreen) host.ShowDocumentTools();
    return true;
}

}  // namespace natalory
