#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace natalory {

// The user's preferences: the only writer of the settings file. It starts from
// the file each time it opens, not from what the program holds in memory.
class frmOptions : public QDialog {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void()> listFonts;     // refills the main window's font list
        std::function<void()> countCleared;  // shows the reset print count
    };
    frmOptions(AppState& state, Services& services, Hooks hooks, QWidget* parent = nullptr);

    QRadioButton *optNews, *optStyle1, *optNewBorn, *optCustomTemplate;
    QGroupBox* frmTemplatePath;
    QLineEdit* txtCustomPath;
    QPushButton* cmdBrowseForTemplate;
    QRadioButton *optToday, *optThisYear, *optNext, *optLastYear;
    QRadioButton *optPreview, *optQuick;
    QRadioButton *optPrinter, *optScreen;
    QCheckBox* optAutoFixFonts;
    QCheckBox* chkNewsJustify;
    QCheckBox* chkLogPrinting;
    QPushButton* cmdClearLogCount;
    QPushButton* cmdClearLogFile;
    QLineEdit* txtOffsetX;
    QLineEdit* txtOffsetY;
    QPushButton *cmdOk, *cmdCancel, *cmdApply;

    // Checks the template choice, then takes the controls into the settings and writes the file.
    bool ApplySettings();
    void TurnOffCustom();

  public slots:
    void cmdOk_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdBrowseForTemplate_Click();
    void cmdClearLogCount_Click();
    void cmdClearLogFile_Click();
    void optCustomTemplate_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Form_Load();
    // The four style options, in print-type order.
    std::array<QRadioButton*, 4> StyleOptions() const {
        return {optNews, optStyle1, optNewBorn, optCustomTemplate};
    }
    AppState& state_;
    Services& services_;
    Hooks hooks_;
};

}  // namespace natalory
