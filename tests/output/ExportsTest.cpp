// Every output shows the same page, inside the paper: landscape prints with unequal
// margins, SVG text at the size the PDF has it, metafile lines laid out and clipped as
// the print lays them out; an export is written whole or not at all, and a print is counted
// and logged only once the printer took it.
#include "output/CanvasPainter.h"
#include "output/Exports.h"
#include "output/Render.h"
#include "output/SvgWriter.h"
#include "output/TextLayout.h"

#include "support/Doubles.h"
#include "support/FullDisk.h"
#include "support/PdfProbe.h"
#include "support/Rendering.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

using namespace natalory;
using namespace natalory::test;

namespace {

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

// An image at 144 dots per inch: 10 twips a pixel.
QImage Paint(const CanvasDocument& doc, QSize twips) {
    QImage image(twips / 10, QImage::Format_ARGB32);
    image.setDotsPerMeterX(5669);  // 144 dpi
    image.setDotsPerMeterY(5669);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintDocument(p, doc, image.logicalDpiX() / 1440.0);
    return image;
}

QRect Px(int left, int top, int width, int height) {
    return QRect(left / 10, top / 10, width / 10, height / 10);
}

struct Exporting : ::testing::Test {
    TempProgramFolder folder;
    TestServices services;
    AppState state;
    CanvasDocument doc;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.LogFilePath = folder.file("birthday print log.log");
        state.page = {12240, 15840, 720, 720, 720, 720, 1};
        state.birthday = {QDate(1950, 1, 15), "Anna", "Lee", "Anna Lee", ptClassy, {}, {}};
    }
    static DisplayObject* placed(DisplayObject* o, QRect box) {
        o->Left = box.left(), o->Top = box.top(), o->Width = box.width(), o->Height = box.height();
        return o;
    }
    DisplayObject* label(const QString& caption, QRect box = {0, 0, 6000, 400}, int alignment = 0) {
        DisplayObject* l = placed(NewLabel(doc, state, services.prompt), box);
        l->Caption = caption;
        l->Alignment = alignment;
        return l;
    }
    DisplayObject* shape(int kind, QRect box = {0, 0, 2000, 1000}) {
        return placed(NewShape(doc, state, services.prompt, kind), box);
    }
    DisplayObject* picture(QRect box, Qt::GlobalColor colour) {
        DisplayObject* p = placed(NewPicture(doc, state, services.prompt, false), box);
        p->Picture = QImage(4, 4, QImage::Format_RGB32);
        p->Picture.fill(colour);
        return p;
    }
    PrintEngine rendered() {
        PrintEngine engine;
        RenderDocument(doc, engine, state, CanvasPlacement{0, 0, 1.0});
        return engine;
    }
    template <typename T>
    std::vector<T> itemsOf(const PrintEngine& e) {
        std::vector<T> out;
        for (const auto& item : e.items())
            if (const T* t = std::get_if<T>(&item)) out.push_back(*t);
        return out;
    }
    std::vector<EmfText> metafileTexts(const PrintEngine& engine) {
        QString why;
        EXPECT_TRUE(WriteExport(ExportKind::Metafile, engine, folder.file("page.emf"), &why))
            << why.toStdString();
        return EmfTexts(folder.read("page.emf"));
    }
};

using Rendering = Exporting;
using CanvasPainter = Exporting;

}  // namespace

