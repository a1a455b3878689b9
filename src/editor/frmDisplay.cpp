#include "editor/frmDisplay.h"

#include "editor/CanvasAccessible.h"
#include "editor/CanvasKeyboard.h"
#include "editor/Formatting.h"
#include "editor/ObjectClipboard.h"
#include "output/CanvasPainter.h"
#include "output/Render.h"
#include "foundation/FileIO.h"
#include "foundation/HTMLHelp.h"
#include "foundation/ProgramFolders.h"
#include "shell/frmMDI.h"

#include <QBuffer>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <set>

namespace natalory {
namespace {

// A sizing handle: a black square of the handle's full size inside a one-pixel white
// rim, so all of it can be seen and grabbed on any colour.
class Handle : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(rect().adjusted(1, 1, -1, -1), Qt::black);
    }
};

constexpr int kHandleRim = 1;

constexpr double kZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

const Qt::CursorShape kHandleCursors[kHandleCount] = {
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};

}  // namespace

frmDisplay::frmDisplay(AppState& state, Services& services, frmMDI* mdi, QWidget* parent)
    : QWidget(parent), state_(state), services_(services), mdi_(mdi), editor_(document_, state) {
    setObjectName(QStringLiteral("frmDisplay"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    editor_.onApplied = [this](DisplayObject* object) { applied(object); };
    InitHandles();
    InstallCanvasKeyboard(*this);
}

frmDisplay::~frmDisplay() {
    editor_.onApplied = nullptr;
}

double frmDisplay::twipsPerPixel() const {
    return 1440.0 / (logicalDpiX() * zoom_);
}

void frmDisplay::setZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // A drag is in screen pixels of the zoom it began with; it ends before the zoom changes.
    if (zoom == zoom_ || DragMode != dmIdle) return;
    zoom_ = zoom;
    setCanvasSizeTwips(sizeTwips_.width(), sizeTwips_.height());
    if (CurrentObject && picHandle[0]->isVisible()) {
        DragRect.SetRectToCtrl(*CurrentObject);
        ShowSelection(true);
    }
    update();
    if (onZoomed) onZoomed();
}

void frmDisplay::setCanvasSizeTwips(int width, int height) {
    sizeTwips_ = QSize(width, height);
    setFixedSize(int(RoundHalfEven(width * scale())), int(RoundHalfEven(height * scale())));
    if (onResized) onResized();
}

// ---- Creating and deleting ----

void frmDisplay::placeInView(DisplayObject& object) const {
    // The middle of the part of the page the window shows, so a new object is neither
    // hidden under another window's edge nor out of reach under a masthead at the corner.
    QRect view = visibleRegion().boundingRect();
    if (view.isEmpty()) view = rect();
    const double tpp = twipsPerPixel();
    const QRect box = ObjectBox(object);
    const QPoint centred(int(RoundHalfEven(view.center().x() * tpp - box.width() / 2.0)),
                         int(RoundHalfEven(view.center().y() * tpp - box.height() / 2.0)));
    MoveObjectTo(object, CornerOnCanvas(box, centred - box.topLeft(), sizeTwips_));
}

void frmDisplay::created(DisplayObject* object, const QString& text, bool place) {
    if (!object) return;
    if (place) placeInView(*object);
    editor_.inserted(*object, text);
    // What was just inserted is what the user acts on next.
    applied(object);
}

DisplayObject* frmDisplay::NewLabel() {
    DisplayObject* o = natalory::NewLabel(document_, state_, services_.prompt);
    created(o, QStringLiteral("Insert Text"), true);
    return o;
}

DisplayObject* frmDisplay::NewPicture(bool askForPicture, const PictureChooser& choose,
                                      std::optional<QPoint> atPixel) {
    DisplayObject* o = natalory::NewPicture(document_, state_, services_.prompt, askForPicture, choose);
    // A picture whose file the user did not choose would be an empty box nobody can see.
    if (o && askForPicture && o->ToolTipText.isEmpty()) {
        document_.remove(*o);
        state_.TemplateChanged = !undoStack().isClean();
        return nullptr;
    }
    if (o && atPixel) placeAt(*o, *atPixel);
    created(o, QStringLiteral("Insert Picture"), !atPixel);
    return o;
}

DisplayObject* frmDisplay::NewShape(int shapeKind) {
    DisplayObject* o = natalory::NewShape(document_, state_, services_.prompt, shapeKind);
    created(o, shapeKind >= kLineShapeKind ? QStringLiteral("Insert Line") : QStringLiteral("Insert Shape"), true);
    return o;
}

void frmDisplay::RecordCreated(const std::function<void()>& create) {
    const std::set<DisplayObject*> before(document_.stacking().begin(), document_.stacking().end());
    create();
    std::vector<DisplayObject*> added;
    for (DisplayObject* o : document_.stacking())
        if (!before.count(o)) added.push_back(o);
    // A generator that made several objects laid them out together; they stay as it placed them.
    for (DisplayObject* o : added) created(o, QStringLiteral("Insert Info Object"), added.size() == 1);
}

void frmDisplay::DeleteDisplayObject() {
    if (multipleSelected()) {
        const std::vector<DisplayObject*> gone = Selection;
        clearSelection();
        editor_.undoStack().beginMacro(QStringLiteral("Delete"));
        for (DisplayObject* o : gone) {
            if (ClickedObject == o) ClickedObject = nullptr;
            editor_.remove(*o);
        }
        editor_.undoStack().endMacro();
        clearSelection();
        update();
        return;
    }
    if (!CurrentObject) return;
    DisplayObject* gone = CurrentObject;
    ShowSelection(false);
    CurrentObject = nullptr;
    if (ClickedObject == gone) ClickedObject = nullptr;
    editor_.remove(*gone);
    for (const char* band : {"Formatting", "Shapes", "Lines"}) setBand(band, false);
    update();
}

void frmDisplay::SetBorders(bool show) {
    natalory::SetBorders(document_, show);
    update();
}

// ---- Clipboard ----

namespace {

// Pasted and duplicated objects land this far from their originals, so both can be seen.
constexpr int kPasteOffsetPixels = 10;

}  // namespace

void frmDisplay::CopySelection() {
    if (!CurrentObject || DragMode != dmIdle) return;
    auto* data = new QMimeData;
    const std::vector<DisplayObject*> objects = selectedObjects();
    data->setData(QString::fromLatin1(kObjectsMimeType),
                  CopyObjects({objects.begin(), objects.end()}, state_));
    if (objects.size() == 1 && CurrentObject->kind == ObjectKind::Text) data->setText(CurrentObject->Caption);
    QGuiApplication::clipboard()->setMimeData(data);
}

void frmDisplay::CutSelection() {
    if (!CurrentObject || DragMode != dmIdle) return;
    CopySelection();
    DeleteDisplayObject();
}

void frmDisplay::DuplicateSelection() {
    if (!CurrentObject || DragMode != dmIdle) return;
    const std::vector<DisplayObject*> objects = selectedObjects();
    pasteBytes(CopyObjects({objects.begin(), objects.end()}, state_), QStringLiteral("Duplicate"));
}

void frmDisplay::Paste() {
    if (DragMode != dmIdle) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    const std::optional<QPoint> at = menuPoint_;
    const QString objects = QString::fromLatin1(kObjectsMimeType);
    if (data->hasFormat(objects)) {
        pasteBytes(data->data(objects), QStringLiteral("Paste"), at);
    } else if (data->hasImage()) {
        pasteImage(qvariant_cast<QImage>(data->imageData()), at);
    } else if (data->hasText() && !data->text().trimmed().isEmpty()) {
        // Words from another program become a text object of their own.
        DisplayObject* o = natalory::NewLabel(document_, state_, services_.prompt);
        if (!o) return;
        o->Caption = data->text();
        LimitCaption(*o, services_.prompt);
        pastedNew(o, at);
    }
}

QPoint frmDisplay::twipsAt(QPoint pixel) const {
    const double tpp = twipsPerPixel();
    return QPoint(int(RoundHalfEven(pixel.x() * tpp)), int(RoundHalfEven(pixel.y() * tpp)));
}

void frmDisplay::placeAt(DisplayObject& object, QPoint pixel) const {
    const QRect box = ObjectBox(object);
    MoveObjectTo(object, CornerOnCanvas(box, twipsAt(pixel) - box.topLeft(), sizeTwips_));
}

void frmDisplay::pastedNew(DisplayObject* object, std::optional<QPoint> atPixel) {
    if (object && atPixel) placeAt(*object, *atPixel);
    created(object, QStringLiteral("Paste"), !atPixel);
}

void frmDisplay::pasteImage(const QImage& image, std::optional<QPoint> atPixel) {
    if (image.isNull()) return;
    // A picture object refers to its file, as Insert Picture's do: a pasted image gets one
    // of its own, named by its content, in the user's data folder.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QString name = QString::fromLatin1(QCryptographicHash::hash(png, QCryptographicHash::Sha1).toHex().left(16));
    const QString path = QDir(QFileInfo(PrintLogFile(state_)).absolutePath())
                             .filePath(QStringLiteral("pictures/pasted-") + name + QStringLiteral(".png"));
    QString why;
    if (!MakeFolderFor(path) || !WriteFileAtomically(path, png, &why)) {
        services_.prompt.ask(QStringLiteral("The picture could not be kept: ") + why,
                             QStringLiteral("Paste"), PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    DisplayObject* o = natalory::NewPicture(document_, state_, services_.prompt, false);
    if (!o) return;
    o->Stretch = true;
    o->Picture = image;
    o->ToolTipText = path;
    const QSize natural = NaturalPictureSizeTwips(image, nullptr);
    o->Width = natural.width();
    o->Height = natural.height();
    pastedNew(o, atPixel);
}

void frmDisplay::pasteBytes(const QByteArray& bytes, const QString& step, std::optional<QPoint> atPixel) {
    const std::vector<DisplayObject*> pasted = PasteObjects(bytes, document_, state_, services_.prompt);
    if (pasted.empty()) return;
    // They move as one box, so a group pasted near the page's edge keeps its own layout.
    const QRect box = BoundingBox(pasted);
    const int offset = int(RoundHalfEven(kPasteOffsetPixels * twipsPerPixel()));
    const QPoint by = atPixel ? twipsAt(*atPixel) - box.topLeft() : QPoint(offset, offset);
    const QPoint shift = CornerOnCanvas(box, by, sizeTwips_) - box.topLeft();
    for (DisplayObject* o : pasted) MoveObjectTo(*o, ObjectBox(*o).topLeft() + shift);
    editor_.undoStack().beginMacro(step);
    for (DisplayObject* o : pasted) editor_.inserted(*o, step);
    editor_.undoStack().endMacro();
    SelectObjects(pasted);
}

void frmDisplay::contextMenu(const char* menu, QPoint globalPos) {
    if (!mdi_) return;
    Tool& tool = mdi_->sToolbar.tool(QString::fromLatin1(menu));
    menuPoint_ = mapFromGlobal(globalPos);
    // The menu hides before its chosen command runs; the place is let go only after that.
    connect(
        tool.menu(), &QMenu::aboutToHide, this,
        [this] { QTimer::singleShot(0, this, [this] { menuPoint_.reset(); }); }, Qt::SingleShotConnection);
    mdi_->sToolbar.popupMenu(tool.id(), globalPos);
}

// ---- Toolbar ----

void frmDisplay::toolbarChange(std::function<void()> change) {
    if (!mdi_) return;
    // Showing or hiding a band moves the canvas on the screen. While the left button is
    // down that would move the page under the pointer, so the toolbar follows on release.
    if (pressHeld_)
        heldToolbarChanges_.push_back(std::move(change));
    else
        change();
}

void frmDisplay::releaseToolbarChanges() {
    pressHeld_ = false;
    std::vector<std::function<void()>> changes;
    changes.swap(heldToolbarChanges_);
    for (const auto& change : changes) change();
}

void frmDisplay::setBand(const char* band, bool visible) {
    toolbarChange([this, band, visible] { mdi_->sToolbar.band(QString::fromLatin1(band)).setVisible(visible); });
}

void frmDisplay::setTool(const char* id, bool visible) {
    toolbarChange([this, id, visible] { mdi_->sToolbar.tool(QString::fromLatin1(id)).setVisible(visible); });
}

void frmDisplay::hideArrangeTools() {
    toolbarChange([this] { mdi_->HideArrangeTools(); });
}

void frmDisplay::setComboIndex(const char* id, int index) {
    if (mdi_) mdi_->sToolbar.tool(QString::fromLatin1(id)).comboBox()->setListIndex(index);
}

void frmDisplay::TurnOnArrange() {
    // Spreading needs a first, a last and one between.
    const bool spread = Selection.size() >= 3;
    toolbarChange([this, spread] {
        mdi_->TurnOnArrange();
        for (const char* id : {"ID_DistributeAcross", "ID_DistributeDown"})
            mdi_->sToolbar.tool(QString::fromLatin1(id)).setEnabled(spread);
    });
}

// ---- Selection ----

void frmDisplay::InitHandles() {
    for (int i = 0; i < kHandleCount; ++i) {
        auto* h = new Handle(this);
        h->setObjectName(QStringLiteral("picHandle(%1)").arg(i));
        h->setFixedSize(5 + 2 * kHandleRim, 5 + 2 * kHandleRim);
        h->setCursor(kHandleCursors[i]);
        // The canvas takes every press itself, so a drag that starts on a handle stays its own.
        h->setAttribute(Qt::WA_TransparentForMouseEvents);
        h->hide();
        h->raise();
        picHandle[size_t(i)] = h;
    }
}

void frmDisplay::ShowSelection(bool show) {
    if (show && CurrentObject) placeHandles();
    for (QWidget* h : picHandle) h->setVisible(show && CurrentObject);
    if (show && CurrentObject) {
        if (CurrentObject->kind == ObjectKind::Line) {
            setBand("Lines", true);
            setBand("Formatting", false);
            setBand("Shapes", false);
            setComboIndex("ID_Style", CurrentObject->BorderStyle - 1);
            setComboIndex("ID_Width", CurrentObject->BorderWidth - 1);
            hideArrangeTools();
        } else if (CurrentObject->kind == ObjectKind::Shape) {
            setBand("Formatting", false);
            setBand("Shapes", true);
            setBand("Lines", false);
            setComboIndex("ID_Shape", CurrentObject->Shape);
            setComboIndex("ID_ShapeBorder", CurrentObject->BorderWidth - 1);
            TurnOnArrange();
        }
        if (CurrentObject->kind == ObjectKind::Line || CurrentObject->kind == ObjectKind::Shape) {
            setTool("ID_EditPicture", false);
            setTool("ID_Resize", false);
        }
    }
    if (!show && mdi_) mdi_->statCoordinates->setText(QString());
    if (show) AnnounceSelection(*this);
}

void frmDisplay::placeHandles() {
    const double tpp = twipsPerPixel();
    const long handleW = RoundHalfEven(tpp * 5), handleH = RoundHalfEven(tpp * 5);
    const long hw = handleW / 2, hh = handleH / 2;
    const long ox = RoundHalfEven(tpp * 0.5), oy = ox;
    const double L = DragRect.Left, T = DragRect.Top, W = DragRect.Width(), H = DragRect.Height();
    // Anchors clockwise from the top-left corner; an anchor on an edge sits half a pixel inside.
    const QPointF anchors[kHandleCount] = {
        {L + ox, T + oy},         {L + W / 2, T + oy},     {L + W - ox, T + oy}, {L + W - ox, T + H / 2},
        {L + W - ox, T + H - oy}, {L + W / 2, T + H - oy}, {L + ox, T + H - oy}, {L + ox, T + H / 2}};
    for (int i : {0, 4, 1, 5, 2, 6, 3, 7}) {
        const QPointF at = anchors[i] - QPointF(hw, hh);
        picHandle[size_t(i)]->move(int(RoundHalfEven(at.x() / tpp)) - kHandleRim,
                                   int(RoundHalfEven(at.y() / tpp)) - kHandleRim);
    }
}

void frmDisplay::clearSelection() {
    Selection.clear();
    CurrentObject = nullptr;
    ShowSelection(false);
    for (const char* band : {"Formatting", "Lines", "Shapes"}) setBand(band, false);
    hideArrangeTools();
}

void frmDisplay::DragBegin(DisplayObject& ctl) {
    Selection.clear();
    ShowSelection(false);
    CurrentObject = &ctl;
    // The press being handled says where the pointer is; a dialog calling this has no press.
    GrabOffset = lastPointer_.value_or(mapFromGlobal(QCursor::pos()));
    DragRect.SetRectToCtrl(*CurrentObject);
    DragRect.TwipsToScreen(twipsPerPixel());
    GrabOffset -= QPoint(int(DragRect.Left), int(DragRect.Top));
    dragStart_ = DragRect;
    update();
    DrawDragRect();
    DragMode = dmMoving;
}

void frmDisplay::DragEnd() {
    CurrentObject = nullptr;
    ShowSelection(false);
    if (dragRectShown_) DrawDragRect();
    DragMode = dmIdle;
}

void frmDisplay::DrawDragRect() {
    // The rectangle inverts what is under it: drawn twice in one place, it is gone.
    dragRectShown_ = !dragRectShown_;
    update();
}

void frmDisplay::showStatus() {
    if (!mdi_) return;
    mdi_->statCoordinates->setText(QStringLiteral("X,Y = %1,%2  Width X Height = %3 X %4")
                                       .arg(StatusPoint.x())
                                       .arg(StatusPoint.y())
                                       .arg(DragRect.Width())
                                       .arg(DragRect.Height()));
}

void frmDisplay::applied(DisplayObject* object) {
    Selection.clear();
    if (DragMode != dmIdle) {
        if (dragRectShown_) DrawDragRect();
        DragMode = dmIdle;
    }
    if (ClickedObject && !document_.contains(ClickedObject)) ClickedObject = nullptr;
    if (object && document_.contains(object) && object->Visible) {
        // The step's object is shown selected, as if it had just been clicked.
        CurrentObject = object;
        DragRect.SetRectToCtrl(*object);
        ShowSelection(true);
        if (object->kind == ObjectKind::Text) {
            setBand("Formatting", true);
            setBand("Lines", false);
            setBand("Shapes", false);
            SetFont(*object);
            TurnOnArrange();
        } else if (object->kind == ObjectKind::Picture) {
            for (const char* band : {"Formatting", "Lines", "Shapes"}) setBand(band, false);
            TurnOnArrange();
        }
    } else {
        clearSelection();
    }
    ++nudgeRun_;
    update();
}

// ---- Mouse ----

DisplayObject* frmDisplay::objectAt(QPoint pos, bool labelsAndPictures) const {
    const auto& order = document_.stacking();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        DisplayObject* o = *it;
        if (!o->Visible) continue;
        if (labelsAndPictures && o->kind != ObjectKind::Text && o->kind != ObjectKind::Picture) continue;
        CRect r;
        r.SetRectToCtrl(*o);
        r.TwipsToScreen(twipsPerPixel());
        if (r.PtInRect(pos.x(), pos.y())) return o;
    }
    return nullptr;
}

int frmDisplay::handleAt(QPoint pos) const {
    for (int i = kHandleCount - 1; i >= 0; --i)
        if (picHandle[size_t(i)]->isVisible() && picHandle[size_t(i)]->geometry().contains(pos)) return i;
    return -1;
}

void frmDisplay::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastPointer_ = pos;
    setFocus(Qt::MouseFocusReason);
    if (DragMode != dmIdle) return;
    pressHeld_ = event->button() == Qt::LeftButton;
    ++nudgeRun_;
    if (event->button() == Qt::LeftButton) {
        DisplayObject* hit = objectAt(pos, false);
        if (hit && (event->modifiers() & Qt::ShiftModifier)) {
            toggleInSelection(*hit);
            lastPointer_.reset();
            return;
        }
        if (groupPressed(pos, hit)) {
            lastPointer_.reset();
            return;
        }
    }
    if (event->button() == Qt::RightButton && rightClicked(pos, event->globalPosition().toPoint())) {
        lastPointer_.reset();
        return;
    }
    if (const int handle = multipleSelected() ? -1 : handleAt(pos); handle >= 0) {
        picHandle_MouseDown(handle, pos);
    } else if (DisplayObject* hit = objectAt(pos, true)) {
        if (hit->kind == ObjectKind::Text)
            lblObject_MouseDown(*hit, event->button(), event->globalPosition().toPoint());
        else
            pPic_MouseDown(*hit, event->button(), event->globalPosition().toPoint());
    } else {
        const double tpp = twipsPerPixel();
        Form_MouseDown(event->button(), pos.x() * tpp, pos.y() * tpp);
    }
    lastPointer_.reset();
}

void frmDisplay::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (DragMode == dmIdle) {
        const int handle = handleAt(pos);
        if (handle >= 0)
            setCursor(picHandle[size_t(handle)]->cursor());
        else
            unsetCursor();
        return;
    }
    snapHeld_ = event->modifiers() & Qt::AltModifier;
    Form_MouseMove(pos);
}

