#include "infoobjects/DisplayFormats.h"

#include <gtest/gtest.h>

using namespace natalory;

TEST(DisplayFormats, PatternsOfTheFormatTable) {
    struct Case {
        const char* value;
        const char* pattern;
        const char* shown;
    };
    const Case cases[] = {
        {"0.5", "$#0.00", "$0.50"},
        {"0.125", "$#0.00", "$0.13"},
        {"150697361", "###,###,###,###", "150,697,361"},
        {"999", "###,###,###,###", "999"},
        {"1000", "###,###,###,###", "1,000"},
        {"11000", "$###,###,##0", "$11,000"},
        {"0", "$###,###,##0", "$0"},
        {"1510.4", "$###,##0", "$1,510"},
        {"0.41", "$#0.#0", "$0.41"},
        {"0.4", "$#0.#0", "$0.40"},
        {"12", "$#0.#0", "$12.00"},
        {"24.1", "###.00", "24.10"},
        {"464592", "###,###,###,##0", "464,592"},
        {"6452.66666666667", "###,###,##0.0", "6,452.7"},
        {"-30", "###,###,##0", "-30"},
        {"-10", "###,###,##0.0", "-10.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(QString::fromLatin1(c.value), QString::fromLatin1(c.pattern)),
                  QLatin1StringView(c.shown))
            << c.value << " " << c.pattern;
    // Text that is no number is left as it is; empty stays empty.
    EXPECT_EQ(FormatNumber(QStringLiteral("$0.03"), u"$0.#0"), QStringLiteral("$0.03"));
    EXPECT_EQ(FormatNumber(QString(), u"$#0.00"), QString());
    EXPECT_EQ(FormatNumber(QStringLiteral("n/a"), u"###.00"), QStringLiteral("n/a"));
}
