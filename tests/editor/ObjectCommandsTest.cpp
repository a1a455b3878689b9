#include "document/TemplateFile.h"
#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/EmfWriter.h"
#include "output/PrintEngine.h"

#include "editor/PrintInWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

using namespace natalory;
using namespace natalory::test;

namespace {

// Runs `answer` on the dialog that the next command opens modally.
template <typename Dialog>
void WhenDialogOpens(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        answer(*d);
    });
}

struct ObjectCommands : PrintInWindow {
    DisplayObject* label = nullptr;

    void SetUp() override {
        state.settings.AutosizeFonts = true;
        openBlankPrint();
        if (HasFatalFailure()) return;
        click("ID_InsertText");
        label = canvas->document().lblObject(canvas->document().UBound(ObjectKind::Text));
        label->Left = 1500, label->Top = 1500, label->Width = 3000, label->Height = 600;
        QTest::keyClick(canvas, Qt::Key_Escape);  // the new text comes selected
        canvas->undoStack().clear();
        state.TemplateChanged = false;
    }
    void select(const DisplayObject& o) {
        const double tpp = canvas->twipsPerPixel();
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          QPoint(qRound((o.Left + o.Width / 2) / tpp), qRound((o.Top + o.Height / 2) / tpp)));
    }
    QComboBox* comboOf(const char* band, const char* id) {
        return qobject_cast<QComboBox*>(
            mdi->sToolbar.band(band).toolBar()->widgetForAction(mdi->sToolbar.tool(id).action()));
    }
    void type(QComboBox* box, const QString& text) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

}  // namespace

TEST_F(ObjectCommands, FontStyleAndAlignmentActOnTheSelectedTextAsUndoSteps) {
    click("ID_Bold");  // nothing selected: nothing happens
    EXPECT_FALSE(label->FontBold);
    select(*label);
    canvas->undoStack().clear();
    click("ID_Bold");
    click("ID_Italic");
    click("ID_Right");
    EXPECT_TRUE(label->FontBold);
    EXPECT_TRUE(label->FontItalic);
    EXPECT_EQ(label->Alignment, 1);
    EXPECT_TRUE(state.TemplateChanged);
    click("ID_Center");
    EXPECT_EQ(label->Alignment, 2);
    click("ID_Center");  // pressed again, unpressed: Align Left acts only when pressed
    click("ID_Left");
    EXPECT_EQ(label->Alignment, 0);
    EXPECT_EQ(canvas->undoStack().count(), 5);
    for (int i = 0; i < 5; ++i) click("ID_Undo");
    EXPECT_FALSE(label->FontBold);
    EXPECT_EQ(label->Alignment, 0);
    EXPECT_FALSE(state.TemplateChanged);

    // The fixed colours set the colour of the selected text.
    select(*label);
    click("ID_Red");
    EXPECT_EQ(label->ForeColor, qRgb(255, 0, 0));
    // Selecting a label shows its formatting on the band.
    label->FontSize = 19;
    select(*label);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Size").comboBox()->listIndex(), 9);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Size").comboBox()->comboText(), "20");
    EXPECT_EQ(mdi->sToolbar.tool("ID_Font").comboBox()->comboText(), "Times New Roman");
}

TEST_F(ObjectCommands, AFontSizeThatNoLongerFitsShrinksOrIsReported) {
    label->Caption = "A headline long enough to need two lines at twelve points and more";
    label->Width = 2000, label->Height = 300;
    select(*label);
    QComboBox* size = comboOf("Formatting", "ID_Size");
    ASSERT_TRUE(size);
    label->FontSize = 8;
    type(size, "12");
    EXPECT_EQ(QApplication::focusWidget(), canvas) << "after a choice the keys go to the print again";
    EXPECT_LT(label->FontSize, 12);
    EXPECT_GE(label->FontSize, 4);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Size").comboBox()->listIndex(), 0) << "the smallest entry, 10";
    EXPECT_EQ(canvas->undoStack().count(), 1);  // the size with its fit; the click moved nothing
    click("ID_Undo");
    EXPECT_EQ(label->FontSize, 8);

    state.settings.AutosizeFonts = false;
    services.prompt.asked.clear();
    type(size, "14");
    EXPECT_EQ(label->FontSize, 14);
    ASSERT_EQ(services.prompt.asked.size(), 1u);
    EXPECT_EQ(services.prompt.asked[0].text,
              "Some of the text in this print does not fit into it's particular area.");

    type(size, "big");  // not a size: nothing changes
    EXPECT_EQ(label->FontSize, 14);
    type(size, "96");  // above the list: the box shows the size itself
    EXPECT_EQ(label->FontSize, 96);
    EXPECT_EQ(mdi->sToolbar.tool("ID_Size").comboBox()->comboText(), "96");
}

