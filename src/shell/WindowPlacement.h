#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace natalory {

// Gives a window its preferred size, or as much of it as its screen has room for,
// and centres it on the window it belongs to (its parent, or else the active
// window; the screen when there is neither), inside the screen's free area.
void PlaceWindow(QWidget* window, QSize preferred);

// The largest size a window may take on the screen it stands on: a larger one would
// reach under the panels or off the screen.
QSize RoomOnScreen(const QWidget* window);

// Places every dialog and window of the program the first time it is shown, so
// each opens on the screen, centred on the window it came from, at a size that fits.
class WindowPlacer : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace natalory
