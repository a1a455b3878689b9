#include "prefs/frmDataSettings.h"

#include "shell/DialogParts.h"
#include "foundation/HTMLHelp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace natalory {

frmDataSettings::frmDataSettings(AppState& state, Services& services, std::function<void()> refresh,
                                 QWidget* parent)
    : QDialog(parent), state_(state), services_(services), refresh_(std::move(refresh)) {
    setObjectName(QStringLiteral("frmDataSettings"));
    setWindowTitle(QStringLiteral("Data Settings"));

    auto* economic = new QGroupBox(QStringLiteral("Economic Data To Include"), this);
    auto* grid = new QGridLayout(economic);
    const auto box = [&](QCheckBox*& out, const char* name, const char* caption, bool DataSettings::*value) {
        out = new QCheckBox(QString::fromLatin1(caption), economic);
        out->setObjectName(QString::fromLatin1(name));
        const int n = int(boxes_.size());
        grid->addWidget(out, n % 9, n / 9);
        boxes_.emplace_back(out, value);
    };
    box(chkHouse, "chkHouse", "Home", &DataSettings::IncludeHouse);
    box(chkCar, "chkCar", "Car", &DataSettings::IncludeCar);
    box(chkMilk, "chkMilk", "Milk", &DataSettings::IncludeMilk);
    box(chkGas, "chkGas", "Gas", &DataSettings::IncludeGas);
    box(chkBread, "chkBread", "Bread", &DataSettings::IncludeBread);
    box(chkIncome, "chkIncome", "Average Income", &DataSettings::IncludeIncome);
    box(chkFlour, "chkFlour", "Flour", &DataSettings::IncludeFlour);
    box(chkElectricity, "chkElectricity", "Electricity", &DataSettings::IncludeElectricity);
    box(chkEggs, "chkEggs", "Eggs", &DataSettings::IncludeEggs);
    box(chkBacon, "chkBacon", "Bacon", &DataSettings::IncludeBacon);
    box(chkBologna, "chkBologna", "Bologna", &DataSettings::IncludeBologna);
    box(chkIceCream, "chkIceCream", "Ice Cream", &DataSettings::IncludeIceCream);
    box(chkPotatoes, "chkPotatoes", "Potatoes", &DataSettings::IncludePotatoes);
    box(chkPopulation, "chkPopulation", "Population", &DataSettings::IncludePopulation);
    box(chkCPI, "chkCPI", "Consumer Price Index", &DataSettings::IncludeCPI);
    box(chkStamps, "chkStamps", "Stamp", &DataSettings::IncludeStamps);
    box(chkAddAmounts, "chkAddAmounts", "Add Amounts (per lb., etc)", &DataSettings::AddAmounts);

    auto* infoSet = new QGroupBox(QStringLiteral("Info Set"), this);
    auto* infoLayout = new QVBoxLayout(infoSet);
    optInfoSet1 = new QRadioButton(QStringLiteral("Info Set 1"), infoSet);
    optInfoSet1->setObjectName(QStringLiteral("optInfoSet1"));
    optInfoSet2 = new QRadioButton(QStringLiteral("Info Set 2"), infoSet);
    optInfoSet2->setObjectName(QStringLiteral("optInfoSet2"));
    infoLayout->addWidget(optInfoSet1);
    infoLayout->addWidget(optInfoSet2);

    auto* other = new QGroupBox(QStringLiteral("Other:"), this);
    auto* otherLayout = new QVBoxLayout(other);
    chkAddWorldToBits = new QCheckBox(QStringLiteral("Add World Series Info To Bit's of Info Object"), other);
    chkAddWorldToBits->setObjectName(QStringLiteral("chkAddWorldToBits"));
    chkWorldToHeadlines = new QCheckBox(QStringLiteral("Add World Series Info To Headlines"), other);
    chkWorldToHeadlines->setObjectName(QStringLiteral("chkWorldToHeadlines"));
    otherLayout->addWidget(chkAddWorldToBits);
    otherLayout->addWidget(chkWorldToHeadlines);
    boxes_.emplace_back(chkAddWorldToBits, &DataSettings::AddWorldToBits);
    boxes_.emplace_back(chkWorldToHeadlines, &DataSettings::WorldToHeadlines);

    auto* buttons = OkCancelApplyRow(this, cmdOk, cmdCancel, cmdApply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(economic);
    auto* lower = new QHBoxLayout;
    lower->addWidget(infoSet);
    lower->addWidget(other, 1);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmDataSettings::cmdOk_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmDataSettings::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDataSettings::cmdCancel_Click);
    Form_Load();
}

void frmDataSettings::Form_Load() {
    for (auto& [box, value] : boxes_) box->setChecked(state_.data.*value);
    // Neither option is selected for a set that is neither 1 nor 2.
    optInfoSet1->setAutoExclusive(false);
    optInfoSet2->setAutoExclusive(false);
    optInfoSet1->setChecked(state_.data.InfoSet == 1);
    optInfoSet2->setChecked(state_.data.InfoSet == 2);
    optInfoSet1->setAutoExclusive(true);
    optInfoSet2->setAutoExclusive(true);
}

void frmDataSettings::ApplySettings() {
    if (optInfoSet1->isChecked())
        state_.data.InfoSet = 1;
    else if (optInfoSet2->isChecked())
        state_.data.InfoSet = 2;
    for (auto& [box, value] : boxes_) state_.data.*value = box->isChecked();
    if (refresh_) refresh_();
}

void frmDataSettings::cmdOk_Click() {
    ApplySettings();
    accept();
}

void frmDataSettings::cmdApply_Click() {
    ApplySettings();
}

void frmDataSettings::cmdCancel_Click() {
    reject();
}

void frmDataSettings::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ShowHelpTopic(state_.ProgramFolder, services_.help, hcDataSettings);
    QDialog::keyReleaseEvent(event);
}

}  // namespace natalory