TEST_F(Exporting, LandscapeWithUnequalMarginsLiesInsideThePaperOnEveryDevice) {
    // Letter turned: margins named after the upright sheet's edges, so the printable area
    // runs from the top margin across and from the right margin down.
    state.page = {12240, 15840, 2160, 1440, 720, 1080, 2};
    const int width = 15840 - (720 + 1080), height = 12240 - (2160 + 1440);
    // A thick pen stays inside the frame on every device.
    shape(shRectangle, QRect(0, 0, width, height))->BorderWidth = 6;
    label("RIGHTEDGE", QRect(width - 4000, 200, 4000, 400), 1);
    label("BOTTOMLEFT", QRect(100, height - 500, 4000, 400));
    const PrintEngine engine = rendered();
    const QRectF expected(720, 1440, width, height);  // twips of the landscape page

    ASSERT_TRUE(engine.WritePdf(folder.file("page.pdf")));
    const std::vector<PdfWord> words = PdfWords(folder.file("page.pdf"));
    EXPECT_EQ(words.size(), 2u);
    for (const PdfWord& w : words) {
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

    // At 72 dots an inch a pixel is a point: the frame's ink is the printable area.
    const QImage png = engine.RenderImage(72);
    EXPECT_EQ(png.size(), QSize(792, 612));
    const QRect printable(36, 72, width / 20, height / 20);
    EXPECT_TRUE(SameInk(printable, InkBox(png), 1));

    const std::vector<EmfText> texts = metafileTexts(engine);
    ASSERT_EQ(texts.size(), 2u);
    for (const EmfText& t : texts) {
        EXPECT_TRUE(expected.toRect().contains(t.clip)) << t.text.toStdString();
        EXPECT_TRUE(t.clip.contains(t.reference)) << t.text.toStdString();
    }
    EXPECT_NEAR(texts[0].reference.x() + texts[0].width(), expected.right(), 60);
    const std::optional<QByteArray> read = EmfReadBack(folder.file("page.emf"));
    if (!read) GTEST_SKIP() << "emf2svg-conv is not installed";
    EXPECT_TRUE(SameInk(printable, InkBox(RenderedSvg(*read, png.size())), 2));
}

TEST_F(Exporting, SvgTextHasTheSizeThePdfHasIt) {
    label("HHHHHH", QRect(0, 0, 8000, 1200))->FontSize = 36;
    const PrintEngine engine = rendered();
    ASSERT_TRUE(engine.WritePdf(folder.file("page.pdf")));
    QString why;
    ASSERT_TRUE(WriteSvg(engine, folder.file("page.svg"), &why)) << why.toStdString();

    const QImage pdf = RasterisedPdf(folder.file("page.pdf"), 300);
    const QRect pdfInk = InkBox(pdf);
    ASSERT_GT(pdfInk.width(), 300);
    EXPECT_TRUE(SameInk(pdfInk, InkBox(RenderedSvg(folder.read("page.svg"), pdf.size())), 3));
}

TEST_F(Exporting, MetafileLinesAreTheLaidOutLinesClippedToTheirBox) {
    state.settings.FullJustifyNews = true;
    label(
        "Prices rose all year, songs of the summer filled the radio, and the weather kept the farmers "
        "guessing from the first frost to the last harvest of a long and golden autumn in the valley.",
        QRect(500, 500, 3000, 3000))
        ->Tag = "Tmusicarticle";
    // A title too long for its box: on paper it is cut at the box's edges.
    label("Extraordinarilylongheadlinewithoutanybreak", QRect(500, 4000, 1500, 300));
    const std::vector<EmfText> texts = metafileTexts(rendered());
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

TEST_F(Exporting, HopelessTextsEndTheFitPassAtFourPointsAndHugeCaptionsAreCut) {
    state.settings.AutosizeFonts = true;
    QString words;
    while (words.size() < 5000) words += "The paper of the day told of prices and songs. ";
    DisplayObject* unbroken = label(QString(3000, u'x'), QRect(0, 0, 100, 300));
    DisplayObject* longRun = label(words, QRect(0, 0, 2000, 300));
    DisplayObject* fits = label(words.left(300), QRect(700, 100, 3000, 2000));
    std::vector<int> shown;
    FitAllLabels(doc, state, services.prompt, [&](int size) { shown.push_back(size); });
    EXPECT_EQ(unbroken->FontSize, 4);
    EXPECT_EQ(longRun->FontSize, 4);
    EXPECT_GT(fits->FontSize, 4);
    EXPECT_LE(fits->FontSize, 11);
    EXPECT_EQ(QRect(fits->Left, fits->Top, fits->Width, fits->Height), QRect(700, 100, 3000, 2000));
    EXPECT_TRUE(TextFitsBox(*fits));
    fits->FontSize += 1;
    EXPECT_FALSE(TextFitsBox(*fits));  // the largest size that fits, a point at a time
    EXPECT_TRUE(services.prompt.asked.empty());
    // The hopeless ones go straight to 4 points; the other shrinks a point at a time from 11.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(std::vector<int>(shown.begin(), shown.begin() + 3), (std::vector<int>{4, 4, 11}));
    EXPECT_EQ(shown.back(), int(fits->FontSize) - 1);

    // With autosizing off, the user is told once for each text that does not fit: all three now.
    state.settings.AutosizeFonts = false;
    unbroken->FontSize = 12;
    FitAllLabels(doc, state, services.prompt);
    ASSERT_EQ(services.prompt.asked.size(), 3u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "Some of the text in this print does not fit into it's particular area.");
    EXPECT_EQ(unbroken->FontSize, 12);

    // Ten megabytes pasted into one box: cut, and said so.
    state.settings.AutosizeFonts = true;
    DisplayObject* huge = label(QString(10 * 1024 * 1024, u'a'), QRect(0, 0, 3000, 3000));
    FitLabelText(*huge, state, services.prompt);
    EXPECT_EQ(huge->Caption.size(), 65536);
    EXPECT_EQ(services.prompt.asked.back().text,
              "This text is too long for one box: only its first 65536 characters are kept.");
    EXPECT_EQ(huge->FontSize, 4);
}

TEST_F(Exporting, AFailedExportCountsAndLogsNothingAndABitmapIsLoggedWithLoggingOff) {
    label("Anna Lee Born Today!");
    state.settings.LogPrintouts = false;
    services.files.answers = {folder.file("no such folder/anna.bmp")};
    EXPECT_FALSE(SaveExport(ExportKind::Bitmap, doc, state, services.services));
    EXPECT_EQ(services.prompt.asked.back().title, "Disk Error");
    EXPECT_EQ(state.PrintCount, 0);
    EXPECT_FALSE(QFile::exists(state.LogFilePath));
    EXPECT_FALSE(state.SavingToFile);

    services.files.answers = {folder.file("anna.bmp")};
    ASSERT_TRUE(SaveExport(ExportKind::Bitmap, doc, state, services.services));
    EXPECT_EQ(services.files.requests[0].fileName, "Anna Lee.bmp");
    EXPECT_EQ(services.files.requests[0].folder, folder.path());
    EXPECT_EQ(QImage(folder.file("anna.bmp"), "BMP").size(), QSize(816, 1056));  // at screen resolution
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_FALSE(state.SavingToFile);
    EXPECT_TRUE(folder.read("birthday print log.log").contains("\"Saved As .emf File\",\"Classy\""));
    // The bitmap is drawn straight from the page: no temporary metafile is left behind.
    EXPECT_FALSE(QFileInfo::exists(folder.file("XXx134583994872thwod.emf")));
}

TEST_F(Exporting, AMetafileAnIndependentReaderUnderstands) {
    label("Anna Lee Born Today!");
    shape(shCircle, QRect(1000, 2000, 1000, 1000));
    shape(kLineShapeKind)->BorderStyle = lsDash;
    picture(QRect(3000, 3000, 720, 720), Qt::red);
    // Without a name the file is proposed as Birthday Print; a file there is kept unless the user says Yes.
    state.birthday.FirstName.clear();
    state.birthday.LastName.clear();
    folder.write("old.emf", "old");
    services.files.answers = {folder.file("old.emf")};
    services.prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(SaveExport(ExportKind::Metafile, doc, state, services.services));
    EXPECT_EQ(folder.read("old.emf"), "old");
    EXPECT_EQ(state.PrintCount, 0);
    services.files.answers = {folder.file("old.emf"), folder.file("old.emf")};
    services.prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    ASSERT_TRUE(SaveExport(ExportKind::Metafile, doc, state, services.services));
    EXPECT_EQ(services.files.requests.size(), 3u);
    EXPECT_EQ(services.files.requests[0].fileName, "Birthday Print.emf");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Hidden | QDir::Files).filter(".old.emf").size(), 0);

    const std::optional<QByteArray> svg = EmfReadBack(folder.file("old.emf"));
    if (!svg) GTEST_SKIP() << "emf2svg-conv is not installed";
    EXPECT_TRUE(svg->contains("Anna Lee Born Today!"));
    EXPECT_TRUE(svg->contains("<ellipse") || svg->contains("<path"));
    EXPECT_TRUE(svg->contains("<image"));
}

