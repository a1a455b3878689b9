#include "foundation/WebLinks.h"

namespace natalory {

void OpenUrl(const QString& address, UrlOpener& urls, Prompt& prompt) {
    if (urls.openUrl(address)) return;
    prompt.tell(QStringLiteral("It looks like you don't have a default browser set.\n"
                               "To find what you were looking for, please go to: \n") +
                address);
}

QString UpgradeCheckAddress(const AppVersion& version) {
    return QString::fromLatin1(kUpgradeCheckUrl) + QStringLiteral("version=") + VersionDigits(version);
}

void CheckForUpgrades(UrlOpener& urls, Prompt& prompt) {
    OpenUrl(UpgradeCheckAddress(CurrentVersion()), urls, prompt);
}

}  // namespace natalory
