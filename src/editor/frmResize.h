#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace natalory {

struct DisplayObject;
class Prompt;

// Sizes a picture to an exact width and height in inches, keeping its proportions
// when asked. `apply` receives the new size in twips.
class frmResize : public QDialog {
    Q_OBJECT
  public:
    frmResize(const DisplayObject& target, Prompt& prompt, std::function<void(QSize)> apply,
              QWidget* parent = nullptr);

    QLineEdit* txtWidth;
    QLineEdit* txtHeight;
    QCheckBox* chkAspect;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;

    double WidthPerHeight = 0;
    double HeightPerWidth = 0;

  private:
    void Form_Load(const DisplayObject& target);
    void txtWidth_Change();
    void txtHeight_Change();
    void ChangeHW(int edited);
    bool ApplySize();
    Prompt& prompt_;
    std::function<void(QSize)> apply_;
    bool loading_ = false;
};

}  // namespace natalory
