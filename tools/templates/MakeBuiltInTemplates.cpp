// Lays out the three built-in templates and draws their pictures, writing them with
// the program's own template writer. Run it after changing a layout here:
//   build/natalory-make-templates data            (writes data/news.al! ... data/cake.png)
//   build/natalory-make-templates data --preview /tmp/previews 1912 1950 2025
#include "birthday/BirthdayFacts.h"
#include "birthday/YearDataReaders.h"
#include "document/DisplayObjects.h"
#include "document/PageGeometry.h"
#include "document/TemplateFile.h"
#include "infoobjects/DisplayFormats.h"
#include "infoobjects/Generators.h"
#include "output/CanvasPainter.h"
#include "foundation/FileIO.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

using namespace natalory;

namespace {

// Nothing here asks anything: the layouts stay far below the object limit.
class NoPrompt final : public Prompt {
  public:
    PromptAnswer ask(const QString& text, const QString&, PromptButtons, PromptIcon) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return PromptAnswer::Ok;
    }
};

// The birthday info objects are written for while a template is laid out; a load
// writes them again for the real birthday, so only the layout matters.
AppState SampleState(const QString& dataDir) {
    AppState s;
    s.ProgramFolder = dataDir;
    s.birthday.BirthDate = QDate(1950, 1, 15);
    s.birthday.FirstName = QStringLiteral("John");
    s.birthday.LastName = QStringLiteral("Doe");
    s.birthday.FullName = QStringLiteral("John Doe");
    s.page = DefaultPageSetup();
    ComputeBirthdayFacts(s, QDate(2000, 1, 1), QLocale(QLocale::English, QLocale::UnitedStates));
    ApplyDisplayFormats(s.facts, s.year);
    return s;
}

struct Layout {
    explicit Layout(AppState& s) : state(s) {}
    CanvasDocument doc;
    AppState& state;
    NoPrompt prompt;
    const QLocale locale{QLocale::English, QLocale::UnitedStates};

    DisplayObject& box(DisplayObject& o, int left, int top, int width, int height) {
        o.Left = left, o.Top = top, o.Width = width, o.Height = height;
        return o;
    }
    DisplayObject& style(DisplayObject& o, const char* font, double size, bool bold = false,
                         bool italic = false, int alignment = 0) {
        o.FontName = QString::fromLatin1(font);
        o.FontSize = size;
        o.FontBold = bold;
        o.FontItalic = italic;
        o.Alignment = alignment;
        return o;
    }
    DisplayObject& text(const char* caption, int left, int top, int width, int height) {
        DisplayObject& o = *NewLabel(doc, state, prompt);
        o.Caption = QString::fromLatin1(caption);
        return box(o, left, top, width, height);
    }
    DisplayObject& info(const char* key, int left, int top, int width, int height) {
        DisplayObject& o = *RunGenerator(*FindInfoKindByKey(QString::fromLatin1(key)), doc, state, prompt,
                                         GeneratorMode::Create, 0, locale);
        return box(o, left, top, width, height);
    }
    void line(int x1, int y1, int x2, int y2, int width = 1, int style = lsSolid) {
        DisplayObject& l = *NewShape(doc, state, prompt, kLineShapeKind);
        l.X1 = x1, l.Y1 = y1, l.X2 = x2, l.Y2 = y2, l.BorderWidth = width, l.BorderStyle = style;
    }
    void shape(int code, int left, int top, int width, int height, int border) {
        DisplayObject& s = *NewShape(doc, state, prompt, code);
        box(s, left, top, width, height).BorderWidth = border;
    }
    void picture(const char* file, int left, int top, int width, int height) {
        DisplayObject& p = *NewPicture(doc, state, prompt, false);
        box(p, left, top, width, height).ToolTipText = QString::fromLatin1(file);
    }
    // A column headline and its article under it.
    int story(const char* headline, const char* article, int left, int top, int width, int headHeight,
              int bodyHeight, bool italic = false) {
        style(info(headline, left, top, width, headHeight), "Arial", 11, true);
        style(info(article, left, top + headHeight + 20, width, bodyHeight), "Times New Roman", 9.5, false,
              italic);
        return top + headHeight + 20 + bodyHeight;
    }
};

