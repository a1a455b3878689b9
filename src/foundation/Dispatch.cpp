#include "foundation/Dispatch.h"

#include "infoobjects/InfoCatalogue.h"

#include <array>
#include <utility>

namespace natalory {
namespace {

constexpr std::array<std::pair<const char*, Command>, 69> kTable = {{
    {"ID_New", Command::NewDocument},
    {"ID_Close", Command::CloseDocument},
    {"ID_SaveTemplate", Command::SaveTemplate},
    {"ID_Print", Command::PrintCanvas},
    {"ID_PrintPreview", Command::PrintPreview},
    {"ID_PrintSetup", Command::PrinterSetup},
    {"ID_PageSetup", Command::PageSetup},
    {"ID_SaveAsBitmap", Command::SaveAsBitmap},
    {"ID_SaveToemfFile", Command::SaveAsMetafile},
    {"ID_SaveAsPdf", Command::SaveAsPdf},
    {"ID_SaveAsPng", Command::SaveAsPng},
    {"ID_BatchProcessing", Command::BeginBatch},
    {"ID_ViewLog", Command::ViewLog},
    {"ID_Exit", Command::Exit},
    {"ID_EditBirthdayInfo", Command::EditBirthday},
    {"ID_Preferences", Command::Preferences},
    {"ID_DataSettings", Command::DataSettings},
    {"ID_SendToBack", Command::SendToBack},
    {"ID_BringToFront", Command::BringToFront},
    {"ID_CenterOnPageHorizontally", Command::CenterHorizontally},
    {"ID_CenterOnPageVertically", Command::CenterVertically},
    {"ID_CenterOnPage", Command::CenterOnPage},
    {"ID_ShowBorders", Command::ShowBorders},
    {"ID_Bold", Command::Bold},
    {"ID_Italic", Command::Italic},
    {"ID_Underline", Command::Underline},
    {"ID_Left", Command::AlignLeft},
    {"ID_Right", Command::AlignRight},
    {"ID_Center", Command::AlignCenter},
    {"ID_Color", Command::FontColor},
    {"ID_EditText", Command::EditText},
    {"ID_EditPicture", Command::EditPicture},
    {"ID_Resize", Command::ResizePicture},
    {"ID_InsertText", Command::InsertText},
    {"ID_InsertPicture", Command::InsertPicture},
    {"ID_NewShape", Command::InsertSquare},
    {"ID_Square", Command::InsertSquare},
    {"ID_Rectangle", Command::InsertRectangle},
    {"ID_Oval", Command::InsertOval},
    {"ID_Circle", Command::InsertCircle},
    {"ID_Line", Command::InsertLine},
    {"ID_Delete", Command::DeleteObject},
    {"ID_Help", Command::HelpContents},
    {"ID_AboutNatalory", Command::About},
    {"ID_CheckForUpgrades", Command::CheckForUpgrades},
    {"ID_GetTechnicalSupport", Command::TechnicalSupport},
    {"ID_VisitOurWebsite", Command::VisitWebsite},
    {"ID_Black", Command::FixedColor},
    {"ID_Red", Command::FixedColor},
    {"ID_Green", Command::FixedColor},
    {"ID_Blue", Command::FixedColor},
    {"ID_Undo", Command::Undo},
    {"ID_Cut", Command::Cut},
    {"ID_Copy", Command::Copy},
    {"ID_Paste", Command::Paste},
    {"ID_Duplicate", Command::Duplicate},
    {"ID_SelectAll", Command::SelectAll},
    {"ID_AlignObjectsLeft", Command::AlignObjects},
    {"ID_AlignObjectsCenter", Command::AlignObjects},
    {"ID_AlignObjectsRight", Command::AlignObjects},
    {"ID_AlignObjectsTop", Command::AlignObjects},
    {"ID_AlignObjectsMiddle", Command::AlignObjects},
    {"ID_AlignObjectsBottom", Command::AlignObjects},
    {"ID_DistributeAcross", Command::DistributeObjects},
    {"ID_DistributeDown", Command::DistributeObjects},
    {"ID_SnapToObjects", Command::SnapToObjects},
    {"ID_ShowGrid", Command::ShowGrid},
    {"ID_Redo", Command::Redo},
}};

}  // namespace

Command CommandForTool(const QString& toolId, int state) {
    for (const auto& [id, command] : kTable) {
        if (toolId != QLatin1StringView(id)) continue;
        if (command == Command::AlignLeft && state != 1) return Command::None;
        return command;
    }
    if (FindInfoKindByTool(toolId)) return Command::InsertInfoObject;
    return Command::None;
}

}  // namespace natalory
