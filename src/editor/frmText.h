#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace natalory {

// The small dialog that changes a text object's text. `EditedText` carries the text
// in and, after Done, out; Cancel leaves it as it came in.
class frmText : public QDialog {
    Q_OBJECT
  public:
    explicit frmText(const QString& text, QWidget* parent = nullptr);

    QString EditedText;
    QLabel* Label1;
    QLineEdit* txtText;
    QPushButton* Command1;  // "&Done"
    QPushButton* Command2;  // "&Cancel"

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Command1_Click();
};

}  // namespace natalory
