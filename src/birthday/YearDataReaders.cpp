#include "birthday/YearDataReaders.h"

#include "foundation/FileIO.h"
#include "foundation/RecordFormat.h"

#include <QDir>
#include <QLocale>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace natalory {

struct YearDataCache::Files {
    std::map<QString, std::pair<std::optional<RecordReader>, RecordError>> opened;  // by path

    // A reader at the start of the file, as RecordReader::open gives it.
    std::optional<RecordReader> open(const QString& path, RecordError* error) {
        auto it = opened.find(path);
        if (it == opened.end()) {
            RecordError why;
            auto reader = RecordReader::open(path, &why);
            it = opened.emplace(path, std::pair{std::move(reader), why}).first;
        }
        if (!it->second.first) *error = it->second.second;
        return it->second.first;
    }
};

namespace {

QString WithoutTrailingBlanks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;
    text.truncate(end);
    return text;
}

using Kind = YearDataProblem::Kind;

QString PathOf(const QString& programFolder, const char* name) {
    return ProgramFile(programFolder, QString::fromLatin1(name));
}

// A reader at the start of the file, or nothing when the file cannot be read or holds no record.
std::optional<RecordReader> Open(const QString& programFolder, const char* name, DataReadResult& result,
                                 YearDataCache::Files* files) {
    RecordError error;
    const QString path = PathOf(programFolder, name);
    auto reader = files ? files->open(path, &error) : RecordReader::open(path, &error);
    if (!reader)
        result.problem = YearDataProblem{Kind::Unreadable, path, 0, 0, error.message, {}};
    else if (reader->atEnd())
        result.problem = YearDataProblem{Kind::Empty, path, 1, 0, {}, {}};
    if (result.problem) return std::nullopt;
    return reader;
}

YearDataProblem Malformed(const QString& path, const RecordError& e) {
    return YearDataProblem{Kind::Malformed, path, e.line, e.field, e.message, {}};
}

DataReadResult Failed(const QString& path, const RecordReader& in) {
    return DataReadResult{false, Malformed(path, in.error())};
}

// The search reached the end of the file: without the key, or within the records that follow it.
YearDataProblem EndOfFile(const QString& path, int lastLine, bool found, const QString& wanted) {
    return YearDataProblem{found ? Kind::EndsEarly : Kind::NotFound, path, lastLine, 0, {}, wanted};
}

QString YearWanted(QDate birthDate) {
    return QString::number(birthDate.year());
}

QString DayWanted(QDate birthDate) {
    return QLocale::c().monthName(birthDate.month()) + u' ' + QString::number(birthDate.day());
}

// The 33 values of a year record, in file order after the year itself.
std::array<QString*, 33> YearRecordFields(YearData& y) {
    return {&y.HousePrice,    &y.CarPrice,           &y.MilkPrice,    &y.GasPrice,      &y.BreadPrice,
            &y.AverageIncome, &y.SongTitle1,         &y.SongTitle2,   &y.SongTitle3,    &y.BestFilm,
            &y.BestActor,     &y.BestActress,        &y.SeriesWinner, &y.SeriesLoser,   &y.SeriesResult,
            &y.SongArtist1,   &y.SongArtist2,        &y.SongArtist3,  &y.FlourPrice,    &y.ElectricPrice,
            &y.EggsPrice,     &y.BaconPrice,         &y.BolognaPrice, &y.IceCreamPrice, &y.PotatoesPrice,
            &y.Population,    &y.ConsumerPriceIndex, &y.BookTitle1,   &y.BookAuthor1,   &y.BookTitle2,
            &y.BookAuthor2,   &y.BookTitle3,         &y.BookAuthor3};
}

DataReadResult Headlines1(const QString& programFolder, QDate birthDate, YearData& year,
                          YearDataCache::Files* files) {
    year.YearHeadline.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kHeadlinesFile, result, files);
    if (!in) return result;
    const QString key = QStringLiteral("%1").arg(birthDate.year(), 4, 10, QLatin1Char('0'));
    QString line;
    size_t read = 0;
    while (!in->atEnd() && in->readLine(line)) {
        if (line.left(4) != key) continue;
        result.found = true;
        year.YearHeadline[read++] = WithoutTrailingBlanks(line.mid(5));
        // The five lines after the first belong to the year, whatever year they say.
        for (; read < year.YearHeadline.size() && !in->atEnd() && in->readLine(line); ++read)
            year.YearHeadline[read] = WithoutTrailingBlanks(line.mid(5));
        break;
    }
    if (read < year.YearHeadline.size())
        result.problem = EndOfFile(PathOf(programFolder, kHeadlinesFile), in->fieldLine(), result.found,
                                   YearWanted(birthDate));
    return result;
}

