#pragma once

#include "document/DisplayObjects.h"
#include "shell/AppState.h"
#include "shell/Seams.h"

#include <QWidget>

#include <functional>

namespace natalory {

// The canvas window: a view of the open print's display objects at screen scale.
// What it shows is what prints, in the same stacking order.
class frmDisplay : public QWidget {
    Q_OBJECT
  public:
    frmDisplay(AppState& state, Services& services, QWidget* parent = nullptr);

    CanvasDocument& document() { return document_; }
    const CanvasDocument& document() const { return document_; }

    // The selected object, on which formatting and arrange commands act; and the
    // text or picture last pressed.
    DisplayObject* CurrentObject = nullptr;
    DisplayObject* ClickedObject = nullptr;

    // Screen pixels per twip.
    double scale() const;
    void setCanvasSizeTwips(int width, int height);
    QSize canvasSizeTwips() const { return sizeTwips_; }

    DisplayObject* NewLabel();
    DisplayObject* NewPicture(bool askForPicture, const PictureChooser& choose = {});
    DisplayObject* NewShape(int shapeKind);
    void DeleteDisplayObject();
    void SetBorders(bool show);

    // Run when Delete clears the selection (the editing bands go away).
    std::function<void()> onSelectionCleared;
    // Run for Home: the canvas window moves to the top of the main window.
    std::function<void()> onHome;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void created(DisplayObject* object);
    AppState& state_;
    Services& services_;
    CanvasDocument document_;
    QSize sizeTwips_;
};

}  // namespace natalory