constexpr int kWidth = 10800;  // printable width of US Letter with half-inch margins
constexpr int kHeight = 14400;
constexpr int kColumn = 3450;
constexpr int kGutter = 225;
constexpr int kCol1 = 0, kCol2 = kColumn + kGutter, kCol3 = 2 * (kColumn + kGutter);

void Newspaper(Layout& L) {
    L.state.data = DefaultDataSettings();
    L.state.data.AddWorldToBits = true;
    L.state.data.WorldToHeadlines = true;
    ReadHeadlinesForSet(L.state.ProgramFolder, L.state.data.InfoSet, L.state.birthday.BirthDate,
                        L.state.year);

    L.style(L.text("The Birthday Times", 0, 0, kWidth, 920), "Times New Roman", 40, true, false, 2);
    L.line(0, 950, kWidth, 950, 3);
    L.style(L.info("longdate", 0, 1000, 3600, 300), "Times New Roman", 10, false, true);
    L.style(L.info("specialeditionnotice", 3600, 1000, kWidth - 3600, 300), "Times New Roman", 10, false,
            true, 1);
    L.line(0, 1330, kWidth, 1330, 1);
    L.style(L.info("johndoeborntoday", 0, 1400, kWidth, 800), "Times New Roman", 32, true, false, 2);
    L.style(L.info("nameannouncement", 0, 2200, kWidth, 380), "Times New Roman", 13, false, true, 2);
    L.line(0, 2640, kWidth, 2640, 2);
    L.line(kCol2 - kGutter / 2, 2740, kCol2 - kGutter / 2, 14350, 1);
    L.line(kCol3 - kGutter / 2, 2740, kCol3 - kGutter / 2, 14350, 1);

    // First column: the year's headlines, the Academy Awards, music, the stars.
    int y = 2740;
    L.style(L.info("aroundtheworld", kCol1, y, kColumn, 330), "Arial", 12, true);
    L.style(L.info("birthyearheadlines", kCol1, y + 350, kColumn, 3350), "Times New Roman", 10);
    y += 350 + 3350 + 60;
    L.line(kCol1, y, kCol1 + kColumn, y);
    y = L.story("academyawardsheadline", "academyawardsarticle", kCol1, y + 70, kColumn, 300, 1950);
    L.line(kCol1, y + 60, kCol1 + kColumn, y + 60);
    y = L.story("musicheadline", "musicarticle", kCol1, y + 130, kColumn, 300, 1900);
    L.line(kCol1, y + 60, kCol1 + kColumn, y + 60);
    L.style(L.text("Written In The Stars", kCol1, y + 130, kColumn, 300), "Arial", 11, true);
    L.style(L.info("westernastrologyarticle", kCol1, y + 450, kColumn, 1250), "Times New Roman", 9);
    L.style(L.info("chineseastrologyarticle", kCol1, y + 1720, kColumn, 1250), "Times New Roman", 9);

    // Second column: the World Series, the celebrities, the president, the editor.
    y = L.story("worldseriesheadline", "worldseriesarticle", kCol2, 2740, kColumn, 560, 1750);
    L.line(kCol2, y + 60, kCol2 + kColumn, y + 60);
    y = L.story("celebrityarticlelabel", "celebrityarticle", kCol2, y + 130, kColumn, 560, 2300);
    L.line(kCol2, y + 60, kCol2 + kColumn, y + 60);
    y = L.story("presidentialannouncementlabel", "presidentsreport", kCol2, y + 130, kColumn, 560, 1700);
    L.line(kCol2, y + 60, kCol2 + kColumn, y + 60);
    L.style(L.text("From The Editor", kCol2, y + 130, kColumn, 300), "Arial", 11, true);
    L.style(L.info("editorialnote", kCol2, y + 450, kColumn, 1150), "Times New Roman", 9.5, false, true);
    y += 450 + 1150 + 60;
    L.line(kCol2, y, kCol2 + kColumn, y);
    L.style(L.text("Best Sellers", kCol2, y + 70, kColumn, 300), "Arial", 11, true);
    L.style(L.info("topbooks", kCol2, y + 390, kColumn, 1300), "Times New Roman", 9.5);

    // Third column: a picture, bits of info, prices, birthdays, songs.
    L.picture("cake.png", kCol3 + 725, 2740, 2000, 1400);
    y = 2740 + 1400 + 100;
    L.shape(shRectangle, kCol3, y, kColumn, 2800, 2);
    L.style(L.text("Bits Of Info", kCol3, y + 80, kColumn, 300), "Arial", 11, true, false, 2);
    L.style(L.info("bitsofinfo", kCol3 + 110, y + 400, kColumn - 220, 2300), "Times New Roman", 9);
    y += 2800 + 100;
    L.style(L.info("costofgoodsin", kCol3, y, kColumn, 300), "Arial", 11, true, false, 2);
    L.style(L.info("historicaleconomics", kCol3 + 200, y + 320, kColumn - 200, 3300), "Courier New", 9);
    y += 320 + 3300 + 100;
    L.line(kCol3, y, kCol3 + kColumn, y);
    L.style(L.text("Born On This Day", kCol3, y + 70, kColumn, 300), "Arial", 11, true, false, 2);
    L.style(L.info("celebritybirthdaylist", kCol3, y + 390, kColumn, 1200), "Times New Roman", 10, false,
            false, 2);
    y += 390 + 1200 + 60;
    L.line(kCol3, y, kCol3 + kColumn, y);
    L.style(L.info("topsongsinlabel", kCol3, y + 70, kColumn, 300), "Arial", 11, true, false, 2);
    L.style(L.info("topsongs", kCol3, y + 390, kColumn, 1500), "Times New Roman", 9.5);
}

