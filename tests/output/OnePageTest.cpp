// Every output shows the same page, inside the paper: landscape prints with
// unequal margins, SVG text at the size the PDF has it, metafile lines laid out
// and clipped as the print lays them out, and a fit pass that always ends.
#include "output/Exports.h"
#include "output/SvgWriter.h"

#include "support/Doubles.h"
#include "support/PdfProbe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QtEndian>

using namespace natalory;
using namespace natalory::test;

namespace {

// The darkest pixels' bounding box: where something was drawn on the white page.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(row[x]) < 128) box |= QRect(x, y, 1, 1);
    }
    return box;
}

QImage RasterisedPdf(const QString& pdf, int dpi) {
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    p.waitForFinished(60000);
    return QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
}

// The text records of a metafile: where each starts, its clip, and its advances.
struct EmfText {
    QPoint reference;
    QRect clip;
    QString text;
    std::vector<int> dx;
    int width() const { return std::accumulate(dx.begin(), dx.end(), 0); }
};

std::vector<EmfText> EmfTexts(const QByteArray& emf) {
    const auto i32 = [&](qsizetype at) { return qFromLittleEndian<qint32>(emf.constData() + at); };
    std::vector<EmfText> out;
    QRect clip;
    for (qsizetype at = 0; at + 8 <= emf.size();) {
        const qint32 type = i32(at), size = i32(at + 4);
        if (size < 8 || at + size > emf.size()) break;
        if (type == 30)  // EMR_INTERSECTCLIPRECT
            clip = QRect(QPoint(i32(at + 8), i32(at + 12)), QPoint(i32(at + 16) - 1, i32(at + 20) - 1));
        else if (type == 34)  // EMR_RESTOREDC
            clip = QRect();
        else if (type == 84) {  // EMR_EXTTEXTOUTW
            EmfText t{QPoint(i32(at + 36), i32(at + 40)), clip, {}, {}};
            const qint32 chars = i32(at + 44), text = i32(at + 48), dx = i32(at + 72);
            for (int i = 0; i < chars; ++i) {
                t.text += QChar(qFromLittleEndian<quint16>(emf.constData() + at + text + 2 * i));
                t.dx.push_back(i32(at + dx + 4 * i));
            }
            out.push_back(t);
        }
        at += size;
    }
    return out;
}

struct OnePage : ::testing::Test {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    CanvasDocument doc;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptClassy, {}, {}};
    }
    DisplayObject* label(const QString& caption, QRect box, int alignment = 0) {
        DisplayObject* l = NewLabel(doc, state, services.prompt);
        l->Caption = caption;
        l->Left = box.left(), l->Top = box.top(), l->Width = box.width(), l->Height = box.height();
        l->Alignment = alignment;
        return l;
    }
    PrintEngine rendered() {
        PrintEngine engine;
        RenderDocument(doc, engine, state, CanvasPlacement{0, 0, 1.0});
        return engine;
    }
};

}  // namespace

