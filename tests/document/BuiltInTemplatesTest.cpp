// The built-in templates, loaded for every birth year: every text must fit its box
// at its own font size, so a print never needs to shrink a font to be read.
#include "birthday/BirthdayFacts.h"
#include "document/TemplateFile.h"
#include "infoobjects/DisplayFormats.h"
#include "output/TextLayout.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace natalory;
using namespace natalory::test;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

struct Loaded {
    AppState state;
    CanvasDocument doc;
    std::optional<TemplateError> error;
};

std::unique_ptr<Loaded> Load(const TempProgramFolder& folder, const char* file, QDate birth,
                             const QString& first = "Katherine", const QString& last = "Montgomery",
                             QDate asOf = QDate(2026, 12, 6)) {
    auto l = std::make_unique<Loaded>();
    l->state.ProgramFolder = folder.path();
    l->state.birthday = {birth, first, last, first + u' ' + last, ptNewspaper, {}, {}};
    ComputeBirthdayFacts(l->state, asOf, kUs);
    ApplyDisplayFormats(l->state.facts, l->state.year);
    ScriptedPrompt prompt;
    l->error = LoadTemplateFile(folder.file(file), l->doc, l->state, prompt, nullptr, kUs);
    return l;
}

// The texts that do not fit their boxes, with how they fail.
QStringList Overflows(const CanvasDocument& doc) {
    static QImage device = [] {
        QImage i(8, 8, QImage::Format_RGB32);
        i.setDotsPerMeterX(23622);  // 600 dpi
        i.setDotsPerMeterY(23622);
        return i;
    }();
    const double scale = 600.0 / 1440;
    QStringList out;
    for (const DisplayObject* o : doc.stacking()) {
        if (!o->Visible || o->kind != ObjectKind::Text) continue;
        const TextBlock block(o->Caption, ObjectFont(*o), o->Width * scale, o->Alignment, false, &device);
        const int needed = int(block.height() / scale);
        if (needed > o->Height || !block.wordsFit())
            out << QStringLiteral("%1 needs %2 of %3 twips%4")
                       .arg(o->Tag)
                       .arg(needed)
                       .arg(o->Height)
                       .arg(block.wordsFit() ? "" : ", a word is cut");
    }
    return out;
}

}  // namespace

TEST(BuiltInTemplates, EveryTextFitsItsBoxForEveryYear) {
    TempProgramFolder folder(kPrintData);
    for (const char* file : {kNewspaperTemplate, kClassyTemplate}) {
        for (int year = 1900; year <= 2025; ++year) {
            // October 24 has among the longest birthday texts; the year decides the rest.
            auto l = Load(folder, file, QDate(year, 10, 24));
            ASSERT_FALSE(l->error) << TemplateErrorMessage(*l->error).toStdString();
            const QStringList bad = Overflows(l->doc);
            EXPECT_TRUE(bad.isEmpty()) << file << " " << year << ": " << bad.join("; ").toStdString();
        }
    }
    // The celebrity texts of every day of the year.
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        auto l = Load(folder, kNewspaperTemplate, d);
        const QStringList bad = Overflows(l->doc);
        EXPECT_TRUE(bad.isEmpty()) << d.toString(Qt::ISODate).toStdString() << ": "
                                   << bad.join("; ").toStdString();
    }
}

TEST(BuiltInTemplates, AreWhatTheWriterProducesAndStayOnThePageWithoutOverlaps) {
    TempProgramFolder folder(kPrintData);
    for (const char* file : {kNewspaperTemplate, kClassyTemplate, kBlankTemplate}) {
        // The layouts were written for John Doe, January 15, 1950, as of January 1, 2000.
        auto l = Load(folder, file, QDate(1950, 1, 15), "John", "Doe", QDate(2000, 1, 1));
        ASSERT_FALSE(l->error);
        const QList<QByteArray> saved = TemplateBytes(l->doc, l->state).split('\n');
        const QList<QByteArray> shipped = folder.read(file).split('\n');
        ASSERT_EQ(saved.size(), shipped.size()) << file;
        for (qsizetype i = 0; i < saved.size(); ++i)
            ASSERT_EQ(saved[i].toStdString(), shipped[i].toStdString()) << file << " line " << i + 1;

        const QRect page(0, 0, 10801, 14401);  // lines may run along the edges
        std::vector<QRect> texts;
        for (const DisplayObject* o : l->doc.stacking()) {
            if (!o->Visible) continue;
            EXPECT_FALSE(o->kind == ObjectKind::Picture && o->Picture.isNull()) << file;
            const QRect r = o->kind == ObjectKind::Line ? QRect(QPoint(o->X1, o->Y1), QPoint(o->X2, o->Y2))
                                                        : QRect(o->Left, o->Top, o->Width, o->Height);
            EXPECT_TRUE(page.contains(r.normalized()))
                << file << " " << o->Tag.toStdString() << " leaves the page";
            if (o->kind != ObjectKind::Text) continue;
            for (const QRect& other : texts)
                EXPECT_FALSE(other.intersects(r))
                    << file << " " << o->Tag.toStdString() << " overlaps another text";
            texts.push_back(r);
        }
    }
    EXPECT_EQ(Load(folder, kBlankTemplate, QDate(1980, 1, 1))->doc.controlCount(), 12);
}
