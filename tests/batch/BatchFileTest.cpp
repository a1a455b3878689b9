#include "batch/BatchFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace natalory;
using natalory::test::TempProgramFolder;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
constexpr int kLastYear = 2025;

BatchFileContents Records(const QByteArray& bytes) {
    BatchFileResult r = ParseBatchFile(bytes, QStringLiteral("people.alb"), kLastYear, kUs);
    if (auto* e = std::get_if<BatchFileError>(&r)) {
        ADD_FAILURE() << "refused at line " << e->line << ": " << e->fields.join(u'|').toStdString();
        return {};
    }
    return std::get<BatchFileContents>(r);
}

BatchFileError Refusal(const QByteArray& bytes, int lastYear = kLastYear) {
    BatchFileResult r = ParseBatchFile(bytes, QStringLiteral("people.alb"), lastYear, kUs);
    if (auto* e = std::get_if<BatchFileError>(&r)) return *e;
    ADD_FAILURE() << "the file was accepted";
    return {};
}

}  // namespace

TEST(BatchFile, FieldsAreSeparatedByCommasOrLineEndsAndQuotesHoldCommasAndLineEnds) {
    const BatchFileContents c = Records(
        "Anna,Lee,1/15/1950\r\n"
        "\"Bob\",\"Smith, Jr.\",\"2/3/1960\"\r\n"
        "  Cara  ,   Doe ,  1970-07-04  \n"
        "\n"
        "Dan\n"
        "Roe\n"
        "12/31/2004\n"
        "\"Eve\",\"Two\r\nLines\",01/05/1901,Fay,Ng,1900-01-01");
    ASSERT_EQ(c.records.size(), 6u);
    EXPECT_FALSE(c.hasHeader);
    const BatchRecord& bob = c.records[1];
    EXPECT_EQ(bob.number, 2);
    EXPECT_EQ(bob.line, 2);
    EXPECT_EQ(bob.last, "Smith, Jr.");
    EXPECT_EQ(bob.birthDate, QDate(1960, 2, 3));
    EXPECT_EQ(c.records[2].first, "Cara");
    EXPECT_EQ(c.records[2].last, "Doe");
    EXPECT_EQ(c.records[2].birthDate, QDate(1970, 7, 4));
    // A record may spread over lines; it is numbered by records, located by lines.
    EXPECT_EQ(c.records[3].number, 4);
    EXPECT_EQ(c.records[3].line, 5);
    EXPECT_EQ(c.records[3].birthDate, QDate(2004, 12, 31));
    EXPECT_EQ(c.records[4].last, "Two\r\nLines");
    EXPECT_EQ(c.records[4].birthDate, QDate(1901, 1, 5));
    EXPECT_EQ(c.records[5].first, "Fay");
    EXPECT_EQ(c.records[5].line, 9);
    EXPECT_EQ(c.records[5].parents, QString());
}

TEST(BatchFile, AnEmptyFileHoldsNoRecords) {
    EXPECT_TRUE(Records("").records.empty());
    EXPECT_TRUE(Records("\r\n  \r\n\n").records.empty());
}

TEST(BatchFile, TheFirstBadDateIsRefusedWithItsLineAndFields) {
    const BatchFileError e = Refusal("Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\nCara,Doe,nonsense\r\n");
    EXPECT_EQ(e.kind, BatchFileError::Kind::InvalidDate);
    EXPECT_EQ(e.line, 2);
    EXPECT_EQ(e.record, 2);
    EXPECT_EQ(e.fields, QStringList({"Bob", "Smith", "31/31/1950"}));
    EXPECT_EQ(e.file, "people.alb");

    // The years the data covers, and nothing a two-digit year leaves open.
    EXPECT_EQ(Refusal("Anna,Lee,1/15/1899").kind, BatchFileError::Kind::DateOutOfRange);
    EXPECT_EQ(Refusal("Anna,Lee,2026-01-01").kind, BatchFileError::Kind::DateOutOfRange);
    EXPECT_EQ(Refusal("Anna,Lee,2005-01-01", 2004).kind, BatchFileError::Kind::DateOutOfRange);
    EXPECT_EQ(Records("Anna,Lee,12/31/2025").records.at(0).birthDate, QDate(2025, 12, 31));
    EXPECT_EQ(Refusal("Anna,Lee,1/15/50").kind, BatchFileError::Kind::InvalidDate);
    EXPECT_EQ(Refusal("Anna,Lee,").kind, BatchFileError::Kind::InvalidDate);
}

