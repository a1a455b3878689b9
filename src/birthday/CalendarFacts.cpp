#include "birthday/CalendarFacts.h"

#include <array>
#include <cmath>

namespace natalory {

double Round(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double magnitude = std::floor(std::fabs(value) * scale + 0.5) / scale;
    return value < 0 ? -magnitude : magnitude;
}

double Round(const QVariant& value, int decimals, Prompt& prompt) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Float:
        case QMetaType::Double:
            return Round(value.toDouble(), decimals);
        default:
            prompt.ask(QStringLiteral("Round failed due to incorrect type"), QStringLiteral("Round"),
                       PromptButtons::Ok, PromptIcon::Exclamation);
            return 0;
    }
}

bool IsLeapYear(int year) {
    return QDate(year, 2, 29).isValid();
}

QDate AsOfDate(QDate birthDate, int dateCalcMode, QDate today) {
    // A February 29 birthday is kept on February 28 of every year it is counted to.
    QDate birthday = birthDate;
    if (birthDate.month() == 2 && birthDate.day() == 29 && IsLeapYear(birthDate.year()))
        birthday = birthDate.addDays(-1);
    switch (dateCalcMode) {
        case 1:
            return QDate(today.year(), birthday.month(), birthday.day());
        case 2:
            return QDate(today.year() + 1, birthday.month(), birthday.day());
        case 3:
            return QDate(today.year() - 1, birthday.month(), birthday.day());
        default:
            return today;
    }
}

int BirthdaysPassed(QDate birthDate, QDate asOf) {
    // An as-of date before the birth counts back: whole years before it, as the days are negative.
    if (asOf < birthDate) return -BirthdaysPassed(asOf, birthDate);
    // A February 29 birthday falls on February 28, as in AsOfDate.
    const bool leapDay = birthDate.month() == 2 && birthDate.day() == 29;
    const QDate birthday(asOf.year(), birthDate.month(), leapDay ? 28 : birthDate.day());
    return asOf.year() - birthDate.year() - (asOf < birthday ? 1 : 0);
}

QString PrintLongDate(QDate date, const QLocale& user) {
    const QLocale english(QLocale::English,
                          user.language() == QLocale::C ? QLocale::UnitedStates : user.territory());
    return english.toString(date, QLocale::LongFormat);
}

void CalculateAge(QDate birthDate, int dateCalcMode, QDate today, const QLocale& locale,
                  CalendarFacts& facts) {
    const QDate asOf = AsOfDate(birthDate, dateCalcMode, today);
    facts.AsOfLongDate = PrintLongDate(asOf, locale);
    const qint64 days = birthDate.daysTo(asOf);
    const qint64 hours = days * 24;
    const double slept = double(days) * 8 / 24;
    facts.BirthMonth = QString::number(birthDate.month());
    facts.BirthDayOfMonth = QString::number(birthDate.day());
    facts.AgeDays = QString::number(days);
    facts.AgeHours = QString::number(hours);
    facts.DaysSlept = QString::number(slept, 'g', 15);
    // The whole years are the birthdays passed by the as-of date, never a rounded fraction:
    // 66.9 years is 66.
    facts.AgeWholeYears = QString::number(BirthdaysPassed(birthDate, asOf));
}