TEST_F(ObjectCommands, ShapeAndLineCombosSetTheirProperties) {
    click("ID_Rectangle");
    DisplayObject* shape = canvas->document().sShape(canvas->document().UBound(ObjectKind::Shape));
    shape->Left = 3000, shape->Top = 4500, shape->Width = 1500, shape->Height = 1500, shape->BorderWidth = 3;
    select(*shape);
    QComboBox* border = comboOf("Shapes", "ID_ShapeBorder");
    ASSERT_TRUE(border);
    border->setFocus();
    QTest::keyClick(border, Qt::Key_Home);
    EXPECT_EQ(shape->BorderWidth, 1);
    QComboBox* kind = comboOf("Shapes", "ID_Shape");
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_End);
    EXPECT_EQ(shape->Shape, kind->count() - 1);

    click("ID_Line");
    DisplayObject* line = canvas->document().lLineObject(canvas->document().UBound(ObjectKind::Line));
    line->X1 = 3000, line->X2 = 6000, line->Y1 = line->Y2 = 9000;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(qRound(4000 / canvas->twipsPerPixel()), 600));
    ASSERT_EQ(canvas->CurrentObject, line);
    QComboBox* style = comboOf("Lines", "ID_Style");
    style->setFocus();
    QTest::keyClick(style, Qt::Key_End);
    EXPECT_EQ(style->currentText(), "3-Dot");
    EXPECT_EQ(line->BorderStyle, 3);
}

TEST_F(ObjectCommands, CentringRestackingAndDeleteAreUndoable) {
    canvas->setCanvasSizeTwips(10000, 14000);
    select(*label);
    label->Width = 2000;
    click("ID_CenterOnPageHorizontally");
    EXPECT_EQ(label->Left, 4000);
    EXPECT_EQ(label->Top, 1500);
    EXPECT_FALSE(canvas->picHandle[0]->isVisible());
    EXPECT_EQ(canvas->CurrentObject, label) << "centring keeps the selection";
    click("ID_CenterOnPage");
    EXPECT_EQ(label->Top, 6700);

    click("ID_Square");
    DisplayObject* square = canvas->document().stacking().back();
    EXPECT_EQ(canvas->CurrentObject, square) << "a new object comes selected";
    const QRect shown = canvas->visibleRegion().boundingRect();
    const QRect box(square->Left / 15, square->Top / 15, square->Width / 15, square->Height / 15);
    EXPECT_TRUE(shown.contains(box)) << "where the window shows it";
    EXPECT_GT(box.top(), shown.top() + 100) << "not at the page's corner, under a masthead";
    select(*label);
    click("ID_BringToFront");
    EXPECT_EQ(canvas->document().stacking().back(), label);
    click("ID_SendToBack");
    EXPECT_EQ(canvas->document().stacking().front(), label);
    click("ID_Undo");
    click("ID_Undo");
    EXPECT_EQ(canvas->document().stacking().back(), square);
    click("ID_Delete");
    EXPECT_FALSE(canvas->document().contains(label));
    click("ID_Undo");
    EXPECT_TRUE(canvas->document().contains(label));
}

TEST_F(ObjectCommands, EditTextTakesOutTheFirstAnniversaryAndCancelKeepsTheText) {
    ASSERT_EQ(label->Caption, "New Text Object");
    select(*label);
    WhenDialogOpens<frmText>([](frmText& d) {
        EXPECT_EQ(d.windowTitle(), "Change The Text");
        EXPECT_EQ(d.txtText->selectedText(), "New Text Object") << "typing replaces the placeholder";
        QTest::keyClicks(d.txtText, "Happy AnniVersary Anna");
        d.Command1->click();
    });
    click("ID_EditText");
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
    EXPECT_NE(mdi->sToolbar.tool("ID_Size").comboBox()->comboText(), "12");
}

