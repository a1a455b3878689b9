#include "document/TemplateFile.h"

#include "support/Doubles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <unistd.h>

using namespace natalory;
using namespace natalory::test;

namespace {

struct Template : ::testing::Test {
    TempProgramFolder folder;
    AppState state;
    ScriptedPrompt prompt;
    CanvasDocument doc;

    void SetUp() override {
        state.ProgramFolder = folder.path();
        state.birthday = {QDate(1950, 1, 15), "Anna", {}, {}, ptNewspaper, {}, {}};
        state.page = {12240, 15840, 720, 720, 720, 720, 1};
        state.data.IncludeMilk = true;
        state.data.InfoSet = 2;
        state.data.AddAmounts = true;
    }

    std::unique_ptr<CanvasDocument> Reload(const QByteArray& bytes, AppState* into = nullptr,
                                           std::optional<TemplateError>* error = nullptr) {
        folder.write("t.als", bytes);
        auto d = std::make_unique<CanvasDocument>();
        AppState& s = into ? *into : state;
        auto e = LoadTemplateFile(folder.file("t.als"), *d, s, prompt);
        if (error)
            *error = e;
        else
            EXPECT_FALSE(e) << TemplateErrorMessage(*e).toStdString();
        return d;
    }
};

std::vector<const DisplayObject*> Visible(const CanvasDocument& d) {
    std::vector<const DisplayObject*> v;
    for (const DisplayObject* o : d.stacking())
        if (o->Visible) v.push_back(o);
    return v;
}

}  // namespace

TEST_F(Template, EveryFieldInAnyScriptIsSavedAndLoadedBackInOrder) {
    DisplayObject* t = NewLabel(doc, state, prompt);
    t->Caption = QString::fromUtf8("Say \"cheese\"\r\nsecond line, with comma \u00B1\u00B6\u00E9\u00FF");
    t->Width = 2400, t->Height = 375, t->Left = 120, t->Top = 240;
    t->FontName = "Arial", t->FontSize = 14.25, t->FontBold = t->FontUnderline = true, t->Alignment = 2;
    t->ForeColor = qRgb(255, 0, 0);
    DisplayObject* line = NewShape(doc, state, prompt, kLineShapeKind);
    line->X1 = 10, line->Y1 = 20, line->X2 = 30, line->Y2 = 40, line->BorderStyle = lsDash,
    line->BorderWidth = 3;
    DisplayObject* circle = NewShape(doc, state, prompt, shCircle);
    circle->Width = 500, circle->Height = 600, circle->BorderWidth = 4;
    DisplayObject* pic = NewPicture(doc, state, prompt, false);
    pic->ToolTipText = "/nowhere/cake.png";
    doc.sendToBack(*t);  // a restack survives the round trip

    // Every field and the order come back: the reloaded canvas, page and data settings write
    // the same bytes.
    const QByteArray bytes = TemplateBytes(doc, state);
    AppState loaded = state;
    loaded.page = {};
    loaded.data = {};
    EXPECT_EQ(TemplateBytes(*Reload(bytes, &loaded), loaded), bytes);

    // The version is not checked: a file of another version reads the same. A file that does
    // not begin with "Birthday" is no template, whatever its fields happen to fit.
    QByteArray other = bytes;
    other.replace("\"4.2.0\"", "\"3.0.12\"");
    EXPECT_EQ(Visible(*Reload(other)).size(), 4u);
    other.replace("\"Birthday\"", "\"Natal\"");
    std::optional<TemplateError> error;
    EXPECT_EQ(Visible(*Reload(other, nullptr, &error)).size(), 0u);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->description,
              "line 1, field 1: this is not a template: it begins with \"Natal\", not \"Birthday\"");

    // Captions and paths beyond Windows-1252, saved under a name beyond it too, are UTF-8.
    TestServices services;
    t->Caption = QString::fromUtf8("\u0141ucja Wa\u0142\u0119sa \"Lu\"\r\n\u0418\u0432\u0430\u043D");
    pic->ToolTipText = QString::fromUtf8("/home/\u9673/\u86CB\u7CD5.png");
    const QString name = QString::fromUtf8("\u751F\u65E5.als");
    services.files.answers = {folder.file(name)};
    SaveTemplate(doc, state, services.services);
    EXPECT_TRUE(services.prompt.asked.empty()) << services.prompt.asked[0].text.toStdString();
    EXPECT_FALSE(state.SaveCancelled);
    const QByteArray utf8 = folder.read(name);
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF\"Birthday\""));
    const auto again = Reload(utf8);
    const auto objects = Visible(*again);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0]->Caption, t->Caption);  // the quotes come back through their stand-in
    EXPECT_EQ(objects[3]->ToolTipText, pic->ToolTipText);
    EXPECT_EQ(TemplateBytes(*again, state), utf8);
}

