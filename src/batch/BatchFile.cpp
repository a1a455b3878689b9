#include "batch/BatchFile.h"

#include "birthday/DateLimits.h"
#include "foundation/FileIO.h"
#include "foundation/Windows1252.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <array>

namespace natalory {
namespace {

QString DecodeText(const QByteArray& bytes) {
    if (HasUtf8Mark(bytes)) return DecodeTextFile(bytes);
    // A spreadsheet's "Unicode Text" is UTF-16 after its mark, little-endian as a rule.
    for (auto [mark, encoding] : {std::pair{QByteArrayView("\xFF\xFE"), QStringDecoder::Utf16LE},
                                  std::pair{QByteArrayView("\xFE\xFF"), QStringDecoder::Utf16BE}}) {
        if (!bytes.startsWith(mark)) continue;
        QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless);
        return utf16.decode(QByteArrayView(bytes).sliced(mark.size()));
    }
    // A spreadsheet's export is often UTF-8 without the mark; Windows-1252 text
    // with accents is almost never valid UTF-8, so a clean decode decides.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return FromWindows1252(bytes);
}

bool IsLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Walks the text field by field, counting lines.
class FieldScanner {
  public:
    FieldScanner(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    int line() const { return line_; }

    // Passes over blank lines; true when nothing but blanks is left.
    bool skipToContent() {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (IsBlank(c))
                ++pos_;
            else if (IsLineEnd(c))
                takeLineEnd();
            else
                return false;
        }
        return true;
    }

    // The field at the cursor. `endedLine` tells whether a line end (or the end of
    // the text) closed it rather than a separator. A quoted field in `csv` style
    // reads "" as one quote; in the plain style the next quote ends it.
    QString field(bool csv, bool* endedLine) {
        while (pos_ < text_.size() && IsBlank(text_[pos_]) && text_[pos_] != separator_) ++pos_;
        QString value;
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            ++pos_;
            while (pos_ < text_.size()) {
                const QChar c = text_[pos_];
                if (c == u'"') {
                    if (csv && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
                        value += u'"';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                if (c == u'\r' || c == u'\n') {
                    // Kept as a line break, counted as one.
                    takeLineEnd();
                    value += QStringLiteral("\r\n");
                    continue;
                }
                value += c;
                ++pos_;
            }
            // Whatever stands between the closing quote and the separator is not part of the field.
            while (pos_ < text_.size() && text_[pos_] != separator_ && !IsLineEnd(text_[pos_])) ++pos_;
        } else {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && text_[pos_] != separator_ && !IsLineEnd(text_[pos_])) ++pos_;
            value = text_.mid(start, pos_ - start).trimmed();
        }
        *endedLine = true;
        if (pos_ < text_.size()) {
            if (text_[pos_] == separator_) {
                ++pos_;
                *endedLine = false;
            } else {
                takeLineEnd();
            }
        }
        return value;
    }

  private:
    void takeLineEnd() {
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
        ++pos_;
        ++line_;
    }