QDate ParseHeadlineDate(const QString& text) {
    QDate d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid()) d = QDate::fromString(text, QStringLiteral("M/d/yyyy"));
    return d;
}

bool ReadSet2Record(RecordReader& in, QDate* date, QString* headline) {
    double number = 0;
    QString dateText;
    in.readNumber(number);
    in.readText(dateText);
    in.readText(*headline);
    *date = ParseHeadlineDate(dateText);
    *headline = WithoutTrailingBlanks(*headline);
    return !in.failed();
}

DataReadResult Headlines2(const QString& programFolder, QDate birthDate, YearData& year,
                          YearDataCache::Files* files) {
    year.YearHeadline.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kHeadlinesSet2File, result, files);
    if (!in) return result;
    const QString path = PathOf(programFolder, kHeadlinesSet2File);
    QDate date;
    QString headline;
    size_t read = 0;
    while (!in->atEnd()) {
        if (!ReadSet2Record(*in, &date, &headline)) return Failed(path, *in);
        if (!date.isValid() || date.year() != birthDate.year()) continue;
        result.found = true;
        year.YearHeadline[read++] = headline;
        for (; read < year.YearHeadline.size() && !in->atEnd(); ++read) {
            if (!ReadSet2Record(*in, &date, &headline)) break;
            year.YearHeadline[read] = headline;
        }
        break;
    }
    if (in->failed())
        result.problem = Malformed(path, in->error());
    else if (read < year.YearHeadline.size())
        result.problem = EndOfFile(path, in->fieldLine(), result.found, YearWanted(birthDate));
    return result;
}

bool ReadCelebrityRecord(RecordReader& in, AnyField* month, AnyField* day, QString* name) {
    AnyField unused;
    in.readAny(*month);
    in.readAny(*day);
    in.readAny(unused);
    in.readText(*name);
    return !in.failed();
}

// A day written with a leading zero ("05") counts by its second character; a
// single digit below 10 has none and so never matches.
QString DayKeyOf(const AnyField& day) {
    bool numeric = false;
    const double value = day.text.toDouble(&numeric);
    if (numeric && value < 10) return day.text.mid(1, 1);
    return day.text;
}

DataReadResult Celebrities(const QString& programFolder, QDate birthDate, YearData& year,
                           YearDataCache::Files* files) {
    year.Celebrity.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kCelebritiesFile, result, files);
    if (!in) return result;
    const QString path = PathOf(programFolder, kCelebritiesFile);
    const QString monthKey = QString::number(birthDate.month());
    const QString dayKey = QString::number(birthDate.day());
    AnyField month, day;
    QString name;
    size_t read = 0;
    while (!in->atEnd()) {
        if (!ReadCelebrityRecord(*in, &month, &day, &name)) return Failed(path, *in);
        const QString monthText = month.isNumber ? QString::number(month.number) : month.text;
        if (monthText != monthKey || DayKeyOf(day) != dayKey) continue;
        result.found = true;
        year.Celebrity[read++] = name;
        for (; read < year.Celebrity.size() && !in->atEnd(); ++read) {
            if (!ReadCelebrityRecord(*in, &month, &day, &name)) break;
            year.Celebrity[read] = name;
        }
        break;
    }
    if (in->failed())
        result.problem = Malformed(path, in->error());
    else if (read < year.Celebrity.size())
        result.problem = EndOfFile(path, in->fieldLine(), result.found, DayWanted(birthDate));
    return result;
}

