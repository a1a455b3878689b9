#include "foundation/Version.h"

namespace natalory {

AppVersion CurrentVersion() {
    return {NATALORY_VERSION_MAJOR, NATALORY_VERSION_MINOR, NATALORY_VERSION_PATCH};
}

QString BuildLabel(const AppVersion& v) {
    return QStringLiteral("Build %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

QString VersionDigits(const AppVersion& v) {
    return QString::number(v.major) + QString::number(v.minor) + QString::number(v.revision);
}

}  // namespace natalory