TEST_F(ObjectCommands, PicturesAreChosenReplacedAndResized) {
    const QString cake = folder.file("cake.png");
    services.files.answers = {std::nullopt};  // cancelled: no empty picture is left behind
    const int before = canvas->document().UBound(ObjectKind::Picture);
    click("ID_InsertPicture");
    EXPECT_EQ(canvas->document().UBound(ObjectKind::Picture), before);

    services.files.answers = {cake};
    click("ID_InsertPicture");
    DisplayObject* pic = canvas->document().pPic(canvas->document().UBound(ObjectKind::Picture));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->ToolTipText, cake);
    EXPECT_TRUE(pic->Stretch);
    EXPECT_EQ(QSize(pic->Width, pic->Height), pic->Picture.size() * 15);

    // Edit Picture: cancelled, or a file that is no picture, changes nothing.
    pic->Left = 3000, pic->Top = 3000, pic->Width = 2880, pic->Height = 1440;
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(qRound(3100 / 15.0), qRound(3100 / 15.0)));
    ASSERT_EQ(canvas->ClickedObject, pic);
    canvas->undoStack().clear();
    state.TemplateChanged = false;
    services.files.answers = {std::nullopt};
    click("ID_EditPicture");
    EXPECT_FALSE(state.TemplateChanged);
    folder.write("broken.png", "not a picture at all");
    services.files.answers = {folder.file("broken.png")};
    click("ID_EditPicture");
    EXPECT_EQ(services.prompt.asked.back().text, "Bad File or File Name.");
    EXPECT_EQ(services.prompt.asked.back().title, "Unable To Open The New Picture.");
    EXPECT_EQ(pic->ToolTipText, cake);
    EXPECT_EQ(pic->Width, 2880);

    // A metafile replaces it as a drawing, at its own size; undo brings the cake back.
    PrintEngine card;
    card.PageWidth = 2880, card.PageHeight = 1440;
    card.StartDoc();
    card.LineWidth = 30;
    card.DrawRectangle2(0, 0, 2880, 1440);
    card.EndDoc();
    ASSERT_TRUE(WriteEmf(card, folder.file("card.emf")));
    services.files.answers = {folder.file("card.emf")};
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
    EXPECT_EQ(pic->ToolTipText, cake);

    // The resize dialog, with its ratio kept and then not.
    WhenDialogOpens<frmResize>([](frmResize& d) {
        EXPECT_EQ(d.windowTitle(), "Resize Picture");
        EXPECT_EQ(d.txtWidth->text(), "2");
        EXPECT_EQ(d.txtHeight->text(), "1");
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
    EXPECT_EQ(pic->Width, 1800);
    EXPECT_EQ(pic->Height, 720);
    EXPECT_EQ(canvas->CurrentObject, nullptr) << "resizing leaves nothing selected";
    EXPECT_TRUE(state.TemplateChanged);
    click("ID_Undo");
    EXPECT_EQ(pic->Width, 2880);

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
    EXPECT_EQ(pic->Width, 3060);
    EXPECT_EQ(pic->Height, 4409);
}

TEST_F(ObjectCommands, ASavedTemplateAfterEditsReloadsTheSame) {
    select(*label);
    click("ID_Bold");
    click("ID_Blue");
    click("ID_Circle");
    click("ID_Line");
    // A metafile picture comes back as the drawing, not the placeholder.
    PrintEngine card;
    card.PageWidth = 1440, card.PageHeight = 1440;
    card.StartDoc();
    card.DrawEllipse2(0, 0, 1440, 1440);
    card.EndDoc();
    ASSERT_TRUE(WriteEmf(card, folder.file("dot.emf")));
    services.files.answers = {folder.file("dot.emf")};
    click("ID_InsertPicture");
    select(*label);
    click("ID_BringToFront");
    const QString path = folder.file("edited.als");
    services.files.answers = {path};
    click("ID_SaveTemplate");
    EXPECT_FALSE(state.TemplateChanged);
    EXPECT_TRUE(canvas->undoStack().isClean());

    CanvasDocument reloaded;
    AppState other = state;
    ScriptedPrompt prompt;
    ASSERT_FALSE(LoadTemplateFile(path, reloaded, other, prompt));
    std::vector<const DisplayObject*> a, b;
    for (const DisplayObject* o : canvas->document().stacking())
        if (o->Visible) a.push_back(o);
    for (const DisplayObject* o : reloaded.stacking())
        if (o->Visible) b.push_back(o);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->kind, b[i]->kind);
        EXPECT_EQ(QRect(a[i]->Left, a[i]->Top, a[i]->Width, a[i]->Height),
                  QRect(b[i]->Left, b[i]->Top, b[i]->Width, b[i]->Height));
        EXPECT_EQ(a[i]->FontBold, b[i]->FontBold);
        EXPECT_EQ(a[i]->ForeColor, b[i]->ForeColor);
        EXPECT_EQ(a[i]->Shape, b[i]->Shape);
        EXPECT_EQ(bool(a[i]->PictureVector), bool(b[i]->PictureVector));
    }
    EXPECT_TRUE(b[b.size() - 2]->PictureVector);
    EXPECT_EQ(b.back()->Caption, "New Text Object") << "the label restacked to the top stays there";
}