TEST_F(OnePage, LandscapeWithUnequalMarginsLiesInsideThePaperOnEveryDevice) {
    // Letter turned: margins named after the upright sheet's edges, so the printable area
    // runs from the top margin across and from the right margin down.
    state.page = {12240, 15840, 2160, 1440, 720, 1080, 2};
    const int width = 15840 - (720 + 1080), height = 12240 - (2160 + 1440);
    DisplayObject* frame = NewShape(doc, state, services.prompt, shRectangle);
    frame->Left = 0, frame->Top = 0, frame->Width = width, frame->Height = height;
    frame->BorderWidth = 6;  // a thick pen stays inside the frame on every device
    label("RIGHTEDGE", QRect(width - 4000, 200, 4000, 400), 1);
    label("BOTTOMLEFT", QRect(100, height - 500, 4000, 400));
    const PrintEngine engine = rendered();
    const QRectF expected(720, 1440, width, height);  // twips of the landscape page

    ASSERT_TRUE(engine.WritePdf(folder.file("page.pdf")));
    for (const PdfWord& w : PdfWords(folder.file("page.pdf"))) {
        const QRectF twips(w.box.topLeft() * 20, w.box.bottomRight() * 20);
        // Glyphs may reach a little past their advance; a misplaced page is off by inches.
        EXPECT_TRUE(expected.adjusted(-40, -40, 40, 40).contains(twips)) << w.text.toStdString();
        if (w.text == "RIGHTEDGE") {
            EXPECT_NEAR(twips.right(), expected.right(), 60);
        } else {
            EXPECT_EQ(w.text, "BOTTOMLEFT");
            EXPECT_NEAR(twips.left(), expected.left() + 100, 60);
        }
    }
    EXPECT_EQ(PdfWords(folder.file("page.pdf")).size(), 2u);

    // At 72 dots an inch a pixel is a point: the frame's ink is the printable area.
    const QImage png = engine.RenderImage(72);
    EXPECT_EQ(png.size(), QSize(792, 612));
    const QRect ink = InkBox(png);
    EXPECT_NEAR(ink.left(), 36, 1);
    EXPECT_NEAR(ink.top(), 72, 1);
    EXPECT_NEAR(ink.right() + 1, 36 + width / 20, 1);
    EXPECT_NEAR(ink.bottom() + 1, 72 + height / 20, 1);

    QString why;
    ASSERT_TRUE(WriteExport(ExportKind::Metafile, engine, folder.file("page.emf"), &why))
        << why.toStdString();
    const std::vector<EmfText> texts = EmfTexts(folder.read("page.emf"));
    ASSERT_EQ(texts.size(), 2u);
    for (const EmfText& t : texts) {
        EXPECT_TRUE(expected.toRect().contains(t.clip)) << t.text.toStdString();
        EXPECT_TRUE(t.clip.contains(t.reference)) << t.text.toStdString();
    }
    EXPECT_NEAR(texts[0].reference.x() + texts[0].width(), expected.right(), 60);
    const QString reader = QStandardPaths::findExecutable("emf2svg-conv");
    if (reader.isEmpty()) GTEST_SKIP() << "emf2svg-conv is not installed";
    QProcess p;
    p.start(reader, {"-i", folder.file("page.emf"), "-o", folder.file("emf.svg")});
    ASSERT_TRUE(p.waitForFinished(20000));
    QSvgRenderer svg(folder.file("emf.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage read(792, 612, QImage::Format_RGB32);
    read.fill(Qt::white);
    QPainter painter(&read);
    svg.render(&painter);
    painter.end();
    const QRect readInk = InkBox(read);
    EXPECT_NEAR(readInk.left(), 36, 2);
    EXPECT_NEAR(readInk.top(), 72, 2);
    EXPECT_NEAR(readInk.right() + 1, 36 + width / 20, 2);
    EXPECT_NEAR(readInk.bottom() + 1, 72 + height / 20, 2);
}

TEST_F(OnePage, SvgTextHasTheSizeThePdfHasIt) {
    state.page = {12240, 15840, 720, 720, 720, 720, 1};
    DisplayObject* big = label("HHHHHH", QRect(0, 0, 8000, 1200));
    big->FontSize = 36;
    const PrintEngine engine = rendered();
    ASSERT_TRUE(engine.WritePdf(folder.file("page.pdf")));
    QString why;
    ASSERT_TRUE(WriteSvg(engine, folder.file("page.svg"), &why)) << why.toStdString();

    const int dpi = 300;
    const QImage pdf = RasterisedPdf(folder.file("page.pdf"), dpi);
    ASSERT_FALSE(pdf.isNull());
    QSvgRenderer renderer(folder.file("page.svg"));
    ASSERT_TRUE(renderer.isValid());
    QImage svg(pdf.size(), QImage::Format_RGB32);
    svg.fill(Qt::white);
    QPainter painter(&svg);
    renderer.render(&painter);
    painter.end();
    const QRect pdfInk = InkBox(pdf), svgInk = InkBox(svg);
    ASSERT_GT(pdfInk.width(), 300);
    EXPECT_NEAR(svgInk.width(), pdfInk.width(), pdfInk.width() / 100.0);
    EXPECT_NEAR(svgInk.height(), pdfInk.height(), std::max(2.0, pdfInk.height() / 100.0));
    EXPECT_NEAR(svgInk.left(), pdfInk.left(), 3);
    EXPECT_NEAR(svgInk.top(), pdfInk.top(), 3);
}

TEST_F(OnePage, MetafileLinesAreTheLaidOutLinesClippedToTheirBox) {
    state.page = {12240, 15840, 720, 720, 720, 720, 1};
    state.settings.FullJustifyNews = true;
    DisplayObject* article = label(
        "Prices rose all year, songs of the summer filled the radio, and the weather kept the farmers "
        "guessing from the first frost to the last harvest of a long and golden autumn in the valley.",
        QRect(500, 500, 3000, 3000));
    article->Tag = "Tmusicarticle";
    // A title too long for its box: on paper it is cut at the box's edges.
    label("Extraordinarilylongheadlinewithoutanybreak", QRect(500, 4000, 1500, 300));
    const PrintEngine engine = rendered();
    QString why;
    ASSERT_TRUE(WriteExport(ExportKind::Metafile, engine, folder.file("page.emf"), &why))
        << why.toStdString();
    const std::vector<EmfText> texts = EmfTexts(folder.read("page.emf"));
    std::vector<EmfText> lines, title;
    for (const EmfText& t : texts) (t.clip.top() < 720 + 4000 ? lines : title).push_back(t);
    ASSERT_GE(lines.size(), 4u);
    // Every line but the last fills the box's width, as the justified print does.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const QString text = lines[i].text;
        const int trailing = text.endsWith(u' ') ? lines[i].dx.back() : 0;
        EXPECT_NEAR(lines[i].width() - trailing, 3000, 20) << text.toStdString();
        EXPECT_EQ(lines[i].reference.x(), 720 + 500);
    }
    for (const EmfText& t : texts) EXPECT_FALSE(t.clip.isNull()) << t.text.toStdString();
    ASSERT_FALSE(title.empty());
    for (const EmfText& t : title) EXPECT_EQ(t.clip, QRect(1220, 4720, 1500, 300));
}

TEST_F(OnePage, HopelessTextsEndTheFitPassAtFourPointsAndHugeCaptionsAreCut) {
    state.settings.AutosizeFonts = true;
    QString words;
    while (words.size() < 5000) words += "The paper of the day told of prices and songs. ";
    DisplayObject* unbroken = label(QString(3000, u'x'), QRect(0, 0, 100, 300));
    DisplayObject* longRun = label(words, QRect(0, 0, 2000, 300));
    DisplayObject* fits = label(words.left(300), QRect(0, 0, 3000, 2000));
    std::vector<int> shown;
    FitAllLabels(doc, state, services.prompt, [&](int size) { shown.push_back(size); });
    EXPECT_EQ(unbroken->FontSize, 4);
    EXPECT_EQ(longRun->FontSize, 4);
    EXPECT_GT(fits->FontSize, 4);
    EXPECT_LE(fits->FontSize, 12);
    EXPECT_TRUE(TextFitsBox(*fits));
    fits->FontSize += 1;
    EXPECT_FALSE(TextFitsBox(*fits));  // the largest size that fits, a point at a time
    EXPECT_TRUE(services.prompt.asked.empty());
    EXPECT_EQ(shown.back(), int(fits->FontSize) - 1);

    // Ten megabytes pasted into one box: cut, and said so.
    DisplayObject* huge = label(QString(10 * 1024 * 1024, u'a'), QRect(0, 0, 3000, 3000));
    FitLabelText(*huge, state, services.prompt);
    EXPECT_EQ(huge->Caption.size(), 65536);
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "This text is too long for one box: only its first 65536 characters are kept.");
    EXPECT_EQ(huge->FontSize, 4);
}

TEST_F(OnePage, AFailedExportCountsAndLogsNothing) {
    state.page = {12240, 15840, 720, 720, 720, 720, 1};
    label("Anna Lee Born Today!", QRect(0, 0, 6000, 400));
    services.files.answers = {folder.file("no such folder/anna.pdf")};
    EXPECT_FALSE(SaveExport(ExportKind::Pdf, doc, state, services.services));
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_FALSE(QFile::exists(state.LogFilePath));
    EXPECT_FALSE(state.SavingToFile);

    services.files.answers = {folder.file("anna.pdf")};
    EXPECT_TRUE(SaveExport(ExportKind::Pdf, doc, state, services.services));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_TRUE(QFile::exists(state.LogFilePath));
}
