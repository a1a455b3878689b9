#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/EmfWriter.h"
#include "output/PrintEngine.h"

#include "editor/PrintInWindow.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QUndoStack>

using namespace natalory;
using namespace natalory::test;

namespace {

using ObjectCommands = CanvasEditor;

// A metafile of our own writer: a frame round a page of the given size, or an ellipse in it.
QString WriteCard(const TempProgramFolder& folder, const QString& name, int width, int height, bool ellipse) {
    PrintEngine card;
    card.PageWidth = width, card.PageHeight = height;
    card.StartDoc();
    card.LineWidth = 30;
    if (ellipse)
        card.DrawEllipse2(0, 0, width, height);
    else
        card.DrawRectangle2(0, 0, width, height);
    card.EndDoc();
    EXPECT_TRUE(WriteEmf(card, folder.file(name)));
    return folder.file(name);
}

}  // namespace

TEST_F(ObjectCommands, FormattingCentringAndRestackingActOnTheSelectedTextAsUndoSteps) {
    click("ID_Bold");  // nothing selected: nothing happens, and no colour is offered
    click("ID_Color");
    EXPECT_FALSE(label->FontBold);
    EXPECT_TRUE(services.colors.offered.empty());
    select(*label);
    click("ID_Bold");
    click("ID_Italic");
    // One exclusive group; Center pressed again is unpressed: Align Left acts only when pressed.
    ASSERT_TRUE(tool("ID_Center").action()->actionGroup() &&
                tool("ID_Center").action()->actionGroup()->isExclusive());
    for (const auto& [id, alignment] :
         {std::pair{"ID_Right", 1}, {"ID_Center", 2}, {"ID_Center", 2}, {"ID_Left", 0}, {"ID_Left", 0}}) {
        click(id);
        EXPECT_EQ(label->Alignment, alignment) << id;
    }
    click("ID_Color");  // the colour dialog cancelled
    services.colors.answer = QColor(Qt::blue);
    click("ID_Color");
    EXPECT_EQ(label->ForeColor, qRgb(0, 0, 255));
    click("ID_Red");
    EXPECT_TRUE(label->FontBold && label->FontItalic);
    EXPECT_EQ(label->ForeColor, qRgb(255, 0, 0));
    EXPECT_EQ(canvas->undoStack().count(), 7);
    for (int i = 0; i < 7; ++i) click("ID_Undo");
    EXPECT_FALSE(label->FontBold);
    EXPECT_FALSE(state.TemplateChanged);
    // Selecting a label shows its formatting on the band.
    label->FontSize = 19;
    select(*label);
    EXPECT_EQ(tool("ID_Size").comboBox()->comboText(), "20");
    EXPECT_EQ(tool("ID_Font").comboBox()->comboText(), "Times New Roman");

    canvas->setCanvasSizeTwips(10000, 14000);
    label->Width = 2000;
    click("ID_CenterOnPageHorizontally");
    EXPECT_EQ(QPoint(label->Left, label->Top), QPoint(4000, 1500));
    click("ID_CenterOnPage");
    EXPECT_EQ(label->Top, 6700);
    EXPECT_EQ(canvas->CurrentObject, label) << "centring keeps the selection";
    click("ID_BringToFront");
    EXPECT_EQ(canvas->document().stacking().back(), label);
    click("ID_SendToBack");
    EXPECT_EQ(canvas->document().stacking().front(), label);
    click("ID_Undo");
    click("ID_Undo");
    EXPECT_EQ(canvas->document().stacking().back(), line);
    click("ID_Delete");
    EXPECT_FALSE(canvas->document().contains(label));
    click("ID_Undo");
    EXPECT_TRUE(canvas->document().contains(label));

    // A new object comes selected, where the window shows it, not at the page's corner under a masthead.
    click("ID_Square");
    DisplayObject* square = canvas->CurrentObject;
    const QRect shown = canvas->visibleRegion().boundingRect();
    const QRect box(square->Left / 15, square->Top / 15, square->Width / 15, square->Height / 15);
    EXPECT_TRUE(shown.contains(box));
    EXPECT_GT(box.top(), shown.top() + 100);
}

