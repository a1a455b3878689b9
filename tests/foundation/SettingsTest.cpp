#include "foundation/ProgramFolders.h"
#include "foundation/Settings.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

using namespace natalory;
using natalory::test::TempProgramFolder;

namespace {

AppState StateIn(const TempProgramFolder& folder) {
    AppState s;
    s.ProgramFolder = folder.path();
    return s;
}

}  // namespace

TEST(Settings, AllElevenValuesSurviveAWriteAndARead) {
    TempProgramFolder folder;
    AppState state = StateIn(folder);
    Settings s;
    s.DefaultTemplatePath = QStringLiteral("/home/ann/My Templates/party.als");
    s.DefaultStyle = QStringLiteral("Z");
    s.LastTemplateFolder = QString();
    s.DateCalcMode = 2;
    s.QuickPrinting = true;
    s.AutosizeFonts = false;
    s.FullJustifyNews = true;
    s.LogPrintouts = false;
    s.UsePrinterFonts = true;
    s.PrintOffsetX = -720;
    s.PrintOffsetY = 1440;
    ASSERT_TRUE(WriteSettings(state, s));

    EXPECT_EQ(folder.read("vir1.cgf"),
              QByteArray("\"/home/ann/My Templates/party.als\",\"Z\",\"\",2,#TRUE#,#FALSE#,#TRUE#,#FALSE#,"
                         "#TRUE#,-720,1440\r\n"));
    const SettingsReadResult r = ReadSettings(state);
    EXPECT_EQ(r.source, SettingsSource::File);
    EXPECT_EQ(state.settings, s);
}

TEST(Settings, ATemplatePathInAnyScriptIsSavedAndReadBack) {
    TempProgramFolder folder;
    AppState state = StateIn(folder);
    Settings s;
    s.DefaultStyle = QStringLiteral("Z");
    s.DefaultTemplatePath =
        QStringLiteral("/home/\u0142ucja/\u0428\u0430\u0431\u043B\u043E\u043D\u044B/\u751F\u65E5.als");
    s.LastTemplateFolder = QStringLiteral("/home/\u0142ucja/");
    ASSERT_TRUE(WriteSettings(state, s));
    EXPECT_TRUE(folder.read("vir1.cgf").startsWith("\xEF\xBB\xBF\"/home/\xC5\x82ucja/"));
    state.settings = {};
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::File);
    EXPECT_EQ(state.settings, s);
}

TEST(Settings, BareTokensAndLfLineEndsAreRead) {
    TempProgramFolder folder;
    folder.write("vir1.cgf", " ,B , /tmp/ ,3,#FALSE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,0,-5\n");
    AppState state = StateIn(folder);
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::File);
    EXPECT_EQ(state.settings.DefaultStyle, QStringLiteral("B"));
    EXPECT_EQ(state.settings.LastTemplateFolder, QStringLiteral("/tmp/"));
    EXPECT_EQ(state.settings.DateCalcMode, 3);
    EXPECT_EQ(state.settings.PrintOffsetY, -5);
}

TEST(Settings, AMissingShortOrDamagedFileGivesTheDefaults) {
    const QByteArray damaged[] = {
        "",
        "\"\",\"A\",\"\",0,#TRUE#",                                          // cut short
        "\"\",\"A\",\"\",zero,#TRUE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,0,0\r\n",  // a word for a number
        QByteArray("\x00\xFF\x12\"\x01garbage", 12),
    };
    for (const QByteArray& bytes : damaged) {
        TempProgramFolder folder;
        folder.write("vir1.cgf", bytes);
        AppState state = StateIn(folder);
        state.settings.DefaultStyle = QStringLiteral("left over");
        const SettingsReadResult r = ReadSettings(state);
        EXPECT_EQ(r.source, SettingsSource::DefaultsDamagedFile) << bytes.toStdString();
        EXPECT_FALSE(r.error.message.isEmpty());
        EXPECT_EQ(state.settings, DefaultSettings());
    }

    TempProgramFolder empty;
    AppState state = StateIn(empty);
    EXPECT_EQ(ReadSettings(state).source, SettingsSource::DefaultsNoFile);
    EXPECT_EQ(state.settings.DefaultStyle, QStringLiteral("A"));
    EXPECT_TRUE(state.settings.AutosizeFonts);
    EXPECT_TRUE(state.settings.FullJustifyNews);
    EXPECT_TRUE(state.settings.LogPrintouts);
    EXPECT_FALSE(state.settings.QuickPrinting);
    EXPECT_EQ(state.settings.DateCalcMode, 0);
}

TEST(Settings, ValuesNoDialogCouldWriteFallBackOneByOne) {
    TempProgramFolder folder;
    folder.write("vir1.cgf", "\"\",\"Q\",\"\",7,#TRUE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,10,20\r\n");
    AppState state = StateIn(folder);
    ReadSettings(state);
    EXPECT_EQ(state.settings.DefaultStyle, QStringLiteral("A"));
    EXPECT_EQ(state.settings.DateCalcMode, 0);
    EXPECT_TRUE(state.settings.QuickPrinting);
    EXPECT_EQ(state.settings.PrintOffsetX, 10);
}

TEST(Settings, AValueTheFileCannotHoldLeavesTheOldFileAsItWas) {
    TempProgramFolder folder;
    AppState state = StateIn(folder);
    ASSERT_TRUE(WriteSettings(state, DefaultSettings()));
    const QByteArray before = folder.read("vir1.cgf");
    Settings bad = DefaultSettings();
    bad.DefaultTemplatePath = QStringLiteral("/tmp/\"quoted\".als");
    QString error;
    EXPECT_FALSE(WriteSettings(state, bad, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("double quote")));
    EXPECT_EQ(folder.read("vir1.cgf"), before);
}

TEST(Settings, TheFileAndTheFolderMadeForItAreTheUsersAlone) {
    TempProgramFolder folder;
    QFile::setPermissions(folder.path(), QFile::Permissions(0x7755));
    AppState state;
    state.ProgramFolder = folder.path();
    state.ConfigFolder = folder.file("config/natalory");
    ASSERT_TRUE(WriteSettings(state, state.settings));
    const QString file = ConfigFile(state, QString::fromLatin1(kSettingsFileName));
    EXPECT_EQ(QFileInfo(file).permissions() & 0x0077, 0);
    for (const QString& made : {folder.file("config"), folder.file("config/natalory")})
        EXPECT_EQ(QFileInfo(made).permissions() & 0x0077, 0) << made.toStdString();
    // The folder that was there already is left as it was.
    EXPECT_NE(QFileInfo(folder.path()).permissions() & 0x0077, 0);
}