void frmDisplay::mouseReleaseEvent(QMouseEvent* event) {
    Form_MouseUp(event->button());
    if (event->button() == Qt::LeftButton) releaseToolbarChanges();
}

void frmDisplay::Form_MouseDown(Qt::MouseButton button, double x, double y) {
    if (button != Qt::LeftButton) return;
    const double tpp = twipsPerPixel();
    const long px = RoundHalfEven(x / tpp), py = RoundHalfEven(y / tpp);
    for (DisplayObject* o : document_.stacking()) {
        if (!o->Visible) continue;
        DragRect.SetRectToCtrl(*o);
        if (DragRect.PtInRect(x, y)) {
            DragBegin(*o);
            return;
        }
        if (o->kind == ObjectKind::Line) {
            // A level or upright line has no area: it is hit on the pixels it is drawn on, along its length.
            const long x1 = RoundHalfEven(o->X1 / tpp), x2 = RoundHalfEven(o->X2 / tpp);
            const long y1 = RoundHalfEven(o->Y1 / tpp), y2 = RoundHalfEven(o->Y2 / tpp);
            const long reach = (std::max(1, o->BorderWidth) - 1) / 2;
            const bool upright =
                x1 == x2 && std::abs(px - x1) <= reach && py >= std::min(y1, y2) && py <= std::max(y1, y2);
            const bool level =
                y1 == y2 && std::abs(py - y1) <= reach && px >= std::min(x1, x2) && px <= std::max(x1, x2);
            if (upright || level) {
                DragBegin(*o);
                return;
            }
        }
    }
    clearSelection();
    // A drag from empty canvas draws a band; what lies wholly inside it is selected.
    DragRect.SetRect(px, py, 0, 0);
    DragMode = dmRubberBand;
    DrawDragRect();
}