TEST_F(ObjectCommands, AFontSizeThatNoLongerFitsShrinksOrIsReported) {
    state.settings.AutosizeFonts = true;
    label->Caption = "A headline long enough to need two lines at twelve points and more";
    label->Width = 2000, label->Height = 300;
    select(*label);
    auto* size = qobject_cast<QComboBox*>(button("Formatting", "ID_Size"));
    ASSERT_TRUE(size);
    label->FontSize = 8;
    type(size, "12");
    EXPECT_EQ(QApplication::focusWidget(), canvas) << "after a choice the keys go to the print again";
    EXPECT_TRUE(label->FontSize >= 4 && label->FontSize < 12) << label->FontSize;
    EXPECT_EQ(tool("ID_Size").comboBox()->listIndex(), 0) << "the smallest entry, 10";
    EXPECT_EQ(canvas->undoStack().count(), 1);  // the size with its fit; the click moved nothing
    click("ID_Undo");
    EXPECT_EQ(label->FontSize, 8);

    state.settings.AutosizeFonts = false;
    type(size, "14");
    EXPECT_EQ(label->FontSize, 14);
    ASSERT_EQ(services.prompt.asked.size(), 1u) << "one Enter is one command";
    EXPECT_EQ(services.prompt.asked[0].text,
              "Some of the text in this print does not fit into it's particular area.");

    type(size, "big");  // not a size: nothing changes
    EXPECT_EQ(label->FontSize, 14);
    type(size, "96");  // above the list: the box shows the size itself
    EXPECT_EQ(label->FontSize, 96);
    EXPECT_EQ(tool("ID_Size").comboBox()->comboText(), "96");
}

