#include "document/Metafiles.h"
#include "document/Pictures.h"
#include "editor/Formatting.h"
#include "output/EmfWriter.h"
#include "output/PrintEngine.h"
#include "output/SvgWriter.h"

#include "support/PdfProbe.h"
#include "support/Rendering.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace natalory;
using namespace natalory::test;

namespace {

// A placeable WMF of 1000 x 1000 logical units at 1440 a inch, holding one polyline across it.
QByteArray TinyWmf() {
    QFile tiny(QStringLiteral(NATALORY_HOSTILE_DATA "/../tiny.wmf"));
    EXPECT_TRUE(tiny.open(QIODevice::ReadOnly));
    return tiny.readAll();
}

// A card of 2 x 1 inches: a frame and a greeting, written by our own EMF writer.
QString CardEmf(TempProgramFolder& folder) {
    PrintEngine engine;
    engine.PageWidth = 2880, engine.PageHeight = 1440;
    engine.StartDoc();
    engine.LineWidth = 3;
    engine.DrawRectangle2(100, 100, 2600, 1200);
    engine.CurrentX = 300, engine.CurrentY = 300, engine.ObjectWidth = 2000, engine.ObjectHeight = 600;
    engine.FontSize = 24;
    engine.Paragraph("Happy Birthday");
    engine.EndDoc();
    const QString emf = folder.file("card.emf");
    EXPECT_TRUE(WriteEmf(engine, emf));
    return emf;
}

}  // namespace

// An EMF of our own writer and a small WMF load as drawings of their own size, and each
// is placed on a page with unequal margins, 4 x 2 inches at (2000, 3000) twips of the
// printable area; every export draws it there, as vectors.
TEST(Metafiles, LoadAsDrawingsAndAreDrawnAsVectorsWhereTheyStandInEveryExport) {
    TempProgramFolder folder;
    folder.write("tiny.wmf", TinyWmf());
    const std::pair<QString, QSize> drawings[] = {{CardEmf(folder), QSize(2880, 1440)},
                                                  {folder.file("tiny.wmf"), QSize(1000, 1000)}};
    for (const auto& [file, twips] : drawings) {
        SCOPED_TRACE(file.toStdString());
        std::shared_ptr<const VectorPicture> drawing;
        QString why;
        const QImage image = LoadPicture(file, &why, &drawing);
        ASSERT_TRUE(drawing) << why.toStdString();
        // Its box is its own size, not the whole pixels of its bitmap (67 x 67 for the WMF).
        EXPECT_EQ(NaturalPictureSizeTwips(image, drawing.get()), twips);
        PrintEngine engine;
        engine.MarginLeft = 1440, engine.MarginTop = 720, engine.MarginRight = 360,
        engine.MarginBottom = 1080;
        engine.StartDoc();
        engine.CurrentX = 2000, engine.CurrentY = 3000, engine.ObjectWidth = 5760, engine.ObjectHeight = 2880;
        engine.Picture(image, drawing);
        engine.EndDoc();
        // In points of paper (pixels at 72 dpi): x 172..460, y 186..330.
        const QRectF box(QPointF(3440 / 20.0, 3720 / 20.0), QSizeF(5760 / 20.0, 2880 / 20.0));
        const QSize page(612, 792);
        const auto expectInBox = [&](const QImage& rendered, const char* device) {
            const QRect dark = InkBox(rendered, 100);
            EXPECT_TRUE(box.adjusted(-2, -2, 2, 2).contains(dark)) << device;
            EXPECT_GT(dark.width(), box.width() * 0.8) << device;
        };
        expectInBox(engine.RenderImage(72), "image");

        ASSERT_TRUE(engine.WritePdf(folder.file("page.pdf")));
        expectInBox(RasterisedPdf(folder.file("page.pdf"), 72), "pdf");
        EXPECT_TRUE(PdfImages(folder.file("page.pdf")).empty())
            << "the drawing went into the PDF as a bitmap";

        ASSERT_TRUE(WriteSvg(engine, folder.file("page.svg")));
        const QByteArray svg = folder.read("page.svg");
        EXPECT_FALSE(svg.contains("<image")) << "the drawing went into the SVG as a bitmap";
        expectInBox(RenderedSvg(svg, page), "svg");

        ASSERT_TRUE(WriteEmf(engine, folder.file("page.emf")));
        const std::optional<QByteArray> emfAsSvg = MetafileToSvg(folder.read("page.emf"));
        ASSERT_TRUE(emfAsSvg);
        EXPECT_FALSE(emfAsSvg->contains("<image")) << "the drawing went into the EMF as a bitmap";
        expectInBox(RenderedSvg(*emfAsSvg, page), "emf");
    }
}