void frmDisplay::lblObject_MouseDown(DisplayObject& label, Qt::MouseButton button, QPoint globalPos) {
    if (button == Qt::LeftButton) {
        DragBegin(label);
        setBand("Formatting", true);
        setBand("Lines", false);
        setBand("Shapes", false);
        SetFont(label);
        ClickedObject = &label;
        CheckLabelAlign();
        TurnOnArrange();
    } else if (button == Qt::RightButton) {
        // The menu's commands act on the text under the pointer, shown selected.
        CurrentObject = &label;
        ClickedObject = &label;
        DragRect.SetRectToCtrl(label);
        ShowSelection(true);
        setBand("Formatting", true);
        setBand("Lines", false);
        setBand("Shapes", false);
        SetFont(label);
        CheckLabelAlign();
        setTool("ID_EditPicture", false);
        setTool("ID_Resize", false);
        TurnOnArrange();
        contextMenu("ID_mnuRightClickControl", globalPos);
    }
}

void frmDisplay::pPic_MouseDown(DisplayObject& picture, Qt::MouseButton button, QPoint globalPos) {
    if (button == Qt::LeftButton) {
        DragBegin(picture);
        for (const char* band : {"Formatting", "Lines", "Shapes"}) setBand(band, false);
        TurnOnArrange();
        ClickedObject = &picture;
    } else if (button == Qt::RightButton) {
        CurrentObject = &picture;
        ClickedObject = &picture;
        DragRect.SetRectToCtrl(picture);
        ShowSelection(true);
        for (const char* band : {"Formatting", "Lines", "Shapes"}) setBand(band, false);
        setTool("ID_EditPicture", true);
        setTool("ID_Resize", true);
        contextMenu("ID_mnuRightClickControl", globalPos);
        TurnOnArrange();
    }
}

