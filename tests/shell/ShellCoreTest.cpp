#include "foundation/Dispatch.h"
#include "foundation/ToolCatalogue.h"
#include "infoobjects/InfoCatalogue.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace natalory;
using namespace natalory::test;

// A tool a band or menu names but the catalogue lacks stops the main window from starting; one
// named twice would silently stand for another.
TEST(ToolCatalogue, EveryToolExistsOnceAndTheInfoMenuListsEveryInfoObject) {
    const ToolCatalogue& c = MainToolCatalogue();
    QSet<QString> ids;
    for (const ToolDef& t : c.tools) {
        EXPECT_FALSE(ids.contains(t.id)) << t.id.toStdString();
        ids.insert(t.id);
    }

    // The info-object menu: 33 tools in catalogue order, one separator after the newborn message.
    const ToolDef* info = c.find("ID_mnuInfoObjects");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->items.size(), 34);
    EXPECT_EQ(info->items.indexOf(kSeparator), info->items.indexOf("ID_NewbornMessage") + 1);
    EXPECT_EQ(InfoCatalogue().size(), 33u);
    EXPECT_EQ(c.find("ID_PresidentialAnnouncementLabel")->caption,
              QStringLiteral("Presidential Announcement Label "));
}

// Where the ID does not say the command it runs; an ID the dispatch does not know runs none.
TEST(Dispatch, ToolsWhoseIdsDoNotSayTheirCommandRunTheRightOne) {
    for (const auto& [id, command] : {std::pair{"ID_NewShape", Command::InsertSquare},
                                      {"ID_TopBooks", Command::InsertInfoObject},
                                      {"ID_President'sEconomicReport", Command::InsertInfoObject},
                                      {"ID_Red", Command::FixedColor},
                                      {"ID_SaveToemfFile", Command::SaveAsMetafile},
                                      {"id_new", Command::None},
                                      {"ID_Nonsense", Command::None}})
        EXPECT_EQ(CommandForTool(QString::fromLatin1(id), 0), command) << id;
}