void Classy(Layout& L) {
    L.state.data = DataSettings{};
    L.state.data.IncludeHouse = L.state.data.IncludeCar = L.state.data.IncludeMilk = L.state.data.IncludeGas =
        true;
    L.state.data.IncludeBread = L.state.data.IncludeStamps = L.state.data.IncludeIncome = true;
    L.state.data.InfoSet = 1;
    ReadHeadlinesForSet(L.state.ProgramFolder, L.state.data.InfoSet, L.state.birthday.BirthDate,
                        L.state.year);

    L.shape(shRectangle, 0, 0, kWidth, kHeight, 5);
    L.shape(shRoundedRectangle, 240, 240, kWidth - 480, kHeight - 480, 1);
    const int inner = 900, width = kWidth - 2 * inner;
    L.style(L.text("A Keepsake Of The Day", inner, 700, width, 420), "Times New Roman", 15, false, true, 2);
    L.style(L.info("johndoeborntoday", inner, 1200, width, 1600), "Times New Roman", 34, true, false, 2);
    L.style(L.info("bornondate", inner, 2850, width, 800), "Times New Roman", 16, false, true, 2);
    L.line(2400, 3800, kWidth - 2400, 3800, 1);
    L.style(L.info("birthyearlabel", inner, 3950, width, 1300), "Times New Roman", 54, true, false, 2);
    L.line(2400, 5350, kWidth - 2400, 5350, 1);

    const int left = inner, right = kWidth / 2 + 150, half = kWidth / 2 - inner - 150;
    L.style(L.text("The Stars", left, 5600, half, 350), "Arial", 12, true, false, 2);
    L.style(L.info("westernastrology", left, 6000, half, 1600), "Times New Roman", 11, false, false, 2);
    L.style(L.info("chineseastrology", left, 7750, half, 1600), "Times New Roman", 11, false, false, 2);
    L.style(L.text("Facts Of The Day", right, 5600, half, 350), "Arial", 12, true, false, 2);
    L.style(L.info("bitsofinfo", right, 6000, half, 3750), "Times New Roman", 11, false, false, 2);
    L.line(2400, 9950, kWidth - 2400, 9950, 1, lsDot);

    L.style(L.info("costofgoodsin", left, 10150, half, 350), "Arial", 12, true, false, 2);
    L.style(L.info("historicaleconomics", left + 500, 10550, half - 500, 1750), "Courier New", 10);
    L.style(L.info("academyawardsheadline", right, 10150, half, 350), "Arial", 12, true, false, 2);
    L.style(L.info("academyawards", right, 10550, half, 1750), "Times New Roman", 11, false, false, 2);
    L.style(L.info("editorialnote", inner, 12500, width, 1150), "Times New Roman", 11, false, true, 2);
}

bool Write(const char* name, Layout& L, const QString& dir) {
    QString problem, error;
    const QByteArray bytes = TemplateBytes(L.doc, L.state, &problem);
    if (!problem.isEmpty() ||
        !WriteFileAtomically(QDir(dir).filePath(QString::fromLatin1(name)), bytes, &error)) {
        std::fprintf(stderr, "%s: %s\n", name, qPrintable(problem + error));
        return false;
    }
    std::printf("wrote %s\n", name);
    return true;
}

