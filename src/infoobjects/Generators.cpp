#include "infoobjects/Generators.h"

#include "birthday/CalendarFacts.h"
#include "birthday/YearDataReaders.h"

#include <functional>
#include <map>

namespace natalory {
namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString Q = QStringLiteral("\"");

struct Context {
    const AppState& s;
    const QLocale& locale;
    int year() const { return s.birthday.BirthDate.year(); }
    QString yearText() const { return QString::number(year()); }
    QString longDate() const { return PrintLongDate(s.birthday.BirthDate, locale); }
    const BirthdayRecord& b() const { return s.birthday; }
    const YearData& y() const { return s.year; }
    const CalendarFacts& f() const { return s.facts; }
};

// The World Series line that headlines and bits of info may end with.
QString WorldSeriesLine(const Context& c) {
    if (c.year() == 1904) return QStringLiteral("Giants refuse to play Boston in World Series");
    if (c.year() == 1994) return QStringLiteral("No World Series due to baseball strike");
    return c.y().SeriesWinner + QStringLiteral(" beats ") + c.y().SeriesLoser +
           QStringLiteral(" in World Series!");
}

// A year the World Series is played in whose record has no result yet: the data ends before it.
bool SeriesStillToCome(const Context& c) {
    return c.year() > 1904 && c.year() != 1994 && c.y().SeriesWinner.isEmpty();
}

QString BirthYearHeadlines(const Context& c) {
    QString text = c.y().YearHeadline[0];
    for (size_t i = 1; i < c.y().YearHeadline.size(); ++i) text += CRLF + c.y().YearHeadline[i];
    if (c.year() > 1903 && !SeriesStillToCome(c) && c.s.data.WorldToHeadlines)
        text += CRLF + WorldSeriesLine(c);
    return text;
}

QString WorldSeriesHeadline(const Context& c) {
    const int y = c.year();
    QString text =
        c.y().SeriesWinner + QStringLiteral(" Win ") + c.yearText() + QStringLiteral(" World Series");
    if (y < 1903) {
        text = QStringLiteral("First World Series In ");
        if (y == 1900)
            text += QStringLiteral(" Three Years!");
        else if (y == 1901)
            text += QStringLiteral(" Two Years!");
        else if (y == 1902)
            text += QStringLiteral(" One Year!");
    }
    if (y == 1994) text = QStringLiteral("Baseball On Strike!");
    if (y == 1904) text = QStringLiteral("No World Series!  Team Refuses To Play!");
    if (SeriesStillToCome(c)) text = QStringLiteral("The World Series In ") + c.yearText();
    return text;
}

QString WorldSeriesArticle(const Context& c) {
    const int y = c.year();
    const YearData& d = c.y();
    QString text = d.SeriesWinner + QStringLiteral(" fans are celebrating today!  The ") + d.SeriesWinner +
                   QStringLiteral(" take the ") + c.yearText() + QStringLiteral(" world title in baseball.") +
                   QStringLiteral(" The ") + d.SeriesLoser +
                   QStringLiteral(" took a decent beating, losing the World Series ") + d.SeriesResult + u'.';
    if (y == 1994)
        text = QStringLiteral(
            "Baseball fans all over are raving mad!  There will be no World Series this year due to the "
            "player's "
            "strike that has cancelled the rest of the season.");
    if (y < 1903)
        text = QStringLiteral(
                   "Baseball fans around the world are getting excited about the upcoming World Series.  The "
                   "World "
                   "Series ") +
               QStringLiteral(
                   "is to decide every year who the best baseball team in the world is, and is scheduled to "
                   "begin "
                   "in 1903.");
    if (y == 1904)
        text =
            QStringLiteral(
                "There will be no World Series this year because John T. Brush, president of the National ") +
            QStringLiteral(
                "League champion New York Giants, is refusing to allow his team to compete against Boston, "
                "the "
                "representative of the ") +
            Q + QStringLiteral("inferior") + Q + QStringLiteral(" American League.");
    if (SeriesStillToCome(c))
        text = QStringLiteral(
            "Baseball fans are gearing up for the 100th World Series.  It's hard to say who'll be playing "
            "this year, "
            "but we know they must be the best!  The games are scheduled to begin in October, with the site "
            "still "
            "to be announced.");
    return text;
}

QString AcademyAwards(const Context& c) {
    if (c.year() <= 1928)
        return QStringLiteral(
                   "There has been more talk in Hollywood about an annual award ceremony to honor excellence "
                   "in the "
                   "film industry.  ") +
               QStringLiteral(
                   "  The Academy Awards should start in 1929, and will be handled by the Academy of Motion "
                   "Picture "
                   "Arts and Sciences.");
    return QStringLiteral("Best Actor - ") + c.y().BestActor + CRLF + QStringLiteral("Best Actress - ") +
           c.y().BestActress + CRLF + QStringLiteral("Best Picture - ") + Q + c.y().BestFilm + Q;
}

QString AcademyAwardsArticle(const Context& c) {
    if (c.year() <= 1928)
        return QStringLiteral(
                   "There has been more talk in Hollywood about an annual award ceremony to honor "
                   "excellence ") +
               QStringLiteral(
                   "in the film industry.  The Academy Awards will start in 1929, and will be handled by the "
                   "Academy "
                   "of Motion Picture Arts and Sciences.");
    return QStringLiteral("Another great year for the film industry!") +
           QStringLiteral(" The Academy of Motion Picture Arts and Sciences honored entertainers ") +
           QStringLiteral("who have truly kept us in the theaters!  Best Actor went to ") + c.y().BestActor +
           QStringLiteral(", Best Actress went to ") + c.y().BestActress + QStringLiteral(", and ") + Q +
           c.y().BestFilm + Q + QStringLiteral(" received Best Picture.");
}

QString TitlesBy(const QString& t1, const QString& a1, const QString& t2, const QString& a2,
                 const QString& t3, const QString& a3) {
    const QString by = QStringLiteral(" by ");
    return Q + t1 + Q + by + a1 + CRLF + Q + t2 + Q + by + a2 + CRLF + Q + t3 + Q + by + a3;
}

QString MusicArticle(const Context& c) {
    const YearData& d = c.y();
    return QStringLiteral("The music industry is keeping us rockin' and hoppin' again this year.") +
           QStringLiteral(
               " We all have our favorites, and there are some we've agreed on.  Some Top Hits of ") +
           c.yearText() + QStringLiteral(" are ") + Q + d.SongTitle1 + Q + QStringLiteral(" by ") +
           d.SongArtist1 + QStringLiteral(", ") + Q + d.SongTitle2 + Q + QStringLiteral(" by ") +
           d.SongArtist2 + QStringLiteral(", and ") + Q + d.SongTitle3 + Q + QStringLiteral(" by ") +
           d.SongArtist3 + u'.';
}

QString CelebrityArticle(const Context& c) {
    const auto& cel = c.y().Celebrity;
    const QString& first = c.b().FirstName;
    return first + QStringLiteral(" was visited by several celebrities today ") +
           QStringLiteral(" who share the same birthday.  ") + cel[0] +
           QStringLiteral(" brought a bouquet ") + QStringLiteral("of ") + c.f().BirthFlower +
           QStringLiteral(", this month's flower, and ") + cel[1] +
           QStringLiteral(" announced plans to build a statue of ") + first + QStringLiteral(" out of ") +
           c.f().Birthstone + QStringLiteral(", this month's birthstone (which symbolizes ") +
           c.f().BirthstoneMeaning + QStringLiteral(").") + QStringLiteral(" Also visiting were ") + cel[2] +
           QStringLiteral(", ") + cel[3] + QStringLiteral(", and ") + cel[4] + u'.';
}

// Units after each price when the print adds amounts; the data's own units.
struct EconomicLine {
    bool DataSettings::*include;
    const char* label;
    QString (*value)(const Context&);
    const char* unit;
};

const EconomicLine kEconomics[] = {
    {&DataSettings::IncludeHouse, "House.....", [](const Context& c) { return c.y().HousePrice; },
     "new house"},
    {&DataSettings::IncludeCar, "Car.......", [](const Context& c) { return c.y().CarPrice; }, "new car"},
    {&DataSettings::IncludeMilk, "Milk......", [](const Context& c) { return c.y().MilkPrice; },
     "half gallon"},
    {&DataSettings::IncludeGas, "Gas.......", [](const Context& c) { return c.y().GasPrice; }, "gallon"},
    {&DataSettings::IncludeBread, "Bread.....", [](const Context& c) { return c.y().BreadPrice; },
     "1 lb. loaf"},
    {&DataSettings::IncludeStamps, "Stamp.....", [](const Context& c) { return c.f().StampPrice; },
     "first class"},
    {&DataSettings::IncludeIncome, "Income....", [](const Context& c) { return c.y().AverageIncome; },
     "per year"},
    {&DataSettings::IncludeFlour, "Flour.....", [](const Context& c) { return c.y().FlourPrice; },
     "5 lb. bag"},
    {&DataSettings::IncludeElectricity, "Electric..", [](const Context& c) { return c.y().ElectricPrice; },
     "per kWh"},
    {&DataSettings::IncludeEggs, "Eggs......", [](const Context& c) { return c.y().EggsPrice; }, "dozen"},
    {&DataSettings::IncludeBacon, "Bacon.....", [](const Context& c) { return c.y().BaconPrice; }, "per lb."},
    {&DataSettings::IncludeBologna, "Bologna...", [](const Context& c) { return c.y().BolognaPrice; },
     "per lb."},
    {&DataSettings::IncludeIceCream, "Ice Cream.", [](const Context& c) { return c.y().IceCreamPrice; },
     "half gallon"},
    {&DataSettings::IncludePotatoes, "Potatoes..", [](const Context& c) { return c.y().PotatoesPrice; },
     "10 lb. bag"},
    {&DataSettings::IncludePopulation, "Population...", [](const Context& c) { return c.y().Population; },
     ""},
    {&DataSettings::IncludeCPI, "CPI.......", [](const Context& c) { return c.y().ConsumerPriceIndex; },
     "1982-84 = 100"},
};

QString HistoricalEconomics(const Context& c) {
    QString text;
    const size_t last = std::size(kEconomics) - 1;
    for (size_t i = 0; i < std::size(kEconomics); ++i) {
        const EconomicLine& line = kEconomics[i];
        if (!(c.s.data.*line.include)) continue;
        text += QLatin1StringView(line.label) + line.value(c);
        if (c.s.data.AddAmounts && *line.unit)
            text += QStringLiteral(" (") + QLatin1StringView(line.unit) + u')';
        if (i != last) text += CRLF;
    }
    if (text.isEmpty()) return QStringLiteral("No economic data selected.");
    if (text.endsWith(CRLF)) text.chop(2);
    return text;
}

QString CurrentEconomics(const Context&) {
    QString text;
    for (const char* label :
         {"House.....", "Car.......", "Milk......", "Gas.......", "Bread.....", "Stamp....."})
        text += QLatin1StringView(label) + QStringLiteral("50") + CRLF;
    return text + QStringLiteral("Income....50");
}

QString PresidentsReport(const Context& c) {
    return QStringLiteral(
               "  Today the President announced this year's national price average's, saying he felt good "
               "about "
               "some of the changes ") +
           QStringLiteral("in our economy.  He pointed out that although bread has gone up to ") +
           c.y().BreadPrice + QStringLiteral(" per loaf, and a half gallon of milk is up to ") +
           c.y().MilkPrice + QStringLiteral(", average incomes are also on the rise, up to ") +
           c.y().AverageIncome + QStringLiteral(" this year!");
}

QString BitsOfInfo(const Context& c) {
    const CalendarFacts& f = c.f();
    QString text = f.President + QStringLiteral(" was President of the U.S.A.") + CRLF +
                   QStringLiteral("Your birth stone is ") + f.Birthstone + CRLF +
                   QStringLiteral("Your birth stone means ") + f.BirthstoneMeaning + CRLF +
                   QStringLiteral("Your birth flower - ") + f.BirthFlower + CRLF + QStringLiteral("As of ") +
                   f.AsOfLongDate + QStringLiteral(", you are ") + f.AgeWholeYears +
                   QStringLiteral(" years old") + CRLF + QStringLiteral("...that's about ") + f.AgeDays +
                   QStringLiteral(" days") + CRLF + QStringLiteral("...you've slept about ") + f.DaysSlept +
                   QStringLiteral(" of those days.");
    if (c.s.data.AddWorldToBits && c.year() > 1903 && !SeriesStillToCome(c))
        text += CRLF + WorldSeriesLine(c);
    return text;
}

QString EditorialNote(const Context& c) {
    const CalendarFacts& f = c.f();
    const QString& first = c.b().FirstName;
    return QStringLiteral("We found it interesting that as of ") + f.AsOfLongDate + QStringLiteral(", ") +
           first + QStringLiteral(" has been around for ") + f.AgeDays +
           QStringLiteral(" days.  That's about ") + f.AgeHours + QStringLiteral(" hours, and ") + first +
           QStringLiteral(" has slept about ") + f.DaysSlept + QStringLiteral(" days of that away!");
}

using Generator = std::function<QString(const Context&)>;

const std::map<QString, Generator>& Generators() {
    static const std::map<QString, Generator> table = {
        {"johndoeborntoday",
         [](const Context& c) {
             return c.b().FirstName + u' ' + c.b().LastName + QStringLiteral(" Born Today!");
         }},
        {"birthyearlabel", [](const Context& c) { return c.yearText(); }},
        {"bornondate",
         [](const Context& c) {
             return c.b().FirstName + u' ' + c.b().LastName + QStringLiteral(", Born On ") + c.longDate();
         }},
        {"birthyearheadlines", BirthYearHeadlines},
        {"costofgoodsin",
         [](const Context& c) { return QStringLiteral("Cost of Goods In ") + c.yearText(); }},
        {"historicaleconomics", HistoricalEconomics},
        {"aroundtheworld",
         [](const Context& c) { return QStringLiteral("Around The World In...") + c.yearText(); }},
        {"currenteconomics", CurrentEconomics},
        {"bitsofinfo", BitsOfInfo},
        {"longdate", [](const Context& c) { return c.longDate(); }},
        {"westernastrology",
         [](const Context& c) {
             return QStringLiteral("Your Sun sign, ") + c.f().WesternSign +
                    QStringLiteral(", is compatible with ") + c.f().WesternCompatible +
                    QStringLiteral(".  ") + c.f().WesternSignText;
         }},
        {"chineseastrology",
         [](const Context& c) {
             return QStringLiteral("Your Chinese sign, ") + c.f().ChineseSign +
                    QStringLiteral(", is compatible with ") + c.f().ChineseCompatible +
                    QStringLiteral(".  ") + c.f().ChineseSignText;
         }},
        {"topsongs",
         [](const Context& c) {
             const YearData& d = c.y();
             return TitlesBy(d.SongTitle1, d.SongArtist1, d.SongTitle2, d.SongArtist2, d.SongTitle3,
                             d.SongArtist3);
         }},
        {"topsongsinlabel", [](const Context& c) { return QStringLiteral("Top Songs In ") + c.yearText(); }},
        {"academyawards", AcademyAwards},
        {"nameannouncement",
         [](const Context& c) {
             return c.b().FirstName + u' ' + c.b().LastName + QStringLiteral(" born on ") + c.longDate();
         }},
        {"celebritybirthdaylist",
         [](const Context& c) {
             const auto& cel = c.y().Celebrity;
             return cel[0] + CRLF + cel[1] + CRLF + cel[2] + CRLF + cel[3] + CRLF + cel[4];
         }},
        {"topbooks",
         [](const Context& c) {
             const YearData& d = c.y();
             return TitlesBy(d.BookTitle1, d.BookAuthor1, d.BookTitle2, d.BookAuthor2, d.BookTitle3,
                             d.BookAuthor3);
         }},
        {"newbornmessage",
         [](const Context& c) {
             return QStringLiteral("Today ") + c.b().FirstName + u' ' + c.b().LastName +
                    QStringLiteral(" was born to ") + c.b().ParentsName;
         }},
        {"specialeditionnotice",
         [](const Context& c) {
             return QStringLiteral("Special Edition For ") + c.b().FirstName + u' ' + c.b().LastName;
         }},
        {"presidentialannouncementlabel",
         [](const Context& c) {
             return QStringLiteral("President ") + c.f().President +
                    QStringLiteral(" Speaks On U.S. Economy");
         }},
        {"presidentsreport", PresidentsReport},
        {"editorialnote", EditorialNote},
        {"celebrityarticle", CelebrityArticle},
        {"celebrityarticlelabel",
         [](const Context& c) {
             return QStringLiteral("Celebrities Sharing This Birthday Visit ") + c.b().FirstName;
         }},
        {"worldseriesarticle", WorldSeriesArticle},
        {"worldseriesheadline", WorldSeriesHeadline},
        {"academyawardsarticle", AcademyAwardsArticle},
        {"academyawardsheadline",
         [](const Context& c) {
             return c.year() <= 1928
                        ? QStringLiteral("More Talk of Academy Awards")
                        : QStringLiteral("Year ") + c.yearText() + QStringLiteral(" Academy Awards");
         }},
        {"musicarticle", MusicArticle},
        {"musicheadline", [](const Context& c) { return QStringLiteral("Music In ") + c.yearText(); }},
        {"westernastrologyarticle",
         [](const Context& c) {
             return QStringLiteral("Those of you born today fall under the Western Zodiac sign of ") +
                    c.f().WesternSign + u'.' + u' ' + c.f().WesternSignText +
                    QStringLiteral(" You get along best with ") + c.f().WesternCompatible + u'.';
         }},
        {"chineseastrologyarticle",
         [](const Context& c) {
             return QStringLiteral(
                        "If you were born today, under the Chinese astrology system you fall under the ") +
                    c.f().ChineseSign + QStringLiteral(". ") + c.f().ChineseSignText +
                    QStringLiteral(" In China, you get along best with ") + c.f().ChineseCompatible + u'.';
         }},
    };
    return table;
}

}  // namespace

