// The canvas breaks every line where the print does: each built-in print is opened
// in the window, saved as a PDF through the File menu, and the lines pdftotext finds
// in each text box are compared with the lines the canvas draws there.
#include "birthday/frmGetInfo.h"
#include "editor/frmDisplay.h"
#include "output/CanvasPainter.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include "support/Doubles.h"
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>

#include <map>

using namespace natalory;
using namespace natalory::test;

namespace {

using Word = PdfWord;

QString Simplified(const QString& s) {
    return s.simplified();
}

}  // namespace

TEST(Wysiwyg, EveryBuiltInBreaksItsLinesOnTheCanvasAsInThePdf) {
    TempProgramFolder folder({"blear.fpf", "blearII.fpf", "blik.fpf", "brdstf.fpf", "news.al!", "classy.al!",
                              "blank.al!", "nopicfound.ico", "cake.png"});
    TestServices services;
    for (const char* style : {"A", "B", "C"}) {
        AppState state;
        state.ProgramFolder = folder.path();
        state.settings.DefaultStyle = QString::fromLatin1(style);
        state.settings.FullJustifyNews = true;
        frmMDI mdi(state, services.services);
        mdi.quitApplication = nullptr;
        auto* workspace = new Workspace(state, services.services, mdi);
        mdi.show();
        mdi.sToolbar.tool("ID_New").action()->trigger();
        frmGetInfo* d = workspace->birthdayDialog();
        d->txtFname->setText("Katherine");
        d->txtLname->setText("Montgomery");
        d->calCalendar->setSelectedDate(QDate(1950, 1, 15));
        d->cmdDone->click();
        frmDisplay* canvas = workspace->canvasWindow();
        ASSERT_TRUE(canvas);

        const QString pdf = folder.file(QString("print-%1.pdf").arg(style));
        services.files.answers = {pdf};
        mdi.sToolbar.tool("ID_SaveAsPdf").action()->trigger();
        const std::vector<Word> words = PdfWords(pdf);
        ASSERT_FALSE(words.empty() && QString(style) != "C") << style;

        int compared = 0;
        for (const DisplayObject* o : canvas->document().stacking()) {
            if (!o->Visible || o->kind != ObjectKind::Text || o->Caption.trimmed().isEmpty()) continue;
            // The object's box on the paper, in points.
            const double left = (state.page.LeftMargin + 5 + o->Left) / 20.0;
            const double top = (state.page.TopMargin + 5 + o->Top) / 20.0;
            const QRectF box(left, top, o->Width / 20.0, o->Height / 20.0);
            std::map<int, std::vector<const Word*>> rows;  // by baseline, in tenths of a point
            for (const Word& w : words)
                if (box.contains(w.box.center())) rows[qRound(w.box.bottom() * 10)].push_back(&w);
            QStringList pdfLines;
            for (auto& [y, row] : rows) {
                std::sort(row.begin(), row.end(),
                          [](const Word* a, const Word* b) { return a->box.left() < b->box.left(); });
                QStringList texts;
                for (const Word* w : row) texts << w->text;
                pdfLines << texts.join(' ');
            }
            QStringList canvasLines;
            for (const TextBlock::Line& line : LayoutObjectText(*o, state.settings.FullJustifyNews)->lines())
                if (line.rect.center().y() < o->Height && !Simplified(line.text).isEmpty())
                    canvasLines << Simplified(line.text);
            EXPECT_EQ(canvasLines, pdfLines) << style << " " << o->Tag.toStdString();
            ++compared;
        }
        if (QString(style) == "A") {
            EXPECT_GE(compared, 25);
        }
        state.TemplateChanged = false;
        mdi.sToolbar.tool("ID_Close").action()->trigger();
    }
}
