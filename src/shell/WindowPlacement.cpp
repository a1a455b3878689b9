#include "shell/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace natalory {
namespace {

// The title bar and borders the window manager adds around the window's own area.
constexpr int kFrameHeight = 40;
constexpr int kFrameWidth = 16;
constexpr auto kPlacedProperty = "natalory_placed";

const QWidget* Anchor(const QWidget* window) {
    if (const QWidget* parent = window->parentWidget()) return parent->window();
    const QWidget* active = QApplication::activeWindow();
    return active != window ? active : nullptr;
}

QRect FreeArea(const QWidget* window) {
    const QWidget* anchor = Anchor(window);
    const QScreen* screen = anchor ? anchor->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QSize RoomOnScreen(const QWidget* window) {
    const QRect area = FreeArea(window);
    return QSize(area.width() - kFrameWidth, area.height() - kFrameHeight);
}

void PlaceWindow(QWidget* window, QSize preferred) {
    const QRect area = FreeArea(window);
    const QSize size = preferred.boundedTo(RoomOnScreen(window));
    window->resize(size);
    const QWidget* anchor = Anchor(window);
    QRect frame(QPoint(), size + QSize(kFrameWidth, kFrameHeight));
    frame.moveCenter(anchor && anchor->isVisible() ? anchor->frameGeometry().center() : area.center());
    frame.moveLeft(
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
    frame.moveTop(
        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    window->move(frame.topLeft());
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        // The main window places itself; menus, tool tips and pop-ups belong where they open.
        const bool mainWindow = !widget->parentWidget() && qobject_cast<QMainWindow*>(widget);
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog) && !mainWindow &&
            !widget->property(kPlacedProperty).toBool()) {
            widget->setProperty(kPlacedProperty, true);
            PlaceWindow(widget, widget->size());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace natalory
