// The layout editor's commands as the main window's tools and keys reach them.
#include "document/Pictures.h"
#include "editor/EditCommands.h"
#include "editor/Formatting.h"
#include "editor/frmDisplay.h"
#include "editor/frmResize.h"
#include "editor/frmText.h"
#include "output/Render.h"
#include "foundation/EditorPreferences.h"
#include "shell/Workspace.h"
#include "shell/frmMDI.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QStatusBar>
#include <QUndoStack>

#include <map>

namespace natalory {
namespace {

bool IsText(const DisplayObject* o) {
    return o && o->kind == ObjectKind::Text;
}

}  // namespace

void Workspace::installEditorCommands() {
    const auto onCanvas = [this](auto action) {
        return [this, action](const ToolClick& click) {
            if (display_) action(*display_, click);
        };
    };
    mdi_.setCommandHandler(Command::Undo, onCanvas([](frmDisplay& d, const ToolClick&) {
                               if (d.DragMode == frmDisplay::dmIdle) d.undoStack().undo();
                           }));
    mdi_.setCommandHandler(Command::Redo, onCanvas([](frmDisplay& d, const ToolClick&) {
                               if (d.DragMode == frmDisplay::dmIdle) d.undoStack().redo();
                           }));
    for (auto [command, action] :
         {std::pair{Command::Cut, &frmDisplay::CutSelection}, std::pair{Command::Copy, &frmDisplay::CopySelection},
          std::pair{Command::Paste, &frmDisplay::Paste}, std::pair{Command::Duplicate, &frmDisplay::DuplicateSelection},
          std::pair{Command::SelectAll, &frmDisplay::SelectAll}})
        mdi_.setCommandHandler(command, onCanvas([action](frmDisplay& d, const ToolClick&) { (d.*action)(); }));
    mdi_.setCommandHandler(Command::AlignObjects, onCanvas([](frmDisplay& d, const ToolClick& click) {
                               static const std::map<QString, AlignTo> kEdges = {
                                   {"ID_AlignObjectsLeft", AlignTo::Left},   {"ID_AlignObjectsCenter", AlignTo::Centre},
                                   {"ID_AlignObjectsRight", AlignTo::Right}, {"ID_AlignObjectsTop", AlignTo::Top},
                                   {"ID_AlignObjectsMiddle", AlignTo::Middle},
                                   {"ID_AlignObjectsBottom", AlignTo::Bottom}};
                               if (const auto it = kEdges.find(click.id); it != kEdges.end())
                                   d.AlignSelection(it->second);
                           }));
    // Snapping and the grid are the user's habits, not the print's: they are kept in a file of their own.
    struct Habit {
        Command command;
        const char* id;
        const char* name;
        bool* kept;
        bool frmDisplay::*field;
    };
    for (const Habit& h :
         {Habit{Command::SnapToObjects, "ID_SnapToObjects", "snap", &snap_, &frmDisplay::SnapToObjects},
          Habit{Command::ShowGrid, "ID_ShowGrid", "grid", &grid_, &frmDisplay::ShowGrid}}) {
        *h.kept = ReadEditorPreference(state_, h.name, *h.kept);
        mdi_.sToolbar.tool(QString::fromLatin1(h.id)).setState(*h.kept ? 1 : 0);
        mdi_.setCommandHandler(h.command, [this, h](const ToolClick& click) {
            *h.kept = click.state != 0;
            if (display_) {
                display_.data()->*h.field = *h.kept;
                display_->update();
            }
            WriteEditorPreference(state_, h.name, *h.kept);
        });
    }
    mdi_.setCommandHandler(Command::DistributeObjects, onCanvas([](frmDisplay& d, const ToolClick& click) {
                               d.DistributeSelection(click.id == u"ID_DistributeAcross");
                           }));
    mdi_.setCommandHandler(Command::BringToFront,
                           onCanvas([](frmDisplay& d, const ToolClick&) { d.BringToFront(); }));
    mdi_.setCommandHandler(Command::SendToBack,
                           onCanvas([](frmDisplay& d, const ToolClick&) { d.SendToBack(); }));
    for (auto [command, where] :
         {std::pair{Command::CenterHorizontally, 0}, std::pair{Command::CenterVertically, 1},
          std::pair{Command::CenterOnPage, 2}})
        mdi_.setCommandHandler(
            command, onCanvas([where](frmDisplay& d, const ToolClick&) { d.CenteringActions(where); }));

    // Font attributes and alignment act on a selected text only.
    const auto onText = [onCanvas](const char* text, auto edit) {
        return onCanvas([text, edit](frmDisplay& d, const ToolClick& click) {
            if (IsText(d.CurrentObject))
                d.changeCurrent(aspFormat, QString::fromLatin1(text),
                                [&](DisplayObject& o) { edit(o, click.state == 1); });
        });
    };
    mdi_.setCommandHandler(Command::Bold, onText("Bold", [](DisplayObject& o, bool on) { o.FontBold = on; }));
    mdi_.setCommandHandler(Command::Italic,
                           onText("Italic", [](DisplayObject& o, bool on) { o.FontItalic = on; }));
    mdi_.setCommandHandler(Command::Underline,
                           onText("Underline", [](DisplayObject& o, bool on) { o.FontUnderline = on; }));
    mdi_.setCommandHandler(Command::AlignLeft,
                           onText("Align Left", [](DisplayObject& o, bool) { o.Alignment = 0; }));
    mdi_.setCommandHandler(Command::AlignRight,
                           onText("Align Right", [](DisplayObject& o, bool) { o.Alignment = 1; }));
    mdi_.setCommandHandler(Command::AlignCenter,
                           onText("Center", [](DisplayObject& o, bool) { o.Alignment = 2; }));

    mdi_.setComboHandler([this](Tool& tool) {
        if (!display_) return;
        // Once a choice is made the keys belong to the print again (Ctrl+Z, Delete, arrows).
        display_->setFocus(Qt::OtherFocusReason);
        if (!display_->CurrentObject) return;
        frmDisplay& d = *display_;
        DisplayObject& o = *d.CurrentObject;
        ComboTool& box = *tool.comboBox();
        const QString id = tool.id();
        const int index = box.listIndex();
        const auto sizeShown = [this](int size) {
            mdi_.sToolbar.tool(QStringLiteral("ID_Size")).comboBox()->setComboText(QString::number(size));
        };
        if (id == u"ID_Font" && o.kind == ObjectKind::Text && !box.comboText().isEmpty()) {
            d.changeCurrent(aspFormat, QStringLiteral("Font"), [&](DisplayObject& l) {
                l.FontName = box.comboText();
                FitLabelText(l, state_, services_.prompt, sizeShown);
            });
        } else if (id == u"ID_Size" && o.kind == ObjectKind::Text) {
            bool ok = false;
            const double size = box.comboText().toDouble(&ok);
            // A size the user typed that is no size at all changes nothing.
            if (!ok || size < 1 || size > 1638) {
                mdi_.ShowFontSize(o.FontSize);
                return;
            }
            d.changeCurrent(aspFormat, QStringLiteral("Font Size"), [&](DisplayObject& l) {
                l.FontSize = size;
                FitLabelText(l, state_, services_.prompt, sizeShown);
            });
            mdi_.ShowFontSize(o.FontSize);
        } else if (id == u"ID_Shape" && o.kind == ObjectKind::Shape && index >= 0) {
            d.changeCurrent(aspFormat, QStringLiteral("Shape"), [&](DisplayObject& s) { s.Shape = index; });
        } else if (id == u"ID_ShapeBorder" && o.kind == ObjectKind::Shape && index >= 0) {
            d.changeCurrent(aspFormat, QStringLiteral("Border Width"),
                            [&](DisplayObject& s) { s.BorderWidth = index + 1; });
        } else if (id == u"ID_Style" && o.kind == ObjectKind::Line && index >= 0) {
            d.changeCurrent(aspFormat, QStringLiteral("Line Style"),
                            [&](DisplayObject& l) { l.BorderStyle = index + 1; });
        } else if (id == u"ID_Width" && o.kind == ObjectKind::Line && index >= 0) {
            d.changeCurrent(aspFormat, QStringLiteral("Line Width"),
                            [&](DisplayObject& l) { l.BorderWidth = index + 1; });
        }
    });
}

void Workspace::installZoom() {
    zoomBox_ = new QComboBox(mdi_.stat);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->setEditable(true);
    zoomBox_->setInsertPolicy(QComboBox::NoInsert);
    zoomBox_->setToolTip(QStringLiteral("Zoom"));
    for (int percent : {25, 50, 75, 100, 125, 150, 200, 300, 400})
        zoomBox_->addItem(QString::number(percent) + u'%');
    zoomBox_->setCurrentText(QStringLiteral("100%"));
    mdi_.stat->addPermanentWidget(zoomBox_);
    const auto apply = [this](const QString& text) {
        QString t = text.trimmed();
        if (t.endsWith(u'%')) t.chop(1);
        bool ok = false;
        const double percent = t.toDouble(&ok);
        if (ok && display_) display_->setZoom(percent / 100);
        showZoom();
    };
    connect(zoomBox_, &QComboBox::textActivated, this, apply);
    connect(zoomBox_->lineEdit(), &QLineEdit::returnPressed, this,
            [this, apply] { apply(zoomBox_->currentText()); });

    const auto key = [this](const QKeySequence& keys, std::function<void(frmDisplay&)> action) {
        auto* shortcut = new QShortcut(keys, &mdi_);
        connect(shortcut, &QShortcut::activated, this, [this, action] {
            if (display_) action(*display_);
        });
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Plus), [](frmDisplay& d) { d.zoomStep(true); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), [](frmDisplay& d) { d.zoomStep(true); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), [](frmDisplay& d) { d.zoomStep(false); });
    key(QKeySequence(Qt::CTRL | Qt::Key_0), [](frmDisplay& d) { d.setZoom(1); });
}

