#pragma once

#include <QDateEdit>

#include <optional>
#include <utility>

namespace natalory {

// The quick-printing date box. Typed in order, a date passes through month and day
// before its year: "02/29" stands against the year still shown, which may have no
// February 29. The box keeps the day as typed until the year makes it whole, where
// a plain date box would clamp it to the 28th and go on with the wrong day.
class QuickDateEdit : public QDateEdit {
    Q_OBJECT
  public:
    explicit QuickDateEdit(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& pos) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A click into the box selects the part of the date under it, so typing replaces it
    // as after a Tab; with only a caret there every digit typed would be refused.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::optional<std::pair<int, int>> wanted_;  // month and day typed before a year that lacks them
};

}  // namespace natalory
