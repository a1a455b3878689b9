#include "prefs/OptionsLogic.h"

#include <QFileInfo>

#include <cmath>

namespace natalory {

QString OffsetText(int twips) {
    return QString::number(float(twips) / 1440.0f);
}

QString CheckedOffsetText(const QString& text) {
    bool ok = false;
    const double inches = text.trimmed().toDouble(&ok);
    if (!ok || inches > 5 || inches < -5) return QStringLiteral("0");
    return text.trimmed();
}

int OffsetTwips(const QString& text) {
    bool ok = false;
    const double inches = CheckedOffsetText(text).toDouble(&ok);
    return ok ? int(std::nearbyint(inches * 1440)) : 0;
}

int OffsetTwips(const QString& text, int stored) {
    return text == OffsetText(stored) ? stored : OffsetTwips(text);
}

bool IsOffsetKey(QChar c) {
    return c.isDigit() || c == u'.' || c == u'-';
}

std::optional<QString> TemplateChoiceProblem(bool useTemplate, const QString& path) {
    // The settings file keeps texts in double quotes: one inside the path cannot be stored.
    if (path.contains(u'"'))
        return QStringLiteral("The template's path cannot hold a double quote (\"). Rename the file or its "
                              "folder, or choose another template.");
    if (!useTemplate) return std::nullopt;
    if (path.isEmpty() || path == u" ")
        return QStringLiteral("You must enter a template or uncheck the Use Custom Template box.");
    if (!QFileInfo(path).isFile()) return QStringLiteral("Your template was not found.");
    return std::nullopt;
}

}  // namespace natalory
