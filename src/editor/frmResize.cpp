#include "editor/frmResize.h"

#include "document/DisplayObjects.h"
#include "editor/Formatting.h"
#include "foundation/Seams.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace natalory {

frmResize::frmResize(const DisplayObject& target, Prompt& prompt, std::function<void(QSize)> apply,
                     QWidget* parent)
    : QDialog(parent),
      txtWidth(new QLineEdit(this)),
      txtHeight(new QLineEdit(this)),
      chkAspect(new QCheckBox(QStringLiteral("Maintain Aspect Ratio"), this)),
      cmdOk(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)),
      cmdApply(new QPushButton(QStringLiteral("Apply"), this)),
      prompt_(prompt),
      apply_(std::move(apply)) {
    setObjectName(QStringLiteral("frmResize"));
    setWindowTitle(QStringLiteral("Resize Picture"));
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtHeight->setObjectName(QStringLiteral("txtHeight"));
    auto* grid = new QGridLayout;
    auto* widthLabel = new QLabel(QStringLiteral("Width:"), this);
    auto* heightLabel = new QLabel(QStringLiteral("Height"), this);
    widthLabel->setBuddy(txtWidth);
    heightLabel->setBuddy(txtHeight);
    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(txtWidth, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("inches"), this), 0, 2);
    grid->addWidget(heightLabel, 1, 0);
    grid->addWidget(txtHeight, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("inches"), this), 1, 2);
    grid->addWidget(chkAspect, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    cmdOk->setDefault(true);

    // Only what the user types moves the other box; the dialog's own writes do not echo back.
    connect(txtWidth, &QLineEdit::textEdited, this, &frmResize::txtWidth_Change);
    connect(txtHeight, &QLineEdit::textEdited, this, &frmResize::txtHeight_Change);
    connect(cmdApply, &QPushButton::clicked, this, [this] { ApplySize(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (ApplySize()) accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load(target);
}

void frmResize::Form_Load(const DisplayObject& target) {
    loading_ = true;
    const PictureSizeTexts t = PictureSizeFor(target.Width, target.Height);
    txtHeight->setText(t.height);
    txtWidth->setText(t.width);
    WidthPerHeight = t.widthPerHeight;
    HeightPerWidth = t.heightPerWidth;
    chkAspect->setChecked(true);
    loading_ = false;
}

void frmResize::txtWidth_Change() {
    if (loading_ || txtWidth->text().isEmpty()) return;
    ChangeHW(0);
}

void frmResize::txtHeight_Change() {
    if (loading_ || txtHeight->text().isEmpty()) return;
    ChangeHW(1);
}

void frmResize::ChangeHW(int edited) {
    if (!chkAspect->isChecked()) return;
    if (edited == 0) {
        if (const auto h = KeepRatio(txtWidth->text(), HeightPerWidth)) txtHeight->setText(*h);
    } else {
        if (const auto w = KeepRatio(txtHeight->text(), WidthPerHeight)) txtWidth->setText(*w);
    }
}

bool frmResize::ApplySize() {
    const std::optional<QSize> size = PictureSizeTwips(txtWidth->text(), txtHeight->text());
    if (!size) {
        prompt_.ask(QStringLiteral("Please type the width and the height in inches, as numbers above 0."),
                    QStringLiteral("Resize Picture"), PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    apply_(*size);
    return true;
}

}  // namespace natalory
