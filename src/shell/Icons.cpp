#include "shell/Icons.h"

namespace natalory {

QIcon ToolIcon(const QString& themeName) {
    if (themeName.isEmpty()) return {};
    return QIcon::fromTheme(themeName, QIcon(QStringLiteral(":/icons/tools/%1.svg").arg(themeName)));
}

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/natalory.svg"));
}

}  // namespace natalory
