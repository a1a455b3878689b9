#include "batch/PrintLog.h"

#include "birthday/SetBirthday.h"
#include "shell/RecordFormat.h"

#include <QFile>
#include <QFileInfo>

namespace natalory {

QString PrintLogStyleName(int printType) {
    switch (printType) {
        case ptNewspaper:
            return QStringLiteral("Newspaper");
        case ptClassy:
            return QStringLiteral("Classy");
        case ptBlankPage:
            return QStringLiteral("Custom From Blank");
        default:
            return QStringLiteral("Custom");
    }
}

QByteArray PrintLogRecord(const AppState& s, const QDateTime& now) {
    RecordWriter out;
    out.text(now.date().toString(QStringLiteral("MM-dd-yyyy")));
    out.text(now.time().toString(QStringLiteral("HH:mm:ss")));
    out.date(s.birthday.BirthDate);
    // The log cannot hold a double quote: a quoted nickname keeps single quotes there.
    out.text(QString(s.birthday.FirstName + u' ' + s.birthday.LastName).replace(u'"', u'\''));
    const QString style = PrintLogStyleName(s.birthday.PrintType);
    if (s.SavingToFile) {
        out.text(QStringLiteral("Saved As .emf File"));
        out.text(style);
    } else {
        out.text(style);
        out.text(s.birthday.PrintType == ptUserTemplate ? s.birthday.CustomTemplatePath
                                                        : QStringLiteral("n/a"));
    }
    out.endRecord();
    return out.bytes();
}

bool AppendPrintLog(const AppState& state, const QDateTime& now, QString* error) {
    QFile file(state.LogFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = file.errorString();
        return false;
    }
    const QByteArray record = PrintLogRecord(state, now);
    const bool ok = file.write(record) == record.size() && file.flush();
    if (!ok && error) *error = file.errorString();
    return ok;
}

bool AskAndClearPrintLog(AppState& state, Prompt& prompt) {
    if (prompt.ask(
            QStringLiteral("Are you sure you want to clear this log?  All information will be erased."),
            QStringLiteral("Clear Log"), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::No)
        return false;
    QFile::remove(state.LogFilePath);
    state.PrintCount = 0;
    return true;
}

PrintLogContents ReadPrintLog(const QString& path, QDate today, const QLocale& locale) {
    PrintLogContents log;
    log.exists = QFileInfo(path).isFile();
    if (!log.exists) return log;
    RecordError error;
    auto in = RecordReader::open(path, &error);
    if (!in) return log;
    const QString todayText = today.toString(QStringLiteral("MM-dd-yyyy"));
    while (!in->atEnd()) {
        QString date, time, name, style, custom;
        QDate birthday;
        in->readText(date);
        in->readText(time);
        in->readDate(birthday);
        in->readText(name);
        in->readText(style);
        in->readText(custom);
        if (in->failed()) {
            // A record cut off by the end of the file; any other fault just ends the list.
            log.truncated = in->error().message.contains(QStringLiteral("ends before")) ||
                            in->error().message.contains(QStringLiteral("no closing"));
            break;
        }
        PrintLogRow row;
        row.date = date;
        const QTime t = QTime::fromString(time, QStringLiteral("HH:mm:ss"));
        row.time = t.isValid() ? locale.toString(t, QStringLiteral("hh:mm:ss AP")) : time;
        row.birthday = ShortDateText(birthday, locale);
        row.name = name;
        row.style = style;
        row.customPath = custom;
        row.dateValid = QDate::fromString(date, QStringLiteral("MM-dd-yyyy")).isValid();
        if (date == todayText) ++log.today;
        log.rows.push_back(row);
    }
    return log;
}

}  // namespace natalory
