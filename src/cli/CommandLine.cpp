#include "cli/CommandLine.h"

#include "batch/OffscreenPrint.h"
#include "birthday/DateLimits.h"
#include "birthday/SetBirthday.h"
#include "birthday/YearDataReaders.h"
#include "cli/BatchCommand.h"
#include "document/DisplayObjects.h"
#include "document/TemplateFile.h"
#include "infoobjects/Generators.h"
#include "output/Exports.h"
#include "output/Render.h"
#include "output/SvgWriter.h"
#include "output/SystemPrinter.h"
#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"
#include "foundation/Seams.h"
#include "foundation/Settings.h"
#include "foundation/Version.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <tuple>

namespace natalory {
namespace {

constexpr auto kUsage =
    "Makes Birthday Prints without opening a window.\n"
    "\n"
    "The birthday:\n"
    "  --first NAME           first name\n"
    "  --last NAME            last name (may be empty)\n"
    "  --date YYYY-MM-DD      birth date, 1900-01-01 to %1 (the end of the year data)\n"
    "  --style STYLE          news, classy, blank, or a template file (.als); default: news\n"
    "\n"
    "A batch: one print for every record of a file (first name, last name, date; or a CSV\n"
    "table whose first row names the columns first, last, date and optionally parents):\n"
    "  --batch FILE           the batch file; the style is --style, or else that of the settings\n"
    "  --from N, --to M       print records N to M only (numbered from 1)\n"
    "  --out FILE.pdf         one PDF, a page per record\n"
    "  --out-dir DIR          a PDF per record, named from its number and name\n"
    "  --print                each record on the system printer (see --printer)\n"
    "  --jobs N               with --out FILE.pdf: print on N cores at once (default: all of them;\n"
    "                         1 prints in this process alone)\n"
    "\n"
    "What to make:\n"
    "  --texts                print the text of every info object, in catalogue order\n"
    "  --json                 with --texts: one JSON object, info-object key -> text\n"
    "  --out FILE             write the print to FILE: .pdf, .png, .bmp (96 dots per inch), .svg or .emf;\n"
    "                         --out - writes it to standard output\n"
    "  --format FORMAT        pdf, png, bmp, svg or emf: the kind of --out, whatever its name (default:\n"
    "                         from the file's name; PDF for --out -)\n"
    "  --dpi N                with PNG output: dots per inch (default 150)\n"
    "  --print                print it on the system printer\n"
    "  --printer NAME         with --print: the printer to use (default: the system's default)\n"
    "\n"
    "Settings (otherwise those of the settings file, and the template's for the last three):\n"
    "  --as-of YYYY-MM-DD     count the age as if today were this date\n"
    "  --date-mode N          the age as of 0 today, 1 this year's, 2 next year's, 3 last year's birthday\n"
    "  --info-set N           headline set 1 or 2\n"
    "  --add-world-to-bits    add the World Series result to the bits of info\n"
    "  --no-add-world-to-bits leave it out, whatever the template says\n"
    "  --world-to-headlines   add the World Series result to the birth-year headlines\n"
    "  --no-world-to-headlines\n"
    "                         leave it out, whatever the template says\n"
    "  --app-dir DIR          read data and templates from DIR (default: beside the program, or "
    "../share/natalory)\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -v, --version          show the version and exit\n"
    "\n"
    "Exit status: 0 done, 2 bad arguments or a bad batch file (nothing is written),\n"
    "1 the data could not be read or a print failed, 130 interrupted (Ctrl+C).\n";

CliResult Usage(const QString& message) {
    return CliResult{2, {}, QStringLiteral("natalory-print: %1\n").arg(message)};
}

class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDate day) : day_(day) {}
    QDate today() const override { return day_; }
    QDateTime now() const override { return QDateTime(day_, QTime::currentTime()); }

  private:
    QDate day_;
};

// What --out writes: one of the exports, or SVG (written by its own writer).
struct OutputFormat {
    ExportKind kind = ExportKind::Pdf;
    bool svg = false;
    bool operator==(const OutputFormat&) const = default;
};

