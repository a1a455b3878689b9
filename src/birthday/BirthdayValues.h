#pragma once

#include <QString>

#include <array>

namespace natalory {

// Facts of the birth year and the birth day, read from the year data files.
// Held as text, as the files give them; numbers get their display form later.
struct YearData {
    std::array<QString, 6> YearHeadline;  // YearHeadline1 .. YearHeadline6
    std::array<QString, 5> Celebrity;     // Celebrity1 .. Celebrity5

    QString HousePrice;
    QString CarPrice;
    QString MilkPrice;
    QString GasPrice;
    QString BreadPrice;
    QString AverageIncome;
    QString SongTitle1;
    QString SongTitle2;
    QString SongTitle3;
    QString BestFilm;
    QString BestActor;
    QString BestActress;
    QString SeriesWinner;
    QString SeriesLoser;
    QString SeriesResult;
    QString SongArtist1;
    QString SongArtist2;
    QString SongArtist3;
    QString FlourPrice;
    QString ElectricPrice;
    QString EggsPrice;
    QString BaconPrice;
    QString BolognaPrice;
    QString IceCreamPrice;
    QString PotatoesPrice;
    QString Population;
    QString ConsumerPriceIndex;
    QString BookTitle1;
    QString BookAuthor1;
    QString BookTitle2;
    QString BookAuthor2;
    QString BookTitle3;
    QString BookAuthor3;
};

// Facts that follow from the birth date alone.
struct CalendarFacts {
    QString BirthMonth;       // "1" .. "12"
    QString BirthDayOfMonth;  // "1" .. "31"
    QString AsOfLongDate;
    QString AgeDays;
    QString AgeHours;
    QString DaysSlept;
    QString AgeWholeYears;
    QString WesternSign;
    QString WesternSignText;
    QString WesternCompatible;
    QString Birthstone;
    QString BirthstoneMeaning;
    QString BirthFlower;
    QString President;
    QString ChineseSign;
    QString ChineseSignText;
    QString ChineseCompatible;
    QString StampPrice;
};

// What a print shows of the data: kept with each template, in file order.
struct DataSettings {
    bool IncludeHouse = false;
    bool IncludeCar = false;
    bool IncludeMilk = false;
    bool IncludeGas = false;
    bool IncludeBread = false;
    bool IncludeIncome = false;
    bool IncludeFlour = false;
    bool IncludeElectricity = false;
    bool IncludeEggs = false;
    bool IncludeBacon = false;
    bool IncludeBologna = false;
    bool IncludeIceCream = false;
    bool IncludePotatoes = false;
    bool IncludePopulation = false;
    bool IncludeCPI = false;
    bool IncludeStamps = false;
    int InfoSet = 0;  // 2: headline set 2; anything else: headline set 1
    bool AddWorldToBits = false;
    bool WorldToHeadlines = false;
    bool AddAmounts = false;
};

}  // namespace natalory