TEST_F(ObjectCommands, EditTextAndADoubleClickTakeOutTheFirstAnniversaryAndCancelKeepsTheText) {
    state.settings.AutosizeFonts = true;
    WhenDialogOpens<frmText>([](frmText& d) {
        EXPECT_EQ(d.txtText->selectedText(), "New Text Object") << "typing replaces the placeholder";
        QTest::keyClicks(d.txtText, "Happy AnniVersary Anna");
        d.Command1->click();
    });
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, px(2000, 1700));  // a double click opens Edit Text too
    EXPECT_EQ(label->Caption, "Happy  Anna");
    EXPECT_TRUE(state.TemplateChanged);

    WhenDialogOpens<frmText>([](frmText& d) {
        d.txtText->setText("Something else");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    click("ID_EditText");
    EXPECT_EQ(label->Caption, "Happy  Anna");
    click("ID_Undo");
    EXPECT_EQ(label->Caption, "New Text Object");

    // A text that shrinks to fit shows its new size in the size box.
    WhenDialogOpens<frmText>([](frmText& d) {
        d.txtText->setText(QString("A text far too long for its box at twelve points ").repeated(4));
        d.Command1->click();
    });
    click("ID_EditText");
    EXPECT_LT(label->FontSize, 12);
    EXPECT_NE(tool("ID_Size").comboBox()->comboText(), "12");
}

TEST_F(ObjectCommands, PicturesAreChosenReplacedAndResized) {
    const QString cake = folder.file("cake.png");
    services.files.answers = {std::nullopt};  // cancelled: no empty picture is left behind
    click("ID_InsertPicture");
    EXPECT_EQ(canvas->document().stacking().back(), line);

    services.files.answers = {cake};
    click("ID_InsertPicture");
    DisplayObject* pic = canvas->document().stacking().back();
    EXPECT_EQ(pic->ToolTipText, cake);
    EXPECT_EQ(QSize(pic->Width, pic->Height), pic->Picture.size() * 15);

    // Edit Picture: cancelled, or a file that is no picture, changes nothing.
    pic->Left = 3000, pic->Top = 3000, pic->Width = 2880, pic->Height = 1440;
    QTest::mouseClick(canvas, Qt::RightButton, {}, px(3100, 3100));
    ASSERT_EQ(canvas->ClickedObject, pic);
    canvas->undoStack().clear();
    state.TemplateChanged = false;
    services.files.answers = {std::nullopt};
    click("ID_EditPicture");
    EXPECT_FALSE(state.TemplateChanged);
    folder.write("broken.png", "not a picture at all");
    services.files.answers = {folder.file("broken.png")};
    click("ID_EditPicture");
    EXPECT_EQ(services.prompt.asked.back().title, "Unable To Open The New Picture.");
    EXPECT_EQ(pic->ToolTipText, cake);

    // A metafile replaces it as a drawing, at its own size; undo brings the cake back.
    services.files.answers = {WriteCard(folder, "card.emf", 2880, 1440, false)};
    click("ID_EditPicture");
    ASSERT_TRUE(pic->PictureVector);
    EXPECT_EQ(QSize(pic->Width, pic->Height), QSize(2880, 1440));
    QTest::keyClick(canvas, Qt::Key_Escape);  // no handles over the drawing
    pic->Width = 5760;  // stretched to twice its width, the frame is drawn at the box's edges
    const QImage shown = canvas->grab().toImage();
    EXPECT_LT(qGray(shown.pixel(5760 / 15 + 200 - 1, 3000 / 15 + 48)), 100);
    EXPECT_GT(qGray(shown.pixel(2880 / 15 + 200, 3000 / 15 + 48)), 200);
    pic->Width = 2880;
    click("ID_Undo");
    EXPECT_FALSE(pic->PictureVector);

    // The resize dialog, with its ratio kept and then not; only typing moves the other box.
    WhenDialogOpens<frmResize>([](frmResize& d) {
        EXPECT_EQ(d.windowTitle(), "Resize Picture");
        EXPECT_EQ(d.txtWidth->text(), "2");
        EXPECT_TRUE(d.chkAspect->isChecked());
        d.txtWidth->selectAll();
        QTest::keyClicks(d.txtWidth, "3");
        EXPECT_EQ(d.txtHeight->text(), "1.5");
        d.txtWidth->clear();
        QTest::keyClick(d.txtWidth, Qt::Key_Backspace);
        EXPECT_EQ(d.txtHeight->text(), "1.5") << "an empty box changes nothing in the other";
        d.cmdApply->click();  // empty: refused with a message, nothing applied
        d.chkAspect->click();
        QTest::keyClicks(d.txtWidth, "1.25");
        d.txtHeight->selectAll();
        QTest::keyClicks(d.txtHeight, "0.5");
        EXPECT_EQ(d.txtWidth->text(), "1.25");
        d.cmdOk->click();
    });
    click("ID_Resize");
    EXPECT_EQ(services.prompt.asked.back().title, "Resize Picture");
    EXPECT_EQ(QSize(pic->Width, pic->Height), QSize(1800, 720));
    EXPECT_EQ(canvas->CurrentObject, nullptr) << "resizing leaves nothing selected";

    // In German the boxes show and take a decimal comma, and a typed point still means a point.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    pic->Width = 1000, pic->Height = 1440;
    WhenDialogOpens<frmResize>([](frmResize& d) {
        EXPECT_EQ(d.txtWidth->text(), "0,694");
        EXPECT_EQ(d.txtHeight->text(), "1");
        d.txtWidth->selectAll();
        QTest::keyClicks(d.txtWidth, "2.125");
        EXPECT_EQ(d.txtHeight->text(), "3,062");
        d.cmdOk->click();
    });
    click("ID_Resize");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(QSize(pic->Width, pic->Height), QSize(3060, 4409));
}

TEST_F(ObjectCommands, CopyPasteAndDuplicateOutliveThePrint) {
    label->Caption = "Heading";
    label->FontBold = true;
    select(*label);
    QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Heading");
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    DisplayObject* pasted = canvas->CurrentObject;
    ASSERT_TRUE(pasted && pasted != label);
    EXPECT_TRUE(pasted->FontBold);
    EXPECT_EQ(QPoint(pasted->Left, pasted->Top), QPoint(1500 + 150, 1500 + 150)) << "10 pixels on";
    QTest::keyClick(canvas, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(canvas->CurrentObject->Left, 1500 + 300);
    EXPECT_EQ(canvas->undoStack().count(), 2) << "each paste is one step";
    click("ID_Undo");
    click("ID_Undo");
    EXPECT_FALSE(canvas->document().contains(pasted));

    // Paste from the menu of a right-click lands at the pointer; near the page's edge it stays on the page.
    const QSize page = canvas->canvasSizeTwips();
    for (auto [at, expected] :
         {std::pair{QPoint(400, 300), QPoint(6000, 4500)},
          std::pair{QPoint(canvas->width() - 2, 20), QPoint(page.width() - 3000, 300)}}) {
        QTest::mouseClick(canvas, Qt::RightButton, {}, at);
        QMenu* menu = tool("ID_mnuRightClickCanvas").menu();
        ASSERT_TRUE(menu->isVisible());
        QAction* paste = tool("ID_Paste").action();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(QPoint(canvas->CurrentObject->Left, canvas->CurrentObject->Top), expected);
    }
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QPoint(canvas->CurrentObject->Left, canvas->CurrentObject->Top), QPoint(1500 + 150, 1500 + 150))
        << "after the menu, Ctrl+V pastes beside the original again";

    // Saved, the template holds the original and its three pastes, and the print counts as unchanged.
    services.files.answers = {folder.file("pasted.als")};
    click("ID_SaveTemplate");
    EXPECT_EQ(folder.read("pasted.als").count("\"Heading\""), 4);
    EXPECT_TRUE(!state.TemplateChanged && canvas->undoStack().isClean());

    // The clipboard outlives the print it came from: the next print takes the heading.
    click("ID_Close");
    ASSERT_FALSE(workspace->canvasWindow());
    EXPECT_TRUE(services.prompt.asked.empty()) << "a saved print closes without a question";
    frmDisplay& other = openPrint("Ben", "Ode", QDate(1960, 3, 4));
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.CurrentObject->Caption, "Heading");
    EXPECT_TRUE(other.CurrentObject->FontBold && other.CurrentObject->Width == 3000);

    // An image from another program becomes a picture whose file is kept; words become a text.
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(red);
    QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(other.CurrentObject->kind, ObjectKind::Picture);
    EXPECT_EQ(QImage(other.CurrentObject->ToolTipText).size(), QSize(40, 20));
    QGuiApplication::clipboard()->setText("Happy birthday, Ben!");
    QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.CurrentObject->Caption, "Happy birthday, Ben!");
}
