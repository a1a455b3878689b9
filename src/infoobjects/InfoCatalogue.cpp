#include "infoobjects/InfoCatalogue.h"

#include <array>

namespace natalory {
namespace {

constexpr std::array<InfoKind, 33> kKinds = {{
    {"johndoeborntoday", "John Doe Born Today", "John Doe Born Today!", "ID_JohnDoeBornToday", "A Headline"},
    {"birthyearlabel", "Birth Year Label", "Birth Year Label", "ID_BirthYearLabel", "Birth Year Label"},
    {"bornondate", "Born On Date", "Born On Date", "ID_BornOnDate", ""},
    {"birthyearheadlines", "Birth Year Headlines", "Birth Year Headlines", "ID_BirthYearHeadlines",
     "Five Headlines From Birth Year"},
    {"costofgoodsin", "Cost of Goods In...Label", "Cost of Goods In.... Label", "ID_CostofGoodsLabel", ""},
    {"historicaleconomics", "Historical Economics", "Historical Economics", "ID_HistoricalEconomics", ""},
    {"aroundtheworld", "Around The World In...", "Around the World In...", "ID_AroundtheWorldIn...",
     "Yearly Headline Announcement"},
    {"currenteconomics", "Current Economics", "Current Economics", "ID_CurrentEconomics", ""},
    {"bitsofinfo", "Bits Of Info", "BitsOfInfo", "ID_BitsOfInfo", ""},
    {"longdate", "Long Date Object", "Long Date", "ID_LongDate", ""},
    {"westernastrology", "Western Astrology", "Western Sign Description", "ID_WesternSignDescription", ""},
    {"chineseastrology", "Chinese Astrology", "Chinese Sign Description", "ID_ChineseSignDescription", ""},
    {"topsongs", "Top Songs", "Top Songs", "ID_TopSongs", ""},
    {"topsongsinlabel", "Top Songs In Label", "Top Songs In...Label", "ID_TopSongsInLabel", ""},
    {"academyawards", "Academy Awards", "Academy Awards", "ID_AcademyAwards", ""},
    {"nameannouncement", "Name Announcement", "Name Announcement", "ID_NameAnnouncement", ""},
    {"celebritybirthdaylist", "Celebrity Birthday List", "Celebrity Birthday List",
     "ID_CelebrityBirthdayList", ""},
    {"topbooks", "Top Books", "Top Books", "ID_TopBooks", ""},
    {"newbornmessage", "Newborn Message", "Newborn Message", "ID_NewbornMessage", ""},
    {"specialeditionnotice", "Special Edition Notice", "Special Edition Notice", "ID_SpecialEditionNotice",
     ""},
    {"presidentialannouncementlabel", "Presidential Announcement Label", "Presidential Announcement Label ",
     "ID_PresidentialAnnouncementLabel", "Label - President Announces..."},
    {"presidentsreport", "Presidents Report", "President's Economic Report", "ID_President'sEconomicReport",
     "Presidents Article on the birth year's economy."},
    {"editorialnote", "Editorial Note", "Editorial Note", "ID_EditorialNote", ""},
    {"celebrityarticle", "Celebrity Article", "Celebrity Article", "ID_CelebrityArticle", ""},
    {"celebrityarticlelabel", "Celebrity Article Label", "Celebrity Article Label",
     "ID_CelebrityArticleLabel", ""},
    {"worldseriesarticle", "World Series Article", "World Series Article", "ID_WorldSeriesArticle", ""},
    {"worldseriesheadline", "World Series Headline", "World Series Headline", "ID_WorldSeriesHeadline", ""},
    {"academyawardsarticle", "Academy Awards Article", "Academy Awards Article", "ID_AcademyAwardsArticle",
     ""},
    {"academyawardsheadline", "Academy Awards Headline", "Academy Awards Headline",
     "ID_AcademyAwardsHeadline", ""},
    {"musicarticle", "Music Article", "Music Article", "ID_MusicArticle", ""},
    {"musicheadline", "Music Headline", "Music Headline", "ID_MusicHeadline", ""},
    {"westernastrologyarticle", "Western Astrology Article", "Western Astrology Article",
     "ID_WesternAstrologyArticle", ""},
    {"chineseastrologyarticle", "Chinese Astrology Article", "Chinese Astrology Article",
     "ID_ChineseAstrologyArticle", ""},
}};

}  // namespace

std::span<const InfoKind> InfoCatalogue() {
    return kKinds;
}

const InfoKind* FindInfoKindByKey(QStringView key) {
    for (const InfoKind& k : kKinds)
        if (key == QLatin1StringView(k.key)) return &k;
    return nullptr;
}

const InfoKind* FindInfoKindByTool(QStringView toolId) {
    for (const InfoKind& k : kKinds)
        if (toolId == QLatin1StringView(k.toolId)) return &k;
    return nullptr;
}

}  // namespace natalory
