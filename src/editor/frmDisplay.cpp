#include "editor/frmDisplay.h"

#include "output/CanvasPainter.h"
#include "shell/HTMLHelp.h"

#include <QKeyEvent>
#include <QPainter>

namespace natalory {

frmDisplay::frmDisplay(AppState& state, Services& services, QWidget* parent)
    : QWidget(parent), state_(state), services_(services) {
    setObjectName(QStringLiteral("frmDisplay"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

double frmDisplay::scale() const {
    return logicalDpiX() / 1440.0;
}

void frmDisplay::setCanvasSizeTwips(int width, int height) {
    sizeTwips_ = QSize(width, height);
    setFixedSize(qRound(width * scale()), qRound(height * scale()));
}

void frmDisplay::created(DisplayObject* object) {
    if (object) update();
}

DisplayObject* frmDisplay::NewLabel() {
    DisplayObject* o = natalory::NewLabel(document_, state_, services_.prompt);
    created(o);
    return o;
}

DisplayObject* frmDisplay::NewPicture(bool askForPicture, const PictureChooser& choose) {
    DisplayObject* o = natalory::NewPicture(document_, state_, services_.prompt, askForPicture, choose);
    created(o);
    return o;
}

DisplayObject* frmDisplay::NewShape(int shapeKind) {
    DisplayObject* o = natalory::NewShape(document_, state_, services_.prompt, shapeKind);
    created(o);
    return o;
}

void frmDisplay::DeleteDisplayObject() {
    if (!CurrentObject) return;
    if (ClickedObject == CurrentObject) ClickedObject = nullptr;
    document_.remove(*CurrentObject);
    CurrentObject = nullptr;
    if (onSelectionCleared) onSelectionCleared();
    update();
}

void frmDisplay::SetBorders(bool show) {
    natalory::SetBorders(document_, show);
    update();
}

void frmDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintDocument(painter, document_, scale());
}

void frmDisplay::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
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
            QWidget::keyReleaseEvent(event);
    }
}

}  // namespace natalory
