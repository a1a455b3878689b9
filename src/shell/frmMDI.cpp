#include "shell/frmMDI.h"

#include "batch/frmBatch.h"
#include "birthday/DateLimits.h"
#include "editor/Formatting.h"
#include "foundation/FileIO.h"
#include "foundation/HTMLHelp.h"
#include "foundation/ProgramFolders.h"
#include "foundation/WebLinks.h"
#include "shell/WindowPlacement.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QShortcut>
#include <QStatusBar>

namespace natalory {

frmMDI::frmMDI(AppState& state, Services& services, QWidget* parent)
    : QMainWindow(parent),
      sToolbar(*new ToolbarComponent(this, MainToolCatalogue())),
      stat(new QStatusBar(this)),
      statCoordinates(new QLabel(this)),
      mdiArea(new QMdiArea(this)),
      state_(state),
      services_(services) {
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QStringLiteral("Natalory"));
    setCentralWidget(mdiArea);
    mdiArea->setBackground(QColor(0x80, 0x80, 0x80));
    // A page is taller than most screens: the canvas scrolls inside the main window.
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setStatusBar(stat);
    statCoordinates->setMinimumWidth(160);
    stat->addWidget(statCoordinates);
    // Every window the program opens lands on the screen, centred on where it came from.
    QCoreApplication::instance()->installEventFilter(new WindowPlacer(this));
    PlaceWindow(this, QSize(1100, 800));

    connect(&sToolbar, &ToolbarComponent::toolClick, this, &frmMDI::sToolbar_ToolClick);
    connect(&sToolbar, &ToolbarComponent::comboCloseUp, this, &frmMDI::sToolbar_ComboCloseUp);
    connect(&sToolbar, &ToolbarComponent::toolDropDown, this, &frmMDI::sToolbar_ToolDropDown);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        const int topic = hooks_.activeHelpContext ? hooks_.activeHelpContext() : 0;
        ShowHelpTopic(state_.ProgramFolder, services_.help, topic ? topic : hcMainWindow);
    });

    quitApplication = [] { QCoreApplication::quit(); };
    installOwnCommands();
    MDIForm_Load();
}

frmMDI::~frmMDI() = default;

QString frmMDI::layoutFilePath() const {
    return ConfigFile(state_, QString::fromLatin1(kToolbarLayoutFile));
}

void frmMDI::MDIForm_Load() {
    HideDocumentTools();
    ListFonts();
    // No layout file yet is the first run: the designed arrangement stands. A damaged
    // one is passed over the same way; the next exit writes a good one.
    if (QFileInfo::exists(layoutFilePath())) sToolbar.loadLayout(layoutFilePath());
    HideDocumentTools();
    sToolbar.tool(QStringLiteral("ID_Prints")).setCaption(QStringLiteral("Prints: 0"));
}

void frmMDI::closeEvent(QCloseEvent* event) {
    // A changed print is not lost by closing the program: the save question comes first.
    if (state_.TemplateChanged && hooks_.canvasVisible && hooks_.canvasVisible() && !CloseDocument()) {
        event->ignore();
        return;
    }
    MDIForm_QueryUnload();
    event->accept();
    MDIForm_Unload();
}

void frmMDI::MDIForm_QueryUnload() {
    if (MakeFolderFor(layoutFilePath())) sToolbar.saveLayout(layoutFilePath());
}

void frmMDI::MDIForm_Unload() {
    // Every other window goes with the main window; nothing more is asked.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    if (quitApplication) quitApplication();
}

void frmMDI::setCommandHandler(Command command, CommandHandler handler) {
    handlers_[command] = std::move(handler);
}

void frmMDI::runCommand(Command command) {
    auto it = handlers_.find(command);
    if (it != handlers_.end() && it->second) it->second(ToolClick{});
}

void frmMDI::sToolbar_ToolClick(Tool& tool) {
    const Command command = CommandForTool(tool.id(), tool.state());
    if (command == Command::None) return;
    auto it = handlers_.find(command);
    if (it != handlers_.end() && it->second) it->second(ToolClick{tool.id(), tool.state()});
}