QString GenerateCaption(const QString& key, const AppState& state, const QLocale& locale) {
    const auto& table = Generators();
    auto it = table.find(key);
    if (it == table.end()) return {};
    return it->second(Context{state, locale});
}

DisplayObject* RunGenerator(const InfoKind& kind, CanvasDocument& doc, AppState& state, Prompt& prompt,
                            GeneratorMode mode, int currentInfoIndex, const QLocale& locale) {
    DisplayObject* target = nullptr;
    if (mode == GeneratorMode::Create) {
        target = NewLabel(doc, state, prompt);
        if (!target) return nullptr;
        target->Tag += QLatin1StringView(kind.key);
    } else {
        target = doc.lblObject(currentInfoIndex);
        if (!target) return nullptr;
    }
    target->ToolTipText = QString::fromLatin1(kind.displayName);
    target->Caption = GenerateCaption(QString::fromLatin1(kind.key), state, locale);
    return target;
}

void RefreshInfoObjects(CanvasDocument& doc, AppState& state, Prompt& prompt, const QLocale& locale) {
    ReadHeadlinesForSet(state.ProgramFolder, state.data.InfoSet, state.birthday.BirthDate, state.year,
                        state.yearDataCache);
    // The walk takes its list once: generators in refresh mode create nothing.
    const std::vector<DisplayObject*> controls = doc.stacking();
    for (DisplayObject* o : controls) {
        if (!o->Visible || o->kind != ObjectKind::Text) continue;
        if (const InfoKind* kind = FindInfoKindByKey(o->infoKey()))
            RunGenerator(*kind, doc, state, prompt, GeneratorMode::Rewrite, o->index, locale);
    }
}

DataSettings DefaultDataSettings() {
    DataSettings d;
    for (bool DataSettings::*item :
         {&DataSettings::IncludeHouse, &DataSettings::IncludeCar, &DataSettings::IncludeMilk,
          &DataSettings::IncludeGas, &DataSettings::IncludeBread, &DataSettings::IncludeIncome,
          &DataSettings::IncludeFlour, &DataSettings::IncludeElectricity, &DataSettings::IncludeEggs,
          &DataSettings::IncludeBacon, &DataSettings::IncludeBologna, &DataSettings::IncludeIceCream,
          &DataSettings::IncludePotatoes, &DataSettings::IncludePopulation, &DataSettings::IncludeCPI,
          &DataSettings::IncludeStamps})
        d.*item = true;
    d.InfoSet = 1;
    return d;
}

}  // namespace natalory