    const QString& text_;
    QChar separator_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

enum Column { First, Last, Date, Parents, ColumnCount };

// The column a header cell names, by its letters alone ("First Name", "first_name").
int ColumnNamed(const QString& cell) {
    QString key;
    for (QChar c : cell)
        if (c.isLetter()) key += c.toLower();
    static const std::array<QStringList, ColumnCount> names = {
        QStringList{"first", "firstname", "given", "givenname", "forename"},
        QStringList{"last", "lastname", "surname", "familyname"},
        QStringList{"date", "birthdate", "birthday", "dateofbirth", "dob", "born"},
        QStringList{"parents", "parent", "parentsname", "parentsnames"},
    };
    for (int c = 0; c < ColumnCount; ++c)
        if (names[size_t(c)].contains(key)) return c;
    return -1;
}

// The first line's cells, read as a CSV row.
QStringList FirstRow(const QString& text, QChar separator) {
    FieldScanner in(text, separator);
    QStringList cells;
    if (in.skipToContent()) return cells;
    bool endedLine = false;
    do cells << in.field(true, &endedLine);
    while (!endedLine);
    return cells;
}

// The columns a header row names, or nothing when the row is data.
std::optional<std::array<int, ColumnCount>> HeaderColumns(const QStringList& cells) {
    std::array<int, ColumnCount> at;
    at.fill(-1);
    for (int i = 0; i < cells.size(); ++i) {
        const int column = ColumnNamed(cells[i]);
        if (column >= 0 && at[size_t(column)] < 0) at[size_t(column)] = i;
    }
    if (at[First] < 0 || at[Last] < 0 || at[Date] < 0) return std::nullopt;
    return at;
}

std::optional<BatchFileError> CheckDate(BatchRecord& r, const QString& path, int lastYear,
                                        const QLocale& locale) {
    r.birthDate = ParseBatchDate(r.dateText, locale);
    BatchFileError error{BatchFileError::Kind::InvalidDate, path, r.line, r.number,
                         {r.first, r.last, r.dateText},     {}};
    if (!r.birthDate.isValid()) return error;
    if (r.birthDate.year() < kFirstYear || r.birthDate.year() > lastYear) {
        error.kind = BatchFileError::Kind::DateOutOfRange;
        return error;
    }
    return std::nullopt;
}

BatchFileResult ReadPlain(const QString& text, QChar separator, const QString& path, int lastYear,
                          const QLocale& locale) {
    BatchFileContents contents;
    FieldScanner in(text, separator);
    bool endedLine = true;
    while (true) {
        // After a comma a field follows even when it is empty; after a line end, blank lines are passed over.
        if (endedLine && in.skipToContent()) break;
        BatchRecord r;
        r.number = int(contents.records.size()) + 1;
        r.line = in.line();
        QStringList fields;
        for (int i = 0; i < 3; ++i) {
            if (i > 0 && endedLine && in.skipToContent())
                return BatchFileError{BatchFileError::Kind::Incomplete, path, r.line, r.number, fields, {}};
            fields << in.field(false, &endedLine);
        }
        r.first = fields[0];
        r.last = fields[1];
        r.dateText = fields[2];
        if (auto error = CheckDate(r, path, lastYear, locale)) return *error;
        contents.records.push_back(std::move(r));
    }
    return contents;
}

BatchFileResult ReadTable(const QString& text, QChar separator, const std::array<int, ColumnCount>& at,
                          const QString& path, int lastYear, const QLocale& locale) {
    BatchFileContents contents;
    contents.hasHeader = true;
    FieldScanner in(text, separator);
    bool endedLine = false;
    in.skipToContent();
    do in.field(true, &endedLine);
    while (!endedLine);
    while (!in.skipToContent()) {
        BatchRecord r;
        r.number = int(contents.records.size()) + 1;
        r.line = in.line();
        QStringList cells;
        do cells << in.field(true, &endedLine);
        while (!endedLine);
        const auto cell = [&cells](int column) { return column < cells.size() ? cells[column] : QString(); };
        r.first = cell(at[First]);
        r.last = cell(at[Last]);
        r.dateText = cell(at[Date]);
        if (at[Parents] >= 0) r.parents = cell(at[Parents]);
        if (cells.size() <= std::max({at[First], at[Last], at[Date]})) {
            QStringList given;
            for (int column : {at[First], at[Last], at[Date]})
                if (column < cells.size()) given << cells[column];
            return BatchFileError{BatchFileError::Kind::Incomplete, path, r.line, r.number, given, {}};
        }
        if (auto error = CheckDate(r, path, lastYear, locale)) return *error;
        contents.records.push_back(std::move(r));
    }
    return contents;
}

// The line a character stands on, counting CR LF, CR and LF each as one line end.
int LineAt(const QString& text, qsizetype at) {
    int line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) ++line;
    }
    return line;
}

