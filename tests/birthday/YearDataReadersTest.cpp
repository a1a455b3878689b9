#include "birthday/YearDataReaders.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace natalory;
using natalory::test::TempProgramFolder;

namespace {

// A year record: the year, then 33 values; `tag` makes every value tell its year.
QByteArray YearRecord(const QString& year, const QString& tag) {
    QString r = u'"' + year + u'"';
    for (int i = 2; i <= 34; ++i) r += QStringLiteral(",\"%1-%2\"").arg(tag).arg(i);
    return r.toLatin1() + "\r\n";
}

std::vector<QString> Headlines(const YearData& y) {
    return {y.YearHeadline.begin(), y.YearHeadline.end()};
}

}  // namespace

TEST(ReadHeadlines, SixLinesFromTheFirstMatchWhateverYearTheNextOnesSayOrOfTheDateFieldsYear) {
    TempProgramFolder folder;
    folder.write("blear.fpf",
                 "1949 Old\r\n1950 A  \r\n1950 B\r\n1950 C\r\n1950 D\r\n1950   E keeps its leading blanks\r\n"
                 "1951 G\r\n1951 H\r\n");
    YearData y;
    EXPECT_TRUE(ReadHeadlines(folder.path(), QDate(1950, 6, 1), y).found);
    EXPECT_EQ(Headlines(y), std::vector<QString>({"A", "B", "C", "D", "  E keeps its leading blanks", "G"}));

    // Running out of lines leaves the rest empty rather than reading past the end, and says where.
    const DataReadResult cut = ReadHeadlines(folder.path(), QDate(1951, 6, 1), y);
    EXPECT_TRUE(cut.found);
    EXPECT_EQ(Headlines(y), std::vector<QString>({"G", "H", "", "", "", ""}));
    ASSERT_TRUE(cut.problem);
    EXPECT_EQ(DescribeYearDataProblem(*cut.problem),
              folder.file("blear.fpf") + ", line 8: the file ends within the records of 1951");

    // A year the file does not hold, or no file at all, gives six empty headlines, not the last person's.
    const DataReadResult none = ReadHeadlines(folder.path(), QDate(1960, 6, 1), y);
    EXPECT_FALSE(none.found);
    ASSERT_TRUE(none.problem);
    EXPECT_EQ(none.problem->kind, YearDataProblem::Kind::NotFound);
    EXPECT_EQ(Headlines(y), std::vector<QString>(6));
    TempProgramFolder empty;
    y.YearHeadline[0] = QStringLiteral("stale");
    const DataReadResult missing = ReadHeadlines(empty.path(), QDate(1950, 1, 1), y);
    EXPECT_FALSE(missing.found);
    ASSERT_TRUE(missing.problem);
    EXPECT_EQ(missing.problem->kind, YearDataProblem::Kind::Unreadable);
    EXPECT_EQ(missing.problem->file, empty.file("blear.fpf"));
    EXPECT_TRUE(y.YearHeadline[0].isEmpty());

    // The second set takes the headlines whose date field holds the birth year.
    folder.write("blearII.fpf",
                 "1,\"1949-12-31\",\"Old\"\r\n2,\"1950-01-05\",\"One  \"\r\n3,\"1950-02-01\",\"Two\"\r\n"
                 "4,\"1950-03-01\",\"Three\"\r\n5,\"1950-04-01\",\"Four\"\r\n6,\"1950-05-01\",\"Five\"\r\n"
                 "7,\"1951-01-01\",\"Next year\"\n");
    EXPECT_TRUE(ReadHeadlinesSet2(folder.path(), QDate(1950, 8, 8), y).found);
    EXPECT_EQ(Headlines(y), std::vector<QString>({"One", "Two", "Three", "Four", "Five", "Next year"}));
    EXPECT_TRUE(ReadHeadlinesForSet(folder.path(), 2, QDate(1949, 1, 1), y).found);
    EXPECT_EQ(y.YearHeadline[0], QStringLiteral("Old"));

    folder.write("blearII.fpf", "1,\"1950-01-05\"\r\n");
    const DataReadResult broken = ReadHeadlinesSet2(folder.path(), QDate(1950, 1, 1), y);
    EXPECT_FALSE(broken.found);
    ASSERT_TRUE(broken.problem);
    EXPECT_EQ(broken.problem->kind, YearDataProblem::Kind::Malformed);
    EXPECT_EQ(broken.problem->line, 2);
}