TEST_F(Exporting, EveryWriterSaysTheDiskIsFullAndLeavesNothingBehind) {
    label("Anna Lee Born Today!");
    FullDisk disk;
    const PrintEngine engine = rendered();
    const std::pair<const char*, std::optional<ExportKind>> writers[] = {
        {"p.pdf", ExportKind::Pdf},      {"p.png", ExportKind::Png}, {"p.bmp", ExportKind::Bitmap},
        {"p.emf", ExportKind::Metafile}, {"p.svg", std::nullopt},
    };
    for (const auto& [name, kind] : writers) {
        QString why;
        bool written = true;
        const QString to = disk.file(name);
        disk.run(0,
                 [&] { written = kind ? WriteExport(*kind, engine, to, &why) : WriteSvg(engine, to, &why); });
        EXPECT_FALSE(written) << name;
        if (disk.real())
            EXPECT_EQ(why, "the disk is full") << name;
        else
            EXPECT_FALSE(why.isEmpty() || why.contains("Unknown")) << name << ": " << why.toStdString();
        EXPECT_TRUE(QDir(QFileInfo(to).path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << name;
    }
}

TEST(EmfWriter, AHugeSheetKeepsItsSizeInTheHeader) {
    TempProgramFolder folder;
    PrintEngine engine;
    engine.PageWidth = 900000;
    engine.PageHeight = 15840;
    engine.StartDoc();
    engine.EndDoc();
    QString why;
    ASSERT_TRUE(WriteExport(ExportKind::Metafile, engine, folder.file("big.emf"), &why)) << why.toStdString();
    const QByteArray emf = folder.read("big.emf");
    ASSERT_GT(emf.size(), 88);
    // The frame, in hundredths of a millimetre, follows the record's type, size and bounds.
    const auto field = [&](int offset) { return qFromLittleEndian<qint32>(emf.constData() + offset); };
    EXPECT_EQ(field(32), 900000 * 2540LL / 1440);
    EXPECT_EQ(field(36), 15840 * 2540 / 1440);
}

TEST_F(Rendering, ArticlesAreJustifiedAndLabelsAreNot) {
    EXPECT_TRUE(IsJustifiedNews("Tmusicarticle"));
    EXPECT_FALSE(IsJustifiedNews("Tcelebrityarticlelabel"));
    EXPECT_TRUE(IsJustifiedNews("Teditorialnote"));
    EXPECT_TRUE(IsJustifiedNews("Tpresidentsreport"));
    EXPECT_FALSE(IsJustifiedNews("Ttopsongs"));
}

TEST_F(Rendering, ShapesPrintAsDrawnAtThePrintOffsetsAndHiddenObjectsStayOff) {
    shape(shCircle)->BorderWidth = 3;
    shape(kLineShapeKind)->BorderStyle = lsDot;
    label("hidden")->Visible = false;
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
    EXPECT_EQ(shapes[0].box, QRectF(500 + 144, 0 - 144, 1000, 1000));
    EXPECT_EQ(shapes[0].pen.widthF(), 60);  // 3 points
    EXPECT_EQ(shapes[1].pen.style(), Qt::DotLine);
    EXPECT_TRUE(itemsOf<PrintEngine::TextItem>(e).empty());
}

TEST_F(Rendering, APrintCountsAndLogsAndAFailedOneDoesNeither) {
    RecordingPrinter printer;
    PrintEngine e;
    state.settings.LogPrintouts = true;
    EXPECT_TRUE(PrintCanvas(doc, state, e, {}, {services.prompt, services.clock, &printer}));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(folder.read("birthday print log.log").count("\r\n"), 1);

    // No printer, or one that fails: a message, and nothing counted.
    EXPECT_FALSE(PrintCanvas(doc, state, e, {}, {services.prompt, services.clock, nullptr}));
    EXPECT_EQ(services.prompt.asked.back().title, "No Printer");
    printer.fail = true;
    EXPECT_FALSE(PrintCanvas(doc, state, e, {}, {services.prompt, services.clock, &printer}));
    EXPECT_TRUE(services.prompt.asked.back().text.endsWith("offline"));
    EXPECT_EQ(state.PrintCount, 1);
    EXPECT_EQ(folder.read("birthday print log.log").count("\r\n"), 1);
}

TEST_F(CanvasPainter, EveryKindInksInsideItsBoxAndNowhereElse) {
    label("Happy Birthday Anna, born on a Sunday in 1950", QRect(200, 200, 3000, 2000))->FontName = "Arial";
    shape(shOval, QRect(4000, 200, 2000, 1000))->BorderWidth = 3;
    shape(shSquare, QRect(4000, 2000, 3000, 1000));
    DisplayObject* line = shape(kLineShapeKind);
    line->X1 = 200, line->Y1 = 4000, line->X2 = 6000, line->Y2 = 4000, line->BorderStyle = lsDash;
    line->BorderWidth = 2;
    picture(QRect(200, 5000, 1000, 500), Qt::darkRed);
    label("HIDDEN HIDDEN", QRect(7500, 5000, 2000, 800))->Visible = false;

    const QImage image = Paint(doc, QSize(10000, 6000));
    EXPECT_GT(Ink(image, Px(200, 200, 3000, 2000)), 200) << "text";
    // The text wraps inside its box: nothing to the right of it.
    EXPECT_EQ(Ink(image, Px(3250, 200, 700, 2000)), 0);
    EXPECT_GT(Ink(image, Px(4000, 200, 2000, 1000)), 100) << "oval";
    // An oval leaves its box's corners and middle empty.
    EXPECT_EQ(Ink(image, Px(4000, 200, 120, 120)), 0);
    EXPECT_EQ(Ink(image, Px(4800, 600, 400, 200)), 0);
    // A square is the largest square in the middle of its box.
    EXPECT_GT(Ink(image, Px(5000, 2000, 1000, 1000)), 100) << "square";
    EXPECT_EQ(Ink(image, Px(4050, 2050, 800, 900)), 0);
    EXPECT_EQ(Ink(image, Px(6150, 2050, 800, 900)), 0);
    // A dashed line has gaps.
    const int dashed = Ink(image, Px(200, 3980, 5800, 40));
    EXPECT_GT(dashed, 100);
    EXPECT_LT(dashed, 5800 / 10 * 4 * 9 / 10);
    // The picture fills its box, stretched.
    EXPECT_EQ(Ink(image, Px(220, 5020, 960, 460)), 96 * 46);
    EXPECT_EQ(Ink(image, Px(7500, 5000, 2000, 800)), 0) << "hidden objects are not painted";

    // Frames appear on texts and pictures with the borders on.
    SetBorders(doc, true);
    const QImage framed = Paint(doc, QSize(10000, 6000));
    EXPECT_GT(Ink(framed, Px(3190, 200, 20, 2000)), 150);
}

TEST(TextBlock, AlignsWrapsAndTellsWhenAWordDoesNotFit) {
    QImage device(10, 10, QImage::Format_RGB32);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    const TextBlock left(QStringLiteral("one two three four five six seven"), font, 100, TextBlock::Left,
                         false, &device);
    EXPECT_GT(left.lineCount(), 1);
    EXPECT_TRUE(left.wordsFit());
    const TextBlock breaks(QStringLiteral("A\r\nB\r\n\r\nC"), font, 300, TextBlock::Left, false, &device);
    EXPECT_EQ(breaks.lineCount(), 4);
    EXPECT_FALSE(
        TextBlock(QStringLiteral("Antidisestablishmentarianism"), font, 40, 0, false, &device).wordsFit());

    const auto right = TextBlock(QStringLiteral("x"), font, 300, TextBlock::Right, false, &device).lines();
    const auto centre = TextBlock(QStringLiteral("x"), font, 300, TextBlock::Center, false, &device).lines();
    ASSERT_EQ(right.size(), 1u);
    EXPECT_GT(right[0].rect.left(), 250);
    EXPECT_NEAR(centre[0].rect.center().x(), 150, 10);
}
