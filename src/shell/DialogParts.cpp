#include "shell/DialogParts.h"

#include "prefs/OptionsLogic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace natalory {

QHBoxLayout* OkCancelApplyRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel, QPushButton*& apply) {
    ok = new QPushButton(QStringLiteral("&Ok"), dialog);
    cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    apply = new QPushButton(QStringLiteral("&Apply"), dialog);
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : {ok, cancel, apply}) row->addWidget(b);
    return row;
}

bool FilterNumberBox(QLineEdit* box, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        // Editing keys (Backspace, Tab, arrows, Enter) carry no printable text and always pass.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return !text.isEmpty() && text[0].isPrint() && !IsOffsetKey(text[0]);
    }
    return false;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void SetTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

}  // namespace natalory
