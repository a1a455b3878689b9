#include "batch/PrintLog.h"

#include "support/Doubles.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace natalory;
using namespace natalory::test;

namespace {

AppState Print(const TempProgramFolder& folder, int type = ptNewspaper) {
    AppState s;
    s.LogFilePath = folder.file("birthday print log.log");
    s.birthday.BirthDate = QDate(1950, 1, 15);
    s.birthday.FirstName = "Anna";
    s.birthday.LastName = "Lee";
    s.birthday.PrintType = type;
    s.birthday.CustomTemplatePath = "/home/ann/party.als";
    return s;
}

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

}  // namespace

TEST(PrintLog, RecordsForPrintsCustomTemplatesAndExportsAndTheViewerCountsToday) {
    TempProgramFolder folder;
    const QDateTime at(QDate(2026, 12, 5), QTime(18, 30, 5));
    AppState s = Print(folder, ptUserTemplate);
    EXPECT_EQ(PrintLogRecord(s, at),
              "\"12-05-2026\",\"18:30:05\",#1950-01-15#,\"Anna Lee\",\"Custom\",\"/home/ann/party.als\"\r\n");
    s.birthday.PrintType = ptBlankPage;
    s.SavingToFile = true;
    s.birthday.FirstName = "Anna \"Annie\"";
    EXPECT_EQ(PrintLogRecord(s, at),
              "\"12-05-2026\",\"18:30:05\",#1950-01-15#,\"Anna 'Annie' Lee\",\"Saved As .emf File\",\"Custom "
              "From Blank\"\r\n");

    // Appending creates the file and adds whole records; the viewer counts today's, and knows a
    // record the end of the file cuts off.
    const QDate today(2026, 12, 6);
    ASSERT_TRUE(AppendPrintLog(Print(folder), QDateTime(today.addDays(-1), QTime(23, 59, 59))));
    ASSERT_TRUE(AppendPrintLog(Print(folder), QDateTime(today, QTime(0, 0, 1))));
    ASSERT_TRUE(AppendPrintLog(Print(folder), QDateTime(today, QTime(13, 5, 0))));
    folder.write("birthday print log.log",
                 folder.read("birthday print log.log") + "\"12-06-2026\",\"10:00:00\",#1950");
    const PrintLogContents log = ReadPrintLog(folder.file("birthday print log.log"), today, kUs);
    ASSERT_EQ(log.rows.size(), 3u);
    EXPECT_EQ(log.today, 2);
    EXPECT_TRUE(log.truncated);
    EXPECT_EQ(log.rows[2].time, "01:05:00 PM");
    EXPECT_EQ(log.rows[0].birthday, "1/15/1950");
    EXPECT_FALSE(ReadPrintLog(folder.file("none.log"), today).exists);
}

TEST(PrintLog, AFullDiskAddsNoPartOfARecordAndTheFailureIsToldOnce) {
    FullDisk disk;
    AppState s;
    s.LogFilePath = disk.file("birthday print log.log");
    s.birthday.BirthDate = QDate(1950, 1, 15);
    s.birthday.FirstName = "Anna";
    const QDateTime at(QDate(2026, 12, 5), QTime(18, 30, 5));
    // The log ends just short of a disk page, so the disk takes the start of the next record only.
    ASSERT_TRUE(AppendPrintLog(s, at));
    QFile log(s.LogFilePath);
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write(QByteArray(4086 - log.size() - 2, 'x') + "\r\n");
    log.close();
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray before = log.readAll();
    log.close();
    ASSERT_EQ(before.size(), 4086);

    s.birthday.LastName = QString(6000, u'L');
    QString why;
    bool appended = true;
    disk.run(4096, [&] { appended = AppendPrintLog(s, at.addSecs(1), &why); });
    EXPECT_FALSE(appended);
    EXPECT_FALSE(why.isEmpty());
    if (disk.real()) {
        EXPECT_EQ(why, "the disk is full");
    }
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), before);

    // Both callers go through LogPrint: the user hears of the first failure only.
    // (The log's folder is made when missing, so the failure here is a file where a folder should be.)
    AppState nowhere = s;
    QFile notAFolder(disk.file("not a folder"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    nowhere.LogFilePath = disk.file("not a folder/birthday print log.log");
    ScriptedPrompt prompt;
    LogPrint(nowhere, at, prompt);
    LogPrint(nowhere, at, prompt);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].title, kPrintLogTitle);
    EXPECT_TRUE(prompt.asked[0].text.contains("Not a directory")) << prompt.asked[0].text.toStdString();
}

