// Checks the year data files the program ships, with the program's own readers.
// Every value in them is printed on somebody's keepsake.
#include "birthday/YearDataReaders.h"
#include "foundation/RecordFormat.h"
#include "foundation/Windows1252.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>

#include <map>
#include <set>
#include <vector>

using namespace natalory;

namespace {

const QString kData = QStringLiteral(NATALORY_SOURCE_DATA);
// The years the shipped data covers.
constexpr int kFirstDataYear = 1900;
constexpr int kLastDataYear = 2025;
constexpr size_t kDataYears = kLastDataYear - kFirstDataYear + 1;

QByteArray Bytes(const char* name) {
    QFile f(QDir(kData).filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// Windows-1252 text with CR LF line ends only: no undefined code points, no control
// characters, no stray CR or LF, and no UTF-8 written by mistake.
void ExpectCleanText(const char* name) {
    const QByteArray b = Bytes(name);
    ASSERT_FALSE(b.isEmpty()) << name;
    EXPECT_TRUE(b.endsWith("\r\n")) << name;
    int line = 1;
    for (qsizetype i = 0; i < b.size(); ++i) {
        const auto c = static_cast<unsigned char>(b[i]);
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < b.size() && b[i + 1] == '\n')
                << name << " line " << line << ": CR without LF";
            continue;
        }
        if (c == '\n') {
            ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << name << " line " << line << ": LF without CR";
            ++line;
            continue;
        }
        ASSERT_FALSE(c < 0x20 || c == 0x7F) << name << " line " << line << ": control character";
        ASSERT_FALSE(c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
            << name << " line " << line << ": byte with no Windows-1252 character";
        if (c >= 0xC2 && c <= 0xF4 && i + 1 < b.size()) {
            const auto next = static_cast<unsigned char>(b[i + 1]);
            ASSERT_FALSE(next >= 0x80 && next <= 0xBF && QString::fromUtf8(b.mid(i, 2)).size() == 1)
                << name << " line " << line << ": looks like UTF-8";
        }
    }
}

// People who must never be printed as guests at somebody's birthday. The suitability rule of the
// data notes (SOURCES.md, 7.8) gives the clause and the source for each.
// clang-format off
const char* const kNeverGuests[] = {
    "Aaron Burr", "Adrian Peterson", "Al Franken", "Alec Baldwin", "Andy Dick", "Anthony Kiedis",
    "Arnold Schwarzenegger", "Axl Rose", "Ben Affleck", "Benjamin Netanyahu", "Bill Clinton", "Bill Wyman",
    "Bobby Fischer", "Bonnie Parker", "Brigitte Bardot", "Cardinal Richelieu", "Carl von Clausewitz",
    "Cecil Rhodes", "CeeLo Green", "Charles Lindbergh", "Charlie Chaplin", "Charlie Sheen", "Chris Brown",
    "Chuck Berry", "Claus von Stauffenberg", "Cuba Gooding Jr.", "Curtis LeMay", "David Copperfield",
    "Deng Xiaoping", "Diego Maradona", "Dmitry Medvedev", "Don King", "Donald Trump", "Douglas MacArthur",
    "Dr. Dre", "Dustin Hoffman", "Eddie Rickenbacker", "Emiliano Zapata", "Emmett Till", "Evel Knievel",
    "Ezra Pound", "Ferdinand Porsche", "Flavor Flav", "Floyd Mayweather Jr.", "Gary Busey", "George H. W. Bush",
    "Hassanal Bolkiah", "Henry Ford", "Horatio Nelson", "Hugo Chávez", "Hulk Hogan", "Iggy Pop", "Jake LaMotta",
    "James Brown", "James Watson", "Jared Leto", "Jay-Z", "Jefferson Davis", "Jerry Lee Lewis", "Jerry Lewis",
    "Jim Brown", "John Brown", "John J. Pershing", "John Wilkes Booth", "Johnny Depp", "Julian Assange",
    "Julio Iglesias", "Kanye West", "Kobe Bryant", "Lawrence Taylor", "Louis Farrakhan", "Louis XIV",
    "Louis XVI", "Mahathir Mohamad", "Manfred von Richthofen", "Manny Pacquiao", "Marilyn Manson",
    "Mark Wahlberg", "Marquis de Lafayette", "Marquis de Sade", "Mata Hari", "Mel Gibson", "Michael Jackson",
    "Mike Tyson", "Mikhail Gorbachev", "Morrissey", "Naomi Campbell", "Napoleon Bonaparte", "Nat Turner",
    "Nathan Hale", "Nick Carter", "Norman Schwarzkopf", "Pancho Villa", "Pete Rose", "Philip V of Spain",
    "Plácido Domingo", "Reggie White", "Richard Wagner", "Robert E. Lee", "Russell Crowe", "Sean Penn",
    "Shia LaBeouf", "Sid Vicious", "Simón Bolívar", "Steven Seagal", "Steven Tyler", "Sylvester Stallone",
    "T. E. Lawrence", "Ted Nugent", "The Notorious B.I.G.", "Tom Brokaw", "Tommy Lee", "Tony Robbins",
    "Tupac Shakur", "Ty Cobb", "Vanilla Ice", "Wild Bill Hickok", "Wyatt Earp"
};
// clang-format on

struct Person {
    QDate day;  // in the leap year 2000
    double year = 0;
    QString name;
};

// Every record of the people file, read field by field as the program reads it.
std::vector<Person> ReadPeople() {
    RecordReader in(FromWindows1252(Bytes(kCelebritiesFile)), QStringLiteral("blik.fpf"));
    std::vector<Person> people;
    while (!in.atEnd()) {
        AnyField month, day, year;
        QString name;
        in.readAny(month);
        in.readAny(day);
        in.readAny(year);
        in.readText(name);
        EXPECT_FALSE(in.failed()) << in.error().describe().toStdString();
        if (in.failed()) break;
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(month.isNumber);
        EXPECT_FALSE(day.isNumber) << "the day must be quoted text";
        EXPECT_EQ(day.text.size(), 2) << "the day needs its leading zero: " << day.text.toStdString();
        EXPECT_TRUE(year.isNumber);
        people.push_back({QDate(2000, int(month.number), day.text.toInt()), year.number, name});
    }
    return people;
}

}  // namespace

TEST(YearDataFiles, AreWindows1252WithCrLfLineEnds) {
    for (const char* f : {kHeadlinesFile, kHeadlinesSet2File, kCelebritiesFile, kYearRecordsFile}) {
        SCOPED_TRACE(f);
        ExpectCleanText(f);
    }
}

TEST(YearDataFiles, HeadlineSetsHoldSixRealHeadlinesForEveryYear) {
    // Lines per year, read as the program reads them.
    std::map<int, int> set1, set2;
    {
        RecordReader in(FromWindows1252(Bytes(kHeadlinesFile)), QStringLiteral("blear.fpf"));
        QString line;
        int previous = 0;
        while (!in.atEnd() && in.readLine(line)) {
            const int year = line.left(4).toInt();
            ASSERT_GE(year, previous) << "out of order: " << line.toStdString();
            ASSERT_EQ(line.mid(4, 1), QStringLiteral(" ")) << line.toStdString();
            previous = year;
            ++set1[year];
        }
    }
    {
        RecordReader in(FromWindows1252(Bytes(kHeadlinesSet2File)), QStringLiteral("blearII.fpf"));
        double number = 0;
        QString date, headline;
        int previous = 0;
        while (!in.atEnd()) {
            in.readNumber(number);
            in.readText(date);
            in.readText(headline);
            ASSERT_FALSE(in.failed()) << in.error().describe().toStdString();
            const QDate d = QDate::fromString(date, Qt::ISODate);
            ASSERT_TRUE(d.isValid()) << "not a date: " << date.toStdString();
            ASSERT_GE(d.year(), previous) << date.toStdString();
            previous = d.year();
            ++set2[d.year()];
        }
    }
    EXPECT_EQ(set1.size(), kDataYears);
    EXPECT_EQ(set2.size(), kDataYears);

    for (int year = kFirstDataYear; year <= kLastDataYear; ++year) {
        SCOPED_TRACE(year);
        EXPECT_EQ(set1[year], 6);
        EXPECT_EQ(set2[year], 6);
        YearData one, two;
        ASSERT_TRUE(ReadHeadlines(kData, QDate(year, 7, 1), one).found);
        ASSERT_TRUE(ReadHeadlinesSet2(kData, QDate(year, 7, 1), two).found);
        QSet<QString> seen;
        for (const YearData* set : {&one, &two}) {
            for (const QString& h : set->YearHeadline) {
                EXPECT_FALSE(h.trimmed().isEmpty());
                EXPECT_LE(h.size(), 60) << h.toStdString();
                EXPECT_EQ(h, h.trimmed()) << h.toStdString();
                EXPECT_FALSE(h.contains(u'"'));
                EXPECT_FALSE(seen.contains(h.toLower())) << "twice: " << h.toStdString();
                seen.insert(h.toLower());
            }
        }
    }
}

TEST(YearDataFiles, AtLeastFivePeopleForEveryDayOfTheYear) {
    std::map<QDate, QSet<QString>> days;
    QDate previous(2000, 1, 1);
    for (const Person& p : ReadPeople()) {
        SCOPED_TRACE(p.name.toStdString());
        ASSERT_TRUE(p.day.isValid()) << "impossible date";
        ASSERT_GE(p.day, previous) << "out of calendar order";
        // The person's birth date itself must exist (February 29 only in leap years).
        ASSERT_TRUE(QDate(int(p.year), p.day.month(), p.day.day()).isValid()) << p.year;
        ASSERT_LE(p.year, 2004);
        previous = p.day;
        ASSERT_FALSE(p.name.trimmed().isEmpty());
        ASSERT_FALSE(days[p.day].contains(p.name)) << "twice on the same day";
        days[p.day].insert(p.name);
    }
    EXPECT_EQ(days.size(), 366u);
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        EXPECT_GE(days[d].size(), 5);
        YearData birthday;
        ASSERT_TRUE(ReadCelebrities(kData, d, birthday).found);
        for (const QString& c : birthday.Celebrity) EXPECT_FALSE(c.isEmpty());
    }
}