TEST_F(Template, InfoObjectsAreWrittenForThisBirthdayAndPicturesLookedForBesideTheProgram) {
    QImage red(6, 4, QImage::Format_RGB32), blue(5, 5, QImage::Format_RGB32),
        grey(3, 3, QImage::Format_RGB32);
    red.fill(Qt::red), blue.fill(Qt::blue), grey.fill(Qt::gray);
    QDir(folder.path()).mkpath("elsewhere");
    red.save(folder.file("elsewhere/red.png"));
    blue.save(folder.file("blue.png"));
    grey.save(folder.file("nopicfound.ico"), "ico");
    QByteArray bytes = TemplateBytes(doc, state);
    bytes +=
        "\"Tjohndoeborntoday\"\r\n3000,500,10,20,\"Arial\",0,20,#TRUE#,#FALSE#,#FALSE#,#FALSE#,2,\"Old Name "
        "Born "
        "Today!\"\r\n";
    bytes +=
        "\"Tnosuchkind\"\r\n3000,500,10,20,\"Arial\",0,20,#TRUE#,#FALSE#,#FALSE#,#FALSE#,2,\"dropped\"\r\n";
    bytes += "\"X\"\r\nthis line belongs to a kind we do not know\r\n";
    bytes += "\"Pfuture\"\r\n1,2,3,4,\"skipped too\"\r\n";
    bytes += "\"S\"\r\n100,200,300,400,2,5\r\n";
    // A picture where it was, one moved beside the program, and one gone: the stand-in.
    for (const QString& stored :
         {folder.file("elsewhere/red.png"), QStringLiteral("C:\\Old Pictures\\blue.png"),
          QStringLiteral("/gone/missing.png")})
        bytes += "\"P\"\r\n100,100,0,0,\"" + stored.toLatin1() + "\"\r\n";
    auto d = Reload(bytes);
    const auto objects = Visible(*d);
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[0]->Caption, "Anna  Born Today!");
    EXPECT_EQ(objects[0]->ToolTipText, "John Doe Born Today");
    EXPECT_EQ(objects[1]->Shape, shOval);
    EXPECT_EQ(objects[1]->BorderWidth, 5);
    EXPECT_EQ(objects[2]->Picture.size(), QSize(6, 4));
    EXPECT_EQ(objects[3]->Picture.size(), QSize(5, 5));
    EXPECT_EQ(objects[4]->Picture.size(), QSize(3, 3));
    EXPECT_EQ(objects[3]->ToolTipText, "C:\\Old Pictures\\blue.png");  // the stored path is kept
    EXPECT_EQ(objects[4]->ToolTipText, "/gone/missing.png");
}

TEST_F(Template, ADamagedFileIsReportedAndWhatWasReadStays) {
    DisplayObject* a = NewLabel(doc, state, prompt);
    a->Caption = "first";
    NewShape(doc, state, prompt, shSquare);
    DisplayObject* b = NewLabel(doc, state, prompt);
    b->Caption = "last";
    const QByteArray good = TemplateBytes(doc, state);
    for (qsizetype cut = 0; cut < good.size() - 2; ++cut) {
        std::optional<TemplateError> error;
        AppState s = state;
        auto d = Reload(good.left(cut), &s, &error);
        const size_t visible = Visible(*d).size();
        if (error) {
            EXPECT_FALSE(TemplateErrorMessage(*error).isEmpty());
            EXPECT_LE(visible, 3u);
        } else {
            // A cut at the end of a record leaves a shorter, good template.
            const bool atRecordEnd =
                good.mid(cut, 2) == "\r\n" || good.mid(cut - 1, 1) == "\r" || good.mid(cut - 2, 2) == "\r\n";
            EXPECT_TRUE(atRecordEnd) << cut << ": " << good.mid(cut - 10, 12).toStdString();
        }
    }

    CanvasDocument none;
    const std::optional<TemplateError> missing =
        LoadTemplateFile(folder.file("absent.als"), none, state, prompt);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->number, teFileNotFound);
}

