#pragma once

#include "foundation/Seams.h"

namespace natalory {

inline constexpr auto kHelpFileName = "nataloryhelp.chm";
inline constexpr auto kHelpWindowType = "Main";

// Help context IDs of the windows; each has a page of its own in the help.
enum HelpContext {
    hcMainWindow = 1000,
    hcBirthdayDialog = 1010,
    hcCanvas = 1020,
    hcOptions = 1030,
    hcDataSettings = 1040,
    hcPageSetup = 1050,
    hcPreview = 1060,
    hcBatch = 1070,
    hcPrintLog = 1080,
    hcEditText = 1090,
    hcResizePicture = 1100,
};

// The help file, its window type and a topic, as one request to the help viewer.
class HTMLHelp {
  public:
    explicit HTMLHelp(HelpViewer& viewer) : viewer_(viewer) {}

    QString CHMFile;
    QString HHWindow;
    int HHTopicID = 0;

    void HHDisplayContents() { viewer_.showContents(CHMFile, HHWindow); }
    void HHDisplayTopicID() { viewer_.showTopic(CHMFile, HHWindow, HHTopicID); }

  private:
    HelpViewer& viewer_;
};

// The program folder's help at its contents, or at one window's page.
void ShowHelpContents(const QString& programFolder, HelpViewer& viewer);
void ShowHelpTopic(const QString& programFolder, HelpViewer& viewer, int contextId);

}  // namespace natalory
