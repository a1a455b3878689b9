#include "prefs/frmOptions.h"

#include "batch/PrintLog.h"
#include "prefs/OptionsLogic.h"
#include "shell/DialogParts.h"
#include "foundation/HTMLHelp.h"
#include "foundation/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace natalory {
namespace {

QRadioButton* Option(const char* name, const char* caption, QWidget* parent, QLayout* layout) {
    auto* o = new QRadioButton(QString::fromLatin1(caption), parent);
    o->setObjectName(QString::fromLatin1(name));
    layout->addWidget(o);
    return o;
}

}  // namespace

frmOptions::frmOptions(AppState& state, Services& services, Hooks hooks, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    auto* style = new QGroupBox(QStringLiteral("Default Style"), this);
    auto* styleLayout = new QVBoxLayout(style);
    optNews = Option("optNews", "&Newspaper", style, styleLayout);
    optStyle1 = Option("optStyle1", "Classy", style, styleLayout);
    optNewBorn = Option("optNewBorn", "Blank Page", style, styleLayout);
    optCustomTemplate = Option("optCustomTemplate", "Use Template", style, styleLayout);
    frmTemplatePath = new QGroupBox(QStringLiteral("Template Path:"), style);
    auto* pathLayout = new QHBoxLayout(frmTemplatePath);
    txtCustomPath = new QLineEdit(frmTemplatePath);
    txtCustomPath->setObjectName(QStringLiteral("txtCustomPath"));
    txtCustomPath->setMinimumWidth(220);
    cmdBrowseForTemplate = new QPushButton(QStringLiteral("Browse..."), frmTemplatePath);
    pathLayout->addWidget(txtCustomPath, 1);
    pathLayout->addWidget(cmdBrowseForTemplate);
    styleLayout->addWidget(frmTemplatePath);

    auto* dates = new QGroupBox(QStringLiteral("Date Calculations"), this);
    auto* datesLayout = new QVBoxLayout(dates);
    optToday = Option("optToday", "Use Today's Date", dates, datesLayout);
    optThisYear = Option("optThisYear", "Use This Year's Birthday", dates, datesLayout);
    optNext = Option("optNext", "Use Next Year's Birthday", dates, datesLayout);
    optLastYear = Option("optLastYear", "Use Last Year's Birthday", dates, datesLayout);

    auto* mode = new QGroupBox(this);
    auto* modeLayout = new QVBoxLayout(mode);
    optPreview = Option("optPreview", "Preview/Print Design", mode, modeLayout);
    optQuick = Option("optQuick", "Quick Printing", mode, modeLayout);
    auto* fonts = new QGroupBox(this);
    auto* fontsLayout = new QVBoxLayout(fonts);
    optPrinter = Option("optPrinter", "Printer Fonts", fonts, fontsLayout);
    optScreen = Option("optScreen", "Screen Fonts", fonts, fontsLayout);

    optAutoFixFonts = new QCheckBox(QStringLiteral("Autosize Fonts"), this);
    optAutoFixFonts->setObjectName(QStringLiteral("optAutoFixFonts"));
    optAutoFixFonts->setToolTip(
        QStringLiteral("If this is checked, Natalory will automatically reduce the size of fonts when words "
                       "are being cut off."));
    chkNewsJustify = new QCheckBox(QStringLiteral("Full Justify News Articles"), this);
    chkNewsJustify->setObjectName(QStringLiteral("chkNewsJustify"));

    auto* logging = new QGroupBox(QStringLiteral("Logging Options"), this);
    auto* loggingLayout = new QVBoxLayout(logging);
    chkLogPrinting = new QCheckBox(QStringLiteral("Log Printouts"), logging);
    chkLogPrinting->setObjectName(QStringLiteral("chkLogPrinting"));
    cmdClearLogCount = new QPushButton(QStringLiteral("Clear Count"), logging);
    cmdClearLogFile = new QPushButton(QStringLiteral("Clear Log"), logging);
    loggingLayout->addWidget(chkLogPrinting);
    auto* logButtons = new QHBoxLayout;
    logButtons->addWidget(cmdClearLogCount);
    logButtons->addWidget(cmdClearLogFile);
    loggingLayout->addLayout(logButtons);

    auto* offsets = new QGroupBox(QStringLiteral("Offset Printing"), this);
    auto* offsetLayout = new QGridLayout(offsets);
    txtOffsetX = new QLineEdit(offsets);
    txtOffsetX->setObjectName(QStringLiteral("txtOffsetX"));
    txtOffsetY = new QLineEdit(offsets);
    txtOffsetY->setObjectName(QStringLiteral("txtOffsetY"));
    int row = 0;
    for (auto [label, box] : {std::pair{"X:", txtOffsetX}, std::pair{"Y:", txtOffsetY}}) {
        box->setMaximumWidth(70);
        box->installEventFilter(this);
        offsetLayout->addWidget(new QLabel(QString::fromLatin1(label), offsets), row, 0);
        offsetLayout->addWidget(box, row, 1);
        offsetLayout->addWidget(new QLabel(QStringLiteral("in."), offsets), row, 2);
        ++row;
    }

    auto* left = new QVBoxLayout;
    left->addWidget(style);
    left->addWidget(dates);
    auto* right = new QVBoxLayout;
    right->addWidget(mode);
    right->addWidget(fonts);
    right->addWidget(optAutoFixFonts);
    right->addWidget(chkNewsJustify);
    right->addWidget(logging);
    right->addWidget(offsets);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right);
    auto* buttons = OkCancelApplyRow(this, cmdOk, cmdCancel, cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdBrowseForTemplate, &QPushButton::clicked, this, &frmOptions::cmdBrowseForTemplate_Click);
    connect(cmdClearLogCount, &QPushButton::clicked, this, &frmOptions::cmdClearLogCount_Click);
    connect(cmdClearLogFile, &QPushButton::clicked, this, &frmOptions::cmdClearLogFile_Click);
    connect(optCustomTemplate, &QRadioButton::clicked, this, &frmOptions::optCustomTemplate_Click);
    for (QRadioButton* o : {optNews, optStyle1, optNewBorn})
        connect(o, &QRadioButton::clicked, this, &frmOptions::TurnOffCustom);
    Form_Load();
}