TEST(BatchFile, ARecordCutOffAtTheEndIsIncomplete) {
    const BatchFileError e = Refusal("Anna,Lee,1/15/1950\r\nBob,Smith\r\n");
    EXPECT_EQ(e.kind, BatchFileError::Kind::Incomplete);
    EXPECT_EQ(e.record, 2);
    EXPECT_EQ(e.line, 2);
    EXPECT_EQ(e.fields, QStringList({"Bob", "Smith"}));
    EXPECT_EQ(Refusal("\"Anna\",\"Lee").kind, BatchFileError::Kind::Incomplete);
}

TEST(BatchFile, AHeaderRowNamesTheColumnsInAnyOrderAndCase) {
    const BatchFileContents c = Records(
        "Birth Date,LAST NAME,first,Parents,Notes\r\n"
        "1950-01-15,Lee,Anna,\"Mary \"\"May\"\" and John\",x\r\n"
        "\r\n"
        "3/4/1960,\"O'Neil, Jr.\",Bob\r\n");
    EXPECT_TRUE(c.hasHeader);
    ASSERT_EQ(c.records.size(), 2u);
    EXPECT_EQ(c.records[0].first, "Anna");
    EXPECT_EQ(c.records[0].last, "Lee");
    EXPECT_EQ(c.records[0].parents, "Mary \"May\" and John");
    EXPECT_EQ(c.records[0].line, 2);
    EXPECT_EQ(c.records[1].number, 2);
    EXPECT_EQ(c.records[1].line, 4);
    EXPECT_EQ(c.records[1].last, "O'Neil, Jr.");
    EXPECT_EQ(c.records[1].birthDate, QDate(1960, 3, 4));

    // Semicolons, as spreadsheets write them where the comma is the decimal point.
    const BatchFileContents semi = Records("last;first;date\nLee;Anna;1950-01-15\n");
    ASSERT_EQ(semi.records.size(), 1u);
    EXPECT_EQ(semi.records[0].first, "Anna");

    // A row without its date column is refused with its line.
    const BatchFileError e = Refusal("first,last,date\nAnna,Lee,1950-01-15\nBob,Smith\n");
    EXPECT_EQ(e.kind, BatchFileError::Kind::Incomplete);
    EXPECT_EQ(e.line, 3);
    const BatchFileError d = Refusal("first,last,date\nAnna,Lee,1950-13-15\n");
    EXPECT_EQ(d.kind, BatchFileError::Kind::InvalidDate);
    EXPECT_EQ(d.line, 2);
}

TEST(BatchFile, NamesReadAsUtf8WithOrWithoutTheMarkOrAsWindows1252) {
    const QString name = QStringLiteral("Zoë Ångström");
    const QByteArray utf8 = "first,last,date\n" + name.toUtf8() + ",Ł,1950-01-15\n";
    EXPECT_EQ(Records(utf8).records.at(0).first, QStringLiteral("Zoë Ångström"));
    EXPECT_EQ(Records(utf8).records.at(0).last, QStringLiteral("Ł"));
    EXPECT_EQ(Records("\xEF\xBB\xBF" + utf8).records.at(0).first, QStringLiteral("Zoë Ångström"));
    EXPECT_EQ(Records("Zo\xEB,M\xFCller,1/15/1950\r\n").records.at(0).last, QStringLiteral("Müller"));
}