namespace {

struct SignSplit {
    int threshold;
    const char* before;
    const char* from;
};

constexpr std::array<SignSplit, 12> kWesternSigns = {{
    {20, "Capricorn", "Aquarius"},
    {19, "Aquarius", "Pisces"},
    {21, "Pisces", "Aries"},
    {20, "Aries", "Taurus"},
    {21, "Taurus", "Gemini"},
    {22, "Gemini", "Cancer"},
    {23, "Cancer", "Leo"},
    {23, "Leo", "Virgo"},
    {23, "Virgo", "Libra"},
    {24, "Libra", "Scorpio"},
    {22, "Scorpio", "Sagittarius"},
    {22, "Sagittarius", "Capricorn"},
}};

struct SignText {
    const char* sign;
    const char* text;
    const char* compatible;
};

constexpr std::array<SignText, 12> kWesternTexts = {{
    {"Aries",
     "Aries are known for being energetic, confident, cheerful, and for always taking the initiative.",
     "Saggitarius and Leo"},
    {"Capricorn",
     "Best known for self-control, caution, and dependability. Capricorn makes its world more secure by "
     "building "
     "structure and form.",
     "Taurus and Virgo"},
    {"Taurus",
     "A Taurus is fixed and strong like a mountain.  Able to withstand pressures and wearing forces.",
     "Capricorn and Virgo"},
    {"Gemini",
     "Gemini's are known for their quick witted, flirtatious charm.  Full of energy and liveliness.",
     "Libra and Aquarius"},
    {"Cancer", "Cancer's are moon-children, and the motherly sign.  Emotional, protective, and intuitive.",
     "Scorpio and Pisces"},
    {"Leo",
     "Playful, creative, warm-hearted, risk taking are all characteristics common to Leonians who are living "
     "out "
     "their fullest potential.",
     "Aries and Leo"},
    {"Virgo",
     "Virgo's are analytical, ordered, critical, and discriminating. Virgo energy enjoys focusing in on the "
     "very "
     "smallest of details.",
     "Capricorn and Taurus"},
    {"Libra",
     "Libra is concerned with making choices, evaluations, weighing all the evidence, and maintaining "
     "balance.",
     "Gemini and Aquarius"},
    {"Scorpio", "Scorpio's have Intensity, magnetism, penetrating perception, and a power to confront.",
     "Cancer and Pisces"},
    {"Sagittarius",
     "Sagittarian energy can be warm, vital, vivacious, cheerful and loyal to whatever happens to hold its "
     "interest.",
     "Aries and Leo"},
    {"Aquarius",
     "Unconventional, friendly, unpredictable and innovative are all characteristics of Aquarius.",
     "Gemini and Libra"},
    {"Pisces", "Pisces are Imaginative, sensitive, and serene individuals.", "Scorpio and Cancer"},
}};

struct MonthFacts {
    const char* stone;
    const char* meaning;
    const char* flower;
};

constexpr std::array<MonthFacts, 12> kMonths = {{
    {"Garnet", "Constancy", "Carnations"},
    {"Amethyst", "Sincerity", "Primroses"},
    {"Aquamarine", "Courage", "Violets"},
    {"Diamond", "Innocence", "Daisies"},
    {"Emerald", "Love", "Lily of the Valley"},
    {"Pearl", "Health", "Roses"},
    {"Ruby", "Contentment", "Water Lilies"},
    {"Peridot", "Married Happiness", "Poppys"},
    {"Sapphire", "Clear Thinking", "Morning-Glories"},
    {"Opal", "Hope", "Calendulas"},
    {"Topaz", "Faithfulness", "Chrysanthemums"},
    {"Turquoise", "Wealth", "Holly"},
}};

// The month of a month text "1" .. "12" (as the program writes it), or 0.
int MonthOf(const QString& monthText) {
    for (int m = 1; m <= 12; ++m)
        if (monthText == QString::number(m)) return m;
    return 0;
}

struct Term {
    int year, month, day;
    const char* president;
};

constexpr std::array<Term, 23> kPresidents = {{
    {1897, 3, 5, "William McKinley"},    {1901, 9, 15, "Theodore Roosevelt"},
    {1909, 3, 4, "William Howard Taft"}, {1913, 3, 4, "Woodrow Wilson"},
    {1921, 3, 4, "Warren G. Harding"},   {1923, 8, 3, "Calvin Coolidge"},
    {1929, 3, 4, "Herbert Hoover"},      {1933, 3, 5, "Franklin D. Roosevelt"},
    {1945, 4, 13, "Harry S Truman"},     {1953, 1, 21, "Dwight D. Eisenhower"},
    {1961, 1, 21, "John F. Kennedy"},    {1963, 11, 22, "Lyndon B. Johnson"},
    {1969, 1, 21, "Richard M. Nixon"},   {1974, 8, 10, "Gerald R. Ford"},
    {1977, 1, 21, "Jimmy Carter"},       {1981, 1, 21, "Ronald Reagan"},
    {1989, 1, 21, "George Bush"},        {1993, 1, 21, "Bill Clinton"},
    {2001, 1, 21, "George W. Bush"},     {2009, 1, 21, "Barack Obama"},
    {2017, 1, 21, "Donald Trump"},       {2021, 1, 21, "Joe Biden"},
    {2025, 1, 21, "Donald Trump"},
}};

// First day of each Chinese year, 1900 .. 2026. The 1925, 1943 and 1944 entries are kept
// as the program has always had them.
constexpr std::array<std::array<int, 2>, 127> kChineseNewYear = {{
    {1, 31}, {2, 19}, {2, 8},  {1, 29}, {2, 16}, {2, 4},  {1, 25}, {2, 13}, {2, 2},  {1, 22},  // 1900s
    {2, 10}, {1, 30}, {2, 18}, {2, 6},  {1, 26}, {2, 14}, {2, 3},  {1, 23}, {2, 11}, {2, 1},   // 1910s
    {2, 20}, {2, 8},  {1, 28}, {2, 16}, {2, 5},  {1, 25}, {2, 13}, {2, 2},  {1, 23}, {2, 10},  // 1920s
    {1, 30}, {2, 17}, {2, 6},  {1, 26}, {2, 14}, {2, 4},  {1, 24}, {2, 11}, {1, 31}, {2, 19},  // 1930s
    {2, 8},  {1, 27}, {2, 15}, {2, 3},  {1, 23}, {2, 13}, {2, 2},  {1, 22}, {2, 10}, {1, 29},  // 1940s
    {2, 17}, {2, 6},  {1, 27}, {2, 14}, {2, 3},  {1, 24}, {2, 12}, {1, 31}, {2, 18}, {2, 8},   // 1950s
    {1, 28}, {2, 15}, {2, 5},  {1, 25}, {2, 13}, {2, 2},  {1, 21}, {2, 9},  {1, 30}, {2, 17},  // 1960s
    {2, 6},  {1, 27}, {2, 16}, {2, 3},  {1, 23}, {2, 11}, {1, 31}, {2, 18}, {2, 7},  {1, 28},  // 1970s
    {2, 16}, {2, 5},  {1, 25}, {2, 13}, {2, 2},  {2, 20}, {2, 9},  {1, 29}, {2, 17}, {2, 6},   // 1980s
    {1, 27}, {2, 15}, {2, 4},  {1, 23}, {2, 10}, {1, 31}, {2, 19}, {2, 7},  {1, 28}, {2, 16},  // 1990s
    {2, 5},  {1, 24}, {2, 12}, {2, 1},  {1, 22}, {2, 9},  {1, 29}, {2, 18}, {2, 7},  {1, 26},  // 2000s
    {2, 14}, {2, 3},  {1, 23}, {2, 10}, {1, 31}, {2, 19}, {2, 8},  {1, 28}, {2, 16}, {2, 5},   // 2010s
    {1, 25}, {2, 12}, {2, 1},  {1, 22}, {2, 10}, {1, 29}, {2, 17},                             // 2020s
}};
// The last day the table covers: the Chinese year of 2027 begins on February 6, 2027.
const QDate kChineseTableEnd{2027, 2, 5};

constexpr std::array<const char*, 12> kAnimals = {"Rat",   "Ox",   "Tiger",  "Rabbit",  "Dragon", "Snake",
                                                  "Horse", "Goat", "Monkey", "Rooster", "Dog",    "Pig"};
constexpr std::array<const char*, 5> kElements = {"Metal", "Water", "Wood", "Fire", "Earth"};

constexpr std::array<SignText, 12> kChineseTexts = {{
    {"Rat",
     "Essentially charming. Compassionate. Renowned for thrift and love of family, at times rather "
     "superficial.",
     "Dragons and Monkeys"},
    {"Ox", "Calm, patient, studied character. Takes things slow, steady pace.  Always industrious",
     "Snakes and Roosters"},
    {"Tiger",
     "Very warm, loving, Independent. Pays scant regard for other's feelings while pursuing fun and freedom.",
     "Horses and Dogs"},
    {"Rabbit",
     "Rabbits love spending time at home. Although quiet and discreet, still ambitious. Self-indulgent.",
     "Sheeps or Pigs"},
    {"Dragon", "Charismatic and colorful. Wants to be the center of attention. Very arrogant.",
     "Monkeys or Rats"},
    {"Snake", "High moral principles. Sophisticated and charming. More than meets the eye.",
     "Roosters and Oxen"},
    {"Horse", "Confident and proud. Prone to erratic behavior. Heart is in right place. Scatty.",
     "Tigers or Dogs"},
    {"Goat",
     "Sensitive, creative and multitalented. Eccentric. Much Fortitude. Loves to be loved, hates to be "
     "pushed.",
     "Pigs or Rabbits"},
    {"Monkey", "Wily and cunning. Ignores regimented rules. Free spirit.", "Dragons or Rats"},
    {"Rooster",
     "Brave and enthusiastic. Notoriously picky. Highly intelligent. Rarely has wool pulled over its eyes.",
     "Snakes and Oxen"},
    {"Dog", "Honest, loyal, sincere. Believes in justice for all. Fights for principles.",
     "Horses or Tigers"},
    {"Pig",
     "They will do anything for anybody, a model of sincerity and honor. Self-sacrificing and altruistic.",
     "Rabbits or Sheep"},
}};

QString ChineseSignOfYear(int year) {
    const int n = year - 1900;
    return QString::fromLatin1(kElements[size_t((n % 10) / 2)]) + u' ' +
           QString::fromLatin1(kAnimals[size_t(n % 12)]);
}

struct StampRate {
    int year, month, day;  // first day of the rate
    const char* price;
};

constexpr std::array<StampRate, 38> kStampRates = {{
    {1900, 1, 1, "$0.02"},  {1917, 11, 2, "$0.03"},  {1919, 7, 1, "$0.02"},  {1932, 7, 6, "$0.03"},
    {1958, 8, 1, "$0.04"},  {1963, 1, 7, "$0.05"},   {1968, 1, 7, "$0.06"},  {1971, 5, 16, "$0.08"},
    {1974, 3, 2, "$0.10"},  {1975, 12, 31, "$0.13"}, {1978, 5, 29, "$0.15"}, {1981, 3, 22, "$0.18"},
    {1981, 11, 1, "$0.20"}, {1985, 2, 17, "$0.22"},  {1988, 4, 3, "$0.25"},  {1991, 2, 3, "$0.29"},
    {1995, 1, 1, "$0.32"},  {1999, 1, 10, "$0.33"},  {2001, 1, 7, "$0.34"},  {2002, 6, 30, "$0.37"},
    {2006, 1, 8, "$0.39"},  {2007, 5, 14, "$0.41"},  {2008, 5, 12, "$0.42"}, {2009, 5, 11, "$0.44"},
    {2012, 1, 22, "$0.45"}, {2013, 1, 27, "$0.46"},  {2014, 1, 26, "$0.49"}, {2016, 4, 10, "$0.47"},
    {2017, 1, 22, "$0.49"}, {2018, 1, 21, "$0.50"},  {2019, 1, 27, "$0.55"}, {2021, 8, 29, "$0.58"},
    {2022, 7, 10, "$0.60"}, {2023, 1, 22, "$0.63"},  {2023, 7, 9, "$0.66"},  {2024, 1, 21, "$0.68"},
    {2024, 7, 14, "$0.73"}, {2025, 7, 13, "$0.78"},
}};

}  // namespace

