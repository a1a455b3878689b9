#pragma once

#include "birthday/BirthdayValues.h"
#include "foundation/Seams.h"

#include <QDate>
#include <QString>

namespace natalory {


class YearDataCache;

// The style of a print; the same four appear as the settings' default-style
// letter, the birthday dialog's style list, the template loaded and the log.
enum PrintTypes { ptNewspaper = 0, ptClassy = 1, ptBlankPage = 2, ptUserTemplate = 3 };

// The settings' letter for a print type: "A", "B", "C" or "Z".
inline QString StyleLetter(int printType) {
    static constexpr char letters[] = {'A', 'B', 'C', 'Z'};
    return QString(QLatin1Char(letters[printType]));
}

// The print type a settings letter names, or -1 for a letter the program does not know.
inline int PrintTypeOfStyle(const QString& letter) {
    for (int type = ptNewspaper; type <= ptUserTemplate; ++type)
        if (letter == StyleLetter(type)) return type;
    return -1;
}

// The user's preferences kept in the settings file, in file order.
struct Settings {
    QString DefaultTemplatePath;
    QString DefaultStyle;  // "A" newspaper, "B" classy, "C" blank page, "Z" the user's template
    QString LastTemplateFolder;
    int DateCalcMode = 0;  // 0 today, 1 this year's birthday, 2 next year's, 3 last year's
    bool QuickPrinting = false;
    bool AutosizeFonts = false;
    bool FullJustifyNews = false;
    bool LogPrintouts = false;
    bool UsePrinterFonts = false;
    int PrintOffsetX = 0;  // twips
    int PrintOffsetY = 0;  // twips

    bool operator==(const Settings&) const = default;
};

// The person and date being printed.
struct BirthdayRecord {
    QDate BirthDate;
    QString FirstName;
    QString LastName;
    QString FullName;
    int PrintType = ptNewspaper;
    QString CustomTemplatePath;
    QString ParentsName;
};

// Paper and margins in twips, carried by every template.
struct PageSetup {
    int PaperWidth = 0;
    int PaperLength = 0;
    int LeftMargin = 0;
    int RightMargin = 0;
    int TopMargin = 0;
    int BottomMargin = 0;
    int PageOrientation = 0;  // 1 portrait, 2 landscape
};

// Everything the running program knows, created zeroed and owned by the
// application object; passed by reference to whatever needs it.
struct AppState {
    QString AppTitle;
    QString LogFilePath;
    bool BatchInProgress = false;
    bool TemplateChanged = false;
    bool SaveCancelled = false;
    bool PreviewMode = false;
    bool SavingToFile = false;
    int PrintCount = 0;
    bool PrintLogFailureShown = false;  // a failed log append is told once a run

    // The printer chosen in Print Setup; empty: the system's default printer.
    QString PrinterName;
    // The rest of what Print Setup offers, used by every print sent to the printer.
    PrintOptions PrinterOptions;

    // The data folder: year data, built-in templates, pictures and help are read from here.
    QString ProgramFolder;
    // Where the settings and toolbar layout, the print log and saved files go; empty: the
    // program folder (see ProgramFolders.h).
    QString ConfigFolder;
    QString LogFolder;
    QString DocumentsFolder;

    // While a batch runs: the year data it has read, so each file is read once. Null otherwise.
    YearDataCache* yearDataCache = nullptr;

    BirthdayRecord birthday;
    Settings settings;
    PageSetup page;
    DataSettings data;
    CalendarFacts facts;
    YearData year;
};

}  // namespace natalory
