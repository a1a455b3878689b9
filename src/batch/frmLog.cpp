#include "batch/frmLog.h"

#include "batch/PrintLog.h"
#include "foundation/FileIO.h"
#include "foundation/HTMLHelp.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SaveTarget.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace natalory {

frmLog::frmLog(AppState& state, Services& services, std::function<void()> countCleared, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), countCleared_(std::move(countCleared)) {
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Print Log"));
    lstLog = new QTreeWidget(this);
    lstLog->setObjectName(QStringLiteral("lstLog"));
    lstLog->setAccessibleName(QStringLiteral("Print log"));
    lstLog->setRootIsDecorated(false);
    lstLog->setUniformRowHeights(true);
    lstLog->setAlternatingRowColors(true);
    lstLog->setHeaderLabels({"Date", "Time", "Birthday", "Name", "Style", "Custom Path"});
    lblTotalCount = new QLabel(this);
    lblTotalCount->setToolTip(QStringLiteral("Total Number Of Prints"));
    lblTodayTotal = new QLabel(this);
    lblTodayTotal->setToolTip(QStringLiteral("Prints Made Today"));
    cmdSaveLog = new QPushButton(QStringLiteral("&Save To..."), this);
    cmdSaveLog->setToolTip(QStringLiteral("Save Log File As Different File (Backup)"));
    cmdClearLog = new QPushButton(QStringLiteral("Clear Log"), this);
    cmdClearLog->setToolTip(QStringLiteral("Erase The Log File"));
    cmdDone = new QPushButton(QStringLiteral("&Exit"), this);
    cmdDone->setToolTip(QStringLiteral("Close Log Viewer"));
    cmdDone->setDefault(true);

    auto* totals = new QHBoxLayout;
    totals->addWidget(lblTotalCount);
    totals->addSpacing(24);
    totals->addWidget(lblTodayTotal);
    totals->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveLog);
    buttons->addWidget(cmdClearLog);
    buttons->addStretch(1);
    buttons->addWidget(cmdDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstLog, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);
    resize(860, 460);

    connect(cmdSaveLog, &QPushButton::clicked, this, &frmLog::cmdSaveLog_Click);
    connect(cmdClearLog, &QPushButton::clicked, this, &frmLog::cmdClearLog_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmLog::cmdDone_Click);
}

void frmLog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmLog::showEmptyTotals() {
    lblTodayTotal->setText(QStringLiteral("Today's Total: 0"));
    lblTotalCount->setText(QStringLiteral("Total Prints: 0"));
}

void frmLog::Form_Activate() {
    lstLog->clear();
    if (!QFileInfo::exists(state_.LogFilePath)) {
        showEmptyTotals();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintLogContents log = ReadPrintLog(state_.LogFilePath, services_.clock.today());
    for (const PrintLogRow& r : log.rows)
        new QTreeWidgetItem(lstLog, {r.date, r.time, r.birthday, r.name, r.style, r.customPath});
    lblTotalCount->setText(QStringLiteral("Total Prints: ") + QString::number(log.rows.size()));
    lblTodayTotal->setText(QStringLiteral("Today's Prints: ") + QString::number(log.today));
    for (int c = 0; c < lstLog->columnCount(); ++c) lstLog->resizeColumnToContents(c);
    QApplication::restoreOverrideCursor();
    for (const PrintLogRow& r : log.rows)
        if (!r.dateValid) services_.prompt.tell(r.name);
    if (!log.damagedLines.empty()) {
        QStringList lines;
        for (int line : log.damagedLines) lines << QString::number(line);
        services_.prompt.tell(QString::fromLatin1(kPrintLogDamaged).arg(lines.join(QStringLiteral(", "))));
    }
    if (log.truncated) services_.prompt.tell(QStringLiteral("Log file is corrupted or empty."));
}

void frmLog::cmdClearLog_Click() {
    if (lstLog->topLevelItemCount() == 0) {
        services_.prompt.tell(QStringLiteral("No log to clear."), QStringLiteral("No Log Information"));
        return;
    }
    if (!AskAndClearPrintLog(state_, services_.prompt)) return;
    lstLog->clear();
    if (countCleared_) countCleared_();
    showEmptyTotals();
}

void frmLog::cmdSaveLog_Click() {
    FileRequest request;
    request.title = QStringLiteral("Save Log To");
    request.filter = QStringLiteral("Log File (*.log)");
    request.folder = SaveFolder(state_);
    request.defaultSuffix = QStringLiteral("log");
    const std::optional<QString> target = ChooseSaveTarget(services_, request);
    if (!target) return;
    QString error;
    const auto bytes = ReadFileBytes(state_.LogFilePath, &error);
    // The copy replaces the old file only once it is whole.
    if (!bytes || !WriteFileAtomically(*target, *bytes, &error))
        services_.prompt.tell(QStringLiteral("The print log could not be copied: ") + error,
                              QStringLiteral("Disk Error"), PromptIcon::Exclamation);
}

void frmLog::cmdDone_Click() {
    accept();
}

void frmLog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ShowHelpTopic(state_.ProgramFolder, services_.help, hcPrintLog);
    QDialog::keyReleaseEvent(event);
}

}  // namespace natalory