TEST(PrintLog, AQuoteInAnyFieldKeepsTheRecordReadableAndTheViewerReadsPastADamagedOne) {
    TempProgramFolder folder;
    const QDate today(2026, 12, 6);
    AppState s = Print(folder, ptUserTemplate);
    s.birthday.CustomTemplatePath = "/home/ann/\"best\" party.als";
    // A record an older version left half written when the disk filled up.
    folder.write("birthday print log.log", "\"12-06-2026\",\"09:00:00\",#1950-0");
    ASSERT_TRUE(AppendPrintLog(s, QDateTime(today, QTime(10, 0, 0))));
    EXPECT_TRUE(folder.read("birthday print log.log").endsWith(",\"/home/ann/'best' party.als\"\r\n"));
    // What an older writer left for the same print, and garbage: the viewer shows the records around them.
    folder.write("birthday print log.log",
                 folder.read("birthday print log.log") +
                     "\"12-06-2026\",\"09:30:00\",#1950-01-15#,\"Anna Lee\",\"Custom\","
                     "\"/home/ann/\"best\" party.als\"\r\ngarbage,,\r\n");
    ASSERT_TRUE(AppendPrintLog(s, QDateTime(today, QTime(12, 0, 0))));
    const PrintLogContents log = ReadPrintLog(s.LogFilePath, today, kUs);
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[0].customPath, "/home/ann/'best' party.als");
    EXPECT_EQ(log.rows[0].time, "10:00:00 AM");
    EXPECT_EQ(log.rows[1].time, "12:00:00 PM");
    EXPECT_EQ(log.today, 2);
    EXPECT_FALSE(log.truncated);
    EXPECT_EQ(log.damagedLines, std::vector<int>({1, 3, 4}));
}

TEST(PrintLog, AWindows1252LogTakingANameBeyondItIsConvertedOnceToUtf8) {
    TempProgramFolder folder;
    const QDate today(2026, 12, 6);
    AppState s = Print(folder);
    s.birthday.FirstName = QString::fromUtf8("Zo\u00EB");
    ASSERT_TRUE(AppendPrintLog(s, QDateTime(today, QTime(9, 0, 0))));
    const QByteArray cp1252 = folder.read("birthday print log.log");
    EXPECT_EQ(cp1252, "\"12-06-2026\",\"09:00:00\",#1950-01-15#,\"Zo\xEB Lee\",\"Newspaper\",\"n/a\"\r\n");

    for (const char* name : {"\u0141ucja", "\u0418\u0432\u0430\u043D", "\u9673", "Zo\u00EB"}) {
        s.birthday.FirstName = QString::fromUtf8(name);
        ASSERT_TRUE(AppendPrintLog(s, QDateTime(today, QTime(10, 0, 0))));
    }
    const QByteArray utf8 = folder.read("birthday print log.log");
    EXPECT_EQ(utf8.count("\xEF\xBB\xBF"), 1);
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF\"12-06-2026\",\"09:00:00\",#1950-01-15#,\"Zo\xC3\xAB Lee\""));
    EXPECT_TRUE(utf8.endsWith("\"Zo\xC3\xAB Lee\",\"Newspaper\",\"n/a\"\r\n"));
    const PrintLogContents log = ReadPrintLog(s.LogFilePath, today, kUs);
    ASSERT_EQ(log.rows.size(), 5u);
    EXPECT_TRUE(log.damagedLines.empty());
    EXPECT_EQ(log.rows[0].name, QString::fromUtf8("Zo\u00EB Lee"));
    EXPECT_EQ(log.rows[1].name, QString::fromUtf8("\u0141ucja Lee"));
    EXPECT_EQ(log.rows[3].name, QString::fromUtf8("\u9673 Lee"));
}