TEST(Metafiles, DamagedFramingIsRefusedWithItsReasonBeforeAnyLibraryReadsIt) {
    TempProgramFolder folder;
    folder.write("cut.wmf", TinyWmf().left(40));
    QByteArray emf(88, '\0');  // a header that claims a file far longer than it is
    emf[0] = 1;
    emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
    emf[48] = char(0xFF), emf[49] = char(0xFF);
    folder.write("cut.emf", emf);
    const QString hostile = QStringLiteral(NATALORY_HOSTILE_DATA "/");
    const std::pair<QString, const char*> damaged[] = {
        {folder.file("cut.wmf"), "record 1 (at byte 40) is cut off by the end of the file"},
        {folder.file("cut.emf"), "its header's size (0) is wrong"},
        {hostile + "emf-export-first-200-bytes.emf",
         "the file is cut short: its header counts 692440 bytes, the file has 200"},
        {hostile + "emf-record-straddles-end.emf", "record 5 (at byte 144) runs past the end of the file"},
        {hostile + "emf-font-index-past-table.emf",
         "record 5 (at byte 144): it names object 40 of a table of 2"},
        {hostile + "emf-dib-colour-table.emf",
         "record 13 (at byte 512): its bitmap's colour table is cut short"},
        {hostile + "emf-plus-record-past-comment.emf",
         "record 13 (at byte 512): an EMF+ record in it has a wrong size"},
        {hostile + "wmf-polygon-past-record.wmf", "record 1 (at byte 18): its counts reach past its end"},
        {hostile + "wmf-largest-record-past-file.wmf",
         "its header's largest record (3470578330 bytes) is larger than the file"},
        {hostile + "wmf-placeable-no-units.wmf", "its placeable header gives no units to the inch"},
    };
    for (const auto& [file, says] : damaged) {
        QString why;
        EXPECT_TRUE(LoadPicture(file, &why).isNull()) << file.toStdString();
        EXPECT_EQ(why.toStdString(), std::string("the metafile is damaged: ") + says);
    }
    EXPECT_EQ(DetectMetafile(QByteArray("\x89PNG\r\n\x1a\n0000000000")), MetafileKind::None);
}

TEST(Metafiles, AConverterThatCrashesOrTalksNonsenseGivesAMessageNotADeadProgram) {
    TempProgramFolder folder;
    const QByteArray wmf = TinyWmf();
    const struct {
        const char* script;
        const char* says;
    } converters[] = {
        {"#!/bin/sh\nkill -SEGV $$\n", "the metafile converter stopped on it (it is damaged or too large)"},
        {"#!/bin/sh\necho nonsense; exit 2\n", "the metafile is damaged or of a kind that cannot be read"},
    };
    for (const auto& c : converters) {
        folder.write("converter", c.script);
        QFile::setPermissions(folder.file("converter"), QFile::ReadOwner | QFile::ExeOwner);
        SetMetafileConversion(MetafileConversion::Confined, folder.file("converter"));
        QString why;
        EXPECT_FALSE(LoadMetafile(wmf, &why));
        EXPECT_EQ(why.toStdString(), c.says);
    }
    SetMetafileConversion(MetafileConversion::Confined);
    QString why;
    EXPECT_TRUE(LoadMetafile(wmf, &why)) << why.toStdString();
}