void frmMDI::sToolbar_ComboCloseUp(Tool& tool) {
    static const QStringList kCombos = {"ID_Font",        "ID_Size",  "ID_Shape",
                                        "ID_ShapeBorder", "ID_Style", "ID_Width"};
    if (kCombos.contains(tool.id()) && comboHandler_) comboHandler_(tool);
}

void frmMDI::sToolbar_ToolDropDown(Tool& tool) {
    if (tool.id() == u"ID_NewShape")
        sToolbar.popupMenu(QStringLiteral("ID_mnuShapes"));
    else if (tool.id() == u"ID_InfoObject")
        sToolbar.popupMenu(QStringLiteral("ID_mnuInfoObjects"));
}

void frmMDI::installOwnCommands() {
    setCommandHandler(Command::NewDocument, [this](const ToolClick&) { NewDocument(); });
    setCommandHandler(Command::CloseDocument, [this](const ToolClick&) { CloseDocument(); });
    setCommandHandler(Command::PrinterSetup, [this](const ToolClick&) { PrinterSetup(); });
    setCommandHandler(Command::Exit, [this](const ToolClick&) { close(); });
    setCommandHandler(Command::FontColor, [this](const ToolClick&) { GetNewFontColor(); });
    setCommandHandler(Command::FixedColor, [this](const ToolClick& click) {
        static const std::map<QString, QColor> kColors = {{"ID_Black", QColor(0, 0, 0)},
                                                          {"ID_Red", QColor(0xFF, 0, 0)},
                                                          {"ID_Green", QColor(0, 0x80, 0)},
                                                          {"ID_Blue", QColor(0, 0, 0xFF)}};
        if (hooks_.currentForeColor && hooks_.setCurrentForeColor && hooks_.currentForeColor())
            hooks_.setCurrentForeColor(kColors.at(click.id));
    });
    setCommandHandler(Command::HelpContents,
                      [this](const ToolClick&) { ShowHelpContents(state_.ProgramFolder, services_.help); });
    setCommandHandler(Command::About, [this](const ToolClick&) { ShowAbout(); });
    setCommandHandler(Command::BeginBatch, [this](const ToolClick&) { BeginBatch(); });
    setCommandHandler(Command::CheckForUpgrades,
                      [this](const ToolClick&) { CheckForUpgrades(services_.urls, services_.prompt); });
    setCommandHandler(Command::TechnicalSupport, [this](const ToolClick&) {
        OpenUrl(QString::fromLatin1(kTechnicalSupportUrl), services_.urls, services_.prompt);
    });
    setCommandHandler(Command::VisitWebsite, [this](const ToolClick&) {
        OpenUrl(QString::fromLatin1(kHomePageUrl), services_.urls, services_.prompt);
    });
}

void frmMDI::setToolsVisible(const QStringList& ids, bool visible) {
    for (const QString& id : ids) sToolbar.tool(id).setVisible(visible);
}

void frmMDI::HideDocumentTools() {
    setToolsVisible(DocumentToolIds(), false);
    sToolbar.tool(QStringLiteral("ID_BatchProcessing")).setVisible(true);
    HideArrangeTools();
    for (const QString& band : EditingBandNames()) sToolbar.band(band).setVisible(false);
    // The menus of a selected text stay in their place on the menu bar, with nothing to act on.
    for (const char* menu : {"ID_mnuColors", "ID_mnuFormat"}) sToolbar.tool(QString::fromLatin1(menu)).setEnabled(false);
}

void frmMDI::ShowDocumentTools() {
    stat->clearMessage();
    setToolsVisible(DocumentToolIds(), true);
    for (const char* menu : {"ID_mnuColors", "ID_mnuFormat"}) sToolbar.tool(QString::fromLatin1(menu)).setEnabled(true);
    sToolbar.tool(QStringLiteral("ID_BatchProcessing")).setVisible(false);
    sToolbar.band(QStringLiteral("Objects")).setVisible(true);
    sToolbar.band(QStringLiteral("Objects")).setDocking(2, 1);
    sToolbar.band(QStringLiteral("Formatting")).setDocking(3, 2);
    sToolbar.band(QStringLiteral("Arrange")).setDocking(2, 2);
}

