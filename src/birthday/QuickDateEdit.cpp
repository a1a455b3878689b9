#include "birthday/QuickDateEdit.h"

#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QRegularExpression>

namespace natalory {
namespace {

// A whole month and day that some year has, before a year (whole or still being
// typed) that lacks it: "02/29/1999", "02/29/19".
bool DayOfAnotherYear(const QString& text) {
    static const QRegularExpression kDate(QStringLiteral(R"(^(\d{2})/(\d{2})/(\d{1,4})$)"));
    const QRegularExpressionMatch m = kDate.match(text);
    if (!m.hasMatch()) return false;
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    const int year = m.captured(3).toInt();
    constexpr int kLeapYear = 2000;
    return !QDate::isValid(year, month, day) && QDate::isValid(kLeapYear, month, day);
}

}  // namespace

QuickDateEdit::QuickDateEdit(QWidget* parent) : QDateEdit(parent) {
    lineEdit()->installEventFilter(this);
}

bool QuickDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && !lineEdit()->hasSelectedText()) {
        // After the line edit has placed its caret and the box has found the section there.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus() && !lineEdit()->hasSelectedText()) setSelectedSection(currentSection());
        });
    }
    return QDateEdit::eventFilter(watched, event);
}

QValidator::State QuickDateEdit::validate(QString& text, int& pos) const {
    const QString typed = text;
    const int typedPos = pos;
    const QValidator::State state = QDateEdit::validate(text, pos);
    if (state == QValidator::Invalid || text == typed || !DayOfAnotherYear(typed)) return state;
    text = typed;
    pos = typedPos;
    return QValidator::Intermediate;
}

void QuickDateEdit::keyPressEvent(QKeyEvent* event) {
    QDateEdit::keyPressEvent(event);
    if (event->text().isEmpty() || !event->text().front().isDigit()) return;
    if (currentSection() != YearSection) {
        // The box goes on to the year by itself only after a day it accepts; a kept
        // February 29 is one it does not, so the next digits belong to the year.
        const QString shown = text();
        wanted_.reset();
        if (DayOfAnotherYear(shown)) {
            wanted_ = {shown.left(2).toInt(), shown.mid(3, 2).toInt()};
            setSelectedSection(YearSection);
        }
        return;
    }
    // Changing sections lets the box clamp the day again; the whole year gives it back.
    static const QRegularExpression kWholeYear(QStringLiteral(R"(/(\d{4})$)"));
    const QRegularExpressionMatch year = kWholeYear.match(text());
    if (wanted_ && year.hasMatch() &&
        QDate::isValid(year.captured(1).toInt(), wanted_->first, wanted_->second)) {
        setDate(QDate(year.captured(1).toInt(), wanted_->first, wanted_->second));
        wanted_.reset();
    }
}

}  // namespace natalory
