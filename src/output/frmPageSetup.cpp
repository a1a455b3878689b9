#include "output/frmPageSetup.h"

#include "document/PageGeometry.h"
#include "shell/DialogParts.h"
#include "foundation/HTMLHelp.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace natalory {
namespace {

QLineEdit* Box(const char* name, QWidget* parent, QGridLayout* grid, int row, const char* label) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaximumWidth(80);
    grid->addWidget(new QLabel(QString::fromLatin1(label), parent), row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("inches"), parent), row, 2);
    return box;
}

}  // namespace

frmPageSetup::frmPageSetup(AppState& state, Services& services, QPointF minimumMargins,
                           std::function<void(QSize)> resizeCanvas, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), resizeCanvas_(std::move(resizeCanvas)) {
    setObjectName(QStringLiteral("frmPageSetup"));
    setWindowTitle(QStringLiteral("Page Setup"));
    auto* margins = new QGroupBox(QStringLiteral("Margins"), this);
    auto* marginGrid = new QGridLayout(margins);
    txtTop = Box("txtTop", margins, marginGrid, 0, "Top:");
    txtBottom = Box("txtBottom", margins, marginGrid, 1, "Bottom:");
    txtLeft = Box("txtLeft", margins, marginGrid, 2, "Left:");
    txtRight = Box("txtRight", margins, marginGrid, 3, "Right:");
    auto* paper = new QGroupBox(QStringLiteral("Page Size"), this);
    auto* paperGrid = new QGridLayout(paper);
    txtWidth = Box("txtWidth", paper, paperGrid, 0, "Width:");
    txtLength = Box("txtLength", paper, paperGrid, 1, "Length:");
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationLayout = new QVBoxLayout(orientation);
    optPortrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    optLandscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    orientationLayout->addWidget(optPortrait);
    orientationLayout->addWidget(optLandscape);

    auto* right = new QVBoxLayout;
    right->addWidget(paper);
    right->addWidget(orientation);
    auto* body = new QHBoxLayout;
    body->addWidget(margins);
    body->addLayout(right);
    auto* buttons = OkCancelApplyRow(this, cmdOk, cmdCancel, cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    connect(cmdApply, &QPushButton::clicked, this, &frmPageSetup::ApplySettings);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (ApplySettings()) accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Form_Load
    const PageSetup& p = state_.page;
    optPortrait->setAutoExclusive(false);
    optLandscape->setAutoExclusive(false);
    optLandscape->setChecked(p.PageOrientation == 2);
    optPortrait->setChecked(p.PageOrientation == 1);
    optPortrait->setAutoExclusive(true);
    optLandscape->setAutoExclusive(true);
    showTexts(PageSetupTexts{InchesText(p.TopMargin), InchesText(p.BottomMargin), InchesText(p.LeftMargin),
                             InchesText(p.RightMargin), InchesText(p.PaperWidth), InchesText(p.PaperLength)});
    lastWidth_ = txtWidth->text();
    lastLength_ = txtLength->text();
    MinMarginX = minimumMargins.x();
    MinMarginY = minimumMargins.y();
    for (QLineEdit* box : {txtTop, txtBottom, txtLeft, txtRight, txtWidth, txtLength})
        box->installEventFilter(this);
}

PageSetupTexts frmPageSetup::texts() const {
    return {txtTop->text(),   txtBottom->text(), txtLeft->text(),
            txtRight->text(), txtWidth->text(),  txtLength->text()};
}

void frmPageSetup::showTexts(const PageSetupTexts& t) {
    txtTop->setText(t.top);
    txtBottom->setText(t.bottom);
    txtLeft->setText(t.left);
    txtRight->setText(t.right);
    txtWidth->setText(t.width);
    txtLength->setText(t.length);
}

bool frmPageSetup::marginLeft() {
    PageSetupTexts t = texts();
    CheckMinMargins(t, MinMarginX, MinMarginY);
    const QStringList messages = CheckValidMargins(t, MinMarginX, MinMarginY);
    showTexts(t);
    for (const QString& m : messages) services_.prompt.tell(m);
    return messages.isEmpty();
}

bool frmPageSetup::paperLeft(QLineEdit* box) {
    box->setText(PaperSizeText(box->text()));
    const bool width = box == txtWidth;
    QString& last = width ? lastWidth_ : lastLength_;
    const auto problem = width ? PaperWidthProblem(box->text()) : PaperLengthProblem(box->text());
    if (!problem) {
        last = box->text();
        return true;
    }
    services_.prompt.tell(*problem);
    box->setText(last);
    box->setFocus();
    return false;
}

bool frmPageSetup::ApplySettings() {
    // Enter presses OK without any box losing its focus, so every box is checked
    // here again; a value that fails keeps the dialog open and the page as it was.
    if (!paperLeft(txtWidth) || !paperLeft(txtLength) || !marginLeft()) return false;
    std::optional<int> orientation;
    if (optLandscape->isChecked())
        orientation = 2;
    else if (optPortrait->isChecked())
        orientation = 1;
    state_.page = AppliedPageSetup(texts(), state_.page, orientation);
    if (const auto size = PrintableCanvasSize(state_.page); size && resizeCanvas_) resizeCanvas_(*size);
    return true;
}

bool frmPageSetup::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    if (FilterNumberBox(box, event)) return true;
    // A box sent back to after its message takes the focus from the box the user went to;
    // that box is checked when the user leaves it, not now (two wrong sizes would send the
    // focus to and fro for ever).
    if (event->type() == QEvent::FocusOut && !checking_) {
        const QScopedValueRollback<bool> checking(checking_, true);
        if (box == txtWidth || box == txtLength)
            paperLeft(box);
        else
            marginLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void frmPageSetup::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ShowHelpTopic(state_.ProgramFolder, services_.help, hcPageSetup);
    QDialog::keyReleaseEvent(event);
}

}  // namespace natalory
