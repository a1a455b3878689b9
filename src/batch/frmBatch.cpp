#include "batch/frmBatch.h"

#include "batch/BatchFile.h"
#include "batch/BatchPdf.h"
#include "batch/BatchRun.h"
#include "batch/BatchWorkers.h"
#include "birthday/DateLimits.h"
#include "output/SystemPrinter.h"
#include "shell/DialogParts.h"
#include "foundation/HTMLHelp.h"
#include "shell/QtSeams.h"
#include "foundation/RecentFiles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

namespace natalory {
namespace {

constexpr auto kCaption = "Process A Batch File";
constexpr auto kFileFilter = "Natalory Batch (*.alb);;Text Files (*.txt);;CSV Files (*.csv)";
constexpr auto kNoFile = "none";
constexpr auto kBadDateTitle = "Error in Batch File";
constexpr auto kFileModeTitle = "Batch File Mode";
constexpr auto kFileModeMessage = "Natalory either could not find the file, or there is an error in it.";
constexpr auto kStartZero = "Starting Birthday cannot be zero.";
constexpr auto kStartHigh = "Starting birthday cannot be higher than the stopping birthday.";
constexpr auto kStopZero = "Stopping birthday cannot be zero.";
constexpr auto kStopLow = "Stopping birthday must be higher or equal to the starting birthday.";
constexpr auto kCanceled = "Batch Canceled";
constexpr auto kCanceledTitle = "Batch Mode";
constexpr auto kDoneTitle = "Batch Processing Complete";
constexpr auto kRunError = "There was an error processing the batch file. Err #: ";

// "1,234" as the dialog shows counts and record numbers.
QString Grouped(int n) {
    return QLocale().toString(n);
}

// A box's number, a thousands separator allowed; nothing when it holds none.
std::optional<int> NumberIn(const QLineEdit* box) {
    bool ok = false;
    int n = QLocale().toInt(box->text().trimmed(), &ok);
    if (!ok) n = box->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// The error numbers a file that changed after it was chosen is reported with.
BatchFailure RunFailureOf(const BatchFileError& e) {
    switch (e.kind) {
        case BatchFileError::Kind::CannotRead:
            return {53, QStringLiteral("File not found: ") + QDir::toNativeSeparators(e.file), false};
        case BatchFileError::Kind::InvalidDate:
        case BatchFileError::Kind::DateOutOfRange:
            return {13, QStringLiteral("Type mismatch on line %1").arg(e.line), false};
        case BatchFileError::Kind::Incomplete:
            return {62, QStringLiteral("Input past end of file"), false};
        case BatchFileError::Kind::NotText:
            return {13, QStringLiteral("Type mismatch on line %1").arg(e.line), false};
    }
    return {};
}

}  // namespace

// The window's side of a run: texts, bar, and the Cancel button heard between records.
class frmBatch::Progress final : public BatchProgress {
  public:
    explicit Progress(frmBatch& form) : f_(form) {}
    void started(int maximum) override {
        f_.prgBar->setRange(0, maximum);
        f_.prgBar->setValue(0);
        f_.prgBar->setVisible(true);
        f_.lblInform->setVisible(true);
    }
    void printing(int number, int percent) override {
        f_.lblInform->setText(QStringLiteral("Printing Birthday Number ") + Grouped(number));
        f_.lblPercentDone->setText(QString::number(percent) + QStringLiteral("% Done"));
        QCoreApplication::processEvents();
    }
    void printed(int count) override {
        f_.prgBar->setValue(count);
        if (f_.countChanged_) f_.countChanged_();
        QCoreApplication::processEvents();
    }
    bool cancelRequested() override {
        QCoreApplication::processEvents();
        if (!f_.BatchCancelRequested) return false;
        f_.BatchCancelRequested = false;
        f_.services_.prompt.ask(QString::fromLatin1(kCanceled), QString::fromLatin1(kCanceledTitle),
                                PromptButtons::Ok, PromptIcon::Information);
        return true;
    }

  private:
    frmBatch& f_;
};

frmBatch::frmBatch(AppState& state, Services& services, std::function<void()> countChanged, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), countChanged_(std::move(countChanged)) {
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(QString::fromLatin1(kCaption));
    state_.BatchInProgress = true;
    jobs = QThread::idealThreadCount();
    workerProgram = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("natalory-print"));
    findPrinter = [this](const QString& name, QString* why) -> std::unique_ptr<PrinterTarget> {
        auto printer = SystemPrinter::Find(name, why);
        if (printer) printer->setOptions(state_.PrinterOptions);
        return printer;
    };

