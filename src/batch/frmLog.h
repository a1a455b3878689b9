#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace natalory {

// The print log viewer: every logged print, the total and today's prints. It only
// reads the log; "Clear Log" deletes it and "Save To..." copies it.
class frmLog : public QDialog {
    Q_OBJECT
  public:
    // `countCleared` shows the reset print count on the toolbar.
    frmLog(AppState& state, Services& services, std::function<void()> countCleared,
           QWidget* parent = nullptr);

    QTreeWidget* lstLog;
    QLabel* lblTotalCount;
    QLabel* lblTodayTotal;
    QPushButton* cmdSaveLog;
    QPushButton* cmdClearLog;
    QPushButton* cmdDone;

  public slots:
    void Form_Activate();
    void cmdClearLog_Click();
    void cmdSaveLog_Click();
    void cmdDone_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void showEmptyTotals();
    AppState& state_;
    Services& services_;
    std::function<void()> countCleared_;
};

}  // namespace natalory
