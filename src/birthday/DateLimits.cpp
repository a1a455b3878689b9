#include "birthday/DateLimits.h"

#include "birthday/YearDataReaders.h"

namespace natalory {
namespace {

DateCheck Reset(const QString& message, QDate to) {
    return DateCheck{false, message, QString(), to};
}

const QString kLastYearMessage = QStringLiteral("Last year available is %1, your date will be reset.");
const QString kFirstYearMessage = QStringLiteral("First year available is 1900, your date will be reset.");

}  // namespace

int LastYearAvailable(const QString& programFolder) {
    return LastDataYear(programFolder).value_or(kShippedLastYear);
}

DateCheck CheckDateBoxOnLeave(QDate date, int lastYear) {
    if (!date.isValid()) return DateCheck{false, {}, {}, std::nullopt};
    if (date.year() > lastYear) return Reset(kLastYearMessage.arg(lastYear), QDate(lastYear, 1, 1));
    if (date.year() < kFirstYear) return Reset(kFirstYearMessage, kDropDownDate);
    return DateCheck{};
}

DateCheck CheckQuickPrintDate(const QString& text, int lastYear) {
    const QDate date = ParseDateBoxText(text);
    if (!date.isValid())
        return DateCheck{false, QStringLiteral("You must use a valid date!"),
                         QStringLiteral("Incorrect Date Settting"), std::nullopt};
    if (date.year() > lastYear) return Reset(kLastYearMessage.arg(lastYear), QDate(lastYear, 1, 1));
    if (date.year() < kFirstYear) return Reset(kFirstYearMessage, kDropDownDate);
    return DateCheck{};
}

QDate ParseDateBoxText(const QString& text) {
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, QStringLiteral("MM/dd/yyyy"));
    if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("M/d/yyyy"));
    return d;
}

}  // namespace natalory
