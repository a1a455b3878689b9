#include "birthday/YearDataReaders.h"

#include "shell/FileIO.h"
#include "shell/RecordFormat.h"

#include <array>

namespace natalory {
namespace {

QString WithoutTrailingBlanks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;
    text.truncate(end);
    return text;
}

std::optional<RecordReader> Open(const QString& programFolder, const char* name, DataReadResult& result) {
    RecordError error;
    auto reader = RecordReader::open(ProgramFile(programFolder, QString::fromLatin1(name)), &error);
    if (!reader) result.problem = error.describe();
    return reader;
}

DataReadResult Failed(const RecordReader& in) {
    return DataReadResult{false, in.error().describe()};
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

}  // namespace

DataReadResult ReadHeadlines(const QString& programFolder, QDate birthDate, YearData& year) {
    year.YearHeadline.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kHeadlinesFile, result);
    if (!in) return result;
    const QString key = QStringLiteral("%1").arg(birthDate.year(), 4, 10, QLatin1Char('0'));
    QString line;
    while (!in->atEnd() && in->readLine(line)) {
        if (line.left(4) != key) continue;
        result.found = true;
        year.YearHeadline[0] = WithoutTrailingBlanks(line.mid(5));
        // The five lines after the first belong to the year, whatever year they say.
        for (size_t i = 1; i < year.YearHeadline.size() && !in->atEnd() && in->readLine(line); ++i)
            year.YearHeadline[i] = WithoutTrailingBlanks(line.mid(5));
        break;
    }
    return result;
}

namespace {

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

}  // namespace

DataReadResult ReadHeadlinesSet2(const QString& programFolder, QDate birthDate, YearData& year) {
    year.YearHeadline.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kHeadlinesSet2File, result);
    if (!in) return result;
    QDate date;
    QString headline;
    while (!in->atEnd()) {
        if (!ReadSet2Record(*in, &date, &headline)) return Failed(*in);
        if (!date.isValid() || date.year() != birthDate.year()) continue;
        result.found = true;
        year.YearHeadline[0] = headline;
        for (size_t i = 1; i < year.YearHeadline.size() && !in->atEnd(); ++i) {
            if (!ReadSet2Record(*in, &date, &headline)) break;
            year.YearHeadline[i] = headline;
        }
        break;
    }
    if (in->failed()) result.problem = in->error().describe();
    return result;
}

DataReadResult ReadHeadlinesForSet(const QString& programFolder, int infoSet, QDate birthDate,
                                   YearData& year) {
    return infoSet == 2 ? ReadHeadlinesSet2(programFolder, birthDate, year)
                        : ReadHeadlines(programFolder, birthDate, year);
}

namespace {

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

}  // namespace

DataReadResult ReadCelebrities(const QString& programFolder, QDate birthDate, YearData& year) {
    year.Celebrity.fill(QString());
    DataReadResult result;
    auto in = Open(programFolder, kCelebritiesFile, result);
    if (!in) return result;
    const QString monthKey = QString::number(birthDate.month());
    const QString dayKey = QString::number(birthDate.day());
    AnyField month, day;
    QString name;
    while (!in->atEnd()) {
        if (!ReadCelebrityRecord(*in, &month, &day, &name)) return Failed(*in);
        const QString monthText = month.isNumber ? QString::number(month.number) : month.text;
        if (monthText != monthKey || DayKeyOf(day) != dayKey) continue;
        result.found = true;
        year.Celebrity[0] = name;
        for (size_t i = 1; i < year.Celebrity.size() && !in->atEnd(); ++i) {
            if (!ReadCelebrityRecord(*in, &month, &day, &name)) break;
            year.Celebrity[i] = name;
        }
        break;
    }
    if (in->failed()) result.problem = in->error().describe();
    return result;
}

DataReadResult ReadYearRecord(const QString& programFolder, QDate birthDate, YearData& year) {
    const auto fields = YearRecordFields(year);
    for (QString* f : fields) f->clear();
    DataReadResult result;
    auto in = Open(programFolder, kYearRecordsFile, result);
    if (!in) return result;
    const QString key = QString::number(birthDate.year());
    std::array<QString, 33> values;
    QString recordYear;
    while (!in->atEnd()) {
        in->readText(recordYear);
        for (QString& v : values) in->readText(v);
        if (in->failed()) return Failed(*in);
        // The search ends at the birth year, or at the last record, 2004.
        if (recordYear == key || recordYear == u"2004") {
            for (size_t i = 0; i < fields.size(); ++i) *fields[i] = values[i];
            result.found = recordYear == key;
            return result;
        }
    }
    return result;
}

}  // namespace natalory