// The separator a first line "sep=X" names, as spreadsheets write it; the line itself
// is blanked (its line end kept, so lines keep their numbers). Nothing when the file
// has no such line; an error when the line names no single separator.
std::variant<std::monostate, QChar, BatchFileError> TakeSeparatorLine(QString& text, const QString& path) {
    const qsizetype end = [&text] {
        for (qsizetype i = 0; i < text.size(); ++i)
            if (IsLineEnd(text[i])) return i;
        return text.size();
    }();
    const QString line = text.first(end).trimmed();
    if (!line.startsWith(QStringLiteral("sep="), Qt::CaseInsensitive)) return std::monostate{};
    const QString value = line.mid(4);
    if (value.size() != 1 || value[0] == u'"' || value[0].isLetterOrNumber())
        return BatchFileError{BatchFileError::Kind::NotText,
                              path,
                              1,
                              0,
                              {},
                              QStringLiteral("\"%1\" names no separator; expected one character, "
                                             "as in sep=; or sep=,")
                                  .arg(line)};
    text.remove(0, end);
    return value[0];
}

}  // namespace

namespace {

// The numeric short date the batch reads in `locale`, with the year in full. The C locale
// of a fresh system has no numeric form of its own; it reads the US one.
QString NumericDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (locale.language() == QLocale::C || format.contains(QStringLiteral("MMM")))
        return QStringLiteral("M/d/yyyy");
    // The year in full only: 1/15/50 could belong to either century.
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

}  // namespace

QDate ParseBatchDate(const QString& text, const QLocale& locale) {
    QString t = text.trimmed();
    // The record format's own date token, #1950-01-15#.
    if (t.size() > 2 && t.startsWith(u'#') && t.endsWith(u'#')) t = t.mid(1, t.size() - 2).trimmed();
    if (t.isEmpty()) return {};
    QDate date = QDate::fromString(t, Qt::ISODate);
    if (date.isValid()) return date;
    QString format = NumericDateFormat(locale);
    date = locale.toDate(t, format);
    if (date.isValid()) return date;
    // Leading zeros are as good as none: 01/05/1950.
    format.replace(QStringLiteral("MM"), QStringLiteral("M")).replace(QStringLiteral("dd"), QStringLiteral("d"));
    return locale.toDate(t, format);
}

QString AcceptedDateForms(const QLocale& locale) {
    const QDate example(1950, 1, 15);
    return QStringLiteral("%1 or %2").arg(example.toString(Qt::ISODate),
                                          locale.toString(example, NumericDateFormat(locale)));
}

BatchFileResult ParseBatchFile(const QByteArray& bytes, const QString& path, int lastYear,
                               const QLocale& locale) {
    QString text = DecodeText(bytes);
    // A NUL is no part of any text a batch can hold (UTF-16 without its mark is full of
    // them); reading on would show names cut short, or a message cut at the NUL.
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        return BatchFileError{BatchFileError::Kind::NotText,
                              path,
                              LineAt(text, nul),
                              0,
                              {},
                              QStringLiteral("a NUL byte; expected text: UTF-8, Windows-1252, or UTF-16 "
                                             "with its byte order mark")};
    QList<QChar> separators = {u',', u';', u'\t'};
    const auto named = TakeSeparatorLine(text, path);
    if (const auto* error = std::get_if<BatchFileError>(&named)) return *error;
    if (const auto* separator = std::get_if<QChar>(&named)) separators = {*separator};
    for (QChar separator : separators) {
        const QStringList cells = FirstRow(text, separator);
        if (cells.size() < 3) continue;
        if (auto columns = HeaderColumns(cells))
            return ReadTable(text, separator, *columns, path, lastYear, locale);
    }
    return ReadPlain(text, separators.first(), path, lastYear, locale);
}

BatchFileResult ReadBatchFile(const QString& path, int lastYear, const QLocale& locale) {
    const QFileInfo info(path);
    // Only a regular file: a FIFO or a device would never end.
    if (info.exists() && !info.isFile())
        return BatchFileError{BatchFileError::Kind::CannotRead, path, 0, 0, {}, QStringLiteral("not a file")};
    QString why;
    const std::optional<QByteArray> bytes = ReadFileBytes(path, &why);
    if (!bytes) return BatchFileError{BatchFileError::Kind::CannotRead, path, 0, 0, {}, why};
    return ParseBatchFile(*bytes, path, lastYear, locale);
}

}  // namespace natalory
