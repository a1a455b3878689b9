#pragma once

class QEvent;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace natalory {

// The "&Ok", "&Cancel", "&Apply" row the settings dialogs end with, Ok the default button.
QHBoxLayout* OkCancelApplyRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel, QPushButton*& apply);

// The number boxes of the dialogs: entering one selects its whole text, and only
// digits, "." and "-" may be typed. True when the event was a key the box refuses.
bool FilterNumberBox(QLineEdit* box, QEvent* event);

}  // namespace natalory