TEST(YearDataFiles, EveryPersonHasOneBirthdayAndNoUnsuitableGuestIsListed) {
    QSet<QString> never;
    for (const char* n : kNeverGuests) never.insert(QString::fromUtf8(n).toCaseFolded());
    std::map<QString, QDate> birthday;  // by case-folded name
    for (const Person& p : ReadPeople()) {
        const QString key = p.name.trimmed().toCaseFolded();
        EXPECT_FALSE(never.contains(key)) << p.name.toStdString() << " must not be a birthday guest";
        const auto [it, first] = birthday.emplace(key, p.day);
        EXPECT_TRUE(first || it->second == p.day)
            << p.name.toStdString() << " is listed on " << it->second.toString("MMMM d").toStdString()
            << " and on " << p.day.toString("MMMM d").toStdString();
    }
    // A bare first name that several famous people share cannot tell the reader who is meant.
    EXPECT_FALSE(birthday.count(QStringLiteral("ronaldo"))) << "'Ronaldo' alone does not say who is meant";
}

// The data notes list, for every person whose birth date was checked, the date and its sources
// in a table of four columns; each listed date must be the one the file prints.
// Every person a print shows (the first five of a day) is listed with a source, and every
// listed date is the one the file gives.
TEST(YearDataFiles, EveryPrintedBirthDateIsCheckedAndTheOneInTheFile) {
    QFile notes(QDir(kData).filePath(QStringLiteral("SOURCES.md")));
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(notes.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n## 7.9 "));
    ASSERT_GE(start, 0) << "the section of checked dates is missing";
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), start + 1);

    std::map<QString, QDate> born;  // by name, with the year the file gives
    for (const Person& p : ReadPeople()) born[p.name] = QDate(int(p.year), p.day.month(), p.day.day());

    int rows = 0;
    std::set<std::pair<QString, QDate>> listed;
    for (const QString& line : text.mid(start, end - start).split(u'\n')) {
        const QStringList cells = line.split(u'|');
        // Rows of the table only, without its heading and the line under it.
        if (cells.size() != 6 || cells[2].trimmed() == QStringLiteral("date") || cells[2].startsWith(u'-'))
            continue;
        const QString name = cells[1].trimmed();
        const QDate date = QDate::fromString(cells[2].trimmed(), Qt::ISODate);
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(date.isValid()) << cells[2].toStdString();
        EXPECT_FALSE(cells[3].trimmed().isEmpty() || cells[3].trimmed() == QStringLiteral("-"))
            << "a checked date needs its first source";
        ASSERT_TRUE(born.count(name)) << "not in the people file";
        EXPECT_EQ(born[name].toString(Qt::ISODate).toStdString(), date.toString(Qt::ISODate).toStdString());
        listed.emplace(name, date);
        ++rows;
    }
    EXPECT_GT(rows, 0);

    std::map<std::pair<int, int>, int> shownOnDay;
    for (const Person& p : ReadPeople()) {
        if (++shownOnDay[{p.day.month(), p.day.day()}] > 5) continue;
        const QDate date(int(p.year), p.day.month(), p.day.day());
        EXPECT_TRUE(listed.count({p.name, date}))
            << p.name.toStdString() << " (" << date.toString(Qt::ISODate).toStdString() << ") is printed unchecked";
    }
}

