#pragma once

#include "shell/AppState.h"
#include "shell/Seams.h"

#include <QDialog>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace natalory {

class PrinterTarget;

struct BatchFileError;

// The batch window: choose a batch file, narrow the range, print every record on
// the printer of Print Setup or into one PDF file. While it is open a batch is in
// progress: no new print can be started.
class frmBatch : public QDialog {
    Q_OBJECT
  public:
    // `countChanged` shows the print count on the toolbar after each print.
    frmBatch(AppState& state, Services& services, std::function<void()> countChanged,
             QWidget* parent = nullptr);
    ~frmBatch() override;

    QGroupBox* fraBatchFile;
    QLineEdit* txtBdayFile;
    QPushButton* cmdBrowse;
    QLabel* lblTotalBdays;
    QLineEdit* txtStart;
    QLineEdit* txtStop;
    QRadioButton* optPrinter;
    QRadioButton* optPdf;
    QPushButton* cmdStart;
    QPushButton* cmdCancel;
    QProgressBar* prgBar;
    QLabel* lblInform;
    QLabel* lblPercentDone;

    // The printer of Print Setup by name (empty: the default), or none with the reason.
    std::function<std::unique_ptr<PrinterTarget>(const QString& name, QString* why)> findPrinter;

    // Reads a batch file as if it had been chosen with Browse.
    void OpenBatchFile(const QString& path);
    void GoBatch();
    void NoGoBatch();
    bool running() const { return running_; }

  public slots:
    void cmdBrowse_Click();
    void cmdStart_Click();
    void cmdCancel_Click();
    void txtStart_Change();

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    class Progress;
    void BatchRun(int start, int stop);
    void endRun();
    void showFileError(const BatchFileError& error);
    int totalCount_ = 0;
    bool running_ = false;
    bool BatchCancelRequested = false;
    AppState& state_;
    Services& services_;
    std::function<void()> countChanged_;
};

}  // namespace natalory
