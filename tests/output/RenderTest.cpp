#include "output/Render.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace natalory;
using namespace natalory::test;

namespace {

class RecordingPrinter final : public PrinterTarget {
  public:
    int pages = 0;
    bool fail = false;
    bool printPage(const PrintEngine& engine, QString* error) override {
        if (fail) {
            *error = "offline";
            return false;
        }
        EXPECT_TRUE(engine.finished());
        ++pages;
        return true;
    }
};

struct Rendering : ::testing::Test {
    TempProgramFolder folder;
    AppState state;
    CanvasDocument doc;
    ScriptedPrompt prompt;
    FixedClock clock;

    void SetUp() override {
        state.page = {12240, 15840, 720, 720, 720, 720, 1};
        state.LogFilePath = folder.file("birthday print log.log");
        state.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptNewspaper, {}, {}};
    }
    template <typename T>
    std::vector<T> itemsOf(const PrintEngine& e) {
        std::vector<T> out;
        for (const auto& item : e.items())
            if (const T* t = std::get_if<T>(&item)) out.push_back(*t);
        return out;
    }
};

}  // namespace

TEST_F(Rendering, ArticlesAreJustifiedAndLabelsAreNot) {
    EXPECT_TRUE(IsJustifiedNews("Tmusicarticle"));
    EXPECT_FALSE(IsJustifiedNews("Tcelebrityarticlelabel"));
    EXPECT_TRUE(IsJustifiedNews("Teditorialnote"));
    EXPECT_TRUE(IsJustifiedNews("Tpresidentsreport"));
    EXPECT_FALSE(IsJustifiedNews("Ttopsongs"));
}

TEST_F(Rendering, ShapesPrintAsDrawnAtThePrintOffsetsAndHiddenObjectsStayOff) {
    DisplayObject* circle = NewShape(doc, state, prompt, shCircle);
    circle->Width = 2000, circle->Height = 1000, circle->BorderWidth = 3;
    DisplayObject* line = NewShape(doc, state, prompt, kLineShapeKind);
    line->BorderStyle = lsDot;
    DisplayObject* hidden = NewLabel(doc, state, prompt);
    hidden->Visible = false;
    state.settings.PrintOffsetX = 144;
    state.settings.PrintOffsetY = -144;
    PrintEngine e;
    state.birthday.FullName = " ";
    RenderDocument(doc, e, state, CanvasPlacement{0, 0, 1});
    EXPECT_EQ(e.docName(), "Testing 1 2 3 Natalory Print");
    EXPECT_EQ(state.birthday.FullName, "Testing 1 2 3");
    const auto shapes = itemsOf<PrintEngine::ShapeItem>(e);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].outline, PrintEngine::Outline::Ellipse);
    // The circle is round, centred in its box, and moved by the offsets.
    EXPECT_EQ(shapes[0].box, QRectF(503 + 144, 3 - 144, 1000, 1000));
    EXPECT_EQ(shapes[0].pen.widthF(), 60);  // 3 points
    EXPECT_EQ(shapes[1].pen.style(), Qt::DotLine);
    EXPECT_TRUE(itemsOf<PrintEngine::TextItem>(e).empty());
}

TEST_F(Rendering, APrintCountsAndLogsAndAFailedOneDoesNeither) {
    RecordingPrinter printer;
    PrintEngine e;
    state.settings.LogPrintouts = true;
    EXPECT_TRUE(PrintCanvas(doc, state, e, {}, {prompt, clock, &printer}));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(folder.read("birthday print log.log").count("\r\n"), 1);

    // No printer, or one that fails: a message, and nothing counted.
    EXPECT_FALSE(PrintCanvas(doc, state, e, {}, {prompt, clock, nullptr}));
    EXPECT_EQ(prompt.asked.back().title, "No Printer");
    printer.fail = true;
    EXPECT_FALSE(PrintCanvas(doc, state, e, {}, {prompt, clock, &printer}));
    EXPECT_TRUE(prompt.asked.back().text.endsWith("offline"));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_EQ(folder.read("birthday print log.log").count("\r\n"), 1);
}