void Workspace::showZoom() {
    if (display_) zoom_ = display_->zoom();
    if (!zoomBox_) return;
    // The list marks the entry of the zoom shown, or none for a zoom between entries.
    const QString text = QString::number(qRound(zoom_ * 100)) + u'%';
    zoomBox_->setCurrentIndex(zoomBox_->findText(text));
    zoomBox_->setCurrentText(text);
}

std::optional<QString> Workspace::ChoosePictureFile(DisplayObject& pic) {
    FileRequest request;
    request.title = QStringLiteral("Choose A Picture");
    request.filter = PictureFileFilter();
    request.folder = state_.ProgramFolder;
    const std::optional<QString> path = services_.files.openFile(request);
    if (!path || path->isEmpty() || !LoadPictureFile(pic, *path)) return std::nullopt;
    return path;
}

bool Workspace::LoadPictureFile(DisplayObject& pic, const QString& path) {
    QString why;
    std::shared_ptr<const VectorPicture> vector;
    const QImage image = LoadPicture(path, &why, &vector);
    if (image.isNull()) {
        services_.prompt.ask(QStringLiteral("Bad File or File Name."),
                             QStringLiteral("Unable To Open The New Picture."), PromptButtons::Ok,
                             PromptIcon::Exclamation);
        return false;
    }
    // Unstretched, the box takes the picture's own size; then the picture stretches with the box.
    pic.Stretch = false;
    pic.Picture = image;
    pic.PictureVector = vector;
    const QSize natural = NaturalPictureSizeTwips(image, vector.get());
    pic.Width = natural.width();
    pic.Height = natural.height();
    state_.TemplateChanged = true;
    pic.Stretch = true;
    pic.ToolTipText = path;
    return true;
}