void frmDisplay::picHandle_MouseDown(int index, QPoint) {
    if (!CurrentObject) return;
    DragRect.SetRectToCtrl(*CurrentObject);
    DragRect.TwipsToScreen(twipsPerPixel());
    dragStart_ = DragRect;
    DragHandle = index;
    ShowSelection(false);
    update();
    DragMode = dmSizing;
    DrawDragRect();
}

void frmDisplay::moveDragRectTo(long left, long top) {
    // An object is never moved off the canvas (one larger than the canvas keeps it covered).
    const long w = DragRect.Width(), h = DragRect.Height();
    const long maxLeft = width() - w, maxTop = height() - h;
    DragRect.Left = std::clamp(left, std::min(0L, maxLeft), std::max(0L, maxLeft));
    DragRect.Top = std::clamp(top, std::min(0L, maxTop), std::max(0L, maxTop));
    DragRect.Right = DragRect.Left + w;
    DragRect.Bottom = DragRect.Top + h;
}

void frmDisplay::Form_MouseMove(QPoint pos) {
    if (DragMode == dmRubberBand) {
        DrawDragRect();
        DragRect.Right = std::clamp(pos.x(), 0, width());
        DragRect.Bottom = std::clamp(pos.y(), 0, height());
        DrawDragRect();
        return;
    }
    if (DragMode == dmIdle || !CurrentObject) return;
    if (DragMode == dmMoving) {
        DrawDragRect();
        moveDragRectTo(pos.x() - GrabOffset.x(), pos.y() - GrabOffset.y());
        snapDragRect();
        DrawDragRect();
    } else {
        const long x = std::clamp(pos.x(), 0, width()), y = std::clamp(pos.y(), 0, height());
        DrawDragRect();
        switch (DragHandle) {
            case 0:
                DragRect.Left = x, DragRect.Top = y;
                break;
            case 1:
                DragRect.Top = y;
                break;
            case 2:
                DragRect.Right = x, DragRect.Top = y;
                break;
            case 3:
                DragRect.Right = x;
                break;
            case 4:
                DragRect.Right = x, DragRect.Bottom = y;
                break;
            case 5:
                DragRect.Bottom = y;
                break;
            case 6:
                DragRect.Left = x, DragRect.Bottom = y;
                break;
            case 7:
                DragRect.Left = x;
                break;
        }
        snapDragRect();
        DrawDragRect();
    }
    StatusPoint = QPoint(int(DragRect.Left), int(DragRect.Top));
    showStatus();
}