DataReadResult YearRecord(const QString& programFolder, QDate birthDate, YearData& year,
                          YearDataCache::Files* files) {
    const auto fields = YearRecordFields(year);
    for (QString* f : fields) f->clear();
    DataReadResult result;
    auto in = Open(programFolder, kYearRecordsFile, result, files);
    if (!in) return result;
    const QString path = PathOf(programFolder, kYearRecordsFile);
    const QString key = QString::number(birthDate.year());
    std::array<QString, 33> values;
    QString recordYear;
    bool readAny = false;
    while (!in->atEnd()) {
        in->readText(recordYear);
        const int line = in->fieldLine();
        for (QString& v : values) in->readText(v);
        if (in->failed()) return Failed(path, *in);
        // A field too many or too few would shift every value after it into the wrong fact.
        if (in->fieldLine() != line || !in->lineEnded())
            return DataReadResult{
                false, YearDataProblem{Kind::Malformed, path, line, 0,
                                       QStringLiteral("a year record is 34 fields on one line"), key}};
        readAny = true;
        if (recordYear == key) {
            for (size_t i = 0; i < fields.size(); ++i) *fields[i] = values[i];
            result.found = true;
            return result;
        }
    }
    // A year the data lacks: the last record stands in (the latest year there is), and the
    // search says the year was not found.
    if (readAny)
        for (size_t i = 0; i < fields.size(); ++i) *fields[i] = values[i];
    result.problem = EndOfFile(path, in->fieldLine(), false, key);
    return result;
}

}  // namespace

QString DescribeYearDataProblem(const YearDataProblem& p) {
    QString where = QDir::toNativeSeparators(p.file);
    if (p.line > 0) where += QStringLiteral(", line %1").arg(p.line);
    if (p.field > 0) where += QStringLiteral(", field %1").arg(p.field);
    switch (p.kind) {
        case Kind::Unreadable:
            return where + QStringLiteral(": the file cannot be read: ") + p.detail;
        case Kind::Malformed:
            return where + QStringLiteral(": ") + p.detail;
        case Kind::Empty:
            return where + QStringLiteral(": the file is empty");
        case Kind::NotFound:
            return where + QStringLiteral(": the file holds nothing for %1").arg(p.wanted);
        case Kind::EndsEarly:
            return where + QStringLiteral(": the file ends within the records of %1").arg(p.wanted);
    }
    return where;
}

DataReadResult ReadHeadlines(const QString& programFolder, QDate birthDate, YearData& year) {
    return Headlines1(programFolder, birthDate, year, nullptr);
}

DataReadResult ReadHeadlinesSet2(const QString& programFolder, QDate birthDate, YearData& year) {
    return Headlines2(programFolder, birthDate, year, nullptr);
}

DataReadResult ReadHeadlinesForSet(const QString& programFolder, int infoSet, QDate birthDate,
                                   YearData& year) {
    return ReadHeadlinesForSet(programFolder, infoSet, birthDate, year, nullptr);
}

DataReadResult ReadCelebrities(const QString& programFolder, QDate birthDate, YearData& year) {
    return Celebrities(programFolder, birthDate, year, nullptr);
}

DataReadResult ReadYearRecord(const QString& programFolder, QDate birthDate, YearData& year) {
    return YearRecord(programFolder, birthDate, year, nullptr);
}

std::optional<int> LastDataYear(const QString& programFolder, QString* problem) {
    DataReadResult opened;
    auto in = Open(programFolder, kYearRecordsFile, opened, nullptr);
    QString why = opened.problem ? DescribeYearDataProblem(*opened.problem) : QString();
    std::optional<int> last;
    if (in) {
        std::array<QString, 34> record;
        while (!in->atEnd()) {
            for (QString& v : record) in->readText(v);
            if (in->failed()) break;
            bool number = false;
            const int year = record[0].toInt(&number);
            if (number) last = year;
        }
        if (in->failed()) {
            why = in->error().describe();
            last.reset();
        } else if (!last) {
            why = QStringLiteral("%1 holds no year").arg(QString::fromLatin1(kYearRecordsFile));
        }
    }
    if (problem) *problem = last ? QString() : why;
    return last;
}

DataReadResult ReadHeadlinesForSet(const QString& programFolder, int infoSet, QDate birthDate, YearData& year,
                                   YearDataCache* cache) {
    if (cache) return cache->headlinesForSet(programFolder, infoSet, birthDate, year);
    return infoSet == 2 ? Headlines2(programFolder, birthDate, year, nullptr)
                        : Headlines1(programFolder, birthDate, year, nullptr);
}

DataReadResult ReadCelebrities(const QString& programFolder, QDate birthDate, YearData& year,
                               YearDataCache* cache) {
    return cache ? cache->celebrities(programFolder, birthDate, year)
                 : Celebrities(programFolder, birthDate, year, nullptr);
}