TEST_F(ObjectCommands, CopyPasteAndDuplicateOutliveThePrintAndDoubleClickEdits) {
    label->Caption = "Heading";
    label->FontBold = true;
    select(*label);
    QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Heading");
    const int before = canvas->undoStack().count();

    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    DisplayObject* pasted = canvas->CurrentObject;
    ASSERT_TRUE(pasted);
    EXPECT_NE(pasted, label);
    EXPECT_EQ(pasted->Caption, "Heading");
    EXPECT_TRUE(pasted->FontBold);
    EXPECT_EQ(QPoint(pasted->Left, pasted->Top), QPoint(1500 + 150, 1500 + 150)) << "10 pixels on";
    QTest::keyClick(canvas, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(canvas->CurrentObject->Left, 1500 + 300);
    EXPECT_EQ(canvas->undoStack().count(), before + 2) << "each paste is one step";
    click("ID_Undo");
    click("ID_Undo");
    EXPECT_FALSE(canvas->document().contains(pasted));

    // Paste from the menu of a right-click lands at the pointer; near the page's edge it stays on the page.
    const auto pasteFromMenuAt = [this](QPoint at) {
        QTest::mouseClick(canvas, Qt::RightButton, {}, at);
        QMenu* menu = mdi->sToolbar.tool("ID_mnuRightClickCanvas").menu();
        EXPECT_TRUE(menu->isVisible());
        QAction* paste = mdi->sToolbar.tool("ID_Paste").action();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        QCoreApplication::processEvents();
        return canvas->CurrentObject;
    };
    const QSize page = canvas->canvasSizeTwips();
    for (auto [at, expected] :
         {std::pair{QPoint(400, 300), QPoint(6000, 4500)},
          std::pair{QPoint(canvas->width() - 2, 20), QPoint(page.width() - 3000, 300)}}) {
        DisplayObject* o = pasteFromMenuAt(at);
        ASSERT_TRUE(o);
        EXPECT_EQ(o->Caption, "Heading");
        EXPECT_EQ(QPoint(o->Left, o->Top), expected);
    }
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QPoint(canvas->CurrentObject->Left, canvas->CurrentObject->Top), QPoint(1500 + 150, 1500 + 150))
        << "after the menu, Ctrl+V pastes beside the original again";

    // A second running copy of the program takes the heading into its own print; both are saved,
    // and the second's template holds the heading.
    AppState secondState;
    secondState.ProgramFolder = folder.path();
    secondState.settings.DefaultStyle = "C";
    TestServices secondServices;
    frmMDI secondWindow(secondState, secondServices.services);
    secondWindow.quitApplication = nullptr;
    auto* second = new Workspace(secondState, secondServices.services, secondWindow);
    secondWindow.show();
    frmDisplay& other = OpenPrint(secondWindow, *second, "Ben", "Ode", QDate(1960, 3, 4));
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(other.CurrentObject);
    EXPECT_EQ(other.CurrentObject->Caption, "Heading");
    services.files.answers = {folder.file("first.als")};
    click("ID_SaveTemplate");
    secondServices.files.answers = {folder.file("second.als")};
    secondWindow.sToolbar.tool("ID_SaveTemplate").action()->trigger();
    const auto headings = [&](const QString& file) {
        CanvasDocument reloaded;
        AppState reading = state;
        ScriptedPrompt prompt;
        EXPECT_FALSE(LoadTemplateFile(folder.file(file), reloaded, reading, prompt));
        const auto& saved = reloaded.stacking();
        return std::count_if(saved.begin(), saved.end(), [](const DisplayObject* o) {
            return o->Visible && o->Caption == "Heading" && o->FontBold && o->Width == 3000;
        });
    };
    EXPECT_EQ(headings("first.als"), 4) << "the original and its three pastes";
    EXPECT_EQ(headings("second.als"), 1);

    // The clipboard outlives the print it came from.
    click("ID_Close");
    ASSERT_FALSE(workspace->canvasWindow());
    QTest::keyClick(&other, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.CurrentObject->Caption, "Heading");
    canvas = &other;

    // Words from another program become a text object.
    QGuiApplication::clipboard()->setText("Happy birthday, Ben!");
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(canvas->CurrentObject);
    EXPECT_EQ(canvas->CurrentObject->Caption, "Happy birthday, Ben!");

    // An image from another program becomes a picture whose file is kept.
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(red);
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(canvas->CurrentObject);
    ASSERT_EQ(canvas->CurrentObject->kind, ObjectKind::Picture);
    EXPECT_TRUE(QFileInfo(canvas->CurrentObject->ToolTipText).isFile());
    EXPECT_EQ(QImage(canvas->CurrentObject->ToolTipText).size(), QSize(40, 20));
    QGuiApplication::clipboard()->setText("Happy birthday, Ben!");
    QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);

    // A double click on a text opens Edit Text on it.
    DisplayObject* target = canvas->CurrentObject;
    const double tpp = canvas->twipsPerPixel();
    const QPoint at(qRound((target->Left + 100) / tpp), qRound((target->Top + 100) / tpp));
    WhenDialogOpens<frmText>([](frmText& d) {
        EXPECT_EQ(d.txtText->text(), "Happy birthday, Ben!");
        d.txtText->setText("Happy birthday!");
        d.Command1->click();
    });
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, at);
    EXPECT_EQ(target->Caption, "Happy birthday!");
}
