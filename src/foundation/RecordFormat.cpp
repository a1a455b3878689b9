#include "foundation/RecordFormat.h"

#include "foundation/FileIO.h"
#include "foundation/Windows1252.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace natalory {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

QString Shorten(const QString& s) {
    return s.size() > 40 ? s.left(40) + QStringLiteral("...") : s;
}

}  // namespace

QString RecordError::describe() const {
    QString where = file;
    if (line > 0) where += QStringLiteral(", line %1").arg(line);
    if (field > 0) where += QStringLiteral(", field %1").arg(field);
    return where + QStringLiteral(": ") + message;
}

RecordReader::RecordReader(QString text, QString fileName)
    : text_(std::move(text)), file_(std::move(fileName)) {}

std::optional<RecordReader> RecordReader::open(const QString& path, RecordError* error) {
    QString why;
    auto bytes = ReadFileBytes(path, &why);
    if (!bytes) {
        if (error) *error = RecordError{QFileInfo(path).fileName(), 0, 0, why, RecordError::Kind::Unreadable};
        return std::nullopt;
    }
    return RecordReader(DecodeTextFile(*bytes), QFileInfo(path).fileName());
}

void RecordReader::skipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

// At the start of a line, lines holding nothing (or only blanks) are passed over:
// they carry no field.
void RecordReader::skipEmptyLines() {
    while (fieldOnLine_ == 1) {
        qsizetype p = pos_;
        while (p < text_.size() && IsBlank(text_[p])) ++p;
        if (p >= text_.size() || !IsLineEnd(text_[p])) return;
        if (text_[p] == u'\r' && p + 1 < text_.size() && text_[p + 1] == u'\n') ++p;
        pos_ = p + 1;
        ++line_;
    }
}

bool RecordReader::atEnd() const {
    for (qsizetype p = pos_; p < text_.size(); ++p)
        if (!IsBlank(text_[p]) && !IsLineEnd(text_[p])) return false;
    return true;
}

bool RecordReader::fail(const QString& message, RecordError::Kind kind) {
    if (!failed_) {
        failed_ = true;
        error_ = RecordError{file_, tokenLine_, tokenField_, message, kind};
    }
    return false;
}

bool RecordReader::fail(const QString& message, const Token& token) {
    return fail(QStringLiteral("%1, found \"%2\"").arg(message, Shorten(token.text)));
}