void frmOptions::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    ReadSettings(state_);
    const Settings& s = state_.settings;
    QRadioButton* dates[] = {optToday, optThisYear, optNext, optLastYear};
    if (s.DateCalcMode >= 0 && s.DateCalcMode <= 3) dates[s.DateCalcMode]->setChecked(true);
    // Selecting a style runs its click handler, as a click would.
    if (const int style = PrintTypeOfStyle(s.DefaultStyle); style >= 0) {
        StyleOptions()[style]->setChecked(true);
        if (style == ptUserTemplate)
            optCustomTemplate_Click();
        else
            TurnOffCustom();
    }
    txtCustomPath->setText(s.DefaultTemplatePath);
    (s.QuickPrinting ? optQuick : optPreview)->setChecked(true);
    optAutoFixFonts->setChecked(s.AutosizeFonts);
    chkNewsJustify->setChecked(s.FullJustifyNews);
    chkLogPrinting->setChecked(s.LogPrintouts);
    (s.UsePrinterFonts ? optPrinter : optScreen)->setChecked(true);
    txtOffsetX->setText(OffsetText(s.PrintOffsetX));
    txtOffsetY->setText(OffsetText(s.PrintOffsetY));
}

void frmOptions::TurnOffCustom() {
    cmdBrowseForTemplate->setEnabled(false);
    frmTemplatePath->setEnabled(false);
    txtCustomPath->setEnabled(false);
    txtCustomPath->clear();
}

void frmOptions::optCustomTemplate_Click() {
    cmdBrowseForTemplate->setEnabled(true);
    frmTemplatePath->setEnabled(true);
    txtCustomPath->setEnabled(true);
}

bool frmOptions::ApplySettings() {
    if (const auto problem = TemplateChoiceProblem(optCustomTemplate->isChecked(), txtCustomPath->text())) {
        services_.prompt.tell(*problem);
        return false;
    }
    Settings s = state_.settings;
    for (int style = ptNewspaper; style <= ptUserTemplate; ++style)
        if (StyleOptions()[style]->isChecked()) s.DefaultStyle = StyleLetter(style);
    s.DateCalcMode = optToday->isChecked()      ? 0
                     : optThisYear->isChecked() ? 1
                     : optNext->isChecked()     ? 2
                     : optLastYear->isChecked() ? 3
                                                : s.DateCalcMode;
    s.QuickPrinting = optQuick->isChecked();
    s.AutosizeFonts = optAutoFixFonts->isChecked();
    s.FullJustifyNews = chkNewsJustify->isChecked();
    s.LogPrintouts = chkLogPrinting->isChecked();
    s.DefaultTemplatePath = txtCustomPath->text();
    s.UsePrinterFonts = optPrinter->isChecked();
    s.PrintOffsetX = OffsetTwips(txtOffsetX->text(), s.PrintOffsetX);
    s.PrintOffsetY = OffsetTwips(txtOffsetY->text(), s.PrintOffsetY);
    QString error;
    // The file is replaced only by a complete new one; the settings in memory change with it.
    if (!WriteSettings(state_, s, &error)) {
        services_.prompt.tell(QStringLiteral("The settings could not be saved: ") + error,
                              QStringLiteral("Disk Error"), PromptIcon::Exclamation);
        return false;
    }
    state_.settings = s;
    state_.birthday.CustomTemplatePath = s.DefaultTemplatePath;
    if (hooks_.listFonts) hooks_.listFonts();
    return true;
}

void frmOptions::cmdOk_Click() {
    if (ApplySettings()) accept();
}

void frmOptions::cmdApply_Click() {
    ApplySettings();
}

void frmOptions::cmdCancel_Click() {
    reject();
}

void frmOptions::cmdBrowseForTemplate_Click() {
    FileRequest request;
    request.title = QStringLiteral("Choose A Template");
    request.filter = QStringLiteral("Templates (*.als)");
    request.folder = state_.ProgramFolder;
    if (const auto chosen = services_.files.openFile(request)) txtCustomPath->setText(*chosen);
}

void frmOptions::cmdClearLogCount_Click() {
    state_.PrintCount = 0;
    if (hooks_.countCleared) hooks_.countCleared();
}

void frmOptions::cmdClearLogFile_Click() {
    if (!QFileInfo::exists(state_.LogFilePath)) return;
    if (AskAndClearPrintLog(state_, services_.prompt) && hooks_.countCleared) hooks_.countCleared();
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && (box == txtOffsetX || box == txtOffsetY)) {
        if (FilterNumberBox(box, event)) return true;
        // A box the user never typed in keeps what it showed, however far out of range.
        if (event->type() == QEvent::FocusOut && box->isModified())
            box->setText(CheckedOffsetText(box->text()));
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ShowHelpTopic(state_.ProgramFolder, services_.help, hcOptions);
    QDialog::keyReleaseEvent(event);
}

}  // namespace natalory
