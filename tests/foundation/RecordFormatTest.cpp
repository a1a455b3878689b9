#include "foundation/RecordFormat.h"
#include "foundation/Windows1252.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

RecordReader Reader(const char* text) {
    return RecordReader(QString::fromLatin1(text), QStringLiteral("t.fpf"));
}

}  // namespace

TEST(RecordReader, ReportsWhereAFileIsMalformed) {
    struct Case {
        const char* text;
        int fieldsToRead;
        int line;
        int field;
        const char* messagePart;
        RecordError::Kind kind = RecordError::Kind::Malformed;
    };
    const Case cases[] = {
        {"1,2\r\n3,abc\r\n", 4, 2, 2, "expected a number, found \"abc\""},
        {"1,\"open\r\nnever closed", 2, 1, 2, "no closing quote", RecordError::Kind::CutShort},
        {"1,2\r\n", 3, 2, 1, "ends before the record is complete", RecordError::Kind::CutShort},
        {"1,#TRUE", 2, 1, 2, "no closing #", RecordError::Kind::CutShort},
        {"\"a\"x,2", 2, 1, 1, "after a field"},
        {"#MAYBE#", 1, 1, 1, "expected #TRUE# or #FALSE#"},
    };
    for (const Case& c : cases) {
        auto in = Reader(c.text);
        const bool booleans = QByteArray(c.messagePart).contains("TRUE");
        for (int i = 0; i < c.fieldsToRead; ++i) {
            bool b;
            double d;
            booleans ? in.readBoolean(b) : in.readNumber(d);
        }
        ASSERT_TRUE(in.failed()) << c.text;
        EXPECT_EQ(in.error().line, c.line) << c.text;
        EXPECT_EQ(in.error().field, c.field) << c.text;
        EXPECT_TRUE(in.error().message.contains(QLatin1StringView(c.messagePart)))
            << in.error().message.toStdString();
        EXPECT_EQ(in.error().kind, c.kind) << c.text;
        EXPECT_TRUE(in.error().describe().startsWith(QStringLiteral("t.fpf, line ")));
    }
}

TEST(RecordReader, ReadsLinesAsTheyStandAndNeverPastTheEnd) {
    auto in = Reader("1950 Headline A   \r\n1950  B\n");
    QString a, b;
    in.readLine(a);
    in.readLine(b);
    EXPECT_EQ(a, QStringLiteral("1950 Headline A   "));
    EXPECT_EQ(b, QStringLiteral("1950  B"));
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.readLine(a));

    auto quoted = Reader("\"a\"");
    EXPECT_TRUE(quoted.readText(a));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(quoted.readText(a));
    EXPECT_TRUE(quoted.failed());
}

TEST(Windows1252, EveryByteSurvivesARoundTripTheHighRangeIsMappedAndAFalseMarkIsNoMark) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    bool lossless = false;
    EXPECT_EQ(ToWindows1252(FromWindows1252(all), &lossless), all);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(FromWindows1252("\x80\x93\x94\xB5\xE9"), QStringLiteral("\u20AC\u201C\u201D\u00B5\u00E9"));
    EXPECT_EQ(ToWindows1252(QStringLiteral("\u010D"), &lossless), QByteArray("?"));
    EXPECT_FALSE(lossless);
    // A Windows-1252 file whose first bytes merely look like the UTF-8 mark stays Windows-1252.
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\"x\""), QStringLiteral("\u00EF\u00BB\"x\""));
}
