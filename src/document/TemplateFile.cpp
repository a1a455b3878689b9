#include "document/TemplateFile.h"

#include "birthday/YearDataReaders.h"
#include "document/PageGeometry.h"
#include "document/Pictures.h"
#include "infoobjects/Generators.h"
#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"
#include "foundation/RecordFormat.h"
#include "foundation/SaveTarget.h"
#include "foundation/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cmath>

namespace natalory {
namespace {

constexpr QChar kQuoteStandIn = QChar(0xB5);

bool DataSettings::*const kStoredDataSettings[] = {
    &DataSettings::IncludeHouse,    &DataSettings::IncludeCar,         &DataSettings::IncludeMilk,
    &DataSettings::IncludeGas,      &DataSettings::IncludeBread,       &DataSettings::IncludeIncome,
    &DataSettings::IncludeFlour,    &DataSettings::IncludeElectricity, &DataSettings::IncludeEggs,
    &DataSettings::IncludeBacon,    &DataSettings::IncludeBologna,     &DataSettings::IncludeIceCream,
    &DataSettings::IncludePotatoes, &DataSettings::IncludePopulation,  &DataSettings::IncludeCPI,
    &DataSettings::IncludeStamps,
};

// A template with more objects than a canvas holds refuses every one past the limit:
// the user hears about it once per load, not once per object.
class OncePerMessagePrompt final : public Prompt {
  public:
    explicit OncePerMessagePrompt(Prompt& inner) : inner_(inner) {}
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override {
        if (buttons != PromptButtons::Ok) return inner_.ask(text, title, buttons, icon);
        if (shown_.contains(text)) return PromptAnswer::Ok;
        shown_ << text;
        return inner_.ask(text, title, buttons, icon);
    }

  private:
    Prompt& inner_;
    QStringList shown_;
};

TemplateError FromRecordError(const RecordError& e) {
    const bool early = e.kind == RecordError::Kind::CutShort;
    return TemplateError{early ? teEndsEarly : teWrongType, e.file,
                         QStringLiteral("line %1, field %2: %3").arg(e.line).arg(e.field).arg(e.message)};
}

// A field stored as text that the reader turns into a number.
bool TextAsNumber(RecordReader& in, const QString& file, double* value, const char* what,
                  TemplateError* error) {
    QString text;
    const int line = in.line();
    if (!in.readText(text)) return false;
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(*value)) return true;
    *error = TemplateError{teWrongType, file,
                           QStringLiteral("line %1: the %2 should be a number, found \"%3\"")
                               .arg(line)
                               .arg(QLatin1StringView(what), text)};
    return false;
}

// Numbers a template may hold. Anything outside is no template a program wrote, and
// would overflow the arithmetic of fitting, rendering and exporting further on.
constexpr int kReach = kLargestPaper;  // how far any position or size may go from the page's corner
constexpr double kSmallestFont = 1, kLargestFont = 1638;

bool ReadIntegerIn(RecordReader& in, int& out, int low, int high, const char* what) {
    if (!in.readInteger(out)) return false;
    if (out >= low && out <= high) return true;
    return in.rejectLast(QStringLiteral("the %1 must be from %2 to %3, found %4")
                             .arg(QLatin1StringView(what))
                             .arg(low)
                             .arg(high)
                             .arg(out));
}

bool ReadGeometry(RecordReader& in, std::initializer_list<int*> values) {
    for (int* v : values) ReadIntegerIn(in, *v, -kReach, kReach, "position or size");
    return !in.failed();
}

struct TextRecord {
    int Width = 0, Height = 0, Left = 0, Top = 0;
    QString FontName;
    double ForeColor = 0, FontSize = 0;
    bool FontBold = false, FontItalic = false, FontStrikethru = false, FontUnderline = false;
    int Alignment = 0;
    QString Caption;
};

bool ReadTextRecord(RecordReader& in, const QString& file, TextRecord& r, TemplateError* error) {
    ReadGeometry(in, {&r.Width, &r.Height, &r.Left, &r.Top});
    in.readText(r.FontName);
    if (in.failed() || !TextAsNumber(in, file, &r.ForeColor, "colour", error) ||
        !TextAsNumber(in, file, &r.FontSize, "font size", error))
        return false;
    if (r.FontSize < kSmallestFont || r.FontSize > kLargestFont)
        return in.rejectLast(QStringLiteral("the font size must be from %1 to %2 points, found %3")
                                 .arg(kSmallestFont)
                                 .arg(kLargestFont)
                                 .arg(r.FontSize));
    in.readBoolean(r.FontBold);
    in.readBoolean(r.FontItalic);
    in.readBoolean(r.FontStrikethru);
    in.readBoolean(r.FontUnderline);
    in.readInteger(r.Alignment);
    in.readText(r.Caption);
    return !in.failed();
}

void ApplyTextRecord(const TextRecord& r, DisplayObject& o, bool withCaption) {
    o.Width = r.Width;
    o.Height = r.Height;
    o.Left = r.Left;
    o.Top = r.Top;
    o.FontName = r.FontName;
    o.ForeColor = ColorFromStored(qint64(std::llround(r.ForeColor)));
    o.FontSize = r.FontSize;
    o.FontBold = r.FontBold;
    o.FontItalic = r.FontItalic;
    o.FontStrikethru = r.FontStrikethru;
    o.FontUnderline = r.FontUnderline;
    o.Alignment = r.Alignment;
    if (withCaption) o.Caption = QString(r.Caption).replace(kQuoteStandIn, u'"');
}

// The picture of a stored path: the path itself, else a file of that name in the
// program folder, else the placeholder.
QImage LoadStoredPicture(const QString& stored, const QString& programFolder,
                         std::shared_ptr<const VectorPicture>* vector) {
    // A bare file name means the program folder, never the folder the program was started from.
    if (!stored.isEmpty() && QFileInfo(stored).isAbsolute() && QFileInfo(stored).isFile()) {
        QImage image = LoadPicture(stored, nullptr, vector);
        if (!image.isNull()) return image;
    }
    // Paths written on Windows separate folders with "\".
    const QString name = QString(stored).replace(u'\\', u'/').section(u'/', -1);
    if (!name.isEmpty()) {
        const QString beside = ProgramFile(programFolder, name);
        if (QFileInfo(beside).isFile()) {
            QImage image = LoadPicture(beside, nullptr, vector);
            if (!image.isNull()) return image;
        }
    }
    return LoadPicture(ProgramFile(programFolder, QString::fromLatin1(kPlaceholderPicture)), nullptr, vector);
}

}  // namespace

