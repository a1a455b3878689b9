#include "birthday/CalendarFacts.h"

#include "support/Doubles.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

CalendarFacts AgeOn(QDate birth, int mode, QDate today) {
    CalendarFacts f;
    CalculateAge(birth, mode, today, kUs, f);
    return f;
}

CalendarFacts SignsOf(QDate birth) {
    CalendarFacts f = AgeOn(birth, 0, QDate(2026, 12, 6));
    FindWesternSign(f);
    DescribeWesternSign(f);
    FindBirthstone(f);
    FindBirthFlower(f);
    FindPresident(birth, f);
    FindChineseSign(birth, f);
    DescribeChineseSign(f);
    return f;
}

// A table row "1901-09-15 Theodore Roosevelt": the date, and what it gives.
std::pair<QDate, QString> Row(const char* row) {
    const QString text = QString::fromUtf8(row);
    return {QDate::fromString(text.left(10), Qt::ISODate), text.mid(11)};
}

}  // namespace

TEST(Round, HalvesGoAwayFromZeroAndNonNumbersAreRefused) {
    EXPECT_DOUBLE_EQ(Round(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(Round(-0.125, 2), -0.13);
    EXPECT_DOUBLE_EQ(Round(52.9993, 2), 53);
    EXPECT_DOUBLE_EQ(Round(2.5, 0), 3);

    test::ScriptedPrompt prompt;
    EXPECT_DOUBLE_EQ(Round(QVariant(7), 1, prompt), 7);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(Round(QVariant(QStringLiteral("1.5")), 1, prompt), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, QStringLiteral("Round failed due to incorrect type"));
    EXPECT_EQ(prompt.asked[0].title, QStringLiteral("Round"));
    EXPECT_EQ(prompt.asked[0].icon, PromptIcon::Exclamation);
}

TEST(CalculateAge, TheWorkedExampleNegativeAgesAndWholeYearsAsOfEachModesDay) {
    const CalendarFacts f = AgeOn(QDate(1950, 3, 4), 0, QDate(2003, 3, 4));
    EXPECT_EQ(f.AgeDays, QStringLiteral("19358"));
    EXPECT_EQ(f.AgeHours, QStringLiteral("464592"));
    EXPECT_EQ(f.DaysSlept, QStringLiteral("6452.66666666667"));
    EXPECT_EQ(f.AsOfLongDate, QStringLiteral("Tuesday, March 4, 2003"));
    const CalendarFacts future = AgeOn(QDate(2004, 12, 31), 0, QDate(2004, 12, 1));
    EXPECT_EQ(future.AgeDays, QStringLiteral("-30"));
    EXPECT_EQ(future.AgeHours, QStringLiteral("-720"));
    EXPECT_EQ(future.DaysSlept, QStringLiteral("-10"));
    EXPECT_EQ(future.AgeWholeYears, QStringLiteral("0"));

    // Whole years are birthdays passed: 66.9 years is 66, never rounded up to 67.
    const QDate today(2026, 12, 7);
    EXPECT_EQ(AgeOn(QDate(1960, 1, 15), 0, today).AgeWholeYears, QStringLiteral("66"));
    EXPECT_EQ(AgeOn(QDate(1960, 12, 7), 0, today).AgeWholeYears, QStringLiteral("66"));
    EXPECT_EQ(AgeOn(QDate(1960, 12, 8), 0, today).AgeWholeYears, QStringLiteral("65"));
    EXPECT_EQ(AgeOn(QDate(1960, 12, 8), 1, today).AgeWholeYears, QStringLiteral("66"));
    EXPECT_EQ(AgeOn(QDate(1960, 12, 8), 2, today).AgeWholeYears, QStringLiteral("67"));
    EXPECT_EQ(AgeOn(QDate(1960, 12, 8), 3, today).AgeWholeYears, QStringLiteral("65"));
    // A February 29 birthday is passed on February 28, in leap years too.
    EXPECT_EQ(BirthdaysPassed(QDate(1960, 2, 29), QDate(2027, 2, 27)), 66);
    EXPECT_EQ(BirthdaysPassed(QDate(1960, 2, 29), QDate(2027, 2, 28)), 67);
    EXPECT_EQ(BirthdaysPassed(QDate(1960, 2, 29), QDate(2028, 2, 28)), 68);
    EXPECT_EQ(AgeOn(QDate(1960, 2, 29), 1, today).AgeWholeYears, QStringLiteral("66"));
    EXPECT_EQ(BirthdaysPassed(QDate(2004, 12, 31), QDate(2002, 12, 1)), -2);

    // Each mode counts to its own day; leap-year birthdays land on February 28 in every year, leap or not.
    EXPECT_EQ(AsOfDate(QDate(1960, 2, 29), 1, today), QDate(2026, 2, 28));
    EXPECT_EQ(AsOfDate(QDate(1960, 2, 29), 1, QDate(2028, 6, 1)), QDate(2028, 2, 28));
    // ... but the count still runs from February 29.
    const CalendarFacts leap = AgeOn(QDate(1960, 2, 29), 1, today);
    EXPECT_EQ(leap.AgeDays, QString::number(QDate(1960, 2, 29).daysTo(QDate(2026, 2, 28))));
    EXPECT_EQ(leap.BirthDayOfMonth, QStringLiteral("29"));
    // Next year's birthday of a 2004 baby is in the future: positive ages.
    EXPECT_GT(AgeOn(QDate(2004, 6, 1), 2, today).AgeDays.toInt(), 0);
}

TEST(MonthFacts, SignBoundaryDaysDescriptionsStonesAndFlowers) {
    for (const char* row :
         {"1980-01-19 Capricorn", "1980-01-20 Aquarius", "1980-12-21 Sagittarius", "1980-12-22 Capricorn"}) {
        const auto [date, sign] = Row(row);
        EXPECT_EQ(SignsOf(date).WesternSign, sign) << row;
    }
    const CalendarFacts aries = SignsOf({1980, 4, 1});
    EXPECT_EQ(aries.WesternCompatible, QStringLiteral("Saggitarius and Leo"));
    EXPECT_TRUE(aries.WesternSignText.startsWith(QStringLiteral("Aries are known for being energetic")));
    const CalendarFacts aug = SignsOf({1975, 8, 15});
    EXPECT_EQ(aug.Birthstone, QStringLiteral("Peridot"));
    EXPECT_EQ(aug.BirthstoneMeaning, QStringLiteral("Married Happiness"));
    EXPECT_EQ(aug.BirthFlower, QStringLiteral("Poppys"));
    EXPECT_EQ(SignsOf({1975, 5, 1}).BirthFlower, QStringLiteral("Lily of the Valley"));
    EXPECT_EQ(SignsOf({1975, 12, 31}).Birthstone, QStringLiteral("Turquoise"));
    // Every month's sign has a description.
    for (int m = 1; m <= 12; ++m)
        for (int d : {1, 28}) EXPECT_FALSE(SignsOf({1980, m, d}).WesternSignText.isEmpty()) << m << "/" << d;

    CalendarFacts unknown;
    unknown.BirthMonth = QStringLiteral("13");
    unknown.WesternSign = QStringLiteral("kept");
    FindWesternSign(unknown);
    FindBirthstone(unknown);
    EXPECT_EQ(unknown.WesternSign, QStringLiteral("kept"));
    EXPECT_TRUE(unknown.Birthstone.isEmpty());
}

TEST(President, ChangeDays) {
    for (const char* row :
         {"1900-01-01 William McKinley", "1901-09-14 William McKinley", "1901-09-15 Theodore Roosevelt",
          "1963-11-21 John F. Kennedy", "1963-11-22 Lyndon B. Johnson", "2009-01-20 George W. Bush",
          "2009-01-21 Barack Obama", "2017-01-21 Donald Trump", "2025-01-20 Joe Biden",
          "2025-01-21 Donald Trump", "2025-12-31 Donald Trump"}) {
        const auto [date, president] = Row(row);
        EXPECT_EQ(SignsOf(date).President, president) << row;
    }
}

TEST(ChineseSigns, EachYearBeginsOnceAroundItsNewYearAndEverySignIsDescribed) {
    for (const char* row : {"1900-01-30 Earth Pig", "1900-01-31 Metal Rat", "2004-01-21 Water Goat",
                            "2004-01-22 Wood Monkey", "2005-02-08 Wood Monkey", "2005-02-09 Wood Rooster",
                            "2016-07-04 Fire Monkey", "2025-01-28 Wood Dragon", "2025-01-29 Wood Snake",
                            "2026-02-16 Wood Snake", "2026-02-17 Fire Horse", "2027-02-05 Fire Horse"}) {
        const auto [date, sign] = Row(row);
        EXPECT_EQ(SignsOf(date).ChineseSign, sign) << row;
    }
    EXPECT_EQ(SignsOf({1907, 6, 1}).ChineseCompatible, QStringLiteral("Pigs or Rabbits"));

    CalendarFacts outside;
    outside.ChineseSign = QStringLiteral("kept");
    FindChineseSign(QDate(2027, 2, 6), outside);
    EXPECT_EQ(outside.ChineseSign, QStringLiteral("kept"));

    // Every Chinese year from 1901 to 2026 begins once, between mid-January and late February, on the
    // day the sign of the Gregorian year starts; every sign is described.
    for (int year = 1901; year <= 2026; ++year) {
        int changes = 0;
        QString sign = SignsOf(QDate(year, 1, 15)).ChineseSign;
        for (QDate d(year, 1, 16); d <= QDate(year, 2, 25); d = d.addDays(1)) {
            const CalendarFacts f = SignsOf(d);
            ASSERT_FALSE(f.ChineseSignText.isEmpty() || f.ChineseCompatible.isEmpty())
                << f.ChineseSign.toStdString();
            if (f.ChineseSign != sign) ++changes;
            sign = f.ChineseSign;
        }
        EXPECT_EQ(changes, 1) << year;
        EXPECT_EQ(sign, SignsOf(QDate(year, 12, 31)).ChineseSign) << year;
        EXPECT_NE(sign, SignsOf(QDate(year - 1, 12, 31)).ChineseSign) << year;
    }
}

TEST(StampPrice, RangeEndsAreInclusive) {
    EXPECT_EQ(FindStampPrice({1899, 12, 31}), QString());
    for (const char* row : {"1900-01-01 $0.02", "1917-11-01 $0.02", "1917-11-02 $0.03", "1919-07-01 $0.02",
                            "2016-04-10 $0.47", "2025-07-12 $0.73", "2025-07-13 $0.78"}) {
        const auto [date, price] = Row(row);
        EXPECT_EQ(FindStampPrice(date), price) << row;
    }
}
