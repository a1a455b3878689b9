#pragma once

#include "foundation/AppState.h"
#include "foundation/Dispatch.h"
#include "foundation/Seams.h"
#include "shell/ToolbarComponent.h"

#include <QColor>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>

class QLabel;
class QMdiArea;
class QStatusBar;

namespace natalory {

class frmBatch;

inline constexpr auto kToolbarLayoutFile = "toolbar.tls";

// A click as the command that handles it sees it.
struct ToolClick {
    QString id;
    int state = 0;
};

using CommandHandler = std::function<void(const ToolClick&)>;

// What the main window needs of the open print. The canvas and the birthday
// dialog fill these in; until they do, there is no print to act on.
struct DocumentHooks {
    std::function<bool()> canvasVisible;
    std::function<void()> unloadCanvas;
    std::function<void()> saveTemplate;  // sets SaveCancelled when the user cancels
    std::function<void()> newPrint;
    std::function<void()> hideBirthdayDialogUnlessFastPrint;
    std::function<std::optional<QColor>()> currentForeColor;  // nothing: no object, or none with a colour
    std::function<void(const QColor&)> setCurrentForeColor;
    std::function<int()> activeHelpContext;  // the active window's help page
    std::function<void()> pageChanged;       // the printer set-up turned the page
};

// The main window: the MDI area that holds the canvas window, the toolbar and menu
// component, the status bar, and the one dispatch every command passes through.
class frmMDI : public QMainWindow {
    Q_OBJECT
  public:
    frmMDI(AppState& state, Services& services, QWidget* parent = nullptr);
    ~frmMDI() override;

    ToolbarComponent& sToolbar;
    QStatusBar* stat;
    QLabel* statCoordinates;  // first status panel: the editor's coordinates
    QMdiArea* mdiArea;

    // Where each later command plugs in; a command without a handler does nothing.
    void setCommandHandler(Command command, CommandHandler handler);
    // Carries out a command as if its tool had been clicked (state 0).
    void runCommand(Command command);
    void setComboHandler(std::function<void(Tool&)> handler) { comboHandler_ = std::move(handler); }
    DocumentHooks& hooks() { return hooks_; }

    // What ends the program once the window has unloaded (the application quits its loop).
    std::function<void()> quitApplication;

    void HideDocumentTools();
    void ShowDocumentTools();
    void HideArrangeTools();
    void TurnOnArrange();
    // False when the user kept the print open (Cancel, or a cancelled save).
    bool CloseDocument();
    void NewDocument();
    void ListFonts();
    void GetNewFontColor();
    void PrinterSetup();
    void UpdatePrintCounter();
    // The font-size box shows a label's size: its list entry, or the size itself above the list.
    void ShowFontSize(double size);
    void ShowAbout();
    // Shows the batch window, not modal; one at a time. With a file, the window reads it.
    void BeginBatch(const QString& batchFile = {});

    QString layoutFilePath() const;

  public slots:
    void sToolbar_ToolClick(natalory::Tool& tool);
    void sToolbar_ComboCloseUp(natalory::Tool& tool);
    void sToolbar_ToolDropDown(natalory::Tool& tool);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void MDIForm_Load();
    void MDIForm_QueryUnload();
    void MDIForm_Unload();
    void installOwnCommands();
    void setToolsVisible(const QStringList& ids, bool visible);

    AppState& state_;
    Services& services_;
    std::map<Command, CommandHandler> handlers_;
    std::function<void(Tool&)> comboHandler_;
    DocumentHooks hooks_;
    QPointer<frmBatch> batch_;
};

}  // namespace natalory
