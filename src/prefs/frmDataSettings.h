#pragma once

#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QRadioButton;

namespace natalory {

// The data settings of the open print: which prices it lists, which headline set
// it uses and where World Series results are added. Apply and Ok rewrite the
// info objects at once.
class frmDataSettings : public QDialog {
    Q_OBJECT
  public:
    // `refresh` rewrites the info objects of the canvas.
    frmDataSettings(AppState& state, Services& services, std::function<void()> refresh,
                    QWidget* parent = nullptr);

    QCheckBox* chkHouse;
    QCheckBox* chkCar;
    QCheckBox* chkMilk;
    QCheckBox* chkGas;
    QCheckBox* chkBread;
    QCheckBox* chkIncome;
    QCheckBox* chkFlour;
    QCheckBox* chkElectricity;
    QCheckBox* chkEggs;
    QCheckBox* chkBacon;
    QCheckBox* chkBologna;
    QCheckBox* chkIceCream;
    QCheckBox* chkPotatoes;
    QCheckBox* chkPopulation;
    QCheckBox* chkCPI;
    QCheckBox* chkStamps;
    QCheckBox* chkAddAmounts;
    QRadioButton* optInfoSet1;
    QRadioButton* optInfoSet2;
    QCheckBox* chkAddWorldToBits;
    QCheckBox* chkWorldToHeadlines;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;

    void ApplySettings();

  public slots:
    void cmdOk_Click();
    void cmdApply_Click();
    void cmdCancel_Click();

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void Form_Load();
    std::vector<std::pair<QCheckBox*, bool DataSettings::*>> boxes_;
    AppState& state_;
    Services& services_;
    std::function<void()> refresh_;
};

}  // namespace natalory