TEST(BatchFile, SpreadsheetExportsAreReadAsTheyCome) {
    const QString table = QStringLiteral("first\tlast\tdate\r\nZoë\tLee\t1950-01-15\r\n");
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar c : table) {
        le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
    }
    for (const QByteArray& unicodeText : {le, be}) {
        const BatchFileContents c = Records(unicodeText);
        ASSERT_EQ(c.records.size(), 1u);
        EXPECT_EQ(c.records[0].first, QStringLiteral("Zoë"));
        EXPECT_EQ(c.records[0].birthDate, QDate(1950, 1, 15));
    }

    // A first line "sep=" names the separator, with a header row or without; lines keep their numbers.
    const BatchFileContents plain = Records("sep=;\r\nAnna;Lee, Jr.;1/15/1950\r\nBob;Smith;2/3/1960\r\n");
    ASSERT_EQ(plain.records.size(), 2u);
    EXPECT_EQ(plain.records[0].last, "Lee, Jr.");
    EXPECT_EQ(plain.records[1].line, 3);
    const BatchFileContents table2 = Records("SEP=,\nlast,first,date\nLee,Anna,1950-01-15\n");
    ASSERT_EQ(table2.records.size(), 1u);
    EXPECT_TRUE(table2.hasHeader);
    EXPECT_EQ(table2.records[0].line, 3);
    EXPECT_EQ(Refusal("sep=;\r\nAnna;Lee;1/15/1950\r\nBob;Smith;31/31/1950\r\n").line, 3);

    // Neither: the line, and what was expected; no NUL reaches a message.
    const BatchFileError nul = Refusal(QByteArray("Anna,Lee,1/15/1950\r\nB\0o\0b\0", 26));
    EXPECT_EQ(nul.kind, BatchFileError::Kind::NotText);
    EXPECT_EQ(nul.line, 2);
    EXPECT_TRUE(nul.reason.contains("UTF-16 with its byte order mark")) << nul.reason.toStdString();
    EXPECT_FALSE(nul.reason.contains(QChar(0)));
    const BatchFileError noMark = Refusal(le.mid(2));
    EXPECT_EQ(noMark.kind, BatchFileError::Kind::NotText);
    EXPECT_EQ(noMark.line, 1);
    const BatchFileError sep = Refusal("sep=;;\r\nAnna;Lee;1/15/1950\r\n");
    EXPECT_EQ(sep.kind, BatchFileError::Kind::NotText);
    EXPECT_EQ(sep.line, 1);
    EXPECT_TRUE(sep.reason.contains("sep=; or sep=,")) << sep.reason.toStdString();
}

TEST(BatchFile, AFileThatCannotBeReadSaysSo) {
    TempProgramFolder folder;
    BatchFileResult missing = ReadBatchFile(folder.file("none.alb"), kLastYear, kUs);
    ASSERT_TRUE(std::holds_alternative<BatchFileError>(missing));
    EXPECT_EQ(std::get<BatchFileError>(missing).kind, BatchFileError::Kind::CannotRead);
    BatchFileResult folderItself = ReadBatchFile(folder.path(), kLastYear, kUs);
    ASSERT_TRUE(std::holds_alternative<BatchFileError>(folderItself));
    EXPECT_EQ(std::get<BatchFileError>(folderItself).kind, BatchFileError::Kind::CannotRead);

    folder.write("people.alb", "Anna,Lee,1/15/1950\r\n");
    BatchFileResult read = ReadBatchFile(folder.file("people.alb"), kLastYear, kUs);
    ASSERT_TRUE(std::holds_alternative<BatchFileContents>(read));
    EXPECT_EQ(std::get<BatchFileContents>(read).records.size(), 1u);
}

TEST(BatchFile, DatesAreIsoOrTheLocalesShortDate) {
    EXPECT_EQ(ParseBatchDate("1950-01-15", kUs), QDate(1950, 1, 15));
    EXPECT_EQ(ParseBatchDate(" 1/15/1950 ", kUs), QDate(1950, 1, 15));
    EXPECT_EQ(ParseBatchDate("01/05/1950", kUs), QDate(1950, 1, 5));
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ParseBatchDate("15.01.1950", german), QDate(1950, 1, 15));
    EXPECT_EQ(ParseBatchDate("1950-01-15", german), QDate(1950, 1, 15));
    EXPECT_FALSE(ParseBatchDate("2/30/1950", kUs).isValid());
    EXPECT_EQ(ParseBatchDate("#1950-01-15#", kUs), QDate(1950, 1, 15)) << "the record format's own date";
    // A fresh system's C locale has no numeric date of its own: it reads the US form.
    EXPECT_EQ(ParseBatchDate("1/15/1950", QLocale::c()), QDate(1950, 1, 15));
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(ParseBatchDate("15/01/1950", british), QDate(1950, 1, 15));
    EXPECT_FALSE(ParseBatchDate("1/15/1950", british).isValid());
    // What the messages name as accepted.
    EXPECT_EQ(AcceptedDateForms(QLocale::c()), "1950-01-15 or 1/15/1950");
    EXPECT_EQ(AcceptedDateForms(british), "1950-01-15 or 15/01/1950");
    EXPECT_EQ(AcceptedDateForms(german), "1950-01-15 or 15.01.1950");
}
