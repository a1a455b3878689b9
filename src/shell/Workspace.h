#pragma once

#include "birthday/SetBirthday.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QObject>
#include <QPointer>

class QComboBox;
class QMdiSubWindow;

#include <functional>
#include <optional>

namespace natalory {

struct DisplayObject;
class frmDisplay;
class frmPrev;
class frmGetInfo;
class frmMDI;

// The open print and the windows around it: the main window's commands reach the
// birthday dialog and the canvas through here, and SetBirthday builds its print here.
class Workspace : public QObject, public PrintDocumentHost {
    Q_OBJECT
  public:
    Workspace(AppState& state, Services& services, frmMDI& mdi);
    ~Workspace() override;

    // Opens the birthday dialog for a new print; with a template file, that template is chosen.
    void NewPrint(const QString& templateFile = {});
    // Opens the birthday dialog on the print that is open, to change its name or date.
    void EditCurrentBirthday();
    // False when the template could not be read and no print was opened.
    bool SetBirthday(BuildMode mode, QDate birthDate, const QString& first, const QString& last);
    bool SetBirthday(QDate birthDate, const QString& first, const QString& last) {
        return SetBirthday(BuildMode::LoadTemplate, birthDate, first, last);
    }
    bool CloseDocument();
    void HideDocumentTools();
    // Prints the open print, as the Print command does.
    void PrintCanvas();
    void HideCanvas();

    frmGetInfo* birthdayDialog() const;
    // The canvas of the open print, or null when none is open.
    frmDisplay* canvasWindow() const;
    // Unloads any canvas and opens an empty one the size of the page's printable area.
    frmDisplay& NewCanvas();
    void UnloadCanvas() override;
    // The preview of the open print, shown after a preview render; null when none is open.
    frmPrev* previewWindow() const;

    // What the canvas fills in as it arrives; until then a print has no canvas.
    struct CanvasHooks {
        std::function<void()> refreshInfoObjects;
        std::function<bool()> loadTemplate;  // false: the template could not be read at all
        std::function<void()> fitAllLabels;
        std::function<void(const QString&)> setCaption;
        std::function<void()> show;
        std::function<void()> hide;
        std::function<void(int, int)> move;
    };
    CanvasHooks& canvas() { return canvas_; }

    // PrintDocumentHost
    void RefreshInfoObjects() override;
    bool LoadTemplate() override;
    void FitAllLabels() override;
    void SetCanvasCaption(const QString& caption) override;
    void ShowCanvas() override;
    void MoveCanvas(int leftTwips, int topTwips) override;
    void ShowDocumentTools() override;

  private:
    frmGetInfo& ensureDialog();
    void PrintOn(frmDisplay& canvas);
    void PreviewOf(frmDisplay& canvas);
    void installCanvasCommands();
    void installEditorCommands();
    void installZoom();
    void installPictureAndTextCommands();
    std::optional<QString> ChoosePictureFile(DisplayObject& pic);
    // Loads a picture file into a picture object; false, the user told, when it cannot be read.
    bool LoadPictureFile(DisplayObject& pic, const QString& path);
    void EditText(frmDisplay& display);
    void showZoom();
    void SaveTemplateOf(frmDisplay& display);
    // The canvas title's "*" while the print differs from its saved state.
    void ShowChangedMark();
    // Undo and Redo name the step they would take ("Undo Move").
    void NameStep(const char* tool, const QString& step);
    bool eventFilter(QObject* watched, QEvent* event) override;
    AppState& state_;
    Services& services_;
    frmMDI& mdi_;
    QPointer<frmGetInfo> dialog_;
    QPointer<QMdiSubWindow> canvasWindow_;
    QPointer<frmDisplay> display_;
    QPointer<frmPrev> preview_;
    CanvasHooks canvas_;
    double zoom_ = 1.0;  // every new print opens at the zoom the last one had
    bool snap_ = true;
    bool grid_ = false;
    QComboBox* zoomBox_ = nullptr;
};

}  // namespace natalory
