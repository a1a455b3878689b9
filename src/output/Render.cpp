#include "output/Render.h"

#include "batch/PrintLog.h"
#include "birthday/CalendarFacts.h"
#include "output/CanvasPainter.h"
#include "output/TextBlockMemo.h"

#include <algorithm>
#include <cmath>

namespace natalory {

bool IsJustifiedNews(const QString& tag) {
    return (!tag.contains(QStringLiteral("label")) && tag.contains(QStringLiteral("article"))) ||
           tag.contains(QStringLiteral("presidentsreport")) || tag.contains(QStringLiteral("editorialnote"));
}

void RenderObject(PrintEngine& e, const DisplayObject& o, const CanvasPlacement& at, const AppState& state) {
    if (!o.Visible) return;
    const double s = at.scale;
    const double x = o.Left * s + at.offX + state.settings.PrintOffsetX;
    const double y = o.Top * s + at.offY + state.settings.PrintOffsetY;
    const double w = o.Width * s, h = o.Height * s;
    switch (ControlKind(o)) {
        case 7:
            e.CurrentX = x, e.CurrentY = y, e.ObjectWidth = w, e.ObjectHeight = h;
            e.Picture(o.Picture, o.PictureVector);
            break;
        case 3:
            e.ObjectAlign = o.Alignment == 1 ? 2 : o.Alignment == 2 ? 1 : 0;
            if (state.settings.FullJustifyNews && IsJustifiedNews(o.Tag)) e.Justification = 3;
            e.CurrentX = x, e.CurrentY = y, e.ObjectWidth = w, e.ObjectHeight = h;
            e.SetCustomFontName(o.FontName);
            e.FontBold = o.FontBold;
            e.FontItalic = o.FontItalic;
            e.FontUnderline = o.FontUnderline;
            e.FontStrikeout = o.FontStrikethru;
            e.ForeColor = QColor::fromRgb(o.ForeColor);
            e.FontSize = o.FontSize;
            e.Paragraph(o.Caption);
            break;
        case 5: {
            // Shapes print as the canvas draws them, with their border.
            e.LineWidth = o.BorderWidth;
            e.LineStyle = Qt::SolidLine;
            const QRectF outline = ShapeOutline(o, QRectF(x, y, w, h));
            if (o.Shape == shOval || o.Shape == shCircle)
                e.DrawEllipse2(outline.x(), outline.y(), outline.width(), outline.height());
            else if (o.Shape == shRoundedRectangle || o.Shape == shRoundedSquare)
                e.DrawRoundRectangle2(outline.x(), outline.y(), outline.width(), outline.height(),
                                      std::min(std::min(outline.width(), outline.height()) / 6, 288.0));
            else
                e.DrawRectangle2(outline.x(), outline.y(), outline.width(), outline.height());
            break;
        }
        case 6:
            e.LineWidth = o.BorderWidth;
            e.LineStyle = o.BorderStyle == lsDash  ? Qt::DashLine
                          : o.BorderStyle == lsDot ? Qt::DotLine
                                                   : Qt::SolidLine;
            e.DrawLine2(o.X1 * s + at.offX + state.settings.PrintOffsetX,
                        o.Y1 * s + at.offY + state.settings.PrintOffsetY,
                        o.X2 * s + at.offX + state.settings.PrintOffsetX,
                        o.Y2 * s + at.offY + state.settings.PrintOffsetY);
            break;
        default:
            break;
    }
}

void RenderDocument(const CanvasDocument& doc, PrintEngine& e, AppState& state, const CanvasPlacement& at) {
    const PageSetup& p = state.page;
    e.MarginLeft = p.LeftMargin;
    e.MarginRight = p.RightMargin;
    e.MarginTop = p.TopMargin;
    e.MarginBottom = p.BottomMargin;
    e.ObjectMarginHorz = 0;
    e.ObjectMarginVert = 0;
    e.BackgroundMode = 1;
    e.LineSpacing = 100;
    e.PageSize = 14;
    e.PageWidth = p.PaperWidth;
    e.PageHeight = p.PaperLength;
    if (p.PageOrientation == 2)
        e.Orientation = 1;
    else if (p.PageOrientation == 1)
        e.Orientation = 0;
    e.StartDoc();
    if (state.birthday.FullName.isEmpty() || state.birthday.FullName == u" ")
        state.birthday.FullName = QStringLiteral("Testing 1 2 3");
    e.SetDocName(state.birthday.FullName + QStringLiteral(" Natalory Print"));
    for (const DisplayObject* o : doc.stacking()) RenderObject(e, *o, at, state);
    e.EndDoc();
}

bool PrintCanvas(const CanvasDocument& doc, AppState& state, PrintEngine& engine, const CanvasPlacement& at,
                 PrintServices services) {
    const bool realPrint = !state.PreviewMode && !state.SavingToFile;
    if (realPrint && !services.printer) {
        services.prompt.ask(
            QStringLiteral("There is no printer to print on. Set one up in the system's printer "
                           "settings, then print again."),
            QStringLiteral("No Printer"), PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    RenderDocument(doc, engine, state, at);
    // An export is counted by its caller, once its file is written.
    if (!realPrint) return true;
    QString error;
    if (!services.printer->printPage(engine, &error)) {
        services.prompt.ask(QStringLiteral("The print could not be printed: ") + error,
                            QStringLiteral("Printing Problem"), PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    if (services.printer->defersPrints()) return true;
    ++state.PrintCount;
    if (state.settings.LogPrintouts) LogPrint(state, services.clock.now(), services.prompt);
    return true;
}

bool TextFitsBox(const DisplayObject& label, TextBlockMemo* memo) {
    if (label.Caption.isEmpty()) return true;
    const QFont font = ObjectFont(label);
    const qreal room = label.Height + 0.5;
    if (memo) {
        const auto block = memo->get(label.Caption, font, label.Width, label.Alignment, false);
        return block->wordsFit() && block->height() <= room;
    }
    // Nothing else will use this layout, so it need go no further than the first line that does not fit.
    const TextBlock block(label.Caption, font, label.Width, label.Alignment, false, TwipDevice(), room);
    return block.wordsFit() && block.height() <= room;
}

namespace {

constexpr qsizetype kLongestCaption = 65536;
constexpr const char* kCaptionCut =
    "This text is too long for one box: only its first 65536 characters are kept.";

}  // namespace

void LimitCaption(DisplayObject& label, Prompt& prompt) {
    if (label.Caption.size() <= kLongestCaption) return;
    label.Caption.truncate(kLongestCaption);
    prompt.ask(QString::fromLatin1(kCaptionCut), {}, PromptButtons::Ok, PromptIcon::Exclamation);
}

void FitLabelText(DisplayObject& label, const AppState& state, Prompt& prompt,
                  const std::function<void(int)>& sizeShown, TextBlockMemo* memo) {
    LimitCaption(label, prompt);
    if (TextFitsBox(label, memo)) return;
    if (!state.settings.AutosizeFonts) {
        prompt.ask(QStringLiteral("Some of the text in this print does not fit into it's particular area."),
                   {}, PromptButtons::Ok, PromptIcon::None);
        return;
    }
    // The font shrinks a point a time, never below 4 points and at most 200 times.
    const int start = int(Round(label.FontSize, 0));
    if (start <= 4) return;
    const int smallest = std::max(4, start - 200);
    const auto show = [&](int size) {
        label.FontSize = size;
        if (sizeShown) sizeShown(size);
    };
    // Text that does not fit even at the smallest size settles the pass with one layout.
    const double original = label.FontSize;
    label.FontSize = smallest;
    const bool fitsAtSmallest = TextFitsBox(label, memo);
    label.FontSize = original;
    if (!fitsAtSmallest) return show(smallest);
    for (int size = start - 1; size > smallest; --size) {
        show(size);
        if (TextFitsBox(label, memo)) return;
    }
    show(smallest);
}

void FitAllLabels(CanvasDocument& doc, const AppState& state, Prompt& prompt,
                  const std::function<void(int)>& sizeShown, TextBlockMemo* memo) {
    // Hidden labels are not printed, so nothing about them needs fitting or telling.
    for (DisplayObject* o : doc.stacking())
        if (ControlKind(*o) == 3 && o->Visible) FitLabelText(*o, state, prompt, sizeShown, memo);
}

}  // namespace natalory
