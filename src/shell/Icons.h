#pragma once

#include <QIcon>
#include <QString>

namespace natalory {

// The desktop's icon of that freedesktop name, or the one drawn for the program when
// the icon theme has none. An empty name gives no icon.
QIcon ToolIcon(const QString& themeName);

// The program's own icon, for every window, the splash and the About box.
QIcon ProgramIcon();

}  // namespace natalory