void frmDisplay::Form_MouseUp(Qt::MouseButton button) {
    if (button != Qt::LeftButton || DragMode == dmIdle) return;
    guideX_.reset();
    guideY_.reset();
    if (DragMode == dmRubberBand) {
        DrawDragRect();
        DragMode = dmIdle;
        CRect band = DragRect;
        band.NormalizeRect();
        std::vector<DisplayObject*> inside;
        const double tpp = twipsPerPixel();
        for (DisplayObject* o : document_.stacking()) {
            const QRect box = ObjectBox(*o);
            if (o->Visible && box.x() >= band.Left * tpp && box.y() >= band.Top * tpp &&
                box.x() + box.width() <= band.Right * tpp && box.y() + box.height() <= band.Bottom * tpp)
                inside.push_back(o);
        }
        if (band.Width() > 2 || band.Height() > 2) SelectObjects(inside);
        update();
        return;
    }
    if (groupDrag_) return groupReleased();
    if (!CurrentObject) return;
    const bool sizing = DragMode == dmSizing;
    DrawDragRect();
    // A press released where it began is a click: the object stays exactly where it was.
    const bool moved = DragRect.Left != dragStart_.Left || DragRect.Top != dragStart_.Top ||
                       DragRect.Right != dragStart_.Right || DragRect.Bottom != dragStart_.Bottom;
    if (moved) {
        DragRect.ScreenToTwips(twipsPerPixel());
        editor_.change(*CurrentObject, aspGeometry, sizing ? QStringLiteral("Size") : QStringLiteral("Move"),
                       [this](DisplayObject& o) { DragRect.SetCtrlToRect(o); });
    } else {
        DragRect.SetRectToCtrl(*CurrentObject);
    }
    ShowSelection(true);
    DragMode = dmIdle;
    update();
}

