#pragma once

#include "output/PrintEngine.h"
#include "shell/ToolbarComponent.h"

#include <QMainWindow>
#include <QPrinter>

#include <functional>

class QPrintPreviewWidget;

namespace natalory {

// The print preview: the rendered page on screen, zoomed from 200% down to 10%.
class frmPrev : public QMainWindow {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void()> print;         // render again and print
        std::function<void()> printerSetup;  // the printer set-up dialog
    };
    explicit frmPrev(Hooks hooks, QWidget* parent = nullptr);

    // The engine every render of the page goes through.
    PrintEngine vpro;
    ToolbarComponent& sToolPrev;
    QPrintPreviewWidget* preview;

    // Shows what the engine recorded.
    void showPage();
    int zoom() const;
    void setZoom(int percent);

  public slots:
    void sToolPrev_ToolClick(natalory::Tool& tool);
    void sToolPrev_ComboCloseUp(natalory::Tool& tool);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void zoomChanged();
    QPrinter printer_;
    Hooks hooks_;
};

}  // namespace natalory
