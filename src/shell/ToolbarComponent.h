#pragma once

#include "foundation/ToolCatalogue.h"

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidgetAction>

#include <map>
#include <optional>
#include <memory>
#include <vector>

class QMainWindow;
class QMenu;
class QToolBar;
class QActionGroup;
class QComboBox;

namespace natalory {

class ToolbarComponent;

// The list, text and choice of a combo tool. Every place the tool stands (a
// toolbar, a menu) shows its own combo box; all of them show this one model.
class ComboTool : public QWidgetAction {
    Q_OBJECT
  public:
    ComboTool(const ToolDef& def, QObject* parent);

    void clear();
    void addItem(const QString& text, const QString& data = {});
    int count() const { return int(items_.size()); }
    QString itemText(int index) const;
    QString itemData(int index) const;

    QString comboText() const { return text_; }
    void setComboText(const QString& text);
    int listIndex() const { return index_; }  // -1: none
    void setListIndex(int index);

  signals:
    // The user chose an entry or typed a value and pressed Enter.
    void closeUp();

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    void refreshWidgets();
    bool firstOfThisKeyPress();
    bool choosing_ = false;
    std::vector<std::pair<QString, QString>> items_;
    QString text_;
    int index_ = -1;
    bool editable_ = false;
    std::vector<QPointer<QComboBox>> boxes_;
};

// A toolbar button with an arrow beside it; the arrow raises the drop-down event
// instead of opening a menu of its own. In a menu it is an ordinary entry, or the
// submenu the catalogue names.
class DropDownTool : public QWidgetAction {
    Q_OBJECT
  public:
    using QWidgetAction::QWidgetAction;
  signals:
    void dropDown();

  protected:
    QWidget* createWidget(QWidget* parent) override;
};

// One tool, addressed by its ID.
class Tool {
  public:
    const QString& id() const { return def_.id; }
    ToolKind kind() const { return def_.kind; }
    const ToolDef& def() const { return def_; }

    int state() const;
    void setState(int state);
    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    QString caption() const;
    void setCaption(const QString& caption);

    ComboTool* comboBox() const { return combo_; }
    QAction* action() const { return action_; }
    QMenu* menu() const { return menu_; }

  private:
    friend class ToolbarComponent;
    ToolDef def_;
    ToolbarComponent* owner_ = nullptr;
    QAction* action_ = nullptr;
    ComboTool* combo_ = nullptr;
    QMenu* menu_ = nullptr;
    int plainState_ = 0;
};

// A toolbar or the menu bar, addressed by its name.
class Band {
  public:
    const QString& name() const { return name_; }
    bool visible() const;
    void setVisible(bool visible);
    // Places the band in the top dock: `line` is its row, `position` its order in the row.
    void setDocking(int line, int position);
    int dockLine() const { return line_; }
    QToolBar* toolBar() const { return toolBar_; }

  private:
    friend class ToolbarComponent;
    QString name_;
    ToolbarComponent* owner_ = nullptr;
    QToolBar* toolBar_ = nullptr;  // null for the menu bar
    QMainWindow* window_ = nullptr;
    bool menuBar_ = false;
    int line_ = 1;
    int position_ = 0;
};

// The menus and toolbars of a main window, built from a tool catalogue. The
// program addresses every entry, button and combo as a tool by its ID and every
// toolbar as a band by its name.
class ToolbarComponent : public QObject {
    Q_OBJECT
  public:
    ToolbarComponent(QMainWindow* window, const ToolCatalogue& catalogue);
    ~ToolbarComponent() override;

    // Every ID the program uses exists; an unknown one is a programming error.
    Tool& tool(const QString& id);
    Tool* findTool(const QString& id);
    Band& band(const QString& name);
    const std::vector<std::unique_ptr<Tool>>& tools() const { return tools_; }

    // Shows a menu tool's entries at the mouse pointer, or at `at` on the screen.
    void popupMenu(const QString& menuId, std::optional<QPoint> at = std::nullopt);

    // Saves and restores the arrangement of the bands and the tools' states.
    bool saveLayout(const QString& path, QString* error = nullptr) const;
    bool loadLayout(const QString& path, QString* error = nullptr);

  signals:
    void toolClick(natalory::Tool& tool);
    void comboCloseUp(natalory::Tool& tool);
    void toolDropDown(natalory::Tool& tool);

  private:
    friend class Band;
    friend class Tool;
    void createTool(const ToolDef& def);
    void fillMenu(Tool& menuTool);
    void buildBand(const BandDef& def);
    void arrangeBands();
    void updateSeparators();

    QMainWindow* window_;
    std::vector<std::unique_ptr<Tool>> tools_;
    std::map<QString, Tool*> byId_;
    std::vector<std::unique_ptr<Band>> bands_;
    std::map<QString, QActionGroup*> groups_;
};

}  // namespace natalory
