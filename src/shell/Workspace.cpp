#include "shell/Workspace.h"

#include "batch/frmLog.h"
#include "birthday/frmGetInfo.h"
#include "document/PageGeometry.h"
#include "document/TemplateFile.h"
#include "editor/PictureDrop.h"
#include "editor/frmDisplay.h"
#include "infoobjects/Generators.h"
#include "output/Exports.h"
#include "output/Render.h"
#include "output/SystemPrinter.h"
#include "output/frmPageSetup.h"
#include "output/frmPrev.h"
#include "prefs/frmDataSettings.h"
#include "prefs/frmOptions.h"
#include "foundation/HTMLHelp.h"
#include "foundation/RecentFiles.h"
#include "shell/frmMDI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>

#include <algorithm>

namespace natalory {

Workspace::Workspace(AppState& state, Services& services, frmMDI& mdi)
    : QObject(&mdi), state_(state), services_(services), mdi_(mdi) {
    DocumentHooks& h = mdi_.hooks();
    h.newPrint = [this] { NewPrint(); };
    h.hideBirthdayDialogUnlessFastPrint = [this] {
        if (dialog_ && !dialog_->optFastPrint->isChecked()) dialog_->hide();
    };
    mdi_.setCommandHandler(Command::EditBirthday, [this](const ToolClick&) { EditCurrentBirthday(); });
    h.canvasVisible = [this] { return canvasWindow_ && canvasWindow_->isVisible(); };
    h.unloadCanvas = [this] { UnloadCanvas(); };
    h.currentForeColor = [this]() -> std::optional<QColor> {
        if (!display_ || !display_->CurrentObject || display_->CurrentObject->kind != ObjectKind::Text)
            return std::nullopt;
        return QColor::fromRgb(display_->CurrentObject->ForeColor);
    };
    h.setCurrentForeColor = [this](const QColor& c) {
        if (display_)
            display_->changeCurrent(aspFormat, QStringLiteral("Font Color"),
                                    [&c](DisplayObject& o) { o.ForeColor = c.rgb(); });
    };
    h.pageChanged = [this] {
        if (const auto size = PrintableCanvasSize(state_.page); display_ && size)
            display_->setCanvasSizeTwips(size->width(), size->height());
    };
    h.activeHelpContext = [this] {
        return canvasWindow_ && mdi_.mdiArea->activeSubWindow() == canvasWindow_ ? int(hcCanvas) : 0;
    };

    // A new print: a fresh canvas with the template of the print's style on it.
    canvas_.loadTemplate = [this] {
        frmDisplay& display = NewCanvas();
        std::optional<QSize> size;
        const auto error = natalory::LoadTemplate(display.document(), state_, services_.prompt, &size);
        if (size) display.setCanvasSizeTwips(size->width(), size->height());
        display.update();
        if (!error) return true;
        services_.prompt.ask(TemplateErrorMessage(*error), QString::fromLatin1(kTemplateErrorTitle),
                             PromptButtons::Ok, PromptIcon::Exclamation);
        // Objects read before a damaged record stay for the user to mend; a template
        // that gave nothing leaves no empty canvas behind.
        const auto& read = display.document().stacking();
        if (std::any_of(read.begin(), read.end(), [](const DisplayObject* o) { return o->Visible; }))
            return true;
        UnloadCanvas();
        return false;
    };
    canvas_.fitAllLabels = [this] {
        if (!display_) return;
        natalory::FitAllLabels(display_->document(), state_, services_.prompt, [this](int size) {
            mdi_.sToolbar.tool(QStringLiteral("ID_Size")).comboBox()->setComboText(QString::number(size));
            // The windows keep painting while a long text shrinks; nothing the user does
            // can reach the print while its labels are still being fitted.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        display_->update();
    };
    canvas_.refreshInfoObjects = [this] {
        if (!display_) return;
        natalory::RefreshInfoObjects(display_->document(), state_, services_.prompt);
        display_->update();
    };
    canvas_.setCaption = [this](const QString& caption) {
        // Qt shows "*" in place of the marker while the print differs from its saved state.
        if (canvasWindow_) canvasWindow_->setWindowTitle(caption + QStringLiteral("[*]"));
    };
    canvas_.show = [this] {
        if (!canvasWindow_) return;
        canvasWindow_->show();
        mdi_.mdiArea->setActiveSubWindow(canvasWindow_);
        display_->setFocus();
    };
    canvas_.hide = [this] {
        if (canvasWindow_) canvasWindow_->hide();
    };
    canvas_.move = [this](int leftTwips, int topTwips) {
        if (!canvasWindow_ || !display_) return;
        canvasWindow_->move(qRound(leftTwips * display_->scale()), qRound(topTwips * display_->scale()));
    };
    h.saveTemplate = [this] {
        if (display_) SaveTemplateOf(*display_);
    };
    mdi_.setCommandHandler(Command::ViewLog, [this](const ToolClick&) {
        frmLog log(
            state_, services_, [this] { mdi_.UpdatePrintCounter(); }, &mdi_);
        log.exec();
    });
    mdi_.setCommandHandler(Command::Preferences, [this](const ToolClick&) {
        frmOptions options(state_, services_,
                           {[this] { mdi_.ListFonts(); }, [this] { mdi_.UpdatePrintCounter(); }}, &mdi_);
        options.exec();
    });
    installCanvasCommands();
    installEditorCommands();
    installZoom();
    installPictureAndTextCommands();
}

void Workspace::SaveTemplateOf(frmDisplay& display) {
    if (const std::optional<QString> saved = natalory::SaveTemplate(display.document(), state_, services_))
        RememberRecentFile(state_, *saved);
    // What was saved is the point undo comes back to unchanged.
    if (!state_.TemplateChanged && !state_.SaveCancelled) display.editor().setClean();
    ShowChangedMark();
}

frmDisplay* Workspace::canvasWindow() const {
    return display_.data();
}

frmDisplay& Workspace::NewCanvas() {
    UnloadCanvas();
    // A fresh print shows no borders: the toggle is released with it, so the two agree.
    mdi_.sToolbar.tool(QStringLiteral("ID_ShowBorders")).setState(0);
    auto* display = new frmDisplay(state_, services_, &mdi_);
    if (state_.page.PageOrientation != 1 && state_.page.PageOrientation != 2)
        state_.page = DefaultPageSetup();
    const QSize size = PrintableCanvasSize(state_.page).value_or(QSize(10800, 14400));
    display->setCanvasSizeTwips(size.width(), size.height());
    QMdiSubWindow* window = mdi_.mdiArea->addSubWindow(display);
    display->onResized = [window] { window->adjustSize(); };
    display->setZoom(zoom_);
    display->SnapToObjects = snap_;
    display->ShowGrid = grid_;
    display->onZoomed = [this] { showZoom(); };
    window->setObjectName(QStringLiteral("frmDisplayWindow"));
    // The subwindow's own menu claims Ctrl+W as well; two owners of one key make Qt
    // refuse both, so File, Close keeps it alone.
    if (QMenu* menu = window->systemMenu())
        for (QAction* action : menu->actions()) action->setShortcuts(QList<QKeySequence>());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->installEventFilter(this);
    display->onHome = [window] { window->move(window->x(), 0); };
    AcceptDroppedPictures(*display,
                          [this](DisplayObject& o, const QString& file) { return LoadPictureFile(o, file); });
    QUndoStack& steps = display->undoStack();
    // The changed mark and the Undo and Redo captions follow the print's steps.
    connect(&steps, &QUndoStack::indexChanged, window, [this] { ShowChangedMark(); });
    connect(&steps, &QUndoStack::cleanChanged, window, [this] { ShowChangedMark(); });
    connect(&steps, &QUndoStack::undoTextChanged, this, [this](const QString& text) { NameStep("ID_Undo", text); });
    connect(&steps, &QUndoStack::redoTextChanged, this, [this](const QString& text) { NameStep("ID_Redo", text); });
    window->hide();
    canvasWindow_ = window;
    display_ = display;
    return *display;
}

void Workspace::ShowChangedMark() {
    if (canvasWindow_) canvasWindow_->setWindowModified(state_.TemplateChanged);
}

void Workspace::NameStep(const char* tool, const QString& step) {
    const QString plain = QString::fromLatin1(tool) == u"ID_Undo" ? QStringLiteral("&Undo") : QStringLiteral("&Redo");
    mdi_.sToolbar.tool(QString::fromLatin1(tool)).setCaption(step.isEmpty() ? plain : plain + u' ' + step);
}

void Workspace::UnloadCanvas() {
    NameStep("ID_Undo", {});
    NameStep("ID_Redo", {});
    // Nothing is selected or dragged once the print is gone.
    mdi_.statCoordinates->clear();
    if (!canvasWindow_) return;
    QMdiSubWindow* window = canvasWindow_;
    canvasWindow_ = nullptr;
    display_ = nullptr;
    window->removeEventFilter(this);
    window->hide();
    mdi_.mdiArea->removeSubWindow(window);
    window->deleteLater();
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
    // The canvas window's own close box closes the print, with the save question;
    // an answer that keeps the print keeps its window too.
    if (watched == canvasWindow_ && event->type() == QEvent::Close) {
        event->ignore();
        CloseDocument();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Workspace::installCanvasCommands() {
    const auto onCanvas = [this](auto action) {
        return [this, action](const ToolClick& click) {
            if (display_) action(*display_, click);
        };
    };
    mdi_.setCommandHandler(Command::InsertText,
                           onCanvas([](frmDisplay& d, const ToolClick&) { d.NewLabel(); }));
    for (auto [command, kind] :
         {std::pair{Command::InsertSquare, int(shSquare)},
          std::pair{Command::InsertRectangle, int(shRectangle)}, std::pair{Command::InsertOval, int(shOval)},
          std::pair{Command::InsertCircle, int(shCircle)}, std::pair{Command::InsertLine, kLineShapeKind}})
        mdi_.setCommandHandler(command,
                               onCanvas([kind](frmDisplay& d, const ToolClick&) { d.NewShape(kind); }));
    mdi_.setCommandHandler(Command::DeleteObject,
                           onCanvas([](frmDisplay& d, const ToolClick&) { d.DeleteDisplayObject(); }));
    mdi_.setCommandHandler(
        Command::InsertInfoObject, onCanvas([this](frmDisplay& d, const ToolClick& click) {
            const InfoKind* kind = FindInfoKindByTool(click.id);
            if (!kind) return;
            d.RecordCreated([&] { RunGenerator(*kind, d.document(), state_, services_.prompt); });
        }));
    mdi_.setCommandHandler(Command::PrintCanvas,
                           onCanvas([this](frmDisplay& d, const ToolClick&) { PrintOn(d); }));
    for (auto [command, kind] :
         {std::pair{Command::SaveAsMetafile, ExportKind::Metafile},
          std::pair{Command::SaveAsBitmap, ExportKind::Bitmap},
          std::pair{Command::SaveAsPdf, ExportKind::Pdf}, std::pair{Command::SaveAsPng, ExportKind::Png}})
        mdi_.setCommandHandler(command, onCanvas([this, kind](frmDisplay& d, const ToolClick&) {
                                   SaveExport(kind, d.document(), state_, services_);
                                   mdi_.UpdatePrintCounter();
                                   if (preview_) preview_->close();
                               }));
    mdi_.setCommandHandler(Command::PrintPreview,
                           onCanvas([this](frmDisplay& d, const ToolClick&) { PreviewOf(d); }));
    mdi_.setCommandHandler(Command::PageSetup, onCanvas([this](frmDisplay& d, const ToolClick&) {
                               frmPageSetup dialog(
                                   state_, services_, PrinterMinimumMargins(state_.PrinterName),
                                   [&d](QSize size) { d.setCanvasSizeTwips(size.width(), size.height()); },
                                   &mdi_);
                               dialog.exec();
                               ShowChangedMark();
                           }));
    mdi_.setCommandHandler(Command::SaveTemplate,
                           onCanvas([this](frmDisplay& d, const ToolClick&) { SaveTemplateOf(d); }));
    mdi_.setCommandHandler(Command::DataSettings, onCanvas([this](frmDisplay&, const ToolClick&) {
                               frmDataSettings dialog(
                                   state_, services_, [this] { RefreshInfoObjects(); }, &mdi_);
                               dialog.exec();
                               ShowChangedMark();
                           }));
    mdi_.setCommandHandler(Command::ShowBorders, onCanvas([](frmDisplay& d, const ToolClick& click) {
                               d.SetBorders(click.state != 0);
                           }));
}

Workspace::~Workspace() {
    delete dialog_.data();
    delete preview_.data();
}

frmPrev* Workspace::previewWindow() const {
    return preview_.data();
}

void Workspace::PrintOn(frmDisplay& canvas) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString why;
    auto printer = SystemPrinter::Find(state_.PrinterName, &why);
    if (printer) printer->setOptions(state_.PrinterOptions);
    PrintEngine engine;
    // The print lies where the canvas was built, wherever its window has since been moved.
    const bool printed =
        natalory::PrintCanvas(canvas.document(), state_, engine, CanvasPlacement{},
                              PrintServices{services_.prompt, services_.clock, printer.get()});
    QApplication::restoreOverrideCursor();
    mdi_.UpdatePrintCounter();
    if (printed && preview_) preview_->close();
}

void Workspace::PreviewOf(frmDisplay& canvas) {
    if (!preview_) {
        preview_ = new frmPrev(
            {[this] { mdi_.runCommand(Command::PrintCanvas); }, [this] { mdi_.PrinterSetup(); }}, &mdi_);
        preview_->setAttribute(Qt::WA_DeleteOnClose);
    }
    state_.PreviewMode = true;
    natalory::PrintCanvas(canvas.document(), state_, preview_->vpro, CanvasPlacement{},
                          PrintServices{services_.prompt, services_.clock, nullptr});
    state_.PreviewMode = false;
    preview_->showPage();
    preview_->show();
    preview_->raise();
}

frmGetInfo* Workspace::birthdayDialog() const {
    return dialog_.data();
}

frmGetInfo& Workspace::ensureDialog() {
    if (!dialog_) dialog_ = new frmGetInfo(state_, services_, *this, &mdi_);
    return *dialog_;
}

void Workspace::NewPrint(const QString& templateFile) {
    if (state_.BatchInProgress) {
        services_.prompt.ask(QStringLiteral("You can't open a new birthday while batch processing."),
                             QStringLiteral("Batch In Progress"), PromptButtons::Ok, PromptIcon::None);
        return;
    }
    if (state_.TemplateChanged) {
        const PromptAnswer answer = services_.prompt.ask(
            QStringLiteral("Do you want to save your changes to this template first?"),
            QStringLiteral("Save Changes?"), PromptButtons::YesNoCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Cancel) return;
        if (answer == PromptAnswer::Yes) {
            if (mdi_.hooks().saveTemplate) mdi_.hooks().saveTemplate();
            if (state_.SaveCancelled) {
                state_.SaveCancelled = false;
                return;
            }
        }
    }
    mdi_.hooks().unloadCanvas();
    state_.birthday.FirstName.clear();
    state_.birthday.LastName.clear();

    frmGetInfo& d = ensureDialog();
    d.buildMode = BuildMode::LoadTemplate;
    d.calCalendar->setSelectedDate(QDate(1999, 1, 1));
    d.txtFname->clear();
    d.txtLname->clear();
    for (QWidget* w : {static_cast<QWidget*>(d.cmbPrintType), static_cast<QWidget*>(d.txtCustomStyle),
                       static_cast<QWidget*>(d.cmdBrowseStyles), static_cast<QWidget*>(d.frmCustomTempPath)})
        w->setEnabled(true);
    const int style = PrintTypeOfStyle(state_.settings.DefaultStyle);
    if (style >= 0) d.selectStyle(style);
    if (style == ptUserTemplate) d.txtCustomStyle->setText(state_.settings.DefaultTemplatePath);
    if (!templateFile.isEmpty()) {
        d.selectStyle(ptUserTemplate);
        d.txtCustomStyle->setText(QFileInfo(templateFile).absoluteFilePath());
    }
    d.SetCal();
    d.setWindowTitle(QStringLiteral("New Print Information"));
    d.selectMode(state_.settings.QuickPrinting);
    d.show();
    d.raise();
    d.activateWindow();
    d.txtFname->setFocus();
}

void Workspace::EditCurrentBirthday() {
    frmGetInfo& d = ensureDialog();
    d.calCalendar->setSelectedDate(state_.birthday.BirthDate);
    d.ctQuickDate->setDate(state_.birthday.BirthDate);
    d.lstYear->setCurrentRow(d.calCalendar->selectedDate().year() - 1900);
    d.selectMode(false);
    d.buildMode = BuildMode::RefreshTexts;
    d.txtCustomStyle->setText(state_.birthday.CustomTemplatePath);
    d.txtFname->setText(state_.birthday.FirstName);
    d.txtLname->setText(state_.birthday.LastName);
    d.txtParentsName->setText(state_.birthday.ParentsName);
    d.cmbPrintType->setCurrentIndex(state_.birthday.PrintType);
    // The style of a print that exists cannot change here.
    for (QWidget* w : {static_cast<QWidget*>(d.cmbPrintType), static_cast<QWidget*>(d.txtCustomStyle),
                       static_cast<QWidget*>(d.cmdBrowseStyles), static_cast<QWidget*>(d.frmCustomTempPath)})
        w->setEnabled(false);
    d.setWindowTitle(QStringLiteral("Edit Current Birthday Information"));
    d.show();
    d.raise();
    d.activateWindow();
}

bool Workspace::SetBirthday(BuildMode mode, QDate birthDate, const QString& first, const QString& last) {
    const BuildResult result =
        natalory::SetBirthday(state_, services_.clock.today(), *this, mode, birthDate, first, last);
    if (result.yearData)
        services_.prompt.ask(YearDataMessage(*result.yearData), QString::fromLatin1(kYearDataTitle),
                             PromptButtons::Ok, PromptIcon::Exclamation);
    if (result.built && mode == BuildMode::LoadTemplate && state_.birthday.PrintType == ptUserTemplate)
        RememberRecentFile(state_, state_.birthday.CustomTemplatePath);
    return result.built;
}

bool Workspace::CloseDocument() {
    return mdi_.CloseDocument();
}

void Workspace::HideDocumentTools() {
    mdi_.HideDocumentTools();
}

void Workspace::PrintCanvas() {
    mdi_.runCommand(Command::PrintCanvas);
}

void Workspace::HideCanvas() {
    if (canvas_.hide) canvas_.hide();
}

void Workspace::RefreshInfoObjects() {
    if (canvas_.refreshInfoObjects) canvas_.refreshInfoObjects();
}

bool Workspace::LoadTemplate() {
    return !canvas_.loadTemplate || canvas_.loadTemplate();
}

void Workspace::FitAllLabels() {
    if (canvas_.fitAllLabels) canvas_.fitAllLabels();
}

void Workspace::SetCanvasCaption(const QString& caption) {
    if (canvas_.setCaption) canvas_.setCaption(caption);
}

void Workspace::ShowCanvas() {
    if (canvas_.show) canvas_.show();
}

void Workspace::MoveCanvas(int leftTwips, int topTwips) {
    if (canvas_.move) canvas_.move(leftTwips, topTwips);
}

void Workspace::ShowDocumentTools() {
    mdi_.ShowDocumentTools();
}

}  // namespace natalory
