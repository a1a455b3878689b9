#include "infoobjects/Generators.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace natalory;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

// A birthday with hand-made values in display form.
AppState Birthday(int year, const QString& first = "Anna", const QString& last = "Lee") {
    AppState s;
    s.birthday.BirthDate = QDate(year, 1, 15);
    s.birthday.FirstName = first;
    s.birthday.LastName = last;
    s.birthday.ParentsName = "Ruth Lee";
    YearData& y = s.year;
    for (int i = 0; i < 6; ++i) y.YearHeadline[size_t(i)] = QStringLiteral("H%1").arg(i + 1);
    for (int i = 0; i < 5; ++i) y.Celebrity[size_t(i)] = QStringLiteral("C%1").arg(i + 1);
    y.SeriesWinner = "New York Yankees";
    y.SeriesLoser = "Philadelphia Phillies";
    y.SeriesResult = "4 games to 0";
    y.BestActor = "Broderick Crawford";
    y.BestActress = "Olivia de Havilland";
    y.BestFilm = "All the King's Men";
    y.SongTitle1 = "Goodnight Irene", y.SongArtist1 = "The Weavers";
    y.SongTitle2 = "Mona Lisa", y.SongArtist2 = "Nat King Cole";
    y.SongTitle3 = "The Third Man Theme", y.SongArtist3 = "Anton Karas";
    y.BookTitle1 = "The Cardinal", y.BookAuthor1 = "Henry Morton Robinson";
    y.HousePrice = "$11,000", y.MilkPrice = "$0.41", y.BreadPrice = "$0.14", y.AverageIncome = "$2,485";
    y.ConsumerPriceIndex = "24.10", y.Population = "152,271,417";
    CalendarFacts& f = s.facts;
    f.WesternSign = "Capricorn", f.WesternCompatible = "Taurus and Virgo", f.WesternSignText = "Best known.";
    f.ChineseSign = "Earth Ox", f.ChineseCompatible = "Snakes and Roosters", f.ChineseSignText = "Calm.";
    f.President = "Harry S Truman", f.Birthstone = "Garnet", f.BirthstoneMeaning = "Constancy";
    f.BirthFlower = "Carnations", f.AsOfLongDate = "Tuesday, March 4, 2003", f.AgeWholeYears = "53";
    f.AgeDays = "19,358", f.AgeHours = "464,592", f.DaysSlept = "6,452.7", f.StampPrice = "$0.03";
    return s;
}

// A year whose World Series the data has no result for yet.
AppState SeriesToCome(int year) {
    AppState s = Birthday(year);
    s.year.SeriesWinner.clear(), s.year.SeriesLoser.clear(), s.year.SeriesResult.clear();
    return s;
}

// The World Series added to the headlines and to the bits of info.
AppState WithSeries(AppState s) {
    s.data.WorldToHeadlines = s.data.AddWorldToBits = true;
    return s;
}

AppState WithEconomics(std::initializer_list<bool DataSettings::*> lines, bool amounts) {
    AppState s = Birthday(1950);
    for (bool DataSettings::*line : lines) s.data.*line = true;
    s.data.AddAmounts = amounts;
    return s;
}

QString Caption(const char* key, const AppState& s) {
    return GenerateCaption(QString::fromLatin1(key), s, kUs);
}

enum class Match { Whole, Start, End, Part };

struct Expected {
    const char* key;
    AppState state;
    QString text;
    Match match = Match::Whole;
};

const QString kBits =
    "Harry S Truman was President of the U.S.A.\r\nYour birth stone is Garnet\r\nYour birth stone means "
    "Constancy\r\nYour birth flower - Carnations\r\nAs of Tuesday, March 4, 2003, you are 53 years old\r\n"
    "...that's about 19,358 days\r\n...you've slept about 6,452.7 of those days.";
const QString kSixHeadlines = "H1\r\nH2\r\nH3\r\nH4\r\nH5\r\nH6";
const QString kYankees = "New York Yankees beats Philadelphia Phillies in World Series!";

}  // namespace