// A birthday cake with three candles, drawn here.
QImage Cake() {
    QImage image(480, 340, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(QColor(250, 240, 225));
    p.drawRoundedRect(QRectF(60, 190, 360, 120), 18, 18);
    p.setBrush(QColor(245, 225, 235));
    p.drawRoundedRect(QRectF(110, 110, 260, 90), 14, 14);
    QPainterPath icing;
    icing.moveTo(60, 215);
    for (int x = 60; x <= 420; x += 30) icing.quadTo(x + 15, 245, x + 30, 215);
    p.setBrush(Qt::NoBrush);
    p.drawPath(icing);
    p.drawLine(40, 312, 440, 312);
    for (int i = 0; i < 3; ++i) {
        const qreal x = 170 + i * 70;
        p.setBrush(QColor(120, 170, 220));
        p.drawRect(QRectF(x - 9, 40, 18, 70));
        p.setBrush(QColor(255, 200, 40));
        QPainterPath flame;
        flame.moveTo(x, 0);
        flame.cubicTo(x + 16, 18, x + 12, 36, x, 36);
        flame.cubicTo(x - 12, 36, x - 16, 18, x, 0);
        p.drawPath(flame);
    }
    return image;
}

// The picture shown where a template's picture cannot be found: a frame with a question mark.
QImage Placeholder() {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 6, 6);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(4, 4, 56, 56), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

void Preview(const QString& dataDir, const QString& outDir, const QStringList& years) {
    QDir().mkpath(outDir);
    for (const char* name : {kNewspaperTemplate, kClassyTemplate}) {
        for (const QString& year : years) {
            AppState s;
            s.ProgramFolder = dataDir;
            s.birthday.BirthDate = QDate(year.toInt(), 10, 24);
            s.birthday.FirstName = QStringLiteral("Katherine");
            s.birthday.LastName = QStringLiteral("Montgomery");
            ComputeBirthdayFacts(s, QDate(2026, 12, 6), QLocale(QLocale::English, QLocale::UnitedStates));
            ApplyDisplayFormats(s.facts, s.year);
            CanvasDocument doc;
            NoPrompt prompt;
            std::optional<QSize> size;
            if (auto e = LoadTemplateFile(QDir(dataDir).filePath(QString::fromLatin1(name)), doc, s, prompt,
                                          &size, QLocale(QLocale::English, QLocale::UnitedStates)))
                std::fprintf(stderr, "%s\n", qPrintable(TemplateErrorMessage(*e)));
            const double dpi = 110;
            QImage image(int(size->width() * dpi / 1440), int(size->height() * dpi / 1440),
                         QImage::Format_RGB32);
            image.setDotsPerMeterX(int(dpi / 0.0254));
            image.setDotsPerMeterY(int(dpi / 0.0254));
            image.fill(Qt::white);
            QPainter p(&image);
            PaintDocument(p, doc, dpi / 1440);
            p.end();
            const QString out =
                QDir(outDir).filePath(QString::fromLatin1(name).section(u'.', 0, 0) + u'-' + year + ".png");
            image.save(out);
            std::printf("preview %s\n", qPrintable(out));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: natalory-make-templates DATA_DIR [--preview OUT_DIR YEAR...]\n");
        return 2;
    }
    const QString dataDir = args[1];
    if (args.size() > 3 && args[2] == u"--preview") {
        Preview(dataDir, args[3], args.mid(4));
        return 0;
    }
    if (!Cake().save(QDir(dataDir).filePath("cake.png")) ||
        !Placeholder().save(QDir(dataDir).filePath(QString::fromLatin1(kPlaceholderPicture)), "ico")) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }
    AppState news = SampleState(dataDir), classy = SampleState(dataDir), blank = SampleState(dataDir);
    Layout newsLayout(news), classyLayout(classy), blankLayout(blank);
    Newspaper(newsLayout);
    Classy(classyLayout);
    blank.data = DefaultDataSettings();
    const bool ok = Write(kNewspaperTemplate, newsLayout, dataDir) &&
                    Write(kClassyTemplate, classyLayout, dataDir) &&
                    Write(kBlankTemplate, blankLayout, dataDir);
    return ok ? 0 : 1;
}
