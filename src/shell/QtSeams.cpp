#include "shell/QtSeams.h"

#include "shell/HelpWindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

namespace natalory {
namespace {

constexpr auto kPrintSetupOk = "OK";

}  // namespace

PromptAnswer QtPrompt::ask(const QString& text, const QString& title, PromptButtons buttons,
                           PromptIcon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(kDefaultMessageTitle) : title);
    switch (icon) {
        case PromptIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case PromptIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case PromptIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case PromptIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case PromptButtons::YesNo:
            // Every Yes/No question of the program guards something that cannot be
            // undone: Enter must not be the way to lose it.
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return buttons == PromptButtons::Ok         ? PromptAnswer::Ok
                   : buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                        : PromptAnswer::Cancel;
    }
}

namespace {

std::optional<QString> RunFileDialog(const FileRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), r.title, r.folder, r.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileChooser::openFile(const FileRequest& r) {
    return RunFileDialog(r, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileChooser::saveFile(const FileRequest& r) {
    return RunFileDialog(r, QFileDialog::AcceptSave);
}

std::optional<QColor> QtColorChooser::chooseColor(const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<PrinterChoice> QtPrinterSetupChooser::choosePrinterSetup(const PrinterChoice& current) {
    QPrinter printer;
    if (!current.printerName.isEmpty()) printer.setPrinterName(current.printerName);
    printer.setPageOrientation(current.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    // The dialog only chooses the printer and the orientation: its button must not promise a print.
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QString::fromLatin1(kPrintSetupOk));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return PrinterChoice{printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1,
                         printer.printerName()};
}

bool QtUrlOpener::openUrl(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

QtHelpViewer::~QtHelpViewer() {
    delete window_.data();
}

HelpWindow& QtHelpViewer::ensureWindow() {
    if (!window_) window_ = new HelpWindow;
    return *window_;
}

void QtHelpViewer::showContents(const QString& helpFile, const QString& window) {
    Q_UNUSED(window);
    ensureWindow().showPage(helpFile, 0);
}

void QtHelpViewer::showTopic(const QString& helpFile, const QString& window, int topicId) {
    Q_UNUSED(window);
    ensureWindow().showPage(helpFile, topicId);
}

}  // namespace natalory