bool RecordReader::consumeDelimiter() {
    skipBlanks();
    if (pos_ >= text_.size()) return true;
    const QChar c = text_[pos_];
    if (c == u',') {
        ++pos_;
        ++fieldOnLine_;
        return true;
    }
    if (IsLineEnd(c)) {
        ++pos_;
        if (c == u'\r' && pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
        ++line_;
        fieldOnLine_ = 1;
        return true;
    }
    return fail(QStringLiteral("unexpected text \"%1\" after a field").arg(Shorten(text_.mid(pos_, 20))));
}

bool RecordReader::nextToken(Token& token) {
    if (failed_) return false;
    skipEmptyLines();
    skipBlanks();
    tokenLine_ = line_;
    tokenField_ = fieldOnLine_;
    if (pos_ >= text_.size()) return fail(QStringLiteral("the file ends before the record is complete"), RecordError::Kind::CutShort);

    const QChar c = text_[pos_];
    if (c == u'"') {
        const qsizetype close = text_.indexOf(u'"', pos_ + 1);
        if (close < 0) return fail(QStringLiteral("a quoted text has no closing quote"), RecordError::Kind::CutShort);
        token.kind = Kind::Quoted;
        token.text = text_.mid(pos_ + 1, close - pos_ - 1);
        // A quoted text may span line ends; keep the line count true.
        for (QChar ch : token.text)
            if (ch == u'\n') ++line_;
        line_ += int(token.text.count(u'\r') - token.text.count(QStringLiteral("\r\n")));
        pos_ = close + 1;
    } else if (c == u'#') {
        qsizetype close = pos_ + 1;
        while (close < text_.size() && text_[close] != u'#' && !IsLineEnd(text_[close])) ++close;
        if (close >= text_.size() || text_[close] != u'#')
            return fail(QStringLiteral("a #...# value has no closing #"), RecordError::Kind::CutShort);
        token.kind = Kind::Hash;
        token.text = text_.mid(pos_ + 1, close - pos_ - 1).trimmed();
        pos_ = close + 1;
    } else {
        qsizetype end = pos_;
        while (end < text_.size() && text_[end] != u',' && !IsLineEnd(text_[end])) ++end;
        token.kind = Kind::Bare;
        token.text = text_.mid(pos_, end - pos_).trimmed();
        pos_ = end;
    }
    return consumeDelimiter();
}

bool RecordReader::readText(QString& out) {
    Token t;
    if (!nextToken(t)) return false;
    out = t.text;
    return true;
}

bool RecordReader::readAny(AnyField& out) {
    Token t;
    if (!nextToken(t)) return false;
    out = AnyField{};
    out.text = t.text;
    if (t.kind == Kind::Bare) {
        bool ok = false;
        const double v = t.text.toDouble(&ok);
        if (ok && std::isfinite(v)) {
            out.isNumber = true;
            out.number = v;
        }
    }
    return true;
}

bool RecordReader::readNumber(double& out) {
    Token t;
    if (!nextToken(t)) return false;
    if (t.kind != Kind::Hash && t.text.isEmpty()) {
        out = 0;
        return true;
    }
    bool ok = false;
    const double v = t.kind == Kind::Hash ? 0 : t.text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return fail(QStringLiteral("expected a number"), t);
    out = v;
    return true;
}

bool RecordReader::readInteger(int& out) {
    double v = 0;
    if (!readNumber(v)) return false;
    // Whole numbers with a fraction round to the even neighbour, as the format's writers did.
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        return fail(QStringLiteral("the number %1 is out of range").arg(v));
    out = int(r);
    return true;
}

bool RecordReader::readBoolean(bool& out) {
    Token t;
    if (!nextToken(t)) return false;
    const QString v = t.text.toUpper();
    if (v == u"TRUE")
        out = true;
    else if (v == u"FALSE" || (t.kind != Kind::Hash && v.isEmpty()))
        out = false;
    else if (t.kind != Kind::Hash) {
        bool ok = false;
        const double n = v.toDouble(&ok);
        if (!ok) return fail(QStringLiteral("expected #TRUE# or #FALSE#"), t);
        out = n != 0;
    } else
        return fail(QStringLiteral("expected #TRUE# or #FALSE#"), t);
    return true;
}

bool RecordReader::readDate(QDate& out) {
    Token t;
    if (!nextToken(t)) return false;
    const QDate d = QDate::fromString(t.text, Qt::ISODate);
    if (!d.isValid()) return fail(QStringLiteral("expected a date written yyyy-mm-dd"), t);
    out = d;
    return true;
}

bool RecordReader::readLine(QString& out) {
    if (failed_) return false;
    tokenLine_ = line_;
    tokenField_ = 0;
    if (pos_ >= text_.size()) return fail(QStringLiteral("the file ends early"), RecordError::Kind::CutShort);
    qsizetype end = pos_;
    while (end < text_.size() && !IsLineEnd(text_[end])) ++end;
    out = text_.mid(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
        ++pos_;
    }
    ++line_;
    fieldOnLine_ = 1;
    return true;
}

void RecordWriter::separate() {
    if (fieldOpen_) out_ += u',';
    fieldOpen_ = true;
}

void RecordWriter::text(QStringView value) {
    separate();
    if (value.contains(u'"') && problem_.isEmpty())
        problem_ = QStringLiteral("the text \"%1\" holds a double quote, which the file cannot store")
                       .arg(value.toString());
    out_ += u'"';
    out_ += value;
    out_ += u'"';
}

void RecordWriter::integer(qint64 value) {
    separate();
    out_ += QString::number(value);
}

void RecordWriter::number(double value) {
    separate();
    out_ += QString::number(value, 'g', 15);
}

void RecordWriter::boolean(bool value) {
    separate();
    out_ += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

void RecordWriter::date(QDate value) {
    separate();
    out_ += u'#' + value.toString(Qt::ISODate) + u'#';
}

void RecordWriter::endRecord() {
    out_ += QStringLiteral("\r\n");
    fieldOpen_ = false;
}

QByteArray RecordWriter::bytes() const {
    return EncodeTextFile(out_);
}

}  // namespace natalory
