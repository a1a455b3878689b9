#pragma once

#include <QDateEdit>

namespace natalory {

// The quick-printing date box. Typed in order, a date passes through month and day
// before its year: "02/29" stands against the year still shown, which may have no
// February 29. The box keeps the day as typed until the year makes it whole, where
// a plain date box would clamp it to the 28th and go on with the wrong day.
class QuickDateEdit : public QDateEdit {
    Q_OBJECT
  public:
    using QDateEdit::QDateEdit;

    QValidator::State validate(QString& text, int& pos) const override;
};

}  // namespace natalory