TEST(YearDataFiles, OneCompleteRecordForEveryYear) {
    RecordReader in(FromWindows1252(Bytes(kYearRecordsFile)), QStringLiteral("brdstf.fpf"));
    int expected = kFirstDataYear;
    while (!in.atEnd()) {
        QString fields[34];
        for (QString& f : fields) in.readText(f);
        ASSERT_FALSE(in.failed()) << in.error().describe().toStdString();
        ASSERT_EQ(fields[0], QString::number(expected)) << "missing, repeated or unordered year";
        ++expected;
    }
    EXPECT_EQ(expected, kLastDataYear + 1) << "the last record must be " << kLastDataYear;
    EXPECT_EQ(LastDataYear(kData), kLastDataYear);

    const int numeric[] = {2, 3, 4, 5, 6, 7, 20, 21, 22, 23, 24, 25, 26, 27, 28};
    const int everyYear[] = {8, 9, 10, 17, 18, 19, 29, 30, 31, 32, 33, 34};
    for (int year = kFirstDataYear; year <= kLastDataYear; ++year) {
        SCOPED_TRACE(year);
        // The year's own record, read as the program reads it, field by field.
        RecordReader record(FromWindows1252(Bytes(kYearRecordsFile)), QStringLiteral("brdstf.fpf"));
        QString f[35];
        do {
            for (int i = 1; i <= 34; ++i) record.readText(f[i]);
        } while (f[1] != QString::number(year) && !record.failed());
        for (int i : numeric) {
            bool ok = false;
            const double v = f[i].toDouble(&ok);
            EXPECT_TRUE(ok && v > 0) << "field " << i << " is not a positive number: " << f[i].toStdString();
        }
        for (int i : everyYear) EXPECT_FALSE(f[i].isEmpty()) << "field " << i;
        const bool series = year >= 1903 && year != 1904 && year != 1994;
        for (int i : {14, 15, 16}) EXPECT_EQ(f[i].isEmpty(), !series) << "series field " << i;
        const bool awards = year >= 1929;
        for (int i : {11, 12, 13}) EXPECT_EQ(f[i].isEmpty(), !awards) << "awards field " << i;

        YearData y;
        ASSERT_TRUE(ReadYearRecord(kData, QDate(year, 5, 5), y).found);
        EXPECT_EQ(y.SongTitle1, f[8]);
        EXPECT_EQ(y.BookAuthor3, f[34]);
    }
}
