#pragma once

#include "document/DisplayObjects.h"
#include "editor/Arrange.h"
#include "editor/CRect.h"
#include "editor/EditCommands.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QUndoStack;

namespace natalory {

class frmMDI;

// The canvas window: the open print at its real size, and the layout editor on it.
// One object at a time is selected, moved with the mouse and sized with eight
// handles; every change is one step on the print's undo stack.
class frmDisplay : public QWidget {
    Q_OBJECT
  public:
    // `mdi` carries the toolbar and status bar the editor keeps in step; it may be null.
    frmDisplay(AppState& state, Services& services, frmMDI* mdi = nullptr, QWidget* parent = nullptr);
    ~frmDisplay() override;

    CanvasDocument& document() { return document_; }
    const CanvasDocument& document() const { return document_; }
    DocumentEditor& editor() { return editor_; }
    QUndoStack& undoStack() { return editor_.undoStack(); }

    // The selected object, on which formatting and arrange commands act; and the
    // text or picture last pressed, on which Edit Text and Edit Picture act.
    DisplayObject* CurrentObject = nullptr;
    DisplayObject* ClickedObject = nullptr;

    enum DragModes { dmIdle = 0, dmMoving = 1, dmSizing = 2, dmRubberBand = 3 };
    int DragMode = dmIdle;
    int DragHandle = 0;
    CRect DragRect;
    QPoint GrabOffset;
    QPoint StatusPoint;
    std::array<QWidget*, kHandleCount> picHandle{};

    // Twips per screen pixel at the current zoom, and its inverse.
    double twipsPerPixel() const;
    double scale() const { return 1.0 / twipsPerPixel(); }
    // 1 is real size; kept between 0.25 and 4.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The next zoom step in or out.
    void zoomStep(bool in);
    static constexpr double kMinZoom = 0.25, kMaxZoom = 4.0;

    void setCanvasSizeTwips(int width, int height);
    QSize canvasSizeTwips() const { return sizeTwips_; }

    DisplayObject* NewLabel();
    // A new picture in the middle of the view, or with its top left corner at `atPixel`
    // (canvas pixels), kept on the page.
    DisplayObject* NewPicture(bool askForPicture, const PictureChooser& choose = {},
                              std::optional<QPoint> atPixel = {});
    DisplayObject* NewShape(int shapeKind);
    // Records objects that another routine (an info object's generator) created.
    void RecordCreated(const std::function<void()>& create);
    void DeleteDisplayObject();
    void SetBorders(bool show);

    // The clipboard: the selection in the objects' own type, and a text's words as plain
    // text; a paste of either (or of plain text from another program) is one undo step.
    // Paste puts the objects 10 pixels from where they were copied, or, chosen from a
    // context menu, where that menu was opened.
    void CopySelection();
    void CutSelection();
    void Paste();
    void DuplicateSelection();

    // Several objects selected at once (Shift+click, a rubber band, Ctrl+A): all of them, one
    // of which is CurrentObject (a text where there is one, so the text commands reach them).
    // Empty while one object or none is selected.
    std::vector<DisplayObject*> Selection;
    bool multipleSelected() const { return Selection.size() > 1; }
    // Selects these objects: none clears the selection, one selects it as a click does.
    void SelectObjects(std::vector<DisplayObject*> objects);
    void SelectAll();
    // Lines the selection up on the box around it (one object: on the page), or spreads it
    // with equal gaps; one undo step.
    void AlignSelection(AlignTo how);
    void DistributeSelection(bool across);

    // A dragged or sized object's edges and centre lines snap to those of the other objects
    // and of the page within kSnapPixels, a guide line showing where; Alt held while
    // dragging lets it go where the pointer is.
    bool SnapToObjects = true;
    static constexpr int kSnapPixels = 5;
    // A light grid of eighth inches under the objects, on the screen only; while it is
    // shown, drags snap to it too.
    bool ShowGrid = false;

    void DragBegin(DisplayObject& ctl);
    void DragEnd();
    void ShowSelection(bool show);
    void TurnOnArrange();
    void InitHandles();

    // The arrange and formatting commands.
    void CenteringActions(int intWhere);
    void BringToFront();
    void SendToBack();
    void SetFont(const DisplayObject& CurControl);
    void CheckLabelAlign();
    // A formatting change of the selected object as one undo step.
    bool changeCurrent(int aspects, const QString& text, const std::function<void(DisplayObject&)>& edit);