void frmMDI::HideArrangeTools() {
    setToolsVisible(ArrangeToolIds(), false);
    sToolbar.band(QStringLiteral("Arrange")).setVisible(false);
}

void frmMDI::TurnOnArrange() {
    setToolsVisible(ArrangeToolIds(), true);
    sToolbar.band(QStringLiteral("Arrange")).setVisible(true);
}

bool frmMDI::CloseDocument() {
    if (state_.TemplateChanged) {
        const PromptAnswer answer = services_.prompt.ask(
            QStringLiteral("Do you want to save your changes to this template first?"),
            QStringLiteral("Save Changes?"), PromptButtons::YesNoCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Cancel) return false;
        if (answer == PromptAnswer::Yes) {
            if (hooks_.saveTemplate) hooks_.saveTemplate();
            if (state_.SaveCancelled) {
                state_.SaveCancelled = false;
                return false;
            }
        }
    }
    HideDocumentTools();
    setWindowTitle(QStringLiteral("Natalory"));
    if (hooks_.unloadCanvas) hooks_.unloadCanvas();
    if (hooks_.hideBirthdayDialogUnlessFastPrint) hooks_.hideBirthdayDialogUnlessFastPrint();
    state_.TemplateChanged = false;
    return true;
}

void frmMDI::NewDocument() {
    // A print the user chose to keep open (Cancel at the save question) stays, and
    // no new one starts over it.
    if (hooks_.canvasVisible && hooks_.canvasVisible() && !CloseDocument()) return;
    if (hooks_.newPrint) hooks_.newPrint();
}

void frmMDI::ListFonts() {
    ComboTool* fonts = sToolbar.tool(QStringLiteral("ID_Font")).comboBox();
    fonts->clear();
    for (const QString& family : FontFamilies()) fonts->addItem(family);
}

void frmMDI::GetNewFontColor() {
    if (!hooks_.currentForeColor || !hooks_.setCurrentForeColor) return;
    const std::optional<QColor> current = hooks_.currentForeColor();
    if (!current) return;
    if (const std::optional<QColor> chosen = services_.colors.chooseColor(*current))
        hooks_.setCurrentForeColor(*chosen);
}

void frmMDI::PrinterSetup() {
    const PrinterChoice current{state_.page.PageOrientation, state_.PrinterName, state_.PrinterOptions};
    if (const std::optional<PrinterChoice> chosen = services_.printerSetup.choosePrinterSetup(current)) {
        const bool turned = state_.page.PageOrientation != chosen->orientation;
        state_.page.PageOrientation = chosen->orientation;
        state_.PrinterName = chosen->printerName;
        state_.PrinterOptions = chosen->options;
        if (turned && hooks_.pageChanged) hooks_.pageChanged();
    }
}

void frmMDI::UpdatePrintCounter() {
    sToolbar.tool(QStringLiteral("ID_Prints"))
        .setCaption(QStringLiteral("Prints: ") + QString::number(state_.PrintCount));
}

void frmMDI::ShowFontSize(double size) {
    ComboTool* box = sToolbar.tool(QStringLiteral("ID_Size")).comboBox();
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    const int index = FindFontSizeIndex(entries, size);
    if (index >= 0)
        box->setListIndex(index);
    else
        box->setComboText(QString::number(size));
}

void frmMDI::BeginBatch(const QString& batchFile) {
    if (!batch_) {
        batch_ = new frmBatch(
            state_, services_, [this] { UpdatePrintCounter(); }, this);
        batch_->setAttribute(Qt::WA_DeleteOnClose);
    }
    batch_->show();
    batch_->raise();
    batch_->activateWindow();
    if (!batchFile.isEmpty()) batch_->OpenBatchFile(batchFile);
}

void frmMDI::ShowAbout() {
    frmSplash about(&sToolbar, LastYearAvailable(state_.ProgramFolder), this);
    about.exec();
}

}  // namespace natalory
