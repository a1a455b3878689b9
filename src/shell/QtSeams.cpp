#include "shell/QtSeams.h"

#include "output/SystemPrinter.h"
#include "shell/HelpWindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

namespace natalory {
namespace {

constexpr auto kPrintSetupOk = "OK";
// What a window manager's title bar takes beside the title: its icon and buttons.
constexpr int kTitleBarButtons = 140;

// The window a question or a file dialog belongs to: the modal dialog that asked, else a
// window kept above the others (the batch window during a run: a box parented elsewhere
// would open behind it), else the active window.
QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->property(kOwnsDialogsProperty).toBool()) return w;
    return QApplication::activeWindow();
}

}  // namespace

PromptAnswer QtPrompt::ask(const QString& text, const QString& title, PromptButtons buttons,
                           PromptIcon icon) {
    QMessageBox box(DialogParent());
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
    // A message box is as wide as its text; the title bar would cut a longer title
    // ("Unable To …w Picture."). Room for the title and the title bar's buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(
                                   box.windowTitle()) + kTitleBarButtons;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
    QFileDialog dialog(DialogParent(), r.title, r.folder, r.filter);
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
    const QColor c = QColorDialog::getColor(initial, DialogParent());
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<PrinterChoice> QtPrinterSetupChooser::choosePrinterSetup(const PrinterChoice& current) {
    QPrinter printer;
    if (!current.printerName.isEmpty()) printer.setPrinterName(current.printerName);
    printer.setPageOrientation(current.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    ApplyPrintOptions(printer, current.options);
    QPrintDialog dialog(&printer, DialogParent());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    // The dialog only chooses the printer and the orientation: its button must not promise a print.
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QString::fromLatin1(kPrintSetupOk));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return PrinterChoice{printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1,
                         printer.printerName(), PrintOptionsOf(printer)};
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
    ensureWindow().showPage(helpFile, 0, QApplication::activeModalWidget());
}

void QtHelpViewer::showTopic(const QString& helpFile, const QString& window, int topicId) {
    Q_UNUSED(window);
    ensureWindow().showPage(helpFile, topicId, QApplication::activeModalWidget());
}

}  // namespace natalory