    fraBatchFile = new QGroupBox(QStringLiteral("Batch File To Process:"), this);
    txtBdayFile = new QLineEdit(QString::fromLatin1(kNoFile), fraBatchFile);
    txtBdayFile->setObjectName(QStringLiteral("txtBdayFile"));
    txtBdayFile->setReadOnly(true);
    // Only a path to read: the first key press belongs to Browse.
    txtBdayFile->setFocusPolicy(Qt::ClickFocus);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse..."), fraBatchFile);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setToolTip(QStringLiteral("Click Here To Select A Batch File"));
    auto* fileRow = new QHBoxLayout(fraBatchFile);
    fileRow->addWidget(txtBdayFile, 1);
    fileRow->addWidget(cmdBrowse);

    lblTotalBdays = new QLabel(QStringLiteral("0"), this);
    lblTotalBdays->setObjectName(QStringLiteral("lblTotalBdays"));
    txtStart = new QLineEdit(QStringLiteral("1"), this);
    txtStart->setObjectName(QStringLiteral("txtStart"));
    txtStop = new QLineEdit(QStringLiteral("1"), this);
    txtStop->setObjectName(QStringLiteral("txtStop"));
    for (QLineEdit* box : {txtStart, txtStop}) box->setMaximumWidth(90);

    optPrinter = new QRadioButton(QStringLiteral("printer"), this);
    optPrinter->setObjectName(QStringLiteral("optPrinter"));
    optPrinter->setToolTip(
        QStringLiteral("One print for each birthday on the printer chosen in Print Setup"));
    optPrinter->setChecked(true);
    optPdf = new QRadioButton(QStringLiteral("PDF file…"), this);
    optPdf->setObjectName(QStringLiteral("optPdf"));
    optPdf->setToolTip(QStringLiteral("Every print as a page of one PDF file, chosen when you start"));

