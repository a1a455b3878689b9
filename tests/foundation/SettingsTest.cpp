#include "foundation/ProgramFolders.h"
#include "foundation/Settings.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

using namespace natalory;
using natalory::test::TempProgramFolder;

namespace {

struct SettingsFile : ::testing::Test {
    TempProgramFolder folder;
    AppState state;
    void SetUp() override { state.ProgramFolder = folder.path(); }
};

}  // namespace

// The Windows-1252 file is what the Options dialog writes back unchanged.
TEST_F(SettingsFile, PathsBeyondWindows1252SurviveWithTheUtf8MarkAndNoneIsLostToABadOne) {
    const Settings utf8{"/home/\u0142ucja/\u0428\u0430\u0431\u043B\u043E\u043D\u044B/\u751F\u65E5.als", "Z",
                        "/home/\u0142ucja/"};
    ASSERT_TRUE(WriteSettings(state, utf8));
    EXPECT_TRUE(folder.read("vir1.cgf").startsWith("\xEF\xBB\xBF\"/home/\xC5\x82ucja/"));
    state.settings = {};
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::File);
    EXPECT_EQ(state.settings, utf8);
    // A value the file cannot hold leaves the old file as it was.
    const QByteArray before = folder.read("vir1.cgf");
    Settings bad = DefaultSettings();
    bad.DefaultTemplatePath = QStringLiteral("/tmp/\"quoted\".als");
    QString error;
    EXPECT_FALSE(WriteSettings(state, bad, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("double quote")));
    EXPECT_EQ(folder.read("vir1.cgf"), before);
}

// Bare tokens, empty numbers, LF line ends and values no dialog could write are read; a missing,
// short or damaged file gives the defaults.
TEST_F(SettingsFile, WhatIsReadFromEachKindOfFile) {
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::DefaultsNoFile);
    EXPECT_EQ(state.settings, (Settings{"", "A", "", 0, false, true, true, true, false, 0, 0}));
    const SettingsSource damaged = SettingsSource::DefaultsDamagedFile;
    const struct {
        QByteArray file;
        SettingsSource source;
        Settings read;
    } cases[] = {
        {" ,B , /tmp/ ,3,#FALSE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,,-5\n",
         SettingsSource::File,
         {"", "B", "/tmp/", 3, false, true, true, true, false, 0, -5}},
        // A style and a date mode no dialog offers fall back one by one.
        {"\"\",\"Q\",\"\",7,#TRUE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,10,20\r\n",
         SettingsSource::File,
         {"", "A", "", 0, true, true, true, true, false, 10, 20}},
        {"", damaged, DefaultSettings()},
        {"\"\",\"A\",\"\",0,#TRUE#", damaged, DefaultSettings()},  // cut short
        {"\"\",\"A\",\"\",zero,#TRUE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,0,0\r\n", damaged, DefaultSettings()},
        {QByteArray("\x00\xFF\x12\"\x01garbage", 12), damaged, DefaultSettings()},
    };
    for (const auto& c : cases) {
        folder.write("vir1.cgf", c.file);
        state.settings.DefaultStyle = QStringLiteral("left over");
        const SettingsReadResult r = ReadSettings(state);
        EXPECT_EQ(r.source, c.source) << c.file.toStdString();
        EXPECT_EQ(r.error.message.isEmpty(), c.source == SettingsSource::File) << c.file.toStdString();
        EXPECT_EQ(state.settings, c.read) << c.file.toStdString();
    }
}

TEST_F(SettingsFile, TheFileAndTheFolderMadeForItAreTheUsersAlone) {
    QFile::setPermissions(folder.path(), QFile::Permissions(0x7755));
    state.ConfigFolder = folder.file("config/natalory");
    ASSERT_TRUE(WriteSettings(state, state.settings));
    const QString file = ConfigFile(state, QString::fromLatin1(kSettingsFileName));
    EXPECT_EQ(QFileInfo(file).permissions() & 0x0077, 0);
    for (const QString& made : {folder.file("config"), folder.file("config/natalory")})
        EXPECT_EQ(QFileInfo(made).permissions() & 0x0077, 0) << made.toStdString();
    // The folder that was there already is left as it was.
    EXPECT_NE(QFileInfo(folder.path()).permissions() & 0x0077, 0);
}