DataReadResult ReadYearRecord(const QString& programFolder, QDate birthDate, YearData& year,
                              YearDataCache* cache) {
    return cache ? cache->yearRecord(programFolder, birthDate, year)
                 : YearRecord(programFolder, birthDate, year, nullptr);
}

YearDataCache::YearDataCache() : files_(std::make_unique<Files>()) {}
YearDataCache::~YearDataCache() = default;

// Each search depends on the file and on part of the date only; the folder is the same throughout a run.
DataReadResult YearDataCache::headlinesForSet(const QString& programFolder, int infoSet, QDate birthDate,
                                              YearData& year) {
    const int set = infoSet == 2 ? 2 : 1;
    const auto key = std::pair{set, birthDate.year()};
    auto it = headlines_.find(key);
    if (it == headlines_.end()) {
        YearData found;
        const DataReadResult r = set == 2 ? Headlines2(programFolder, birthDate, found, files_.get())
                                          : Headlines1(programFolder, birthDate, found, files_.get());
        it = headlines_.emplace(key, std::pair{r, found.YearHeadline}).first;
    }
    year.YearHeadline = it->second.second;
    return it->second.first;
}

// The celebrity file read through once: every name in file order, where each
// month and day first appears, and where the file stops making sense.
struct YearDataCache::CelebrityIndex {
    std::optional<DataReadResult> cannotOpen;
    std::vector<QString> names;
    std::map<std::pair<QString, QString>, size_t> first;
    std::optional<YearDataProblem> failure;  // the problem the record after the last name has
    int lastLine = 0;                        // of the last name
};

DataReadResult YearDataCache::celebrities(const QString& programFolder, QDate birthDate, YearData& year) {
    if (!celebrities_) {
        celebrities_ = std::make_unique<CelebrityIndex>();
        CelebrityIndex& index = *celebrities_;
        DataReadResult opened;
        auto in = Open(programFolder, kCelebritiesFile, opened, files_.get());
        if (!in) {
            index.cannotOpen = opened;
        } else {
            AnyField month, day;
            QString name;
            while (!in->atEnd()) {
                if (!ReadCelebrityRecord(*in, &month, &day, &name)) {
                    index.failure = Malformed(PathOf(programFolder, kCelebritiesFile), in->error());
                    break;
                }
                index.lastLine = in->fieldLine();
                const QString monthText = month.isNumber ? QString::number(month.number) : month.text;
                index.first.emplace(std::pair{monthText, DayKeyOf(day)}, index.names.size());
                index.names.push_back(name);
            }
        }
    }
    // What Celebrities() finds scanning from the top: the first record of the day and the four after it.
    const CelebrityIndex& index = *celebrities_;
    year.Celebrity.fill(QString());
    if (index.cannotOpen) return *index.cannotOpen;
    const auto at =
        index.first.find(std::pair{QString::number(birthDate.month()), QString::number(birthDate.day())});
    const QString path = PathOf(programFolder, kCelebritiesFile);
    if (at == index.first.end())
        return DataReadResult{false, index.failure
                                         ? index.failure
                                         : EndOfFile(path, index.lastLine, false, DayWanted(birthDate))};
    DataReadResult result{true, {}};
    const size_t from = at->second;
    for (size_t i = 0; i < year.Celebrity.size() && from + i < index.names.size(); ++i)
        year.Celebrity[i] = index.names[from + i];
    if (from + year.Celebrity.size() > index.names.size())
        result.problem =
            index.failure ? index.failure : EndOfFile(path, index.lastLine, true, DayWanted(birthDate));
    return result;
}

DataReadResult YearDataCache::yearRecord(const QString& programFolder, QDate birthDate, YearData& year) {
    auto it = years_.find(birthDate.year());
    if (it == years_.end()) {
        YearData found;
        const DataReadResult r = YearRecord(programFolder, birthDate, found, files_.get());
        it = years_.emplace(birthDate.year(), std::pair{r, found}).first;
    }
    const auto from = YearRecordFields(it->second.second);
    const auto to = YearRecordFields(year);
    for (size_t i = 0; i < to.size(); ++i) *to[i] = *from[i];
    return it->second.first;
}

}  // namespace natalory
