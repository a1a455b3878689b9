#pragma once

#include <QString>

#include <span>

namespace natalory {

// One kind of info object: a text object whose text the program writes.
struct InfoKind {
    const char* key;          // generator key; the object's Tag is "T" + key
    const char* displayName;  // written to the object's tool tip
    const char* menuCaption;  // entry of the "Info Obects" menu
    const char* toolId;       // toolbar tool that inserts it
    const char* toolTip;      // tool tip of that tool, or ""
};

// The 33 kinds in menu order.
std::span<const InfoKind> InfoCatalogue();

// The menu has a separator after this tool.
inline constexpr auto kInfoMenuSeparatorAfter = "ID_NewbornMessage";

// The kind of a generator key (exact, case-sensitive) or of a tool ID; null when none.
const InfoKind* FindInfoKindByKey(QStringView key);
const InfoKind* FindInfoKindByTool(QStringView toolId);

}  // namespace natalory
