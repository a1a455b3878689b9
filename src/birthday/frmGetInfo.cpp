#include "birthday/frmGetInfo.h"

#include "birthday/DateLimits.h"
#include "birthday/QuickDateEdit.h"
#include "shell/DialogParts.h"
#include "foundation/FileIO.h"
#include "foundation/HTMLHelp.h"
#include "foundation/RecordFormat.h"
#include "shell/Workspace.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace natalory {
namespace {

QLineEdit* NamedEdit(const char* name, const QString& tip, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    return edit;
}

QPushButton* NamedButton(const char* name, const QString& caption, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

frmGetInfo::frmGetInfo(AppState& state, Services& services, Workspace& workspace, QWidget* parent)
    : QDialog(parent),
      state_(state),
      services_(services),
      workspace_(workspace),
      lastYear_(LastYearAvailable(state.ProgramFolder)) {
    setObjectName(QStringLiteral("frmGetInfo"));
    setWindowTitle(QStringLiteral("Print Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    txtFname = NamedEdit("txtFname", QStringLiteral("Enter The Birthday Person's First Name Here"), this);
    txtLname = NamedEdit("txtLname", QStringLiteral("Enter The Birthday Person's Last Name Here"), this);

    calCalendar = new QCalendarWidget(this);
    calCalendar->setObjectName(QStringLiteral("calCalendar"));
    calCalendar->setToolTip(QStringLiteral("Select Day And Month Of Birth Date"));
    calCalendar->setDateRange(QDate(kFirstYear, 1, 1), QDate(lastYear_, 12, 31));
    calCalendar->setFirstDayOfWeek(Qt::Sunday);
    calCalendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calCalendar->setGridVisible(true);

    lstYear = new QListWidget(this);
    lstYear->setObjectName(QStringLiteral("lstYear"));
    lstYear->setToolTip(QStringLiteral("Select A Year"));
    for (int y = kFirstYear; y <= lastYear_; ++y) lstYear->addItem(QString::number(y));
    lstYear->setFixedWidth(72);

    ctQuickDate = new QuickDateEdit(this);
    ctQuickDate->setObjectName(QStringLiteral("ctQuickDate"));
    ctQuickDate->setToolTip(QStringLiteral("Select A Birth Date - Always Use A 4 Digit Year"));
    ctQuickDate->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    ctQuickDate->setCalendarPopup(true);
    // Any year may be typed; leaving the box or printing says what is allowed.
    ctQuickDate->setDateRange(QDate(1000, 1, 1), QDate(9999, 12, 31));
    ctQuickDate->setDate(kDropDownDate);
    ctQuickDate->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);

    frmQuick = new QGroupBox(this);
    frmQuick->setObjectName(QStringLiteral("frmQuick"));
    cmdPrint =
        NamedButton("cmdPrint", QStringLiteral("&Print"), QStringLiteral("Print This Birthday"), frmQuick);
    cmdDoneQuick =
        NamedButton("cmdDoneQuick", QStringLiteral("D&one"), QStringLiteral("Close This Screen"), frmQuick);
    cmdDone = NamedButton("cmdDone", QStringLiteral("&Done"),
                          QStringLiteral("Go To Print Designer For Customizing Or Printing"), this);
    cmdCancel =
        NamedButton("cmdCancel", QStringLiteral("&Cancel"), QStringLiteral("Close This Screen"), this);

    optCloseLook = new QRadioButton(QStringLiteral("Preview/Print Desi&gner"), this);
    optCloseLook->setObjectName(QStringLiteral("optCloseLook"));
    optFastPrint = new QRadioButton(QStringLiteral("&Quick Printing"), this);
    optFastPrint->setObjectName(QStringLiteral("optFastPrint"));

    cmbPrintType = new QComboBox(this);
    cmbPrintType->setObjectName(QStringLiteral("cmbPrintType"));
    cmbPrintType->setToolTip(QStringLiteral("Style To Use"));
    cmbPrintType->addItems({"Birthday Times", "Classy", "Blank Page", "Template..."});

    frmCustomTempPath = new QGroupBox(QStringLiteral("Template Path:"), this);
    frmCustomTempPath->setObjectName(QStringLiteral("frmCustomTempPath"));
    txtCustomStyle = NamedEdit("txtCustomStyle", {}, frmCustomTempPath);
    cmdBrowseStyles = NamedButton("cmdBrowseStyles", QStringLiteral("Choose &Template..."),
                                  QStringLiteral("Choose A Template File To Use"), frmCustomTempPath);

    txtParentsName = NamedEdit("txtParentsName", {}, this);
    txtLbs = NamedEdit("txtLbs", {}, this);
    txtOzs = NamedEdit("txtOzs", {}, this);
    txtInches = NamedEdit("txtInches", {}, this);
    for (QLineEdit* small : {txtLbs, txtOzs, txtInches}) small->setMaximumWidth(48);
    txtCustomStyle->setMinimumWidth(180);

    // Layout, in rows that line up across the two columns: the names beside the mode;
    // the date (the calendar, or the quick-printing box) beside the style; the
    // newborn's details under both. Each mode then leaves no empty room behind.
    auto* names = new QFormLayout;
    names->addRow(QStringLiteral("&First Name:"), txtFname);
    names->addRow(QStringLiteral("&Last Name:"), txtLname);

    auto* designer = new QHBoxLayout;
    designer->addWidget(calCalendar, 1);
    designer->addWidget(lstYear);

    auto* quick = new QGridLayout(frmQuick);
    quick->addWidget(BuddyLabel(QStringLiteral("&Birth Date:"), ctQuickDate, frmQuick), 0, 0);
    quick->addWidget(ctQuickDate, 0, 1, 1, 2);
    quick->addWidget(cmdPrint, 1, 1);
    quick->addWidget(cmdDoneQuick, 1, 2);
    ctQuickDate->setParent(frmQuick);

    auto* modes = new QGroupBox(QStringLiteral("Mode"), this);
    auto* modeLayout = new QVBoxLayout(modes);
    modeLayout->addWidget(optCloseLook);
    modeLayout->addWidget(optFastPrint);

    auto* style = new QFormLayout;
    style->addRow(QStringLiteral("&Style:"), cmbPrintType);
    auto* pathLayout = new QHBoxLayout(frmCustomTempPath);
    pathLayout->addWidget(txtCustomStyle, 1);
    pathLayout->addWidget(cmdBrowseStyles);

    auto* newborn = new QGroupBox(QStringLiteral("Newborn"), this);
    auto* newbornLayout = new QGridLayout(newborn);
    newbornLayout->addWidget(BuddyLabel(QStringLiteral("P&arent's Name(s):"), txtParentsName, newborn), 0, 0);
    newbornLayout->addWidget(txtParentsName, 0, 1, 1, 7);
    newbornLayout->addWidget(BuddyLabel(QStringLiteral("&Weight:"), txtLbs, newborn), 1, 0);
    newbornLayout->addWidget(txtLbs, 1, 1);
    newbornLayout->addWidget(new QLabel(QStringLiteral("lbs."), newborn), 1, 2);
    newbornLayout->addWidget(txtOzs, 1, 3);
    newbornLayout->addWidget(new QLabel(QStringLiteral("oz."), newborn), 1, 4);
    newbornLayout->addWidget(BuddyLabel(QStringLiteral("Le&ngth (in.):"), txtInches, newborn), 1, 5);
    newbornLayout->addWidget(txtInches, 1, 6);
    newbornLayout->setColumnStretch(7, 1);

    auto* date = new QVBoxLayout;
    date->addWidget(frmQuick);
    date->addLayout(designer, 1);
    auto* styleColumn = new QVBoxLayout;
    styleColumn->addLayout(style);
    styleColumn->addWidget(frmCustomTempPath);
    styleColumn->addStretch(1);

    auto* body = new QGridLayout;
    body->addLayout(names, 0, 0);
    body->addWidget(modes, 0, 1);
    body->addLayout(date, 1, 0);
    body->addLayout(styleColumn, 1, 1);
    body->addWidget(newborn, 2, 0, 1, 2);
    body->setColumnStretch(0, 3);
    body->setColumnStretch(1, 2);
    body->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdCancel);

    // What a screen reader says for the inputs whose label does not name them alone.
    calCalendar->setAccessibleName(QStringLiteral("Day and month of birth"));
    lstYear->setAccessibleName(QStringLiteral("Year of birth"));
    txtLbs->setAccessibleName(QStringLiteral("Weight, lbs."));
    txtOzs->setAccessibleName(QStringLiteral("Weight, oz."));
    txtCustomStyle->setAccessibleName(QStringLiteral("Template path"));
    // Tab goes through the dialog as it is read: the names, the date, the buttons that finish
    // it, then the choices beside and below.
    SetTabOrder({txtFname, txtLname, calCalendar, lstYear, ctQuickDate, cmdPrint, cmdDoneQuick, cmdDone,
                 cmdCancel, optCloseLook, optFastPrint, cmbPrintType, txtCustomStyle, cmdBrowseStyles,
                 txtParentsName, txtLbs, txtOzs, txtInches});

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(body, 1);
    outer->addLayout(buttons);

    connect(cmbPrintType, &QComboBox::activated, this, &frmGetInfo::cmbPrintType_Click);
    connect(cmdBrowseStyles, &QPushButton::clicked, this, &frmGetInfo::cmdBrowseStyles_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGetInfo::cmdCancel_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmGetInfo::cmdDone_Click);
    connect(cmdDoneQuick, &QPushButton::clicked, this, &frmGetInfo::cmdDoneQuick_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmGetInfo::cmdPrint_Click);
    connect(calCalendar, &QCalendarWidget::currentPageChanged, this, &frmGetInfo::calCalendar_ButtonClick);
    connect(calCalendar, &QCalendarWidget::selectionChanged, this, &frmGetInfo::calCalendar_DateChange);
    connect(lstYear, &QListWidget::currentRowChanged, this, &frmGetInfo::lstYear_Click);
    connect(optCloseLook, &QRadioButton::clicked, this, &frmGetInfo::optCloseLook_Click);
    connect(optFastPrint, &QRadioButton::clicked, this, &frmGetInfo::optFastPrint_Click);
    connect(txtFname, &QLineEdit::textEdited, this, &frmGetInfo::txtFname_KeyUp);
    // A shortcut of the window: the date box and the calendar keep their keys to themselves.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { ShowHelpTopic(state_.ProgramFolder, services_.help, hcBirthdayDialog); });
    for (QObject* o :
         {static_cast<QObject*>(txtFname), static_cast<QObject*>(txtLname),
          static_cast<QObject*>(ctQuickDate), static_cast<QObject*>(ctQuickDate->calendarWidget())})
        o->installEventFilter(this);
}

void frmGetInfo::tell(const QString& message, const QString& title) {
    services_.prompt.ask(message, title, PromptButtons::Ok, PromptIcon::None);
}

bool frmGetInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == txtFname || watched == txtLname)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut && watched == ctQuickDate) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        // Opening the box's own calendar is not leaving it.
        if (focus->reason() != Qt::PopupFocusReason) ctQuickDate_LostFocus();
    } else if (event->type() == QEvent::Show && watched == ctQuickDate->calendarWidget()) {
        ctQuickDate_ClickDrop();
    }
    return QDialog::eventFilter(watched, event);
}

