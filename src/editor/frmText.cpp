#include "editor/frmText.h"

#include "document/DisplayObjects.h"
#include "editor/Formatting.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace natalory {

frmText::frmText(const QString& text, QWidget* parent)
    : QDialog(parent),
      EditedText(text),
      Label1(new QLabel(QStringLiteral("Change The Text Here"), this)),
      txtText(new QLineEdit(text, this)),
      Command1(new QPushButton(QStringLiteral("&Done"), this)),
      Command2(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("Change The Text"));
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setMinimumWidth(360);
    Label1->setBuddy(txtText);
    Command1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtText);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &frmText::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void frmText::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtText->setFocus();
    // A new label's placeholder text is selected whole, so typing replaces it.
    if (txtText->text() == QLatin1String(kNewTextCaption)) txtText->setSelection(0, int(EditedText.size()));
}

void frmText::Command1_Click() {
    txtText->setText(RemoveAnniversary(txtText->text()));
    EditedText = txtText->text();
    accept();
}

}  // namespace natalory