TEST(Generators, EveryKindWritesItsTextForTheBirthday) {
    const AppState s = Birthday(1950);
    using D = DataSettings;
    const Expected rows[] = {
        {"bornondate", s, "Anna Lee, Born On Sunday, January 15, 1950"},
        {"nameannouncement", s, "Anna Lee born on Sunday, January 15, 1950"},
        {"longdate", s, "Sunday, January 15, 1950"},
        {"aroundtheworld", s, "Around The World In...1950"},
        {"newbornmessage", s, "Today Anna Lee was born to Ruth Lee"},
        {"specialeditionnotice", s, "Special Edition For Anna Lee"},
        {"newbornmessage", Birthday(1950, "Bo", ""), "Today Bo  was born to Ruth Lee"},
        // Headlines, with the World Series after them where one was played and decided.
        {"birthyearheadlines", s, kSixHeadlines},
        {"birthyearheadlines", WithSeries(s), kSixHeadlines + "\r\n" + kYankees},
        {"birthyearheadlines", WithSeries(Birthday(1903)), kSixHeadlines},
        {"birthyearheadlines", WithSeries(Birthday(1904)), "Giants refuse to play Boston in World Series",
         Match::End},
        {"birthyearheadlines", WithSeries(Birthday(1994)), "No World Series due to baseball strike",
         Match::End},
        {"birthyearheadlines", WithSeries(SeriesToCome(2026)), kSixHeadlines},
        {"worldseriesheadline", Birthday(1900), "First World Series In  Three Years!"},
        {"worldseriesheadline", Birthday(1901), "First World Series In  Two Years!"},
        {"worldseriesheadline", Birthday(1902), "First World Series In  One Year!"},
        {"worldseriesheadline", Birthday(1904), "No World Series!  Team Refuses To Play!"},
        {"worldseriesheadline", Birthday(1994), "Baseball On Strike!"},
        {"worldseriesheadline", SeriesToCome(2026), "The World Series In 2026"},
        {"worldseriesarticle", s,
         "New York Yankees fans are celebrating today!  The New York Yankees take the 1950 world title in "
         "baseball. The Philadelphia Phillies took a decent beating, losing the World Series 4 games to 0."},
        {"worldseriesarticle", Birthday(1902), "and is scheduled to begin in 1903.", Match::End},
        {"worldseriesarticle", Birthday(1904),
         "There will be no World Series this year because John T. Brush, president of the National League "
         "champion New York Giants, is refusing to allow his team to compete against Boston, the "
         "representative of the \"inferior\" American League."},
        {"worldseriesarticle", Birthday(1994), "strike that has cancelled the rest of the season.",
         Match::End},
        {"worldseriesarticle", SeriesToCome(2026), "Baseball fans are gearing up for the 100th",
         Match::Start},
        // Awards, music, books and celebrities.
        {"academyawardsheadline", s, "Year 1950 Academy Awards"},
        {"academyawardsarticle", s,
         "Another great year for the film industry! The Academy of Motion Picture Arts and Sciences honored "
         "entertainers who have truly kept us in the theaters!  Best Actor went to Broderick Crawford, Best "
         "Actress went to Olivia de Havilland, and \"All the King's Men\" received Best Picture."},
        {"academyawards", Birthday(1928),
         "There has been more talk in Hollywood about an annual award ceremony to honor excellence in the "
         "film "
         "industry.    The Academy Awards should start in 1929, and will be handled by the Academy of Motion "
         "Picture Arts and Sciences."},
        {"academyawardsheadline", Birthday(1928), "More Talk of Academy Awards"},
        {"academyawardsarticle", Birthday(1928), "industry.  The Academy Awards will start in 1929",
         Match::Part},
        {"academyawardsheadline", Birthday(1929), "Year 1929 Academy Awards"},
        {"topsongs", s,
         "\"Goodnight Irene\" by The Weavers\r\n\"Mona Lisa\" by Nat King Cole\r\n\"The Third Man Theme\" by "
         "Anton Karas"},
        {"topsongsinlabel", s, "Top Songs In 1950"},
        {"musicheadline", s, "Music In 1950"},
        {"musicarticle", s,
         "Some Top Hits of 1950 are \"Goodnight Irene\" by The Weavers, \"Mona Lisa\" by Nat King Cole, and "
         "\"The Third Man Theme\" by Anton Karas.",
         Match::End},
        {"celebritybirthdaylist", s, "C1\r\nC2\r\nC3\r\nC4\r\nC5"},
        {"celebrityarticlelabel", s, "Celebrities Sharing This Birthday Visit Anna"},
        {"celebrityarticle", s,
         "Anna was visited by several celebrities today  who share the same birthday.  C1 brought a bouquet "
         "of Carnations, this month's flower, and C2 announced plans to build a statue of Anna out of "
         "Garnet, "
         "this month's birthstone (which symbolizes Constancy). Also visiting were C3, C4, and C5."},
        // Economics: the lines the data settings choose, with their amounts when asked.
        {"historicaleconomics", s, "No economic data selected."},
        {"historicaleconomics", WithEconomics({&D::IncludeCPI}, false), "CPI.......24.10"},
        {"historicaleconomics",
         WithEconomics(
             {&D::IncludeHouse, &D::IncludeMilk, &D::IncludeIncome, &D::IncludeStamps, &D::IncludePopulation},
             true),
         "House.....$11,000 (new house)\r\nMilk......$0.41 (half gallon)\r\nStamp.....$0.03 (first class)\r\n"
         "Income....$2,485 (per year)\r\nPopulation...152,271,417"},
        {"currenteconomics", s,
         "House.....50\r\nCar.......50\r\nMilk......50\r\nGas.......50\r\nBread.....50\r\nStamp.....50\r\n"
         "Income....50"},
        {"costofgoodsin", s, "Cost of Goods In 1950"},
        {"presidentsreport", s,
         "  Today the President announced this year's national price average's, saying he felt good about "
         "some "
         "of the changes in our economy.  He pointed out that although bread has gone up to $0.14 per loaf, "
         "and "
         "a half gallon of milk is up to $0.41, average incomes are also on the rise, up to $2,485 this "
         "year!"},
        // Astrology and personal facts.
        {"westernastrology", s,
         "Your Sun sign, Capricorn, is compatible with Taurus and Virgo.  Best known."},
        {"westernastrologyarticle", s,
         "Those of you born today fall under the Western Zodiac sign of Capricorn. Best known. You get along "
         "best with Taurus and Virgo."},
        {"chineseastrology", s,
         "Your Chinese sign, Earth Ox, is compatible with Snakes and Roosters.  Calm."},
        {"chineseastrologyarticle", s,
         "If you were born today, under the Chinese astrology system you fall under the Earth Ox. Calm. In "
         "China, you get along best with Snakes and Roosters."},
        {"editorialnote", s,
         "We found it interesting that as of Tuesday, March 4, 2003, Anna has been around for 19,358 days.  "
         "That's about 464,592 hours, and Anna has slept about 6,452.7 days of that away!"},
        {"bitsofinfo", s, kBits},
        {"bitsofinfo", WithSeries(s), kBits + "\r\n" + kYankees},
        {"bitsofinfo", WithSeries(Birthday(1903)), kBits},
        {"bitsofinfo", WithSeries(SeriesToCome(2026)), kBits},
        {"nosuchkey", s, ""},
    };
    for (const Expected& row : rows) {
        const QString caption = Caption(row.key, row.state);
        const bool found = row.match == Match::Whole   ? caption == row.text
                           : row.match == Match::Start ? caption.startsWith(row.text)
                           : row.match == Match::End   ? caption.endsWith(row.text)
                                                       : caption.contains(row.text);
        EXPECT_TRUE(found) << row.key << " " << row.state.birthday.BirthDate.year() << ":\n"
                           << caption.toStdString() << "\nexpected:\n"
                           << row.text.toStdString();
    }
    // Every kind of the catalogue has a generator.
    for (const InfoKind& k : InfoCatalogue()) EXPECT_FALSE(Caption(k.key, s).isEmpty()) << k.key;
}

