#pragma once

#include <QString>

namespace natalory {

// What a tool click asks for. Every command has one place that carries it out.
enum class Command {
    None,
    NewDocument,
    CloseDocument,
    SaveTemplate,
    PrintCanvas,
    PrintPreview,
    PrinterSetup,
    PageSetup,
    SaveAsBitmap,
    SaveAsMetafile,
    SaveAsPdf,
    SaveAsPng,
    BeginBatch,
    ViewLog,
    Exit,
    EditBirthday,
    Preferences,
    DataSettings,
    SendToBack,
    BringToFront,
    CenterHorizontally,
    CenterVertically,
    CenterOnPage,
    ShowBorders,
    Bold,
    Italic,
    Underline,
    AlignLeft,
    AlignRight,
    AlignCenter,
    FontColor,
    FixedColor,
    EditText,
    EditPicture,
    ResizePicture,
    InsertText,
    InsertPicture,
    InsertSquare,
    InsertRectangle,
    InsertOval,
    InsertCircle,
    InsertLine,
    DeleteObject,
    InsertInfoObject,
    Cut,
    Copy,
    Paste,
    Duplicate,
    SelectAll,
    AlignObjects,       // the tool's ID says which edge or centre
    DistributeObjects,  // across or down, by the tool's ID
    SnapToObjects,
    ShowGrid,
    HelpContents,
    About,
    CheckForUpgrades,
    TechnicalSupport,
    VisitWebsite,
    Undo,
    Redo,
};

// The command of a clicked tool: the first entry of the dispatch table whose ID
// equals the tool's (case-sensitive). `state` is the tool's state after the click,
// which decides Align Left. Menu headers, the print counter and unknown IDs give None.
Command CommandForTool(const QString& toolId, int state);

}  // namespace natalory
