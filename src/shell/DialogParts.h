#pragma once

class QEvent;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

#include <initializer_list>

namespace natalory {

// The "&Ok", "&Cancel", "&Apply" row the settings dialogs end with, Ok the default button.
QHBoxLayout* OkCancelApplyRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel, QPushButton*& apply);

// The number boxes of the dialogs: entering one selects its whole text, and only
// digits, "." and "-" may be typed. True when the event was a key the box refuses.
bool FilterNumberBox(QLineEdit* box, QEvent* event);

// A label that names `buddy` (to a screen reader, too) and whose access key moves to it.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// Tab visits the widgets in this order.
void SetTabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace natalory
