#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace natalory {

class PrinterTarget;

struct BatchFileError;
struct BatchOutcome;
struct BatchRecord;

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

    // Processes printing a batch into a PDF at once (one per core unless set), and the program
    // each of them runs; without that program a batch prints in this process alone.
    int jobs;
    QString workerProgram;

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
    // A batch into a PDF on every core; false when it is one for this process alone.
    bool RunWorkers(int start, int stop, const std::vector<BatchRecord>& records, const QString& pdf,
                    BatchOutcome& outcome);
    void showFileError(const BatchFileError& error);
    int totalCount_ = 0;
    bool running_ = false;
    bool BatchCancelRequested = false;
    AppState& state_;
    Services& services_;
    std::function<void()> countChanged_;
};

}  // namespace natalory
