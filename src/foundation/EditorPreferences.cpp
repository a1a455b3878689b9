#include "foundation/EditorPreferences.h"

#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"

#include <map>

namespace natalory {
namespace {

std::map<QByteArray, QByteArray> ReadAll(const QString& path) {
    std::map<QByteArray, QByteArray> values;
    // A few short lines; anything larger is not this file.
    const std::optional<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes || bytes->size() > 4096) return values;
    for (const QByteArray& line : bytes->split('\n')) {
        const qsizetype at = line.indexOf('=');
        if (at > 0) values[line.left(at).trimmed()] = line.mid(at + 1).trimmed();
    }
    return values;
}

}  // namespace

bool ReadEditorPreference(const AppState& state, const char* name, bool fallback) {
    const auto values = ReadAll(ConfigFile(state, QString::fromLatin1(kEditorPreferencesFile)));
    const auto it = values.find(QByteArray(name));
    if (it == values.end() || (it->second != "0" && it->second != "1")) return fallback;
    return it->second == "1";
}

bool WriteEditorPreference(const AppState& state, const char* name, bool value) {
    const QString path = ConfigFile(state, QString::fromLatin1(kEditorPreferencesFile));
    auto values = ReadAll(path);
    values[QByteArray(name)] = value ? "1" : "0";
    QByteArray bytes;
    for (const auto& [key, v] : values) bytes += key + '=' + v + "\r\n";
    return MakeFolderFor(path) && WriteFileAtomically(path, bytes, nullptr, FileAccess::Private);
}

}  // namespace natalory