void frmGetInfo::SetCal() {
    lstYear->setCurrentRow(1999 - kFirstYear);
    lstYear->scrollToItem(lstYear->currentItem(), QAbstractItemView::PositionAtCenter);
}

void frmGetInfo::setCalendarYear(int year) {
    const QDate d = calCalendar->selectedDate();
    // February 29 becomes February 28 in a year without it.
    QDate target(year, d.month(), 1);
    target = target.addDays(std::min(d.day(), target.daysInMonth()) - 1);
    calCalendar->setSelectedDate(target);
}

void frmGetInfo::selectStyle(int index) {
    cmbPrintType->setCurrentIndex(index);
    cmbPrintType_Click();
}

void frmGetInfo::selectMode(bool quick) {
    if (quick) {
        optFastPrint->setChecked(true);
        optFastPrint_Click();
    } else {
        optCloseLook->setChecked(true);
        optCloseLook_Click();
    }
}

void frmGetInfo::cmbPrintType_Click() {
    const int index = cmbPrintType->currentIndex();
    const bool template_ = index == ptUserTemplate;
    if (!template_) txtCustomStyle->clear();
    txtCustomStyle->setEnabled(template_);
    cmdBrowseStyles->setEnabled(template_);
    state_.birthday.PrintType = index;
}