QString TemplateErrorMessage(const TemplateError& e) {
    return QStringLiteral("Error In Template File\r\nSource = %1, Number = %2, \r\nDescription = %3")
        .arg(e.source)
        .arg(e.number)
        .arg(e.description);
}

qint64 ColorToStored(QRgb c) {
    return qint64(qRed(c)) + 256 * qint64(qGreen(c)) + 65536 * qint64(qBlue(c));
}

QRgb ColorFromStored(qint64 v) {
    if (v < 0) v = 0;
    return qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString TemplatePathFor(const AppState& state) {
    switch (state.birthday.PrintType) {
        case ptNewspaper:
            return ProgramFile(state.ProgramFolder, QString::fromLatin1(kNewspaperTemplate));
        case ptClassy:
            return ProgramFile(state.ProgramFolder, QString::fromLatin1(kClassyTemplate));
        case ptBlankPage:
            return ProgramFile(state.ProgramFolder, QString::fromLatin1(kBlankTemplate));
        default:
            return state.birthday.CustomTemplatePath;
    }
}

namespace {
std::optional<TemplateError> ReadTemplate(RecordReader& in, const QString& source, CanvasDocument& doc,
                                          AppState& state, Prompt& userPrompt, std::optional<QSize>* canvasSize,
                                          const QLocale& locale);
}  // namespace

std::optional<TemplateError> LoadTemplateFile(const QString& path, CanvasDocument& doc, AppState& state,
                                              Prompt& prompt, std::optional<QSize>* canvasSize,
                                              const QLocale& locale) {
    const QString source = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return TemplateError{
            teFileNotFound, source,
            QStringLiteral("the template file %1 was not found").arg(QDir::toNativeSeparators(path))};
    RecordError openError;
    auto reader = RecordReader::open(path, &openError);
    if (!reader)
        return TemplateError{teCannotRead, source,
                             QStringLiteral("the file cannot be read: ") + openError.message};
    return ReadTemplate(*reader, source, doc, state, prompt, canvasSize, locale);
}

std::optional<TemplateError> ReadTemplateText(const QString& text, const QString& source, CanvasDocument& doc,
                                              AppState& state, Prompt& prompt, const QLocale& locale) {
    RecordReader in(text, source);
    return ReadTemplate(in, source, doc, state, prompt, nullptr, locale);
}

namespace {

std::optional<TemplateError> ReadTemplate(RecordReader& in, const QString& source, CanvasDocument& doc,
                                          AppState& state, Prompt& userPrompt, std::optional<QSize>* canvasSize,
                                          const QLocale& locale) {
    OncePerMessagePrompt prompt(userPrompt);
    TemplateError error;

    // Header: "Birthday", the version, then the page.
    QString word, version;
    PageSetup page;
    // A file of another kind would otherwise be read as far as its fields happen to fit.
    if (in.readText(word) && word != u"Birthday")
        return TemplateError{teWrongType, source,
                             QStringLiteral("line 1, field 1: this is not a template: it begins with \"%1\", "
                                            "not \"Birthday\"")
                                 .arg(word.left(40))};
    in.readText(version);
    ReadIntegerIn(in, page.PaperWidth, kSmallestPaper, kLargestPaper, "paper width");
    ReadIntegerIn(in, page.PaperLength, kSmallestPaper, kLargestPaper, "paper length");
    in.readInteger(page.PageOrientation);
    for (int* margin : {&page.LeftMargin, &page.RightMargin, &page.TopMargin, &page.BottomMargin})
        ReadIntegerIn(in, *margin, 0, kLargestPaper, "margin");
    if (in.failed()) return FromRecordError(in.error());
    state.page = page;
    if (canvasSize) *canvasSize = PrintableCanvasSize(page);

    DataSettings data;
    for (bool DataSettings::*value : kStoredDataSettings) in.readBoolean(data.*value);
    in.readInteger(data.InfoSet);
    in.readBoolean(data.AddWorldToBits);
    in.readBoolean(data.WorldToHeadlines);
    in.readBoolean(data.AddAmounts);
    if (in.failed()) return FromRecordError(in.error());
    state.data = data;
    ReadHeadlinesForSet(state.ProgramFolder, state.data.InfoSet, state.birthday.BirthDate, state.year);

    while (!in.atEnd()) {
        QString tag;
        if (!in.readText(tag)) break;
        const QChar letter = tag.isEmpty() ? QChar() : tag[0];
        if (tag.size() > 1 && letter == u'T') {
            DisplayObject* created = nullptr;
            if (const InfoKind* kind = FindInfoKindByKey(tag.mid(1)))
                created = RunGenerator(*kind, doc, state, prompt, GeneratorMode::Create, 0, locale);
            TextRecord r;
            if (!ReadTextRecord(in, source, r, &error)) break;
            if (created) ApplyTextRecord(r, *created, false);
        } else if (tag == u"T") {
            DisplayObject* created = NewLabel(doc, state, prompt);
            TextRecord r;
            if (!ReadTextRecord(in, source, r, &error)) break;
            if (created) ApplyTextRecord(r, *created, true);
        } else if (tag == u"P") {
            DisplayObject* created = NewPicture(doc, state, prompt, false);
            int w = 0, h = 0, l = 0, t = 0;
            QString stored;
            ReadGeometry(in, {&w, &h, &l, &t});
            in.readText(stored);
            if (in.failed()) break;
            if (created) {
                created->Width = w, created->Height = h, created->Left = l, created->Top = t;
                created->ToolTipText = stored;
                created->Picture = LoadStoredPicture(stored, state.ProgramFolder, &created->PictureVector);
            }
        } else if (tag == u"S") {
            int w = 0, h = 0, l = 0, t = 0, shape = 0, border = 0;
            ReadGeometry(in, {&w, &h, &l, &t});
            in.readInteger(shape);
            in.readInteger(border);
            if (in.failed()) break;
            if (DisplayObject* created = NewShape(doc, state, prompt, shape)) {
                created->Width = w, created->Height = h, created->Left = l, created->Top = t;
                created->BorderWidth = border;
            }
        } else if (tag == u"L") {
            int x1 = 0, x2 = 0, y1 = 0, y2 = 0, style = 0, border = 0;
            ReadGeometry(in, {&x1, &x2, &y1, &y2});
            in.readInteger(style);
            in.readInteger(border);
            if (in.failed()) break;
            if (DisplayObject* created = NewShape(doc, state, prompt, kLineShapeKind)) {
                created->X1 = x1, created->X2 = x2, created->Y1 = y1, created->Y2 = y2;
                created->BorderStyle = style;
                created->BorderWidth = border;
            }
        } else {
            // A kind this program does not know: its property line is passed over.
            QString skipped;
            in.readLine(skipped);
        }
    }
    if (error.number) return error;
    if (in.failed()) return FromRecordError(in.error());
    return std::nullopt;
}

}  // namespace

std::optional<TemplateError> LoadTemplate(CanvasDocument& doc, AppState& state, Prompt& prompt,
                                          std::optional<QSize>* canvasSize, const QLocale& locale) {
    // A template that cannot be read still leaves a print with every economic item and its year's headlines.
    state.data = DefaultDataSettings();
    auto error = LoadTemplateFile(TemplatePathFor(state), doc, state, prompt, canvasSize, locale);
    if (error)
        ReadHeadlinesForSet(state.ProgramFolder, state.data.InfoSet, state.birthday.BirthDate, state.year);
    return error;
}

QByteArray TemplateBytes(const CanvasDocument& doc, const AppState& state, QString* problem) {
    RecordWriter out;
    const PageSetup& p = state.page;
    out.text(QStringLiteral("Birthday"));
    out.text(QString::fromLatin1(kTemplateVersion));
    for (int v : {p.PaperWidth, p.PaperLength, p.PageOrientation, p.LeftMargin, p.RightMargin, p.TopMargin,
                  p.BottomMargin})
        out.integer(v);
    out.endRecord();
    for (bool DataSettings::*value : kStoredDataSettings) out.boolean(state.data.*value);
    out.integer(state.data.InfoSet);
    out.boolean(state.data.AddWorldToBits);
    out.boolean(state.data.WorldToHeadlines);
    out.boolean(state.data.AddAmounts);
    out.endRecord();

    for (const DisplayObject* o : doc.stacking()) {
        if (!o->Visible) continue;
        const QChar letter = o->kindLetter();
        if (letter != u'T' && letter != u'P' && letter != u'S' && letter != u'L') continue;
        out.text(o->Tag);
        out.endRecord();
        switch (o->kind) {
            case ObjectKind::Text:
                for (int v : {o->Width, o->Height, o->Left, o->Top}) out.integer(v);
                out.text(o->FontName);
                out.integer(ColorToStored(o->ForeColor));
                out.number(o->FontSize);
                out.boolean(o->FontBold);
                out.boolean(o->FontItalic);
                out.boolean(o->FontStrikethru);
                out.boolean(o->FontUnderline);
                out.integer(o->Alignment);
                out.text(QString(o->Caption).replace(u'"', kQuoteStandIn));
                break;
            case ObjectKind::Picture:
                for (int v : {o->Width, o->Height, o->Left, o->Top}) out.integer(v);
                out.text(o->ToolTipText);
                break;
            case ObjectKind::Shape:
                for (int v : {o->Width, o->Height, o->Left, o->Top, o->Shape, o->BorderWidth}) out.integer(v);
                break;
            case ObjectKind::Line:
                for (int v : {o->X1, o->X2, o->Y1, o->Y2, o->BorderStyle, o->BorderWidth}) out.integer(v);
                break;
        }
        out.endRecord();
    }
    if (problem) *problem = out.problem();
    return out.bytes();
}

std::optional<QString> SaveTemplate(const CanvasDocument& doc, AppState& state, Services& services) {
    state.SaveCancelled = false;
    FileRequest request;
    request.title = QStringLiteral("Save Template");
    request.filter = QStringLiteral("als (*.als)");
    request.folder = SaveFolder(state);
    request.defaultSuffix = QStringLiteral("als");
    // Cancelling the dialog or the overwrite question saves nothing: a close that asked
    // for this save does not go on.
    const std::optional<QString> chosen = ChooseSaveTarget(services, request);
    if (!chosen) {
        state.SaveCancelled = true;
        return std::nullopt;
    }
    if (chosen->trimmed().isEmpty() || QFileInfo(*chosen).isDir()) {
        services.prompt.ask(QStringLiteral("No file found to save."), QStringLiteral("Disk Error"),
                            PromptButtons::Ok, PromptIcon::Exclamation);
        state.SaveCancelled = true;
        return std::nullopt;
    }
    QString problem;
    const QByteArray bytes = TemplateBytes(doc, state, &problem);
    QString error;
    if (problem.isEmpty() && WriteFileAtomically(*chosen, bytes, &error)) {
        state.TemplateChanged = false;
        return chosen;
    }
    const int number = !problem.isEmpty() ? 93 : QFileInfo(QFileInfo(*chosen).path()).isDir() ? 75 : 76;
    services.prompt.ask(QStringLiteral("An error has occured. %1 Desc:%2")
                            .arg(number)
                            .arg(problem.isEmpty() ? error : problem),
                        QStringLiteral("Disk Error"), PromptButtons::Ok, PromptIcon::Exclamation);
    // The old file is untouched and the canvas still unsaved: the print stays open.
    state.SaveCancelled = true;
    return std::nullopt;
}

}  // namespace natalory
