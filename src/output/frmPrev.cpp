#include "output/frmPrev.h"

#include <QGraphicsView>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QWheelEvent>

#include <cmath>

namespace natalory {

frmPrev::frmPrev(Hooks hooks, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      sToolPrev(*new ToolbarComponent(this, PreviewToolCatalogue())),
      preview(nullptr),
      printer_(QPrinter::ScreenResolution),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmPrev"));
    setWindowTitle(QStringLiteral("Print Preview"));
    printer_.setFullPage(true);
    preview = new QPrintPreviewWidget(&printer_, this);
    setCentralWidget(preview);
    if (auto* view = preview->findChild<QGraphicsView*>()) view->viewport()->installEventFilter(this);
    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        vpro.replay(painter, printer->resolution() / 1440.0);
    });
    connect(preview, &QPrintPreviewWidget::previewChanged, this, &frmPrev::zoomChanged);
    connect(&sToolPrev, &ToolbarComponent::toolClick, this, &frmPrev::sToolPrev_ToolClick);
    connect(&sToolPrev, &ToolbarComponent::comboCloseUp, this, &frmPrev::sToolPrev_ComboCloseUp);

    ComboTool* zoomBox = sToolPrev.tool(QStringLiteral("ID_ZoomButton")).comboBox();
    for (int percent : {200, 150, 100, 75, 50, 25, 10})
        zoomBox->addItem(QString::number(percent) + u'%', QString::number(percent));
    zoomBox->setListIndex(4);
    setZoom(50);
    resize(900, 900);
}

void frmPrev::showPage() {
    printer_.setPageSize(QPageSize(QSizeF(vpro.PageWidth / 20.0, vpro.PageHeight / 20.0), QPageSize::Point,
                                   QString(), QPageSize::FuzzyMatch));
    printer_.setPageOrientation(vpro.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    preview->updatePreview();
    setZoom(zoom());
}

int frmPrev::zoom() const {
    return int(std::lround(preview->zoomFactor() * 100));
}

void frmPrev::setZoom(int percent) {
    preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    preview->setZoomFactor(percent / 100.0);
}

void frmPrev::zoomChanged() {
    sToolPrev.tool(QStringLiteral("ID_ZoomButton")).comboBox()->setComboText(QString::number(zoom()) + u'%');
}

void frmPrev::sToolPrev_ToolClick(Tool& tool) {
    if (tool.id() == u"ID_Exit")
        close();
    else if (tool.id() == u"ID_Print" && hooks_.print)
        hooks_.print();
    else if (tool.id() == u"ID_PrintingPreferences" && hooks_.printerSetup)
        hooks_.printerSetup();
}

void frmPrev::sToolPrev_ComboCloseUp(Tool& tool) {
    ComboTool* box = tool.comboBox();
    bool ok = false;
    const int percent = box->listIndex() >= 0 ? box->itemData(box->listIndex()).toInt(&ok)
                                              : box->comboText().remove(u'%').toInt(&ok);
    if (ok && percent > 0) setZoom(percent);
}

bool frmPrev::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl and the mouse wheel zoom the page, and the zoom box follows.
    if (event->type() == QEvent::Wheel &&
        static_cast<QWheelEvent*>(event)->modifiers() & Qt::ControlModifier) {
        if (static_cast<QWheelEvent*>(event)->angleDelta().y() > 0)
            preview->zoomIn();
        else
            preview->zoomOut();
        zoomChanged();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace natalory