void frmGetInfo::cmdBrowseStyles_Click() {
    FileRequest request;
    request.title = QStringLiteral("Choose A Template");
    request.filter = QStringLiteral("Templates (*.als)");
    request.folder = state_.settings.LastTemplateFolder.isEmpty() ? state_.ProgramFolder
                                                                  : state_.settings.LastTemplateFolder;
    request.defaultSuffix = QStringLiteral("als");
    const std::optional<QString> chosen = services_.files.openFile(request);
    if (!chosen) return;
    txtCustomStyle->setText(*chosen);
    // Reading its first field proves the file can be read.
    RecordError error;
    auto reader = RecordReader::open(*chosen, &error);
    QString first;
    if (!reader || !reader->readText(first)) return;
    state_.settings.LastTemplateFolder = QFileInfo(*chosen).absolutePath() + u'/';
}

void frmGetInfo::cmdCancel_Click() {
    if (buildMode == BuildMode::LoadTemplate) workspace_.HideDocumentTools();
    close();
}

void frmGetInfo::cmdDone_Click() {
    PrepareBirthday();
}

void frmGetInfo::cmdDoneQuick_Click() {
    hide();
}

bool frmGetInfo::PrepareBirthday() {
    // A print of the user's own template needs its file: asked for before anything is built.
    if (buildMode == BuildMode::LoadTemplate && state_.birthday.PrintType == ptUserTemplate &&
        txtCustomStyle->text().trimmed().isEmpty()) {
        cmdBrowseStyles_Click();
        if (txtCustomStyle->text().trimmed().isEmpty()) return false;
    }
    state_.birthday.CustomTemplatePath = txtCustomStyle->text();
    state_.birthday.ParentsName = txtParentsName->text();
    const QDate date = calCalendar->selectedDate();
    // A new print starts unchanged; a refresh of an open print's texts keeps its edits' mark.
    const bool changedBefore = state_.TemplateChanged;
    if (!workspace_.SetBirthday(buildMode, date, txtFname->text(), txtLname->text())) return false;
    if (state_.settings.QuickPrinting)
        txtFname->setFocus();
    else
        close();
    state_.TemplateChanged = buildMode == BuildMode::LoadTemplate ? false : changedBefore;
    return true;
}