// ---- Keys, wheel, paint ----

void frmDisplay::nudge(int dx, int dy) {
    if (!CurrentObject || DragMode != dmIdle) return;
    if (multipleSelected()) {
        // The group's box stays on the canvas, as a single object does.
        const QRect box = BoundingBox(Selection);
        const QPoint by = CornerOnCanvas(box, twipsAt(QPoint(dx, dy)), sizeTwips_) - box.topLeft();
        std::vector<QPoint> corners;
        for (const DisplayObject* o : Selection) corners.push_back(ObjectBox(*o).topLeft() + by);
        moveObjects(Selection, corners, QStringLiteral("Move"));
        return;
    }
    const double tpp = twipsPerPixel();
    DragRect.SetRectToCtrl(*CurrentObject);
    DragRect.TwipsToScreen(tpp);
    moveDragRectTo(DragRect.Left + dx, DragRect.Top + dy);
    DragRect.ScreenToTwips(tpp);
    editor_.change(
        *CurrentObject, aspGeometry, QStringLiteral("Move"),
        [this](DisplayObject& o) { DragRect.SetCtrlToRect(o); }, 1000 + nudgeRun_);
    ShowSelection(true);
    update();
}

void frmDisplay::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click has selected the object; this opens it for editing.
    if (event->button() != Qt::LeftButton || DragMode != dmIdle || !mdi_) return;
    DisplayObject* hit = objectAt(event->position().toPoint(), true);
    if (!hit) return;
    ClickedObject = hit;
    mdi_->runCommand(hit->kind == ObjectKind::Text ? Command::EditText : Command::EditPicture);
}

