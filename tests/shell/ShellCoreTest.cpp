#include "cli/CommandLine.h"
#include "infoobjects/InfoCatalogue.h"
#include "foundation/HTMLHelp.h"
#include "foundation/SingleInstance.h"
#include "foundation/ToolCatalogue.h"
#include "foundation/Version.h"
#include "foundation/WebLinks.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace natalory;
using namespace natalory::test;

TEST(Version, DigitsAreJoinedWithoutSeparators) {
    EXPECT_EQ(VersionDigits({1, 0, 0}), QStringLiteral("100"));
    EXPECT_EQ(VersionDigits({2, 1, 5}), QStringLiteral("215"));
    EXPECT_EQ(VersionDigits({3, 0, 12}), QStringLiteral("3012"));
    EXPECT_EQ(BuildLabel({3, 0, 12}), QStringLiteral("Build 3.0.12"));
    EXPECT_TRUE(UpgradeCheckAddress({1, 0, 0}).endsWith(QStringLiteral("?version=100")));
}

TEST(WebLinks, AFailedOpenTellsWhereToGoAndASuccessSaysNothing) {
    ScriptedPrompt prompt;
    RecordingUrlOpener urls;
    OpenUrl(QStringLiteral("https://www.natalory.com/"), urls, prompt);
    EXPECT_TRUE(prompt.asked.empty());

    urls.succeed = false;
    CheckForUpgrades(urls, prompt);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              QStringLiteral(
                  "It looks like you don't have a default browser set.\nTo find what you were looking for, "
                  "please go to: \n") +
                  UpgradeCheckAddress(CurrentVersion()));
    EXPECT_TRUE(prompt.asked[0].title.isEmpty());
    EXPECT_EQ(prompt.asked[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(urls.opened.back(), UpgradeCheckAddress(CurrentVersion()));
}

TEST(Help, ContentsAndTopicsNameTheHelpFileOfTheProgramFolder) {
    RecordingHelpViewer viewer;
    ShowHelpContents(QStringLiteral("/opt/natalory"), viewer);
    ShowHelpTopic(QStringLiteral("/opt/natalory"), viewer, hcBirthdayDialog);
    ASSERT_EQ(viewer.shown.size(), 2u);
    EXPECT_EQ(viewer.shown[0].file, QStringLiteral("/opt/natalory/nataloryhelp.chm"));
    EXPECT_EQ(viewer.shown[0].window, QStringLiteral("Main"));
    EXPECT_EQ(viewer.shown[0].topic, 0);
    EXPECT_EQ(viewer.shown[1].topic, hcBirthdayDialog);
}

TEST(SingleInstance, OnlyOneHolderAtATime) {
    TempProgramFolder folder;
    const QString lock = folder.file("natalory.lock");
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.acquire());
        SingleInstance second(lock);
        EXPECT_FALSE(second.acquire());
    }
    SingleInstance later(lock);
    EXPECT_TRUE(later.acquire());
}

TEST(ToolCatalogue, EveryPlacedToolExistsOnceAndEveryMenuEntryResolves) {
    const ToolCatalogue& c = MainToolCatalogue();
    QSet<QString> ids;
    for (const ToolDef& t : c.tools) {
        EXPECT_FALSE(ids.contains(t.id)) << t.id.toStdString();
        ids.insert(t.id);
        if (t.kind != ToolKind::Menu) continue;
        for (const QString& entry : t.items)
            EXPECT_TRUE(entry == kSeparator || c.find(entry)) << entry.toStdString();
    }
    for (const BandDef& b : c.bands)
        for (const QString& entry : b.tools)
            EXPECT_TRUE(entry == kSeparator || c.find(entry)) << entry.toStdString();
    for (const QString& id : DocumentToolIds() + ArrangeToolIds())
        EXPECT_TRUE(c.find(id)) << id.toStdString();

    // The info-object menu: 33 tools in catalogue order, one separator after the newborn message.
    const ToolDef* info = c.find("ID_mnuInfoObjects");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->items.size(), 34);
    EXPECT_EQ(info->items.indexOf(kSeparator), info->items.indexOf("ID_NewbornMessage") + 1);
    EXPECT_EQ(InfoCatalogue().size(), 33u);
    EXPECT_EQ(c.find("ID_PresidentialAnnouncementLabel")->caption,
              QStringLiteral("Presidential Announcement Label "));
}

TEST(CommandLine, VersionHelpAndUnknownArguments) {
    CliResult v = RunCommandLine({"natalory-print", "--version"});
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_EQ(v.out, QStringLiteral("natalory-print 1.0.0\n"));
    CliResult h = RunCommandLine({"natalory-print", "--help"});
    EXPECT_EQ(h.exitCode, 0);
    EXPECT_TRUE(h.out.startsWith(QStringLiteral("Usage: natalory-print")));
    CliResult bad = RunCommandLine({"natalory-print", "--frobnicate"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("frobnicate")));
}
