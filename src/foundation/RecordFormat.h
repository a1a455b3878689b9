#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace natalory {

// Where and why a record file could not be read.
struct RecordError {
    enum class Kind {
        Unreadable,  // the file could not be opened or read
        CutShort,    // the text ends inside a record, or inside a quoted or #...# field
        Malformed,   // a field is not what the record needs there
    };
    QString file;   // the file's name as the user knows it
    int line = 0;   // 1-based line of the field that failed
    int field = 0;  // 1-based position of that field on its line
    QString message;
    Kind kind = Kind::Malformed;

    // "news.al!, line 3, field 2: expected a whole number, found "abc""
    QString describe() const;
};

// A field read as "any": a quoted field stays text, a bare number is a number.
struct AnyField {
    bool isNumber = false;
    double number = 0;
    QString text;  // the field as written (without quotes)
};

// Reads the comma-separated record text format shared by the settings file, the
// year data, templates, batch files and the print log: fields separated by commas,
// text in double quotes (may span line ends, cannot hold a quote), bare tokens that
// end at a comma or line end and lose surrounding blanks, #TRUE#/#FALSE#,
// #yyyy-mm-dd#, CR LF or LF line ends.
//
// Callers read a fixed sequence of typed fields. A read that fails records an
// error and every later read fails too, so a caller can read a whole record and
// check once. Reading never loops: every successful read consumes input.
class RecordReader {
  public:
    RecordReader(QString text, QString fileName);

    // Decodes a Windows-1252 file, or a UTF-8 one that begins with the byte order mark. Returns nothing and
    // sets `error` when the file cannot be opened or read.
    static std::optional<RecordReader> open(const QString& path, RecordError* error);

    bool readText(QString& out);
    bool readNumber(double& out);
    bool readInteger(int& out);
    bool readBoolean(bool& out);
    bool readDate(QDate& out);
    bool readAny(AnyField& out);
    // Reads the rest of the current line as it stands (a file read line by line).
    bool readLine(QString& out);
    // Fails the read on the field read last, which was well formed but not acceptable
    // to the caller (a number out of range): the error names that field's line and place.
    bool rejectLast(const QString& message) { return fail(message); }

    // True when nothing but blanks and empty lines is left.
    bool atEnd() const;
    bool failed() const { return failed_; }
    const RecordError& error() const { return error_; }
    int line() const { return line_; }
    // The line the field (or line) read last began on.
    int fieldLine() const { return tokenLine_; }
    // True when the field read last was the last of its line.
    bool lineEnded() const { return fieldOnLine_ == 1 || pos_ >= text_.size(); }

  private:
    enum class Kind { Quoted, Hash, Bare };
    struct Token {
        Kind kind = Kind::Bare;
        QString text;
    };

    bool nextToken(Token& token);
    bool consumeDelimiter();
    void skipBlanks();
    void skipEmptyLines();
    bool fail(const QString& message, RecordError::Kind kind = RecordError::Kind::Malformed);
    bool fail(const QString& message, const Token& token);

    QString text_;
    QString file_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int fieldOnLine_ = 1;
    int tokenLine_ = 1;
    int tokenField_ = 1;
    bool failed_ = false;
    RecordError error_;
};

// Writes records in the same format. Text that the format cannot hold (a double
// quote) makes the writer not ok(), so the caller can refuse to write a file that
// would read back differently. The bytes are Windows-1252 while every character
// fits, UTF-8 with the byte order mark otherwise.
class RecordWriter {
  public:
    void text(QStringView value);
    void integer(qint64 value);
    void number(double value);
    void boolean(bool value);
    void date(QDate value);
    void endRecord();

    bool ok() const { return problem_.isEmpty(); }
    const QString& problem() const { return problem_; }
    const QString& content() const { return out_; }
    QByteArray bytes() const;

  private:
    void separate();
    QString out_;
    bool fieldOpen_ = false;
    QString problem_;
};

}  // namespace natalory
