#pragma once

#include "birthday/SetBirthday.h"
#include "document/DisplayObjects.h"
#include "document/TemplateFile.h"
#include "output/TextBlockMemo.h"
#include "foundation/Seams.h"

#include <functional>
#include <optional>

namespace natalory {

// A print built without a window, through the same SetBirthday as the window's:
// the command line's prints and every record of a batch.
class OffscreenPrint final : public PrintDocumentHost {
  public:
    OffscreenPrint(AppState& state, Prompt& prompt) : state_(state), prompt_(prompt) {}

    CanvasDocument document;
    std::optional<TemplateError> error;  // of the last template load
    QString caption;

    // For a run of many prints: the template is read once, and each later print of
    // the same style starts from a copy of it with its info objects written anew,
    // which is what reading the file again would give.
    void keepTemplates() { keep_ = true; }
    // Changes the data settings a template brings before its texts are written.
    std::function<void(DataSettings&)> adjustData;
    // While templates are kept: the layouts of this run, for the fit and the page.
    TextBlockMemo* layouts() { return keep_ ? &layouts_ : nullptr; }

    void RefreshInfoObjects() override;
    // Keeps a failed load's error for the caller to report; the print goes on as far as it can.
    bool LoadTemplate() override;
    void FitAllLabels() override;
    void SetCanvasCaption(const QString& text) override { caption = text; }
    void ShowCanvas() override {}
    void MoveCanvas(int, int) override {}
    void ShowDocumentTools() override {}
    void UnloadCanvas() override { document = CanvasDocument(); }

  private:
    struct Kept {
        int printType = 0;
        QString path;
        CanvasDocument document;  // as read, before any text was fitted
        PageSetup page;
        DataSettings data;
    };
    AppState& state_;
    Prompt& prompt_;
    bool keep_ = false;
    std::optional<Kept> kept_;
    TextBlockMemo layouts_;
};

}  // namespace natalory
