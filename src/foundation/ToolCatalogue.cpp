#include "foundation/ToolCatalogue.h"

#include "infoobjects/InfoCatalogue.h"

#include <map>

namespace natalory {
namespace {

ToolDef Button(QString id, QString caption, QString description = {}) {
    ToolDef t;
    t.id = std::move(id);
    t.caption = std::move(caption);
    t.description = std::move(description);
    return t;
}

ToolDef Toggle(QString id, QString caption, QString description) {
    ToolDef t = Button(std::move(id), std::move(caption), std::move(description));
    t.kind = ToolKind::Toggle;
    return t;
}

ToolDef Combo(QString id, QString caption, QStringList items, QString description = {},
              bool editable = false) {
    ToolDef t = Button(std::move(id), std::move(caption), std::move(description));
    t.kind = ToolKind::Combo;
    t.items = std::move(items);
    t.editable = editable;
    return t;
}

ToolDef Menu(QString id, QString caption, QStringList entries) {
    ToolDef t = Button(std::move(id), std::move(caption));
    t.kind = ToolKind::Menu;
    t.items = std::move(entries);
    return t;
}

ToolDef WithShortcut(ToolDef t, QString keys) {
    t.shortcut = std::move(keys);
    return t;
}

// The freedesktop icon of each tool that has an obvious one.
void AddIcons(std::vector<ToolDef>& tools) {
    static const std::map<QString, QString> kIcons = {
        {"ID_New", "document-new"},
        {"ID_Close", "window-close"},
        {"ID_SaveTemplate", "document-save"},
        {"ID_Print", "document-print"},
        {"ID_PrintPreview", "document-print-preview"},
        {"ID_PrintSetup", "printer"},
        {"ID_PageSetup", "document-page-setup"},
        {"ID_Exit", "application-exit"},
        {"ID_Undo", "edit-undo"},
        {"ID_Redo", "edit-redo"},
        {"ID_EditBirthdayInfo", "x-office-calendar"},
        {"ID_Preferences", "preferences-system"},
        {"ID_SendToBack", "go-bottom"},
        {"ID_BringToFront", "go-top"},
        {"ID_Delete", "edit-delete"},
        {"ID_InsertPicture", "insert-image"},
        {"ID_EditPicture", "insert-image"},
        {"ID_InsertText", "insert-text"},
        {"ID_InfoObject", "insert-object"},
        {"ID_NewShape", "draw-rectangle"},
        {"ID_Bold", "format-text-bold"},
        {"ID_Italic", "format-text-italic"},
        {"ID_Underline", "format-text-underline"},
        {"ID_Left", "format-justify-left"},
        {"ID_Center", "format-justify-center"},
        {"ID_Right", "format-justify-right"},
        {"ID_Color", "format-text-color"},
        {"ID_EditText", "document-edit"},
        {"ID_ShowBorders", "format-border-set-all"},
        {"ID_Help", "help-contents"},
        {"ID_AboutNatalory", "help-about"},
        {"ID_AlignObjectsLeft", "align-horizontal-left"},
        {"ID_AlignObjectsCenter", "align-horizontal-center"},
        {"ID_AlignObjectsRight", "align-horizontal-right"},
        {"ID_AlignObjectsTop", "align-vertical-top"},
        {"ID_AlignObjectsMiddle", "align-vertical-center"},
        {"ID_AlignObjectsBottom", "align-vertical-bottom"},
        {"ID_DistributeAcross", "distribute-horizontal"},
        {"ID_DistributeDown", "distribute-vertical"},
    };
    for (ToolDef& t : tools)
        if (auto it = kIcons.find(t.id); it != kIcons.end()) t.icon = it->second;
}

ToolCatalogue Build() {
    ToolCatalogue c;
    auto& t = c.tools;
    const QString sep = kSeparator;

    // Menus.
    t.push_back(Menu("ID_mnuFile", "&File",
                     {"ID_New",
                      "ID_Close",
                      "ID_mnuRecentFiles",
                      sep,
                      "ID_SaveTemplate",
                      sep,
                      "ID_Print",
                      "ID_PrintPreview",
                      "ID_PrintSetup",
                      "ID_PageSetup",
                      sep,
                      "ID_SaveAsBitmap",
                      "ID_SaveToemfFile",
                      "ID_SaveAsPdf",
                      "ID_SaveAsPng",
                      sep,
                      "ID_BatchProcessing",
                      sep,
                      "ID_ViewLog",
                      sep,
                      "ID_Exit"}));
    t.push_back(Menu("ID_mnuEdit", "&Edit",
                     {"ID_Undo", "ID_Redo", sep, "ID_Cut", "ID_Copy", "ID_Paste", "ID_Duplicate",
                      "ID_SelectAll", sep, "ID_EditBirthdayInfo", "ID_Preferences", "ID_DataSettings",
                      sep, "ID_SendToBack", "ID_BringToFront", sep, "ID_CenterOnPageHorizontally",
                      "ID_CenterOnPageVertically", "ID_CenterOnPage"}));
    t.push_back(Menu("ID_mnuObjects", "Objects",
                     {"ID_InfoObject", "ID_InsertPicture", "ID_InsertText", "ID_NewShape", "ID_mnuShapes",
                      sep, "ID_Delete"}));
    t.push_back(Menu(
        "ID_mnuArrange", "&Arrange",
        {"ID_AlignObjectsLeft", "ID_AlignObjectsCenter", "ID_AlignObjectsRight", sep, "ID_AlignObjectsTop",
         "ID_AlignObjectsMiddle", "ID_AlignObjectsBottom", sep, "ID_DistributeAcross", "ID_DistributeDown"}));
    t.push_back(Menu("ID_mnuView", "&View", {"ID_ShowGrid", "ID_SnapToObjects"}));
    // Its entries are the files themselves, listed each time it opens.
    t.push_back(Menu("ID_mnuRecentFiles", "&Recent Files", {}));
    t.push_back(Menu("ID_mnuColors", "Colors", {"ID_Black", "ID_Red", "ID_Green", "ID_Blue"}));
    t.push_back(Menu("ID_mnuFormat", "F&ormat",
                     {"ID_Font", "ID_Size", sep, "ID_Bold", "ID_Italic", "ID_Underline", sep, "ID_Left",
                      "ID_Center", "ID_Right", sep, "ID_Color"}));
    t.push_back(Menu("ID_HelpMenu", "&Help",
                     {"ID_Help", "ID_GetTechnicalSupport", "ID_CheckForUpgrades", "ID_VisitOurWebsite",
                      "ID_AboutNatalory"}));
    t.push_back(
        Menu("ID_mnuShapes", "Shapes", {"ID_Square", "ID_Rectangle", "ID_Circle", "ID_Oval", "ID_Line"}));
    QStringList infoEntries;
    for (const InfoKind& k : InfoCatalogue()) {
        infoEntries << QString::fromLatin1(k.toolId);
        if (QLatin1StringView(k.toolId) == QLatin1StringView(kInfoMenuSeparatorAfter)) infoEntries << sep;
    }
    t.push_back(Menu("ID_mnuInfoObjects", "Info Obects", infoEntries));
    t.push_back(Menu("ID_mnuRightClickControl", "mnuRightClickControl",
                     {"ID_Cut", "ID_Copy", "ID_Paste", "ID_Duplicate", sep, "ID_EditPicture", "ID_Resize",
                      sep, "ID_SendToBack", "ID_BringToFront", sep, "ID_CenterOnPageHorizontally",
                      "ID_CenterOnPageVertically", "ID_CenterOnPage", sep, "ID_Delete"}));
    t.push_back(Menu("ID_mnuRightClickCanvas", "mnuRightClickCanvas",
                     {"ID_Paste", "ID_SelectAll", sep, "ID_ShowGrid", "ID_SnapToObjects"}));
    t.push_back(Menu("ID_mnuPic", "mnuPic", {"ID_EditPicture", sep, "ID_Resize"}));

    // File.
    t.push_back(WithShortcut(Button("ID_New", "&New", "Creates a new document."), "Ctrl+N"));
    t.push_back(WithShortcut(Button("ID_Close", "&Close", "Closes the active document."), "Ctrl+W"));
    t.push_back(Button("ID_Save", "Save", "Saves the active document."));
    t.push_back(Button("ID_Open", "Open", "Opens an existing document."));
    t.push_back(WithShortcut(Button("ID_SaveTemplate", "Save &Template", "Save This Template"), "Ctrl+S"));
    t.push_back(WithShortcut(Button("ID_Print", "&Print", "Prints the selected text to the default printer."),
                             "Ctrl+P"));
    t.push_back(Button("ID_PrintPreview", "Print Preview", "Preview Your Document"));
    t.push_back(Button("ID_PrintSetup", "Print Setup...", "Printer Setup"));
    t.push_back(Button("ID_PageSetup", "Page Setup...", "Page Setup"));
    t.push_back(Button("ID_SaveAsBitmap", "Save As Bitmap", "Save to a bitmap picture file."));
    t.push_back(
        Button("ID_SaveToemfFile", "Save To .emf File (Picture)", "Saves the print to a picture file."));
    t.push_back(Button("ID_SaveAsPdf", "Save As PDF...", "Save the print as a PDF document."));
    t.push_back(Button("ID_SaveAsPng", "Save As PNG...", "Save the print as a PNG picture."));
    t.push_back(Button("ID_BatchProcessing", "&Batch Processing", "Begin Batch Processing"));
    t.push_back(Button("ID_ViewLog", "View Log", "Show a log of prints that were printed."));
    t.push_back(WithShortcut(Button("ID_Exit", "E&xit", "Exits the application."), "Ctrl+Q"));

    // Edit and arrange.
    t.push_back(WithShortcut(Button("ID_Undo", "&Undo", "Undoes the last change to the print."), "Ctrl+Z"));
    t.push_back(WithShortcut(Button("ID_Redo", "&Redo", "Makes the change that was undone again."),
                             "Ctrl+Shift+Z;Ctrl+Y"));
    for (auto [id, caption, tip, keys] :
         {std::tuple{"ID_Cut", "Cu&t", "Moves the selected objects to the clipboard.", "Ctrl+X"},
          std::tuple{"ID_Copy", "&Copy", "Copies the selected objects to the clipboard.", "Ctrl+C"},
          std::tuple{"ID_Paste", "&Paste", "Puts what the clipboard holds on the print.", "Ctrl+V"},
          std::tuple{"ID_Duplicate", "&Duplicate", "Makes a copy of the selected objects beside them.", "Ctrl+D"},
          std::tuple{"ID_SelectAll", "Select &All", "Selects every object of the print.", "Ctrl+A"}})
        t.push_back(WithShortcut(Button(id, caption, tip), keys));
    // With one object selected these line it up on the page.
    for (auto [id, caption] : {std::pair{"ID_AlignObjectsLeft", "Align &Left Edges"},
                               std::pair{"ID_AlignObjectsCenter", "Align &Centers"},
                               std::pair{"ID_AlignObjectsRight", "Align &Right Edges"},
                               std::pair{"ID_AlignObjectsTop", "Align &Tops"},
                               std::pair{"ID_AlignObjectsMiddle", "Align &Middles"},
                               std::pair{"ID_AlignObjectsBottom", "Align &Bottoms"},
                               std::pair{"ID_DistributeAcross", "Distribute &Horizontally"},
                               std::pair{"ID_DistributeDown", "Distribute &Vertically"}})
        t.push_back(Button(id, caption));
    t.push_back(Toggle("ID_SnapToObjects", "&Snap To Objects",
                       "Dragged objects line up with the edges and centres of the others and the page."));
    t.push_back(Toggle("ID_ShowGrid", "Show &Grid",
                       "Shows a grid of eighth inches on the page; dragged objects snap to it."));
    t.push_back(Button("ID_EditBirthdayInfo", "Edit Birthday and Name...", "Edit Birthday, Names, etc"));
    t.push_back(Button("ID_Preferences", "&Options...", "Edit Preferences"));
    t.push_back(Button("ID_DataSettings", "Data Settings...", "Change Info Sets, etc."));
    t.push_back(Button("ID_SendToBack", "Send To Back", "Put this object on the bottom level."));
    t.push_back(Button("ID_BringToFront", "Bring To Front", "Move this object to the top level."));
    t.push_back(Button("ID_CenterOnPageHorizontally", "Center On Page Horizontally"));
    t.push_back(Button("ID_CenterOnPageVertically", "Center On Page Vertically"));
    t.push_back(Button("ID_CenterOnPage", "Center On Page"));

    // Objects.
    ToolDef info = Button("ID_InfoObject", "Info Object", "Insert An Info Object");
    info.dropDown = true;
    info.submenu = "ID_mnuInfoObjects";
    t.push_back(info);
    t.push_back(Button("ID_InsertPicture", "Insert Picture", "Insert A Picture"));
    t.push_back(Button("ID_InsertText", "Insert Text", "Insert A Text Object"));
    ToolDef shape = Button("ID_NewShape", "Insert Shape", "New Shape");
    shape.dropDown = true;
    t.push_back(shape);
    t.push_back(WithShortcut(Button("ID_Delete", "&Delete", "Delete Object"), "Del"));
    t.push_back(Button("ID_Square", "Square", "Insert A Square"));
    t.push_back(Button("ID_Rectangle", "Rectangle", "Insert A Rectangle"));
    t.push_back(Button("ID_Circle", "Circle", "Insert A Circle"));
    t.push_back(Button("ID_Oval", "Oval", "Insert An Oval"));
    t.push_back(Button("ID_Line", "Line", "Insert A Line"));
    t.push_back(Button("ID_EditPicture", "Edit Picture...", "Change This Picture"));
    t.push_back(Button("ID_Resize", "Resize...", "Resize This Picture"));

    // Colours.
    for (const char* c : {"Black", "Red", "Green", "Blue"})
        t.push_back(Button(QStringLiteral("ID_") + c, c, "Sets the color of the selected text."));

    // Formatting.
    t.push_back(Combo("ID_Font", "&Font", {}, "Changes the font of the selected text.", true));
    t.push_back(Combo("ID_Size", "Font &Size",
                      {"10", "11", "12", "13", "14", "15", "16", "17", "18", "20", "22", "24", "26", "28",
                       "36", "48", "72"},
                      "Changes the size of the selected text.", true));
    t.push_back(WithShortcut(Toggle("ID_Bold", "&Bold", "Makes the selected text bold."), "Ctrl+B"));
    t.push_back(WithShortcut(Toggle("ID_Italic", "&Italic", "Makes the selected text italic."), "Ctrl+I"));
    t.push_back(
        WithShortcut(Toggle("ID_Underline", "&Underline", "Underlines the selected text."), "Ctrl+U"));
    for (auto [id, caption, tip] :
         {std::tuple{"ID_Left", "&Align Left", "Aligns the selected text to the left."},
          std::tuple{"ID_Center", "&Center", "Centers the selected text."},
          std::tuple{"ID_Right", "Align &Right", "Aligns the selected text to the right."}}) {
        ToolDef a = Toggle(id, caption, tip);
        a.group = "Align";
        t.push_back(a);
    }
    t.push_back(Button("ID_Color", "Font Co&lor", "Changes the color of the selected text"));
    t.push_back(Button("ID_EditText", "Edit Text", "Change Text In This Box"));
    t.push_back(Combo("ID_Shape", "Shape",
                      {"Rectangle", "Square", "Oval", "Circle", "Rounded Rectangle", "Rounded Square"},
                      "Changes the kind of the selected shape."));
    t.push_back(Combo("ID_ShapeBorder", "ShapeBorder", {"1", "2", "3", "4", "5"},
                      "Changes the border width of the selected shape."));
    t.push_back(Combo("ID_Style", "Style", {"1-Solid", "2-Dash", "3-Dot"}, "Changes the style of the selected line."));
    t.push_back(Combo("ID_Width", "Width", {"1", "2", "3", "4", "5"}, "Changes the width of the selected line."));

    // Standard band.
    t.push_back(Toggle("ID_ShowBorders", "ShowBorders", "Borders"));
    t.push_back(Button("ID_Prints", "Prints: 0", "Number of Prints This Session"));

    // Help.
    t.push_back(Button("ID_Help", "Show Help Contents", "Show Help"));
    t.push_back(Button("ID_GetTechnicalSupport", "Get Technical Support",
                       "Go to an online form for technical support."));
    t.push_back(Button("ID_CheckForUpgrades", "Check For Upgrades",
                       "Use this tool to see if there is an upgrade available."));
    t.push_back(Button("ID_VisitOurWebsite", "Visit Our Website"));
    t.push_back(Button("ID_AboutNatalory", "&About Natalory", "About..."));

    for (const InfoKind& k : InfoCatalogue()) {
        ToolDef tool = Button(k.toolId, k.menuCaption, k.toolTip);
        tool.category = "InfoObjects";
        t.push_back(tool);
    }

    c.bands = {
        {"Menu Bar",
         {"ID_mnuFile", "ID_mnuEdit", "ID_mnuView", "ID_mnuObjects", "ID_mnuArrange", "ID_mnuColors",
          "ID_mnuFormat", "ID_HelpMenu"},
         true},
        {"Standard",
         {"ID_ShowBorders", sep, "ID_SaveTemplate", sep, "ID_EditBirthdayInfo", sep, "ID_Print", sep,
          "ID_Prints", sep, "ID_Help", "ID_Exit"}},
        {"Formatting",
         {"ID_Font", "ID_Size", sep, "ID_Bold", "ID_Italic", "ID_Underline", sep, "ID_Left", "ID_Center",
          "ID_Right", sep, "ID_Color", "ID_EditText"}},
        {"Objects", {"ID_InsertPicture", "ID_InsertText", "ID_InfoObject", "ID_NewShape", sep, "ID_Delete"}},
        {"Shapes", {"ID_Shape", "ID_ShapeBorder"}},
        {"Lines", {"ID_Style", "ID_Width"}},
        {"Arrange",
         {"ID_AlignObjectsLeft", "ID_AlignObjectsCenter", "ID_AlignObjectsRight", sep, "ID_AlignObjectsTop",
          "ID_AlignObjectsMiddle", "ID_AlignObjectsBottom", sep, "ID_DistributeAcross", "ID_DistributeDown"},
         false,
         true},
    };
    AddIcons(c.tools);
    return c;
}

}  // namespace

const ToolDef* ToolCatalogue::find(const QString& id) const {
    for (const ToolDef& t : tools)
        if (t.id == id) return &t;
    return nullptr;
}

const ToolCatalogue& MainToolCatalogue() {
    static const ToolCatalogue catalogue = Build();
    return catalogue;
}

const ToolCatalogue& PreviewToolCatalogue() {
    static const ToolCatalogue catalogue = [] {
        ToolCatalogue c;
        c.tools.push_back(WithShortcut(Button("ID_Exit", "&Close", "Close the preview"), "Esc"));
        c.tools.push_back(WithShortcut(Button("ID_Print", "&Print", "Print this page"), "Ctrl+P"));
        c.tools.push_back(Button("ID_PrintingPreferences", "Print Setup", "Printer Setup"));
        ToolDef zoom = Combo("ID_ZoomButton", "Zoom", {}, "Zoom", true);
        c.tools.push_back(zoom);
        c.bands = {
            {"Preview",
             {"ID_Exit", kSeparator, "ID_Print", "ID_PrintingPreferences", kSeparator, "ID_ZoomButton"}}};
        for (ToolDef& t : c.tools)
            t.icon = t.id == u"ID_Exit"                  ? QStringLiteral("window-close")
                     : t.id == u"ID_Print"               ? QStringLiteral("document-print")
                     : t.id == u"ID_PrintingPreferences" ? QStringLiteral("printer")
                                                         : QString();
        return c;
    }();
    return catalogue;
}

QStringList DocumentToolIds() {
    return {"ID_Undo",         "ID_Redo",          "ID_Close",        "ID_Print",       "ID_EditBirthdayInfo",
            "ID_Save",         "ID_SaveTemplate",  "ID_PageSetup",    "ID_Delete",      "ID_mnuObjects",
            "ID_PrintPreview", "ID_SaveToemfFile", "ID_DataSettings", "ID_ShowBorders", "ID_SaveAsBitmap",
            "ID_SaveAsPdf",    "ID_SaveAsPng",     "ID_mnuArrange",   "ID_Cut",         "ID_Copy",
            "ID_Paste",        "ID_Duplicate",     "ID_SelectAll"};
}

QStringList ArrangeToolIds() {
    return {"ID_CenterOnPageHorizontally", "ID_CenterOnPageVertically", "ID_CenterOnPage", "ID_SendToBack",
            "ID_BringToFront"};
}

QStringList EditingBandNames() {
    return {"Formatting", "Lines", "Shapes", "Objects", "Arrange"};
}

}  // namespace natalory
