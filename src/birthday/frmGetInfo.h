#pragma once

#include "birthday/SetBirthday.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDialog>

class QCalendarWidget;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace natalory {

class Workspace;

// The birthday dialog: names, birth date and style of a print. In designer mode
// the date is picked on a calendar and "&Done" opens the print on the canvas; in
// quick mode it is typed and "&Print" prints it at once, leaving the dialog open.
class frmGetInfo : public QDialog {
    Q_OBJECT
  public:
    frmGetInfo(AppState& state, Services& services, Workspace& workspace, QWidget* parent = nullptr);

    QLineEdit* txtFname;
    QLineEdit* txtLname;
    QCalendarWidget* calCalendar;
    QListWidget* lstYear;
    QDateEdit* ctQuickDate;
    QGroupBox* frmQuick;
    QPushButton* cmdPrint;
    QPushButton* cmdDoneQuick;
    QPushButton* cmdDone;
    QPushButton* cmdCancel;
    QRadioButton* optCloseLook;
    QRadioButton* optFastPrint;
    QComboBox* cmbPrintType;
    QGroupBox* frmCustomTempPath;
    QLineEdit* txtCustomStyle;
    QPushButton* cmdBrowseStyles;
    QLineEdit* txtParentsName;
    QLineEdit* txtLbs;
    QLineEdit* txtOzs;
    QLineEdit* txtInches;

    // What confirming does: a new print loads its template; the dialog opened on the
    // print on the canvas rewrites only its texts. Set by whoever opens the dialog.
    BuildMode buildMode = BuildMode::LoadTemplate;

    // Selects year 1999 in the year list.
    void SetCal();
    // False when no print was built (no template chosen, or it could not be read).
    bool PrepareBirthday();
    // Selects a style entry as a click would.
    void selectStyle(int index);
    void selectMode(bool quick);

  public slots:
    void cmbPrintType_Click();
    void cmdBrowseStyles_Click();
    void cmdCancel_Click();
    void cmdDone_Click();
    void cmdDoneQuick_Click();
    void cmdPrint_Click();
    void ctQuickDate_ClickDrop();
    void ctQuickDate_LostFocus();
    void calCalendar_ButtonClick(int year, int month);
    void calCalendar_DateChange();
    void lstYear_Click();
    void optCloseLook_Click();
    void optFastPrint_Click();
    void txtFname_KeyUp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tell(const QString& message, const QString& title = {});
    void setCalendarYear(int year);
    void fitToMode();
    AppState& state_;
    Services& services_;
    Workspace& workspace_;
    const int lastYear_;  // the last year of the year data
};

}  // namespace natalory
