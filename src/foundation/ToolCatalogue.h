#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace natalory {

enum class ToolKind { Button, Toggle, Combo, Menu };

// A tool of the main window's toolbar and menus, as designed: the program never
// creates tools while it runs.
struct ToolDef {
    QString id;
    QString caption;      // "&" marks the access key
    QString description;  // tool tip, may be empty
    ToolKind kind = ToolKind::Button;
    QString category;
    QString group;          // option group ("Align"): at most one pressed
    QStringList items;      // Menu: entry IDs ("-" a separator); Combo: fixed list
    bool editable = false;  // Combo: the user may type a value
    bool dropDown = false;  // Button: has a drop-down arrow
    QString submenu;        // Button shown in a menu as this submenu
    QString shortcut;       // e.g. "Ctrl+N"
    QString icon;           // freedesktop icon name, may be empty
};

struct BandDef {
    QString name;
    QStringList tools;  // "-" a separator
    bool menuBar = false;
    bool iconsOnly = false;  // captions only in tool tips, for a band of many small tools
};

inline const QString kSeparator = QStringLiteral("-");

struct ToolCatalogue {
    std::vector<ToolDef> tools;
    std::vector<BandDef> bands;

    const ToolDef* find(const QString& id) const;
};

// The main window's tools, menus and bands.
const ToolCatalogue& MainToolCatalogue();

// The preview window's tools and its one band.
const ToolCatalogue& PreviewToolCatalogue();

// The tools a print brings into view (and takes away again when it closes).
QStringList DocumentToolIds();
// The arrange tools, shown while an object is selected.
QStringList ArrangeToolIds();
// The bands that only make sense with a print open.
QStringList EditingBandNames();

}  // namespace natalory