TEST(ReadCelebrities, TheDayWrittenWithItsLeadingZeroMatches) {
    TempProgramFolder folder;
    folder.write(
        "blik.fpf",
        "3,5,1900,\"Never matches: one digit\"\r\n"
        "3,\"05\",1931,\"A\"\r\n3,\"05\",1950,\"B\"\r\n3,\"05\",1960,\"C\"\r\n3,\"05\",1970,\"D\"\r\n"
        "3,\"05\",1980,\"E\"\r\n3,\"05\",1990,\"F\"\r\n"
        "3,\"15\",1901,\"Fifteenth\"\r\n12,\"31\",1902,\"Last\"\r\n");
    YearData y;
    EXPECT_TRUE(ReadCelebrities(folder.path(), QDate(1977, 3, 5), y).found);
    EXPECT_EQ(std::vector<QString>(y.Celebrity.begin(), y.Celebrity.end()),
              std::vector<QString>({"A", "B", "C", "D", "E"}));
    ReadCelebrities(folder.path(), QDate(1977, 3, 15), y);
    EXPECT_EQ(y.Celebrity[0], QStringLiteral("Fifteenth"));
    EXPECT_EQ(y.Celebrity[1], QStringLiteral("Last"));
    EXPECT_TRUE(y.Celebrity[2].isEmpty());  // the file ends: no reading past it
    const DataReadResult april = ReadCelebrities(folder.path(), QDate(1977, 4, 1), y);
    EXPECT_FALSE(april.found);
    EXPECT_TRUE(y.Celebrity[0].isEmpty());
    ASSERT_TRUE(april.problem);
    EXPECT_EQ(DescribeYearDataProblem(*april.problem),
              folder.file("blik.fpf") + ", line 9: the file holds nothing for April 1");
}

TEST(ReadYearRecord, TheBirthYearOrTheLastRecordWhoseYearEndsTheData) {
    TempProgramFolder folder;
    folder.write("brdstf.fpf",
                 YearRecord("1902", "y02") + YearRecord("2004", "y04") + YearRecord("2025", "y25"));
    YearData y;
    EXPECT_TRUE(ReadYearRecord(folder.path(), QDate(2004, 1, 1), y).found);
    EXPECT_EQ(y.BookAuthor3, QStringLiteral("y04-34"));
    // A year the file lacks gives its last record, flagged as not found.
    const DataReadResult missing = ReadYearRecord(folder.path(), QDate(1903, 1, 1), y);
    EXPECT_FALSE(missing.found);
    ASSERT_TRUE(missing.problem);
    EXPECT_EQ(missing.problem->kind, YearDataProblem::Kind::NotFound);
    EXPECT_EQ(y.HousePrice, QStringLiteral("y25-2"));
    EXPECT_TRUE(ReadYearRecord(folder.path(), QDate(2025, 12, 31), y).found);
    EXPECT_EQ(LastDataYear(folder.path()), 2025);

    // An empty file or a malformed one has no last year, and says why.
    QString why;
    folder.write("brdstf.fpf", "");
    EXPECT_FALSE(ReadYearRecord(folder.path(), QDate(1903, 1, 1), y).found);
    EXPECT_TRUE(y.HousePrice.isEmpty());
    EXPECT_EQ(LastDataYear(folder.path(), &why), std::nullopt);
    EXPECT_FALSE(why.isEmpty());
    folder.write("brdstf.fpf", YearRecord("1902", "y02") + "\"2004\",1\r\n");
    EXPECT_EQ(LastDataYear(folder.path(), &why), std::nullopt);
    EXPECT_TRUE(why.contains(QStringLiteral("brdstf.fpf, line"))) << why.toStdString();

    // Damage on the way: cut short, a field too few or too many (which would shift every fact), empty.
    QByteArray shortOne = YearRecord("1902", "y02");
    shortOne.replace(",\"y02-34\"", "");
    QByteArray longOne = YearRecord("1902", "y02");
    longOne.replace("\r\n", ",\"extra\"\r\n");
    const struct {
        QByteArray file;
        YearDataProblem::Kind kind;
        int line;
    } damaged[] = {
        {"\"1950\",11000,1510,.41\r\n", YearDataProblem::Kind::Malformed, 2},
        {shortOne + YearRecord("1903", "y03"), YearDataProblem::Kind::Malformed, 1},
        {longOne + YearRecord("1903", "y03"), YearDataProblem::Kind::Malformed, 1},
        {" \r\n\r\n", YearDataProblem::Kind::Empty, 1},
    };
    for (const auto& d : damaged) {
        folder.write("brdstf.fpf", d.file);
        const DataReadResult r = ReadYearRecord(folder.path(), QDate(1903, 1, 1), y);
        EXPECT_FALSE(r.found) << d.file.toStdString();
        ASSERT_TRUE(r.problem) << d.file.toStdString();
        EXPECT_EQ(r.problem->kind, d.kind) << d.file.toStdString();
        EXPECT_EQ(r.problem->line, d.line) << d.file.toStdString();
    }
}