TEST_F(Template, SavingAsksBeforeOverwritingAndNeverLosesTheOldFile) {
    TestServices services;
    NewLabel(doc, state, prompt);
    state.TemplateChanged = true;
    const QString target = folder.file("mine.als");
    folder.write("mine.als", "old template");

    // No asks again; Yes writes.
    services.files.answers = {target, target};
    services.prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    SaveTemplate(doc, state, services.services);
    EXPECT_EQ(services.files.requests.size(), 2u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "Do you want to copy over this file and lose all data it contains?");
    EXPECT_EQ(folder.read("mine.als"), TemplateBytes(doc, state));
    EXPECT_FALSE(state.TemplateChanged);
    EXPECT_FALSE(state.SaveCancelled);

    // Cancel in the dialog, or at the question, saves nothing and says so.
    state.TemplateChanged = true;
    services.files.answers = {std::nullopt};
    SaveTemplate(doc, state, services.services);
    EXPECT_TRUE(state.SaveCancelled);
    services.files.answers = {target};
    services.prompt.answers = {PromptAnswer::Cancel};
    SaveTemplate(doc, state, services.services);
    EXPECT_TRUE(state.SaveCancelled);
    EXPECT_TRUE(state.TemplateChanged);

    // A save that cannot be written leaves the old file and the unsaved canvas.
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    DisplayObject* extra = NewLabel(doc, state, prompt);
    extra->Caption = "new work";
    services.files.answers = {target};
    services.prompt.answers = {PromptAnswer::Yes};
    SaveTemplate(doc, state, services.services);
    QFile::setPermissions(folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (::geteuid() != 0) {  // root writes anywhere
        EXPECT_EQ(services.prompt.asked.back().title, "Disk Error");
        EXPECT_TRUE(state.SaveCancelled);
        EXPECT_FALSE(folder.read("mine.als").contains("new work"));
    }
    // A picture path the file cannot hold (a double quote) is refused, not mangled, and the
    // old file stays as it was.
    const QByteArray old = folder.read("mine.als");
    NewPicture(doc, state, prompt, false)->ToolTipText = "/pics/\"best\".png";
    services.files.answers = {target};
    services.prompt.answers = {PromptAnswer::Yes};
    SaveTemplate(doc, state, services.services);
    EXPECT_EQ(services.prompt.asked.back().title, "Disk Error");
    EXPECT_EQ(folder.read("mine.als"), old);
    EXPECT_TRUE(state.SaveCancelled);
}

TEST_F(Template, ATemplateOverTheObjectLimitSaysSoOnceAndKeepsTheFirst200) {
    // The file is made by hand: no canvas could have saved it.
    QByteArray bytes = TemplateBytes(CanvasDocument(), state);
    for (int i = 0; i < 250; ++i) bytes += "\"S\"\r\n100,100,0,0,3,1\r\n";
    std::optional<TemplateError> error;
    const auto loaded = Reload(bytes, nullptr, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(loaded->controlCount(), kMaxControls);
    EXPECT_EQ(prompt.asked.size(), 1u);  // the canvas's own message, once
}

TEST_F(Template, NumbersNoPageCouldHoldAreWrongTypeErrorsAtTheirField) {
    const QByteArray header = "\"Birthday\",\"4.2.0\",12240,15840,1,720,720,720,720\r\n";
    const QByteArray data = QByteArray("#TRUE#,").repeated(16) + "1,#FALSE#,#FALSE#,#FALSE#\r\n";
    const QByteArray text =
        "\"T\"\r\n1000,500,0,0,\"Arial\",0,12,#FALSE#,#FALSE#,#FALSE#,#FALSE#,0,\"Hi\"\r\n";
    std::optional<TemplateError> error;
    Reload(header + data + text);

    const struct {
        QByteArray from, to;
        const char* where;
    } cases[] = {
        {"12240,15840,1,720,720", "12240,15840,1,2147483647,2147483647", "line 1, field 6: the margin"},
        {"12240,15840", "900000,15840", "line 1, field 3: the paper width"},
        {"12240,15840", "12240,0", "line 1, field 4: the paper length"},
        {"\"Arial\",0,12,", "\"Arial\",0,twelve,",
         "line 4: the font size should be a number, found \"twelve\""},
        {"\"Arial\",0,12,", "\"Arial\",0,1e300,", "line 4, field 7: the font size"},
        {"\"Arial\",0,12,", "\"Arial\",0,0.5,", "line 4, field 7: the font size"},
        {"1000,500,0,0,\"Arial\"", "2000000000,500,0,0,\"Arial\"", "line 4, field 1: the position or size"},
        {"1000,500,0,0,\"Arial\"", "1000,500,0,-2000000000,\"Arial\"", "line 4, field 4: the position"},
        // A line beyond any page, as a hostile file has it.
        {text, "\"L\"\r\n0,-2147483647,100,100,1,1\r\n", "line 4, field 2: the position or size"},
    };
    for (const auto& c : cases) {
        QByteArray bytes = header + data + text;
        bytes.replace(c.from, c.to);
        AppState s = state;
        Reload(bytes, &s, &error);
        ASSERT_TRUE(error) << c.where;
        EXPECT_EQ(error->number, teWrongType) << c.where;
        EXPECT_TRUE(error->description.startsWith(QLatin1StringView(c.where)))
            << error->description.toStdString();
    }
    EXPECT_EQ(
        TemplateErrorMessage(*error),
        "Error In Template File\r\nSource = t.als, Number = 13, \r\nDescription = " + error->description);
}
