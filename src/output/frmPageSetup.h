#pragma once

#include "output/PageSetupRules.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace natalory {

// Paper size, orientation and margins of the open print, in inches.
class frmPageSetup : public QDialog {
    Q_OBJECT
  public:
    // `resizeCanvas` gets the new printable area in twips after Apply.
    frmPageSetup(AppState& state, Services& services, QPointF minimumMargins,
                 std::function<void(QSize)> resizeCanvas, QWidget* parent = nullptr);

    QLineEdit *txtTop, *txtBottom, *txtLeft, *txtRight, *txtWidth, *txtLength;
    QRadioButton *optPortrait, *optLandscape;
    QPushButton *cmdOk, *cmdCancel, *cmdApply;
    double MinMarginX = 0, MinMarginY = 0;

    // False, with the dialog left open, when a box holds a value the page cannot have.
    bool ApplySettings();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    PageSetupTexts texts() const;
    void showTexts(const PageSetupTexts& t);
    bool marginLeft();
    bool paperLeft(QLineEdit* box);
    AppState& state_;
    Services& services_;
    std::function<void(QSize)> resizeCanvas_;
    QString lastWidth_, lastLength_;
    bool checking_ = false;  // a box that was left is being checked
};

}  // namespace natalory