    cmdStart = new QPushButton(QStringLiteral("&Start"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setToolTip(QStringLiteral("Starts Printing The Batch File"));
    cmdCancel = new QPushButton(QStringLiteral("&Close"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(QStringLiteral("Close This Screen"));

    prgBar = new QProgressBar(this);
    prgBar->setObjectName(QStringLiteral("prgBar"));
    prgBar->setTextVisible(false);
    lblInform = new QLabel(this);
    lblInform->setObjectName(QStringLiteral("lblInform"));
    lblPercentDone = new QLabel(this);
    lblPercentDone->setObjectName(QStringLiteral("lblPercentDone"));
    lblPercentDone->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Total Number Of Birthdays In File:"), this), 0, 0);
    grid->addWidget(lblTotalBdays, 0, 1, 1, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("Sta&rt:"), txtStart, this), 1, 0);
    grid->addWidget(txtStart, 1, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("Sto&p:"), txtStop, this), 1, 2, Qt::AlignRight);
    grid->addWidget(txtStop, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Print to:"), this), 2, 0);
    auto* destination = new QHBoxLayout;
    destination->addWidget(optPrinter);
    destination->addWidget(optPdf);
    destination->addStretch(1);
    grid->addLayout(destination, 2, 1, 1, 3);
    grid->setColumnStretch(4, 1);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(lblInform, 1);
    progressRow->addWidget(lblPercentDone);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraBatchFile);
    layout->addLayout(grid);
    layout->addWidget(prgBar);
    layout->addLayout(progressRow);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(460, 270);

    prgBar->setVisible(false);
    lblInform->setVisible(false);
    // The bar's room is kept while it is hidden, so the window does not jump when a run starts.
    for (QWidget* w : {static_cast<QWidget*>(prgBar), static_cast<QWidget*>(lblInform)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
    }
    NoGoBatch();
    cmdBrowse->setFocus();

    connect(cmdBrowse, &QPushButton::clicked, this, &frmBatch::cmdBrowse_Click);
    connect(cmdStart, &QPushButton::clicked, this, &frmBatch::cmdStart_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBatch::cmdCancel_Click);
    connect(txtStart, &QLineEdit::textEdited, this, &frmBatch::txtStart_Change);
}

frmBatch::~frmBatch() {
    state_.BatchInProgress = false;
}

void frmBatch::GoBatch() {
    for (QWidget* w :
         {static_cast<QWidget*>(cmdStart), static_cast<QWidget*>(txtStart), static_cast<QWidget*>(txtStop)})
        w->setEnabled(true);
}

void frmBatch::NoGoBatch() {
    for (QWidget* w :
         {static_cast<QWidget*>(cmdStart), static_cast<QWidget*>(txtStart), static_cast<QWidget*>(txtStop)})
        w->setEnabled(false);
}

void frmBatch::showFileError(const BatchFileError& e) {
    if (e.kind == BatchFileError::Kind::InvalidDate || e.kind == BatchFileError::Kind::DateOutOfRange) {
        const QString text =
            QStringLiteral("Natalory cannot process this file, probably because of an invalid date.\r\n") +
            QStringLiteral("The record appears to be on line ") + QString::number(e.line) +
            QStringLiteral(".\r\n") + QStringLiteral("The record probably looks like this: ") +
            e.fields.value(0) + u' ' + e.fields.value(1) + u' ' + e.fields.value(2) + QStringLiteral("\r\n") +
            QStringLiteral("The path is: ") + QDir::toNativeSeparators(e.file) + QStringLiteral("\r\n") +
            QStringLiteral("Birth dates are read as ") + AcceptedDateForms() + u'.';
        services_.prompt.ask(text, QString::fromLatin1(kBadDateTitle), PromptButtons::Ok,
                             PromptIcon::Exclamation);
        return;
    }
    QString text = QString::fromLatin1(kFileModeMessage);
    if (e.kind == BatchFileError::Kind::NotText)
        text += QStringLiteral("\r\nLine %1: %2").arg(e.line).arg(e.reason);
    services_.prompt.ask(text, QString::fromLatin1(kFileModeTitle), PromptButtons::Ok,
                         PromptIcon::Exclamation);
}

void frmBatch::cmdBrowse_Click() {
    FileRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QString::fromLatin1(kFileFilter);
    request.folder = state_.ProgramFolder;
    request.fileName = QStringLiteral("*.alb");
    const std::optional<QString> chosen = services_.files.openFile(request);
    if (chosen) OpenBatchFile(*chosen);
}

void frmBatch::OpenBatchFile(const QString& path) {
    const BatchFileResult read = ReadBatchFile(path, LastYearAvailable(state_.ProgramFolder));
    if (const auto* error = std::get_if<BatchFileError>(&read)) {
        showFileError(*error);
        return;
    }
    RememberRecentFile(state_, path);
    totalCount_ = int(std::get<BatchFileContents>(read).records.size());
    lblTotalBdays->setText(Grouped(totalCount_));
    // Both boxes are filled before either is checked: the old stop number says nothing about this file.
    txtStart->setText(QStringLiteral("1"));
    txtStop->setText(Grouped(totalCount_));
    txtBdayFile->setText(path);
    // A long path shows its file name.
    txtBdayFile->setCursorPosition(int(path.size()));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        NoGoBatch();
    else {
        GoBatch();
        cmdStart->setFocus();
    }
}

void frmBatch::txtStart_Change() {
    const std::optional<int> start = NumberIn(txtStart);
    const std::optional<int> stop = NumberIn(txtStop);
    // A box being typed into may hold no number yet.
    if (!start) return;
    QString message;
    if (*start == 0)
        message = QString::fromLatin1(kStartZero);
    else if (stop && *start > *stop)
        message = QString::fromLatin1(kStartHigh);
    if (message.isEmpty()) return;
    services_.prompt.ask(message, {}, PromptButtons::Ok, PromptIcon::Exclamation);
    txtStart->setText(QStringLiteral("1"));
}

void frmBatch::cmdStart_Click() {
    if (running_) return;
    const int start = NumberIn(txtStart).value_or(0);
    const int stop = NumberIn(txtStop).value_or(0);
    QString message;
    if (stop <= 0)
        message = QString::fromLatin1(kStopZero);
    else if (stop < start)
        message = QString::fromLatin1(kStopLow);
    if (!message.isEmpty()) {
        services_.prompt.ask(message, {}, PromptButtons::Ok, PromptIcon::Exclamation);
        txtStop->setText(QString::number(totalCount_));
        return;
    }
    if (start <= 0) {
        services_.prompt.ask(QString::fromLatin1(kStartZero), {}, PromptButtons::Ok, PromptIcon::Exclamation);
        txtStart->setText(QStringLiteral("1"));
        return;
    }
    cmdCancel->setText(QStringLiteral("&Cancel"));
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        // Its questions and messages from now on open above it, not behind.
        setProperty(kOwnsDialogsProperty, true);
        show();
        activateWindow();
    }
    BatchRun(start, stop);
    cmdCancel->setText(QStringLiteral("&Close"));
}

void frmBatch::BatchRun(int start, int stop) {
    state_.settings.QuickPrinting = false;
    std::unique_ptr<BatchPdf> pdf;
    std::unique_ptr<PrinterTarget> printer;
    PrinterTarget* target = nullptr;
    if (optPdf->isChecked()) {
        FileRequest request;
        request.title = QStringLiteral("Save As");
        request.filter = QStringLiteral("PDF Document (*.pdf)");
        request.folder = QFileInfo(txtBdayFile->text()).path();
        request.fileName = QFileInfo(txtBdayFile->text()).completeBaseName() + QStringLiteral(".pdf");
        request.defaultSuffix = QStringLiteral("pdf");
        const std::optional<QString> path = services_.files.saveFile(request);
        if (!path) return;
        pdf = std::make_unique<BatchPdf>(*path, QFileInfo(txtBdayFile->text()).completeBaseName());
        target = pdf.get();
    } else {
        QString why;
        printer = findPrinter(state_.PrinterName, &why);
        target = printer.get();  // none: the first print says there is no printer
    }

    running_ = true;
    NoGoBatch();
    cmdBrowse->setEnabled(false);
    for (QRadioButton* o : {optPrinter, optPdf}) o->setEnabled(false);
    BatchOutcome outcome;
    const BatchFileResult read = ReadBatchFile(txtBdayFile->text(), LastYearAvailable(state_.ProgramFolder));
    if (const auto* error = std::get_if<BatchFileError>(&read)) {
        outcome.failure = RunFailureOf(*error);
    } else if (pdf &&
               RunWorkers(start, stop, std::get<BatchFileContents>(read).records, pdf->path(), outcome)) {
        // A cancelled run on every core writes no file: there is nothing to announce.
        if (outcome.cancelled) {
            endRun();
            return;
        }
    } else {
        Progress progress(*this);
        BatchPrinter printing(state_, PrintServices{services_.prompt, services_.clock, target});
        outcome =
            natalory::BatchRun(std::get<BatchFileContents>(read).records, start, stop, printing, progress);
        QString writeError;
        if (pdf && !outcome.failure && !pdf->finish(&writeError))
            outcome.failure = BatchFailure{75, writeError, false};
        if (!outcome.failure) printing.commitPrints();
    }

    if (outcome.failure) {
        if (!outcome.failure->alreadyTold)
            services_.prompt.ask(QString::fromLatin1(kRunError) + QString::number(outcome.failure->number) +
                                     QStringLiteral(" Des: ") + outcome.failure->description,
                                 {}, PromptButtons::Ok, PromptIcon::Exclamation);
    } else {
        const QString text = pdf ? QStringLiteral("Natalory has finished writing %1 Birthday Prints to %2.")
                                       .arg(outcome.printed)
                                       .arg(QDir::toNativeSeparators(pdf->path()))
                                 : QStringLiteral("Natalory has finished sending ") +
                                       QString::number(outcome.printed) +
                                       QStringLiteral(" Birthday Prints to the Windows Print Manager.");
        services_.prompt.ask(text, QString::fromLatin1(kDoneTitle), PromptButtons::Ok,
                             PromptIcon::Information);
    }
    endRun();
}

bool frmBatch::RunWorkers(int start, int stop, const std::vector<BatchRecord>& records, const QString& pdf,
                          BatchOutcome& outcome) {
    stop = std::min(stop, int(records.size()));
    if (start > stop || BatchWorkerCount(jobs, stop - start + 1) < 2 ||
        !QFileInfo(workerProgram).isExecutable())
        return false;
    WorkerBatch batch;
    batch.program = workerProgram;
    batch.arguments = QStringList{QStringLiteral("--app-dir"), state_.ProgramFolder,
                                  QStringLiteral("--as-of"), services_.clock.today().toString(Qt::ISODate)};
    batch.batchFile = txtBdayFile->text();
    batch.settings = state_.settings;
    batch.jobs = jobs;
    Progress progress(*this);
    const WorkerOutcome made = RunBatchWorkers(batch, start, stop, pdf, progress, services_.clock);
    outcome = made.batch;
    if (!made.writeError.isEmpty()) outcome.failure = BatchFailure{75, made.writeError, false};
    if (outcome.failure || outcome.cancelled) return true;
    BatchPrinter printing(state_, PrintServices{services_.prompt, services_.clock, nullptr});
    CommitWorkerPrints(printing, records, start, made);
    if (countChanged_) countChanged_();
    return true;
}

void frmBatch::endRun() {
    running_ = false;
    prgBar->setVisible(false);
    lblInform->setVisible(false);
    lblPercentDone->clear();
    cmdBrowse->setEnabled(true);
    for (QRadioButton* o : {optPrinter, optPdf}) o->setEnabled(true);
    if (QFileInfo(txtBdayFile->text()).isFile()) GoBatch();
}

void frmBatch::cmdCancel_Click() {
    if (running_) {
        BatchCancelRequested = true;
        return;
    }
    close();
}

void frmBatch::reject() {
    // Esc during a run is the Cancel button; otherwise it closes the window.
    if (running_)
        BatchCancelRequested = true;
    else
        QDialog::reject();
}

void frmBatch::closeEvent(QCloseEvent* event) {
    // The close box during a run stops the run after the record that is printing, and keeps the window.
    if (running_) {
        BatchCancelRequested = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmBatch::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ShowHelpTopic(state_.ProgramFolder, services_.help, hcBatch);
    QDialog::keyReleaseEvent(event);
}

}  // namespace natalory