void frmDisplay::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::SelectAll) return SelectAll();
    if (event == QKeySequence::Copy) return CopySelection();
    if (event == QKeySequence::Cut) return CutSelection();
    if (event == QKeySequence::Paste) return Paste();
    if (event->key() == Qt::Key_D && event->modifiers() == Qt::ControlModifier) return DuplicateSelection();
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Left:
            nudge(-step, 0);
            break;
        case Qt::Key_Right:
            nudge(step, 0);
            break;
        case Qt::Key_Up:
            nudge(0, -step);
            break;
        case Qt::Key_Down:
            nudge(0, step);
            break;
        case Qt::Key_Escape:
            if (DragMode == dmIdle) clearSelection();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void frmDisplay::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    Form_KeyUp(event->key());
}

void frmDisplay::Form_KeyUp(int keyCode) {
    switch (keyCode) {
        case Qt::Key_Delete:
            DeleteDisplayObject();
            break;
        case Qt::Key_Home:
            if (onHome) onHome();
            break;
        case Qt::Key_F1:
            ShowHelpTopic(state_.ProgramFolder, services_.help, hcCanvas);
            break;
        default:
            break;
    }
}

void frmDisplay::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    zoomStep(event->angleDelta().y() > 0);
    event->accept();
}

void frmDisplay::zoomStep(bool in) {
    double next = zoom_;
    if (in) {
        for (double z : kZoomSteps)
            if (z > zoom_ + 1e-9) {
                next = z;
                break;
            }
    } else {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
            if (*it < zoom_ - 1e-9) {
                next = *it;
                break;
            }
    }
    setZoom(next);
}

void frmDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGrid(painter);
    PaintDocument(painter, document_, scale(), state_.settings.FullJustifyNews);
    if (dragRectShown_) {
        CRect r = DragRect;
        r.NormalizeRect();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(int(r.Left), int(r.Top), int(r.Width()), int(r.Height())));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
        if (guideX_) painter.drawLine(int(*guideX_), 0, int(*guideX_), height());
        if (guideY_) painter.drawLine(0, int(*guideY_), width(), int(*guideY_));
    }
}

}  // namespace natalory