void FindWesternSign(CalendarFacts& facts) {
    const int month = MonthOf(facts.BirthMonth);
    if (month == 0) return;
    const SignSplit& split = kWesternSigns[size_t(month - 1)];
    const int day = facts.BirthDayOfMonth.toInt();
    facts.WesternSign = QString::fromLatin1(day < split.threshold ? split.before : split.from);
}

void DescribeWesternSign(CalendarFacts& facts) {
    for (const SignText& s : kWesternTexts) {
        if (facts.WesternSign != QLatin1StringView(s.sign)) continue;
        facts.WesternSignText = QString::fromLatin1(s.text);
        facts.WesternCompatible = QString::fromLatin1(s.compatible);
        return;
    }
}

void FindBirthstone(CalendarFacts& facts) {
    const int month = MonthOf(facts.BirthMonth);
    if (month == 0) return;
    facts.Birthstone = QString::fromLatin1(kMonths[size_t(month - 1)].stone);
    facts.BirthstoneMeaning = QString::fromLatin1(kMonths[size_t(month - 1)].meaning);
}

void FindBirthFlower(CalendarFacts& facts) {
    const int month = MonthOf(facts.BirthMonth);
    if (month == 0) return;
    facts.BirthFlower = QString::fromLatin1(kMonths[size_t(month - 1)].flower);
}

