#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace natalory {

class ToolbarComponent;

// The splash window, also shown as the About box. While it is shown the Help
// menu is disabled; closing it, by any road, enables the menu again.
class frmSplash : public QDialog {
    Q_OBJECT
  public:
    // `lastYear`: the last birth year the year data covers.
    frmSplash(ToolbarComponent* toolbar, int lastYear, QWidget* parent = nullptr);

    QTimer* tmrClose;
    QPushButton* Command1;
    QLabel* lblBuild;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void centreOnScreen();
    ToolbarComponent* toolbar_;
};

}  // namespace natalory
