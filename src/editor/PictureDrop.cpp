#include "editor/PictureDrop.h"

#include "document/Pictures.h"
#include "editor/frmDisplay.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace natalory {
namespace {

QString DroppedPicture(const QMimeData* data) {
    if (!data || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() && IsPictureFileName(url.toLocalFile()) ? url.toLocalFile() : QString();
}

// Watches the main window, where drags land: the canvas itself takes none, so that a
// template or a batch file dragged over it still reaches the main window.
class PictureDropTarget final : public QObject {
  public:
    PictureDropTarget(frmDisplay& canvas, PictureLoader load)
        : QObject(&canvas), canvas_(canvas), load_(std::move(load)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched != canvas_.window() ||
            (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
            return QObject::eventFilter(watched, event);
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DroppedPicture(drop->mimeData());
        if (file.isEmpty()) return false;
        // A picture is welcome anywhere in the window, so that the drag goes on; it lands only on the page.
        const QPoint at = canvas_.mapFrom(canvas_.window(), drop->position().toPoint());
        const bool onPage = canvas_.isVisible() && canvas_.visibleRegion().contains(at) &&
                            canvas_.DragMode == frmDisplay::dmIdle;
        if (onPage || type == QEvent::DragEnter)
            drop->acceptProposedAction();
        else
            drop->ignore();
        // Inserted once the drop is over: a message about a bad file must not run inside the drag.
        if (type == QEvent::Drop && onPage)
            QTimer::singleShot(0, this, [this, file, at] { insert(file, at); });
        return true;
    }

  private:
    void insert(const QString& file, QPoint at) {
        DisplayObject loaded;
        if (!load_(loaded, file)) return;
        DisplayObject* picture = canvas_.NewPicture(
            true,
            [&](DisplayObject& o) -> std::optional<QString> {
                CopyAspects(loaded, o, aspPicture);
                o.Width = loaded.Width;
                o.Height = loaded.Height;
                return file;
            },
            at);
        if (picture) canvas_.SelectObjects({picture});
        canvas_.update();
    }

    frmDisplay& canvas_;
    PictureLoader load_;
};

}  // namespace

void AcceptDroppedPictures(frmDisplay& canvas, PictureLoader load) {
    QWidget* window = canvas.window();
    window->setAcceptDrops(true);
    // Owned by the canvas: the watch ends with the print.
    window->installEventFilter(new PictureDropTarget(canvas, std::move(load)));
}

}  // namespace natalory