void FindPresident(QDate birthDate, CalendarFacts& facts) {
    for (auto it = kPresidents.rbegin(); it != kPresidents.rend(); ++it) {
        if (birthDate >= QDate(it->year, it->month, it->day)) {
            facts.President = QString::fromLatin1(it->president);
            return;
        }
    }
}

void FindChineseSign(QDate birthDate, CalendarFacts& facts) {
    if (birthDate < QDate(1900, 1, 31)) {
        facts.ChineseSign = QStringLiteral("Earth Pig");
        return;
    }
    if (birthDate > kChineseTableEnd) return;
    for (int i = int(kChineseNewYear.size()) - 1; i >= 0; --i) {
        const QDate first(1900 + i, kChineseNewYear[size_t(i)][0], kChineseNewYear[size_t(i)][1]);
        if (first <= birthDate) {
            facts.ChineseSign = ChineseSignOfYear(1900 + i);
            return;
        }
    }
}

void DescribeChineseSign(CalendarFacts& facts) {
    const QString animal = facts.ChineseSign.section(u' ', 1);
    for (const SignText& s : kChineseTexts) {
        if (animal != QLatin1StringView(s.sign)) continue;
        facts.ChineseSignText = QString::fromLatin1(s.text);
        facts.ChineseCompatible = QString::fromLatin1(s.compatible);
        return;
    }
}

QString FindStampPrice(QDate date) {
    for (auto it = kStampRates.rbegin(); it != kStampRates.rend(); ++it)
        if (date >= QDate(it->year, it->month, it->day)) return QString::fromLatin1(it->price);
    return {};
}

}  // namespace natalory
