#pragma once

#include "birthday/BirthdayValues.h"

#include <QDate>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace natalory {

inline constexpr auto kHeadlinesFile = "blear.fpf";
inline constexpr auto kHeadlinesSet2File = "blearII.fpf";
inline constexpr auto kCelebritiesFile = "blik.fpf";
inline constexpr auto kYearRecordsFile = "brdstf.fpf";

// How a search of a year data file went. Whatever happens, the reader has set
// every value it owns: what the file gave, or empty text for what it did not.
struct DataReadResult {
    bool found = false;  // the key was in the file
    QString problem;     // why the file could not be read, or where it is malformed
};

class YearDataCache;

// Six birth-year headlines from headline set 1: the first line of the year and the five after it.
DataReadResult ReadHeadlines(const QString& programFolder, QDate birthDate, YearData& year);
// The same from headline set 2.
DataReadResult ReadHeadlinesSet2(const QString& programFolder, QDate birthDate, YearData& year);
// The set `infoSet` names: 2 is set 2, any other value set 1.
DataReadResult ReadHeadlinesForSet(const QString& programFolder, int infoSet, QDate birthDate,
                                   YearData& year);
// Five people born on the month and day of the birth date.
DataReadResult ReadCelebrities(const QString& programFolder, QDate birthDate, YearData& year);
// The record of the birth year; a year not in the file gives the file's last record.
DataReadResult ReadYearRecord(const QString& programFolder, QDate birthDate, YearData& year);

// The last year the year data has facts for: the year of the last record of the year
// record file, whose years ascend. Nothing when that file cannot be read or holds no
// record; `problem` then says why.
std::optional<int> LastDataYear(const QString& programFolder, QString* problem = nullptr);

// What a run of many prints has read of the year data files: each file is read
// from disk once and answers the run's searches from memory, each answer the one
// the readers above give. Lives for one run, so a file changed between runs is read again.
class YearDataCache {
  public:
    YearDataCache();
    ~YearDataCache();
    DataReadResult headlinesForSet(const QString& programFolder, int infoSet, QDate birthDate,
                                   YearData& year);
    DataReadResult celebrities(const QString& programFolder, QDate birthDate, YearData& year);
    DataReadResult yearRecord(const QString& programFolder, QDate birthDate, YearData& year);

    struct Files;  // the files as read

  private:
    std::unique_ptr<Files> files_;
    std::map<std::pair<int, int>, std::pair<DataReadResult, decltype(YearData::YearHeadline)>> headlines_;
    struct CelebrityIndex;
    std::unique_ptr<CelebrityIndex> celebrities_;
    std::map<int, std::pair<DataReadResult, YearData>> years_;
};

// The readers through `cache` when there is one.
DataReadResult ReadHeadlinesForSet(const QString& programFolder, int infoSet, QDate birthDate, YearData& year,
                                   YearDataCache* cache);
DataReadResult ReadCelebrities(const QString& programFolder, QDate birthDate, YearData& year,
                               YearDataCache* cache);
DataReadResult ReadYearRecord(const QString& programFolder, QDate birthDate, YearData& year,
                              YearDataCache* cache);

}  // namespace natalory