std::optional<OutputFormat> OutputFormatNamed(const QString& name) {
    const QString n = name.toLower();
    if (n == u"pdf") return OutputFormat{ExportKind::Pdf, false};
    if (n == u"png") return OutputFormat{ExportKind::Png, false};
    if (n == u"bmp") return OutputFormat{ExportKind::Bitmap, false};
    if (n == u"emf") return OutputFormat{ExportKind::Metafile, false};
    if (n == u"svg") return OutputFormat{ExportKind::Pdf, true};
    return std::nullopt;
}

QString JsonString(const QString& s) {
    QString text = QString::fromUtf8(QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact));
    return text.mid(1, text.size() - 2);
}

}  // namespace

CliResult RunCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "help");
    const QCommandLineOption version({"v", "version"}, "version");
    const QCommandLineOption first("first", "first", "NAME");
    const QCommandLineOption last("last", "last", "NAME");
    const QCommandLineOption date("date", "date", "DATE");
    const QCommandLineOption style("style", "style", "STYLE");
    const QCommandLineOption texts("texts", "texts");
    const QCommandLineOption json("json", "json");
    const QCommandLineOption asOf("as-of", "as-of", "DATE");
    const QCommandLineOption dateMode("date-mode", "date-mode", "N");
    const QCommandLineOption infoSet("info-set", "info-set", "N");
    const QCommandLineOption worldToBits("add-world-to-bits", "bits");
    const QCommandLineOption noWorldToBits("no-add-world-to-bits", "no bits");
    const QCommandLineOption worldToHeadlines("world-to-headlines", "headlines");
    const QCommandLineOption noWorldToHeadlines("no-world-to-headlines", "no headlines");
    const QCommandLineOption appDir("app-dir", "app-dir", "DIR");
    const QCommandLineOption output({"out", "output"}, "output", "FILE");
    const QCommandLineOption dpi("dpi", "dpi", "N");
    const QCommandLineOption format("format", "format", "FORMAT");
    const QCommandLineOption printOption("print", "print");
    const QCommandLineOption printerName("printer", "printer", "NAME");
    const QCommandLineOption batch("batch", "batch", "FILE");
    const QCommandLineOption from("from", "from", "N");
    const QCommandLineOption to("to", "to", "M");
    const QCommandLineOption outDir("out-dir", "out-dir", "DIR");
    const QCommandLineOption jobs("jobs", "jobs", "N");
    // A worker of a batch printed on every core: the folder holding the batch's settings, and its locale.
    const QCommandLineOption worker("worker", "worker", "DIR");
    const QCommandLineOption workerLocale("worker-locale", "worker-locale", "NAME");
    parser.addOptions({help, version, first, last, date, style, texts, json, asOf, dateMode, infoSet});
    parser.addOptions({worldToBits, noWorldToBits, worldToHeadlines, noWorldToHeadlines});
    parser.addOptions({appDir, output, printOption, printerName, dpi, format});
    parser.addOptions({batch, from, to, outDir, jobs, worker, workerLocale});

    if (!parser.parse(arguments)) return Usage(parser.errorText() + QStringLiteral(" (see --help)"));
    if (parser.isSet(version)) {
        const AppVersion v = CurrentVersion();
        return CliResult{
            0, QStringLiteral("natalory-print %1.%2.%3\n").arg(v.major).arg(v.minor).arg(v.revision), {}};
    }
    AppState state;
    UseProgramFolders(state,
                      FindProgramFolders(parser.isSet(appDir) ? parser.value(appDir)
                                                              : QCoreApplication::applicationDirPath()));
    if (parser.isSet(help) || arguments.size() <= 1) {
        const std::optional<int> lastYear = LastDataYear(state.ProgramFolder);
        const QString end =
            lastYear ? QStringLiteral("%1-12-31").arg(*lastYear) : QStringLiteral("the last day");
        return CliResult{
            0,
            QStringLiteral("Usage: natalory-print [options]\n") + QString::fromLatin1(kUsage).arg(end),
            {}};
    }
    if (!parser.positionalArguments().isEmpty())
        return Usage(
            QStringLiteral("unexpected argument '%1' (see --help)").arg(parser.positionalArguments()[0]));
    if (parser.isSet(appDir) && !QFileInfo(parser.value(appDir)).isDir())
        return Usage(QStringLiteral("--app-dir: no such folder: %1").arg(parser.value(appDir)));
    if (parser.isSet(worker)) {
        state.ConfigFolder = parser.value(worker);
        if (parser.isSet(workerLocale)) QLocale::setDefault(QLocale(parser.value(workerLocale)));
    }
    ReadSettings(state);
    // The prints this tool makes are logged where the window logs its own.
    state.LogFilePath = PrintLogFile(state);

    QDate today = QDate::currentDate();
    if (parser.isSet(asOf)) {
        today = QDate::fromString(parser.value(asOf), Qt::ISODate);
        if (!today.isValid())
            return Usage(
                QStringLiteral("--as-of: not a date: '%1' (use YYYY-MM-DD)").arg(parser.value(asOf)));
    }
    if (parser.isSet(dateMode)) {
        bool ok = false;
        const int mode = parser.value(dateMode).toInt(&ok);
        if (!ok || mode < 0 || mode > 3) return Usage(QStringLiteral("--date-mode: give 0, 1, 2 or 3"));
        state.settings.DateCalcMode = mode;
    }
    int chosenSet = 0;
    if (parser.isSet(infoSet)) {
        chosenSet = parser.value(infoSet) == u"1" ? 1 : parser.value(infoSet) == u"2" ? 2 : 0;
        if (!chosenSet) return Usage(QStringLiteral("--info-set: give 1 or 2"));
    }
    // Each data setting of the template can be forced on or off; unset, the template's own value holds.
    std::optional<bool> addWorldToBits, worldToHeadlinesValue;
    for (auto [on, off, value] :
         {std::tuple{&worldToBits, &noWorldToBits, &addWorldToBits},
          std::tuple{&worldToHeadlines, &noWorldToHeadlines, &worldToHeadlinesValue}}) {
        if (parser.isSet(*on) && parser.isSet(*off))
            return Usage(
                QStringLiteral("--%1 and --%2 contradict each other").arg(on->names()[0], off->names()[0]));
        if (parser.isSet(*on) || parser.isSet(*off)) *value = parser.isSet(*on);
    }
    std::function<void(DataSettings&)> adjustData;
    if (chosenSet || addWorldToBits || worldToHeadlinesValue)
        adjustData = [chosenSet, addWorldToBits, worldToHeadlinesValue](DataSettings& data) {
            if (chosenSet) data.InfoSet = chosenSet;
            if (addWorldToBits) data.AddWorldToBits = *addWorldToBits;
            if (worldToHeadlinesValue) data.WorldToHeadlines = *worldToHeadlinesValue;
        };
    const QString styleName = parser.isSet(style) ? parser.value(style) : QStringLiteral("news");
    if (styleName == u"news")
        state.birthday.PrintType = ptNewspaper;
    else if (styleName == u"classy")
        state.birthday.PrintType = ptClassy;
    else if (styleName == u"blank")
        state.birthday.PrintType = ptBlankPage;
    else if (styleName.endsWith(QStringLiteral(".als"), Qt::CaseInsensitive)) {
        if (!QFileInfo(styleName).isFile())
            return Usage(QStringLiteral("--style: no such template: %1").arg(styleName));
        state.birthday.PrintType = ptUserTemplate;
        state.birthday.CustomTemplatePath = QFileInfo(styleName).absoluteFilePath();
    } else {
        return Usage(QStringLiteral("--style: give news, classy, blank or a .als template file"));
    }
    if (parser.isSet(batch)) {
        BatchRequest request;
        request.file = parser.value(batch);
        for (auto [option, value] : {std::pair{&from, &request.from}, std::pair{&to, &request.to}}) {
            if (!parser.isSet(*option)) continue;
            bool ok = false;
            *value = parser.value(*option).toInt(&ok);
            if (!ok || *value < 1)
                return Usage(QStringLiteral("--%1: give a record number from 1").arg(option->names()[0]));
        }
        request.out = parser.value(output);
        request.outDir = parser.value(outDir);
        request.print = parser.isSet(printOption);
        request.printerName = parser.value(printerName);
        request.today = today;
        // The batch prints in the settings' style unless --style says otherwise.
        if (parser.isSet(style)) {
            state.settings.DefaultStyle = StyleLetter(state.birthday.PrintType);
            state.settings.DefaultTemplatePath = state.birthday.CustomTemplatePath;
        }
        request.adjustData = adjustData;
        request.worker = parser.isSet(worker);
        if (parser.isSet(jobs)) {
            bool ok = false;
            request.jobs = parser.value(jobs).toInt(&ok);
            if (!ok || request.jobs < 1 || request.jobs > 256)
                return Usage(QStringLiteral("--jobs: give a number from 1 to 256"));
        }
        // Workers read what this process read, and are told what the command line changed.
        request.workerArguments = QStringList{QStringLiteral("--app-dir"), state.ProgramFolder,
                                              QStringLiteral("--as-of"), today.toString(Qt::ISODate)};
        for (const QCommandLineOption* passed :
             {&worldToBits, &noWorldToBits, &worldToHeadlines, &noWorldToHeadlines})
            if (parser.isSet(*passed)) request.workerArguments << QStringLiteral("--") + passed->names()[0];
        if (chosenSet) request.workerArguments << QStringLiteral("--info-set") << QString::number(chosenSet);
        return RunBatchCommand(state, request);
    }
    if (parser.isSet(from) || parser.isSet(to) || parser.isSet(outDir) || parser.isSet(jobs))
        return Usage(QStringLiteral("--from, --to, --out-dir and --jobs go with --batch FILE"));
    if (!parser.isSet(date)) return Usage(QStringLiteral("--date is required (YYYY-MM-DD)"));
    const QDate birth = QDate::fromString(parser.value(date), Qt::ISODate);
    if (!birth.isValid())
        return Usage(QStringLiteral("--date: not a date: '%1' (use YYYY-MM-DD)").arg(parser.value(date)));
    // Without readable year data there is no last year; the check of the data files below says why.
    const std::optional<int> lastYear = LastDataYear(state.ProgramFolder);
    if (birth.year() < kFirstYear || (lastYear && birth.year() > *lastYear))
        return Usage(QStringLiteral("--date: the year must be from 1900 to %1, not %2")
                         .arg(lastYear.value_or(kFirstYear))
                         .arg(birth.year()));

    if (!parser.isSet(texts) && !parser.isSet(output) && !parser.isSet(printOption))
        return Usage(QStringLiteral("nothing to make: give --texts, --out FILE or --print (see --help)"));
    const QString outputPath = parser.value(output);
    const bool toStandardOutput = outputPath == u"-";
    if (toStandardOutput && parser.isSet(texts))
        return Usage(QStringLiteral("--texts and --out - would both write to standard output"));
    const std::optional<OutputFormat> named = OutputFormatNamed(QFileInfo(outputPath).suffix());
    std::optional<OutputFormat> outputFormat =
        toStandardOutput ? OutputFormat{ExportKind::Pdf, false} : named;
    if (parser.isSet(format)) {
        if (!parser.isSet(output)) return Usage(QStringLiteral("--format goes with --out FILE"));
        outputFormat = OutputFormatNamed(parser.value(format));
        if (!outputFormat) return Usage(QStringLiteral("--format: give pdf, png, bmp, svg or emf"));
        if (named && !toStandardOutput && *named != *outputFormat)
            return Usage(QStringLiteral("--format %1 contradicts the name of --out %2")
                             .arg(parser.value(format), outputPath));
    } else if (parser.isSet(output) && !outputFormat) {
        return Usage(
            QStringLiteral("--out: the file must end in .pdf, .png, .bmp, .svg or .emf (or give --format)"));
    }
    double pngDpi = 150;
    if (parser.isSet(dpi)) {
        if (!outputFormat || outputFormat->kind != ExportKind::Png || outputFormat->svg)
            return Usage(
                QStringLiteral("--dpi goes with PNG output only (BMP is 96 dots per inch; PDF, SVG and EMF "
                               "have no dots to count)"));
        bool ok = false;
        pngDpi = parser.value(dpi).toDouble(&ok);
        // Written so that "nan", which compares false with everything, fails it too.
        if (!ok || !(pngDpi >= 10 && pngDpi <= 1200))
            return Usage(QStringLiteral("--dpi: give a number from 10 to 1200"));
    }
    std::unique_ptr<SystemPrinter> printer;
    if (parser.isSet(printOption)) {
        QString why;
        printer = SystemPrinter::Find(parser.value(printerName), &why);
        if (!printer) return CliResult{1, {}, QStringLiteral("natalory-print: cannot print: %1\n").arg(why)};
    }

    // Without its year data a print would be made of empty facts: no print is better.
    for (const char* name : {kYearRecordsFile, kHeadlinesFile, kHeadlinesSet2File, kCelebritiesFile}) {
        QString why;
        const QString path = ProgramFile(state.ProgramFolder, QString::fromLatin1(name));
        if (!ReadFileBytes(path, &why))
            return CliResult{1,
                             {},
                             QStringLiteral("natalory-print: cannot read the year data file %1: %2\n")
                                 .arg(QDir::toNativeSeparators(path), why)};
    }

    // The print is built as the window builds it; the options then stand in for the data settings dialog.
    state.settings.QuickPrinting = true;
    SilentPrompt prompt;
    OffscreenPrint print(state, prompt);
    print.adjustData = adjustData;
    const FixedClock clock(today);
    const BuildResult built = SetBirthday(state, today, print, BuildMode::LoadTemplate, birth,
                                          parser.value(first), parser.value(last));
    if (built.yearData)
        return CliResult{
            1,
            {},
            QStringLiteral("natalory-print: no print: ") + DescribeYearDataProblem(*built.yearData) + u'\n'};
    if (print.error) {
        QString message = TemplateErrorMessage(*print.error);
        message.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return CliResult{1, {}, QStringLiteral("natalory-print: ") + message + u'\n'};
    }

    CliResult result;
    if (parser.isSet(output) || printer) {
        PrintEngine engine;
        state.settings.QuickPrinting = true;
        if (printer) {
            if (!PrintCanvas(print.document, state, engine, CanvasPlacement{},
                             PrintServices{prompt, clock, printer.get()}))
                return CliResult{1, {}, QStringLiteral("natalory-print: %1\n").arg(prompt.said.join(u' '))};
            result.err += prompt.warnings() + QStringLiteral("Printed on %1.\n").arg(printer->name());
        }
        if (parser.isSet(output)) {
            // A file written here is not one of the window's exports: it is neither counted nor logged.
            RenderDocument(print.document, engine, state, CanvasPlacement{});
            // Standard output gets the file whole or nothing: it is made in a folder of its own first.
            QTemporaryDir scratch;
            const QString path = toStandardOutput ? scratch.filePath(QStringLiteral("print")) : outputPath;
            QString error;
            bool ok = (!toStandardOutput || scratch.isValid()) &&
                      (outputFormat->svg ? WriteSvg(engine, path, &error)
                                         : WriteExport(outputFormat->kind, engine, path, &error, pngDpi));
            if (ok && toStandardOutput) {
                QFile made(path);
                ok = made.open(QIODevice::ReadOnly);
                result.outBytes = made.readAll();
                error = made.errorString();
            }
            if (!ok)
                return CliResult{
                    1,
                    {},
                    QStringLiteral("natalory-print: cannot write %1: %2\n")
                        .arg(toStandardOutput ? QStringLiteral("to standard output") : outputPath, error)};
        }
        if (!parser.isSet(texts)) return result;
    }
    if (parser.isSet(json)) {
        QStringList entries;
        for (const InfoKind& k : InfoCatalogue())
            entries << QStringLiteral("  %1: %2")
                           .arg(JsonString(QString::fromLatin1(k.key)),
                                JsonString(GenerateCaption(QString::fromLatin1(k.key), state)));
        result.out = QStringLiteral("{\n") + entries.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n");
    } else {
        for (const InfoKind& k : InfoCatalogue()) {
            QString caption = GenerateCaption(QString::fromLatin1(k.key), state);
            caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            result.out +=
                u'[' + QString::fromLatin1(k.key) + QStringLiteral("]\n") + caption + QStringLiteral("\n\n");
        }
    }
    return result;
}

}  // namespace natalory
