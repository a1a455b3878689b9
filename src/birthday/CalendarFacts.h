#pragma once

#include "birthday/BirthdayValues.h"
#include "foundation/Seams.h"

#include <QDate>
#include <QLocale>
#include <QVariant>

namespace natalory {

// Rounds to `decimals` places, halves away from zero (0.125 -> 0.13, -0.125 -> -0.13).
double Round(double value, int decimals);
// The same for a value of any kind: one that is not a number is reported and gives 0.
double Round(const QVariant& value, int decimals, Prompt& prompt);

bool IsLeapYear(int year);

// The date the age is counted to: today, or this, next or last year's birthday.
QDate AsOfDate(QDate birthDate, int dateCalcMode, QDate today);

// The whole years from the birth date to `asOf`: the birthdays passed by then.
int BirthdaysPassed(QDate birthDate, QDate asOf);

// The print is in English: its dates are English words, in the order the user's country
// writes them ("Sunday, 15 January 1950" in Germany or Britain, "Sunday, January 15,
// 1950" in the United States).
QString PrintLongDate(QDate date, const QLocale& user);

// The age block, the as-of date in the locale's long format and the month and day texts.
void CalculateAge(QDate birthDate, int dateCalcMode, QDate today, const QLocale& locale,
                  CalendarFacts& facts);

void FindWesternSign(CalendarFacts& facts);
void DescribeWesternSign(CalendarFacts& facts);
void FindBirthstone(CalendarFacts& facts);
void FindBirthFlower(CalendarFacts& facts);
void FindPresident(QDate birthDate, CalendarFacts& facts);
void FindChineseSign(QDate birthDate, CalendarFacts& facts);
void DescribeChineseSign(CalendarFacts& facts);

// The first-class stamp price on a date ("$0.03"); empty before 1900.
QString FindStampPrice(QDate date);

}  // namespace natalory
