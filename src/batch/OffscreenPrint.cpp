#include "batch/OffscreenPrint.h"

#include "infoobjects/Generators.h"
#include "output/Render.h"

namespace natalory {

void OffscreenPrint::RefreshInfoObjects() {
    natalory::RefreshInfoObjects(document, state_, prompt_);
}

bool OffscreenPrint::LoadTemplate() {
    const QString path = TemplatePathFor(state_);
    if (kept_ && kept_->printType == state_.birthday.PrintType && kept_->path == path) {
        document = kept_->document.copy();
        state_.page = kept_->page;
        state_.data = kept_->data;
        error.reset();
        if (adjustData) adjustData(state_.data);
        natalory::RefreshInfoObjects(document, state_, prompt_);
        return true;
    }
    document = CanvasDocument();
    error = natalory::LoadTemplate(document, state_, prompt_);
    // A template that could not be read is read again, and fails again, for every print.
    if (keep_ && !error)
        kept_ = Kept{state_.birthday.PrintType, path, document.copy(), state_.page, state_.data};
    if (adjustData) {
        adjustData(state_.data);
        natalory::RefreshInfoObjects(document, state_, prompt_);
    }
    return true;
}

void OffscreenPrint::FitAllLabels() {
    natalory::FitAllLabels(document, state_, prompt_, {}, layouts());
}

}  // namespace natalory
