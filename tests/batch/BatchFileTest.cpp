#include "batch/BatchFile.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
constexpr int kLastYear = 2025;
using Kind = BatchFileError::Kind;

// Each record as "number@line first|last|date|parents", after "header" when the file has a header row.
QStringList Records(const QByteArray& bytes) {
    BatchFileResult r = ParseBatchFile(bytes, QStringLiteral("people.alb"), kLastYear, kUs);
    if (auto* e = std::get_if<BatchFileError>(&r)) {
        ADD_FAILURE() << "refused at line " << e->line << ": " << e->fields.join(u'|').toStdString();
        return {};
    }
    QStringList rows;
    if (std::get<BatchFileContents>(r).hasHeader) rows << "header";
    for (const BatchRecord& b : std::get<BatchFileContents>(r).records)
        rows << QStringLiteral("%1@%2 %3|%4|%5|%6")
                    .arg(b.number)
                    .arg(b.line)
                    .arg(b.first, b.last, b.birthDate.toString(Qt::ISODate), b.parents);
    return rows;
}

BatchFileError Refusal(const QByteArray& bytes, int lastYear = kLastYear) {
    BatchFileResult r = ParseBatchFile(bytes, QStringLiteral("people.alb"), lastYear, kUs);
    if (auto* e = std::get_if<BatchFileError>(&r)) return *e;
    ADD_FAILURE() << "the file was accepted: " << bytes.toStdString();
    return {};
}

QByteArray Utf16(const QString& text, bool littleEndian) {
    QByteArray bytes(littleEndian ? "\xFF\xFE" : "\xFE\xFF");
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

}  // namespace

TEST(BatchFile, FieldsAreSeparatedByCommasOrLineEndsAndQuotesHoldCommasAndLineEnds) {
    // A record may spread over lines; it is numbered by records, located by
    // lines.
    EXPECT_EQ(Records("Anna,Lee,1/15/1950\r\n"
                      "\"Bob\",\"Smith, Jr.\",\"2/3/1960\"\r\n"
                      "  Cara  ,   Doe ,  1970-07-04  \n"
                      "\n"
                      "Dan\n"
                      "Roe\n"
                      "12/31/2025\n"
                      "\"Eve\",\"Two\r\nLines\",01/05/1901,Fay,Ng,1900-01-01"),
              QStringList({"1@1 Anna|Lee|1950-01-15|", "2@2 Bob|Smith, Jr.|1960-02-03|",
                           "3@3 Cara|Doe|1970-07-04|", "4@5 Dan|Roe|2025-12-31|",
                           "5@8 Eve|Two\r\nLines|1901-01-05|", "6@9 Fay|Ng|1900-01-01|"}));
    EXPECT_EQ(Records(""), QStringList());
    EXPECT_EQ(Records("\r\n  \r\n\n"), QStringList());
}

TEST(BatchFile, AHeaderRowOrSeparatorLineAndTheTextsSpreadsheetsExport) {
    EXPECT_EQ(Records("Birth Date,LAST NAME,first,Parents,Notes\r\n"
                      "1950-01-15,Lee,Anna,\"Mary \"\"May\"\" and John\",x\r\n"
                      "\r\n"
                      "3/4/1960,\"O'Neil, Jr.\",Bob\r\n"),
              QStringList({"header", "1@2 Anna|Lee|1950-01-15|Mary \"May\" and John",
                           "2@4 Bob|O'Neil, Jr.|1960-03-04|"}));
    // Semicolons, as spreadsheets write them where the comma is the decimal
    // point; a first line "sep=" names the separator, with a header row or
    // without; lines keep their numbers.
    EXPECT_EQ(Records("last;first;date\nLee;Anna;1950-01-15\n"),
              QStringList({"header", "1@2 Anna|Lee|1950-01-15|"}));
    EXPECT_EQ(Records("sep=;\r\nAnna;Lee, Jr.;1/15/1950\r\nBob;Smith;2/3/1960\r\n"),
              QStringList({"1@2 Anna|Lee, Jr.|1950-01-15|", "2@3 Bob|Smith|1960-02-03|"}));
    EXPECT_EQ(Records("SEP=,\nlast,first,date\nLee,Anna,1950-01-15\n"),
              QStringList({"header", "1@3 Anna|Lee|1950-01-15|"}));

    // UTF-8 with or without its mark, Windows-1252, and UTF-16 after its mark
    // either way round.
    const QString name = QStringLiteral("Zoë Ångström");
    const QByteArray utf8 = "first,last,date\n" + name.toUtf8() + ",Ł,1950-01-15\n";
    EXPECT_EQ(Records(utf8), QStringList({"header", "1@2 Zoë Ångström|Ł|1950-01-15|"}));
    EXPECT_EQ(Records("\xEF\xBB\xBF" + utf8), QStringList({"header", "1@2 Zoë Ångström|Ł|1950-01-15|"}));
    EXPECT_EQ(Records("Zo\xEB,M\xFCller,1/15/1950\r\n"), QStringList{"1@1 Zoë|Müller|1950-01-15|"});
    for (bool littleEndian : {true, false})
        EXPECT_EQ(
            Records(Utf16(QStringLiteral("first\tlast\tdate\r\nZoë\tLee\t1950-01-15\r\n"), littleEndian)),
            QStringList({"header", "1@2 Zoë|Lee|1950-01-15|"}));
}