void frmGetInfo::cmdPrint_Click() {
    const DateCheck check = CheckQuickPrintDate(ctQuickDate->text(), lastYear_);
    if (!check.accepted) {
        if (!check.message.isEmpty()) tell(check.message, check.title);
        if (check.resetTo) ctQuickDate->setDate(*check.resetTo);
        return;
    }
    calCalendar->setSelectedDate(ParseDateBoxText(ctQuickDate->text()));
    state_.TemplateChanged = false;
    if (!PrepareBirthday()) return;
    workspace_.PrintCanvas();
    workspace_.HideCanvas();
    workspace_.CloseDocument();
    txtFname->setFocus();
}

void frmGetInfo::ctQuickDate_ClickDrop() {
    ctQuickDate->setDate(kDropDownDate);
    ctQuickDate->calendarWidget()->setSelectedDate(kDropDownDate);
}

void frmGetInfo::ctQuickDate_LostFocus() {
    const QDate date = ParseDateBoxText(ctQuickDate->text());
    const DateCheck check = CheckDateBoxOnLeave(date, lastYear_);
    if (!check.message.isEmpty()) tell(check.message, check.title);
    if (check.resetTo)
        ctQuickDate->setDate(*check.resetTo);
    else if (check.accepted)
        calCalendar->setSelectedDate(date);
}

void frmGetInfo::calCalendar_ButtonClick(int year, int month) {
    if (year > lastYear_) calCalendar->setCurrentPage(lastYear_, month);
}

void frmGetInfo::calCalendar_DateChange() {
    const int year = calCalendar->selectedDate().year();
    const QSignalBlocker block(lstYear);
    lstYear->setCurrentRow(year > lastYear_ ? lastYear_ - kFirstYear : std::max(0, year - kFirstYear));
}

void frmGetInfo::lstYear_Click() {
    if (QListWidgetItem* item = lstYear->currentItem()) setCalendarYear(item->text().toInt());
}

void frmGetInfo::optCloseLook_Click() {
    calCalendar->show();
    lstYear->show();
    cmdCancel->show();
    cmdDone->show();
    frmQuick->hide();
    state_.settings.QuickPrinting = false;
    cmdPrint->setDefault(false);
    cmdDone->setDefault(true);
    fitToMode();
    if (isVisible()) txtFname->setFocus();
}

void frmGetInfo::optFastPrint_Click() {
    calCalendar->hide();
    lstYear->hide();
    cmdCancel->hide();
    cmdDone->hide();
    frmQuick->show();
    state_.settings.QuickPrinting = true;
    cmdDone->setDefault(false);
    cmdPrint->setDefault(true);
    fitToMode();
    if (isVisible()) txtFname->setFocus();
}

void frmGetInfo::fitToMode() {
    // The dialog takes the size of the mode's own controls: no empty place is left
    // where the other mode's controls were.
    layout()->invalidate();
    adjustSize();
}

void frmGetInfo::txtFname_KeyUp() {
    if (txtFname->text().size() != 1) return;
    txtFname->setText(txtFname->text().toUpper());
    txtFname->setCursorPosition(1);
}

}  // namespace natalory
