#include "foundation/Settings.h"

#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"

#include <QFileInfo>

namespace natalory {
namespace {

bool ReadRecord(RecordReader& in, Settings& s) {
    in.readText(s.DefaultTemplatePath);
    in.readText(s.DefaultStyle);
    in.readText(s.LastTemplateFolder);
    in.readInteger(s.DateCalcMode);
    in.readBoolean(s.QuickPrinting);
    in.readBoolean(s.AutosizeFonts);
    in.readBoolean(s.FullJustifyNews);
    in.readBoolean(s.LogPrintouts);
    in.readBoolean(s.UsePrinterFonts);
    in.readInteger(s.PrintOffsetX);
    in.readInteger(s.PrintOffsetY);
    return !in.failed();
}

}  // namespace

Settings DefaultSettings() {
    Settings s;
    s.DefaultStyle = QStringLiteral("A");
    s.DateCalcMode = 0;
    s.QuickPrinting = false;
    s.AutosizeFonts = true;
    s.FullJustifyNews = true;
    s.LogPrintouts = true;
    s.UsePrinterFonts = false;
    return s;
}

SettingsReadResult ReadSettings(AppState& state) {
    const QString path = ConfigFile(state, QString::fromLatin1(kSettingsFileName));
    SettingsReadResult result;
    if (!QFileInfo::exists(path)) {
        state.settings = DefaultSettings();
        result.source = SettingsSource::DefaultsNoFile;
        return result;
    }
    auto in = RecordReader::open(path, &result.error);
    Settings s;
    if (in && ReadRecord(*in, s)) {
        // Values no dialog could have written fall back to their default one by one.
        const Settings d = DefaultSettings();
        if (PrintTypeOfStyle(s.DefaultStyle) < 0) s.DefaultStyle = d.DefaultStyle;
        if (s.DateCalcMode < 0 || s.DateCalcMode > 3) s.DateCalcMode = d.DateCalcMode;
        state.settings = s;
        return result;
    }
    if (in) result.error = in->error();
    // A file cut short or overwritten with something else is not half believed.
    state.settings = DefaultSettings();
    result.source = SettingsSource::DefaultsDamagedFile;
    return result;
}

QByteArray SettingsRecord(const Settings& s, QString* problem) {
    RecordWriter out;
    out.text(s.DefaultTemplatePath);
    out.text(s.DefaultStyle);
    out.text(s.LastTemplateFolder);
    out.integer(s.DateCalcMode);
    out.boolean(s.QuickPrinting);
    out.boolean(s.AutosizeFonts);
    out.boolean(s.FullJustifyNews);
    out.boolean(s.LogPrintouts);
    out.boolean(s.UsePrinterFonts);
    out.integer(s.PrintOffsetX);
    out.integer(s.PrintOffsetY);
    out.endRecord();
    if (problem) *problem = out.problem();
    return out.bytes();
}

bool WriteSettings(const AppState& state, const Settings& settings, QString* error) {
    QString problem;
    const QByteArray bytes = SettingsRecord(settings, &problem);
    if (!problem.isEmpty()) {
        if (error) *error = problem;
        return false;
    }
    const QString path = ConfigFile(state, QString::fromLatin1(kSettingsFileName));
    if (!MakeFolderFor(path)) {
        if (error) *error = QStringLiteral("its folder cannot be made");
        return false;
    }
    return WriteFileAtomically(path, bytes, error, FileAccess::Private);
}

}  // namespace natalory
