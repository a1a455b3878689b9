#include "shell/frmSplash.h"

#include "shell/Icons.h"
#include "shell/ToolbarComponent.h"
#include "foundation/Version.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace natalory {

frmSplash::frmSplash(ToolbarComponent* toolbar, int lastYear, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      tmrClose(new QTimer(this)),
      Command1(new QPushButton(tr("&Ok"), this)),
      lblBuild(new QLabel(this)),
      toolbar_(toolbar) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Natalory"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(ProgramIcon());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgIcon"));
    picture->setPixmap(ProgramIcon().pixmap(QSize(72, 72)));
    picture->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(QStringLiteral("Natalory"), this);
    QFont big = title->font();
    big.setPointSize(28);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* tagline = new QLabel(tr("Birthday Prints of the day you were born"), this);
    tagline->setAlignment(Qt::AlignCenter);
    QFont italic = tagline->font();
    italic.setItalic(true);
    tagline->setFont(italic);
    lblBuild->setObjectName(QStringLiteral("lblBuild"));
    lblBuild->setAlignment(Qt::AlignCenter);
    lblBuild->setText(BuildLabel(CurrentVersion()));
    auto* rights = new QLabel(tr("Facts of every day from 1900 to %1").arg(lastYear), this);
    rights->setAlignment(Qt::AlignCenter);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 20);
    layout->setSpacing(10);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(tagline);
    layout->addSpacing(12);
    layout->addWidget(rights);
    layout->addWidget(lblBuild);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);

    tmrClose->setObjectName(QStringLiteral("tmrClose"));
    tmrClose->setInterval(2000);
    tmrClose->setSingleShot(true);
    connect(tmrClose, &QTimer::timeout, this, &QDialog::accept);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void frmSplash::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void frmSplash::showEvent(QShowEvent* event) {
    centreOnScreen();
    if (toolbar_) toolbar_->tool(QStringLiteral("ID_HelpMenu")).setEnabled(false);
    QDialog::showEvent(event);
}

void frmSplash::hideEvent(QHideEvent* event) {
    tmrClose->stop();
    if (toolbar_) toolbar_->tool(QStringLiteral("ID_HelpMenu")).setEnabled(true);
    QDialog::hideEvent(event);
}

}  // namespace natalory