TEST(BatchFile, TheFirstBadRecordIsRefusedWithItsKindAndLine) {
    const QByteArray le = Utf16(QStringLiteral("first\tlast\tdate\r\n"), true);
    const struct {
        QByteArray file;
        Kind kind;
        int line;
        int lastYear = kLastYear;
    } refused[] = {
        {"Anna,Lee,1/15/1950\r\nBob,Smith,31/31/1950\r\nCara,Doe,nonsense\r\n", Kind::InvalidDate, 2},
        // The years the data covers, and nothing a two-digit year leaves open.
        {"Anna,Lee,1/15/1899", Kind::DateOutOfRange, 1},
        {"Anna,Lee,2026-01-01", Kind::DateOutOfRange, 1},
        {"Anna,Lee,2005-01-01", Kind::DateOutOfRange, 1, 2004},
        {"Anna,Lee,1/15/50", Kind::InvalidDate, 1},
        {"Anna,Lee,", Kind::InvalidDate, 1},
        {"\"Anna\",\"Lee", Kind::Incomplete, 1},
        {"Anna,Lee,1/15/1950\r\nBob,Smith\r\n", Kind::Incomplete, 2},
        // A table's row without its date column, or with a bad one.
        {"first,last,date\nAnna,Lee,1950-01-15\nBob,Smith\n", Kind::Incomplete, 3},
        {"first,last,date\nAnna,Lee,1950-13-15\n", Kind::InvalidDate, 2},
        {"sep=;\r\nAnna;Lee;1/15/1950\r\nBob;Smith;31/31/1950\r\n", Kind::InvalidDate, 3},
        // Neither text nor a separator: the line, and what was expected.
        {le.mid(2), Kind::NotText, 1},
        {"sep=;;\r\nAnna;Lee;1/15/1950\r\n", Kind::NotText, 1},
    };
    for (const auto& r : refused) {
        const BatchFileError error = Refusal(r.file, r.lastYear);
        EXPECT_EQ(error.kind, r.kind) << r.file.toStdString();
        EXPECT_EQ(error.line, r.line) << r.file.toStdString();
    }
    EXPECT_TRUE(Refusal("sep=;;\r\nAnna;Lee;1/15/1950\r\n").reason.contains("sep=; or sep=,"));
    // No NUL reaches a message.
    const BatchFileError nul = Refusal(QByteArray("Anna,Lee,1/15/1950\r\nB\0o\0b\0", 26));
    EXPECT_EQ(nul.kind, Kind::NotText);
    EXPECT_EQ(nul.line, 2);
    EXPECT_TRUE(nul.reason.contains("UTF-16 with its byte order mark")) << nul.reason.toStdString();
    EXPECT_FALSE(nul.reason.contains(QChar(0)));
}

TEST(BatchFile, DatesAreIsoOrTheLocalesShortDate) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const struct {
        const char* text;
        QLocale locale;
        QDate date;
    } dates[] = {
        {"1950-01-15", kUs, {1950, 1, 15}},
        {" 1/15/1950 ", kUs, {1950, 1, 15}},
        {"01/05/1950", kUs, {1950, 1, 5}},
        {"15.01.1950", german, {1950, 1, 15}},
        {"2/30/1950", kUs, {}},
        {"#1950-01-15#", kUs, {1950, 1, 15}},  // the record format's own date
        {"15/01/1950", british, {1950, 1, 15}},
    };
    for (const auto& d : dates) EXPECT_EQ(ParseBatchDate(d.text, d.locale), d.date) << d.text;
    // What the messages name as accepted.
    EXPECT_EQ(AcceptedDateForms(german), "1950-01-15 or 15.01.1950");
}
