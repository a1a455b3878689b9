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

QString YearDataMessage(const YearDataProblem& problem) {
    return QStringLiteral("No print was made: the year data do not hold this birthday's facts whole.\r\n") +
           DescribeYearDataProblem(problem);
}

namespace {

// The headlines come from the set the print's data settings name, known once its template is read.
std::optional<YearDataProblem> HeadlineProblem(const AppState& state) {
    YearData scratch;
    return ReadHeadlinesForSet(state.ProgramFolder, state.data.InfoSet, state.birthday.BirthDate, scratch,
                               state.yearDataCache)
        .problem;
}

}  // namespace

BuildResult SetBirthday(AppState& state, QDate today, PrintDocumentHost& host, BuildMode mode,
                        QDate birthDate, const QString& first, const QString& last, const QLocale& locale) {
    BirthdayRecord& b = state.birthday;
    const BirthdayRecord oldRecord = b;
    const CalendarFacts oldFacts = state.facts;
    const YearData oldYear = state.year;
    const auto refuse = [&](const YearDataProblem& problem) {
        b = oldRecord;
        state.facts = oldFacts;
        state.year = oldYear;
        return BuildResult{false, problem};
    };
    b.BirthDate = birthDate;
    b.FirstName = first;
    b.LastName = last;
    b.FullName = first + u' ' + last;

    if (const auto problems = ComputeBirthdayFacts(state, today, locale); !problems.empty())
        return refuse(problems.front());
    ApplyDisplayFormats(state.facts, state.year);

    if (mode == BuildMode::RefreshTexts) {
        if (const auto problem = HeadlineProblem(state)) return refuse(*problem);
        host.RefreshInfoObjects();
    } else {
        if (!host.LoadTemplate()) return {};
        if (const auto problem = HeadlineProblem(state)) {
            host.UnloadCanvas();
            return refuse(*problem);
        }
    }
    host.FitAllLabels();
    host.SetCanvasCaption(CanvasCaption(first, last, birthDate, locale));
    const bool offScreen = state.BatchInProgress || state.settings.QuickPrinting;
    if (!offScreen) host.ShowCanvas();
    host.MoveCanvas(5, 5);
    if (!offScreen) host.ShowDocumentTools();
    return BuildResult{true, {}};
}

}  // namespace natalory
