#include "birthday/QuickDateEdit.h"

#include <QDate>
#include <QRegularExpression>

namespace natalory {
namespace {

// A month and day that some year has, in a year that lacks it ("02/29/1999").
bool DayOfAnotherYear(const QString& text) {
    static const QRegularExpression kDate(QStringLiteral(R"(^(\d{2})/(\d{2})/(\d{4})$)"));
    const QRegularExpressionMatch m = kDate.match(text);
    if (!m.hasMatch()) return false;
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    const int year = m.captured(3).toInt();
    constexpr int kLeapYear = 2000;
    return !QDate::isValid(year, month, day) && QDate::isValid(kLeapYear, month, day);
}

}  // namespace

QValidator::State QuickDateEdit::validate(QString& text, int& pos) const {
    const QString typed = text;
    const int typedPos = pos;
    const QValidator::State state = QDateEdit::validate(text, pos);
    if (state == QValidator::Invalid || text == typed || !DayOfAnotherYear(typed)) return state;
    text = typed;
    pos = typedPos;
    return QValidator::Intermediate;
}

}  // namespace natalory