void Workspace::installPictureAndTextCommands() {
    const auto onCanvas = [this](auto action) {
        return [this, action](const ToolClick& click) {
            if (display_) action(*display_, click);
        };
    };
    mdi_.setCommandHandler(Command::InsertPicture, onCanvas([this](frmDisplay& d, const ToolClick&) {
                               d.NewPicture(true, [this](DisplayObject& o) { return ChoosePictureFile(o); });
                           }));
    mdi_.setCommandHandler(Command::EditPicture, onCanvas([this](frmDisplay& d, const ToolClick&) {
                               DisplayObject* pic = d.ClickedObject;
                               if (!pic || pic->kind != ObjectKind::Picture) return;
                               d.editor().change(*pic, aspPicture | aspGeometry,
                                                 QStringLiteral("Edit Picture"),
                                                 [this](DisplayObject& o) { ChoosePictureFile(o); });
                               d.update();
                           }));
    mdi_.setCommandHandler(Command::ResizePicture, onCanvas([this](frmDisplay& d, const ToolClick&) {
                               DisplayObject* pic = d.ClickedObject;
                               if (!pic || pic->kind != ObjectKind::Picture) return;
                               frmResize dialog(
                                   *pic, services_.prompt,
                                   [&d, pic](QSize size) {
                                       d.editor().change(*pic, aspGeometry | aspPicture,
                                                         QStringLiteral("Resize"), [&](DisplayObject& o) {
                                                             o.Stretch = true;
                                                             o.Width = size.width();
                                                             o.Height = size.height();
                                                         });
                                       // Leaves nothing selected, as the dialog always has.
                                       d.DragBegin(*pic);
                                       d.DragEnd();
                                   },
                                   &mdi_);
                               dialog.exec();
                           }));
    mdi_.setCommandHandler(Command::EditText,
                           onCanvas([this](frmDisplay& d, const ToolClick&) { EditText(d); }));
}

void Workspace::EditText(frmDisplay& d) {
    // The text the command was asked for: the label last clicked or right-clicked.
    DisplayObject* label = d.ClickedObject;
    if (!label || label->kind != ObjectKind::Text || !d.document().contains(label)) return;
    frmText dialog(label->Caption, &mdi_);
    if (dialog.exec() != QDialog::Accepted) return;
    d.editor().change(*label, aspText | aspFormat, QStringLiteral("Edit Text"), [&](DisplayObject& o) {
        o.Caption = dialog.EditedText;
        LimitCaption(o, services_.prompt);
        if (state_.settings.AutosizeFonts) FitLabelText(o, state_, services_.prompt);
    });
    // The size box shows the size the text now has, shrunk to fit or not.
    if (d.CurrentObject == label) mdi_.ShowFontSize(label->FontSize);
    d.update();
}

}  // namespace natalory
