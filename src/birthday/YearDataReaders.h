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

// Why a year data file cannot give a birthday its facts. A print made without them would
// tell the person a lie, so each is reason enough to make no print at all.
struct YearDataProblem {
    enum class Kind {
        Unreadable,  // missing, not a regular file, too large, or failing to read
        Malformed,   // a record the reader cannot take apart
        Empty,       // nothing but blanks
        NotFound,    // the file ends without the birth year's (or day's) records
        EndsEarly,   // the file ends within the birth year's (or day's) records
    };
    Kind kind = Kind::Malformed;
    QString file;    // the file's path
    int line = 0;    // where the problem lies, or where the file ends; 0 for an unreadable file
    int field = 0;   // 1-based place of the field on its line, when one is to blame
    QString detail;  // the reader's own words for an unreadable or malformed file
    QString wanted;  // what was searched for: "1950", "January 15"
    bool operator==(const YearDataProblem&) const = default;
};

// "/data/brdstf.fpf, line 3, field 12: the file ends before the record is complete"
QString DescribeYearDataProblem(const YearDataProblem& problem);

// How a search of a year data file went. Whatever happens, the reader has set
// every value it owns: what the file gave, or empty text for what it did not.
struct DataReadResult {
    bool found = false;  // the key was in the file
    std::optional<YearDataProblem> problem;
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