TEST(GeneratorFrame, InsertRefreshAndTheLimit) {
    test::TempProgramFolder folder;
    AppState s = Birthday(1950);
    s.ProgramFolder = folder.path();
    CanvasDocument doc;
    test::ScriptedPrompt prompt;
    const InfoKind& books = *FindInfoKindByKey(u"topbooks");
    DisplayObject* o = RunGenerator(books, doc, s, prompt);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Tag, "Ttopbooks");
    EXPECT_EQ(o->ToolTipText, "Top Books");
    EXPECT_TRUE(o->Caption.startsWith("\"The Cardinal\" by Henry Morton Robinson\r\n"));

    DisplayObject* unknown = NewLabel(doc, s, prompt);
    unknown->Tag = "TTopBooks";  // keys are case-sensitive
    DisplayObject* hidden = RunGenerator(books, doc, s, prompt);
    hidden->Visible = false;
    o->FontSize = 30, o->FontName = "Arial";

    s.year.BookTitle1 = "Changed";
    RefreshInfoObjects(doc, s, prompt, kUs);
    EXPECT_TRUE(o->Caption.startsWith("\"Changed\""));
    EXPECT_EQ(o->Tag, "Ttopbooks");
    EXPECT_EQ(o->FontSize, 30);
    EXPECT_EQ(o->FontName, "Arial");
    EXPECT_EQ(unknown->Caption, "New Text Object");
    EXPECT_TRUE(hidden->Caption.startsWith("\"The Cardinal\""));

    while (doc.controlCount() < kMaxControls) NewLabel(doc, s, prompt);
    EXPECT_FALSE(RunGenerator(books, doc, s, prompt));
    EXPECT_EQ(doc.controlCount(), kMaxControls);
}