    // Run for Home: the canvas window moves to the top of the main window.
    std::function<void()> onHome;
    // Run when the canvas changes its size on the screen (a zoom, a new page), and after a zoom.
    std::function<void()> onResized;
    std::function<void()> onZoomed;

    void Form_MouseDown(Qt::MouseButton button, double x, double y);
    void lblObject_MouseDown(DisplayObject& label, Qt::MouseButton button, QPoint globalPos);
    void pPic_MouseDown(DisplayObject& picture, Qt::MouseButton button, QPoint globalPos);
    void picHandle_MouseDown(int index, QPoint pos);
    void Form_MouseMove(QPoint pos);
    void Form_MouseUp(Qt::MouseButton button);
    void Form_KeyUp(int keyCode);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void created(DisplayObject* object, const QString& text, bool place);
    // Pasted or duplicated objects, moved as one: their box's corner at `atPixel`, or a step
    // down and right of where they were.
    void pasteBytes(const QByteArray& bytes, const QString& step, std::optional<QPoint> atPixel = {});
    void pasteImage(const QImage& image, std::optional<QPoint> atPixel);
    // A pasted object of its own: at `atPixel`, or in view.
    void pastedNew(DisplayObject* object, std::optional<QPoint> atPixel);
    // A point of the canvas in twips.
    QPoint twipsAt(QPoint pixel) const;
    // Puts a new object's top left corner at a point of the canvas, kept on the page.
    void placeAt(DisplayObject& object, QPoint pixel) const;
    // Pops up a context menu; while it is open a paste goes where it was asked for.
    void contextMenu(const char* menu, QPoint globalPos);
    // A right-click handled without a text's or a picture's own menu: on one of several
    // selected objects, or away from every text and picture.
    bool rightClicked(QPoint pos, QPoint globalPos);
    std::optional<QPoint> menuPoint_;  // canvas pixels
    // The objects the arrange and delete commands act on: the group, or the one selected.
    std::vector<DisplayObject*> selectedObjects() const;
    void showGroup();
    void placeHandles();
    // Moves each object to its corner as one undo step.
    void moveObjects(const std::vector<DisplayObject*>& objects, const std::vector<QPoint>& corners,
                     const QString& step);
    void toggleInSelection(DisplayObject& object);
    // Moves the drag rectangle (its dragged edges, when sizing) onto what it comes near.
    void snapDragRect();
    void paintGrid(QPainter& painter) const;
    bool snapHeld_ = false;             // Alt is down: no snapping
    std::optional<long> guideX_, guideY_;  // the lines a snapped drag holds to, screen pixels
    // A press on the group or on its box's handles starts dragging or sizing all of it.
    bool groupPressed(QPoint pos, DisplayObject* hit);
    void groupReleased();
    bool groupDrag_ = false;
    QRect groupStart_;  // the group's box in twips as its drag began
    void placeInView(DisplayObject& object) const;
    void toolbarChange(std::function<void()> change);
    void releaseToolbarChanges();
    void hideArrangeTools();
    void applied(DisplayObject* object);
    void clearSelection();
    void DrawDragRect();
    void showStatus();
    void nudge(int dx, int dy);
    DisplayObject* objectAt(QPoint pos, bool labelsAndPictures) const;
    int handleAt(QPoint pos) const;
    void moveDragRectTo(long left, long top);
    void setBand(const char* band, bool visible);
    void setTool(const char* id, bool visible);
    void setComboIndex(const char* id, int index);
    AppState& state_;
    Services& services_;
    frmMDI* mdi_;
    CanvasDocument document_;
    DocumentEditor editor_;
    QSize sizeTwips_;
    double zoom_ = 1.0;
    bool dragRectShown_ = false;
    std::optional<QPoint> lastPointer_;  // where the press that is being handled happened
    int nudgeRun_ = 0;
    // While the left button is down, band and tool changes wait for its release.
    bool pressHeld_ = false;
    CRect dragStart_;  // the drag rectangle as the press found it
    std::vector<std::function<void()>> heldToolbarChanges_;
};

}  // namespace natalory
