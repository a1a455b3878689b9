// A template as the window or the command line opens it: read, every text fitted
// to its box, rendered and painted.
#include "TemplateInput.h"
#include "output/Render.h"

#include <QImage>
#include <QPainter>

using namespace natalory;

namespace {

// Fitting is a search over font sizes whose cost grows with the text; long texts
// have a benchmark of their own, and here they would only slow the search for faults.
constexpr qsizetype kLongestCaption = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::LoadedTemplate t;
    fuzz::LoadFuzzTemplate(t, fuzz::Bytes(data, size), QStringLiteral("fuzz.als"));
    if (t.error) (void)TemplateErrorMessage(*t.error);
    for (DisplayObject* o : t.doc.stacking()) o->Caption.truncate(kLongestCaption);
    FitAllLabels(t.doc, t.state, t.prompt);
    PrintEngine engine;
    RenderDocument(t.doc, engine, t.state, CanvasPlacement{});
    const QSizeF twips = engine.pageSizeTwips();
    if (twips.width() >= 1) {
        QImage page(64, 84, QImage::Format_ARGB32_Premultiplied);
        page.fill(Qt::white);
        QPainter painter(&page);
        engine.replay(painter, page.width() / twips.width());
    }
    return 0;
}
