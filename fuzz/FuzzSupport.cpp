#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace natalory::fuzz {
namespace {

QString MakeProgramFolder() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "natalory-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);

    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir folder(QDir(base).filePath(QStringLiteral("natalory-fuzz-XXXXXX")));
    if (!folder.isValid()) std::abort();
    for (const char* file :
         {"brdstf.fpf", "blear.fpf", "blearII.fpf", "blik.fpf", "cake.png", "nopicfound.ico"})
        QFile::copy(QDir(QStringLiteral(NATALORY_SOURCE_DATA)).filePath(QLatin1StringView(file)),
                    QDir(folder.path()).filePath(QLatin1StringView(file)));
    return folder.path();
}

}  // namespace

const QString& ProgramFolder() {
    static const QString folder = MakeProgramFolder();
    return folder;
}

QString WriteProgramFile(const QString& name, QByteArrayView bytes) {
    const QString path = QDir(ProgramFolder()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
    return path;
}

QByteArrayView Bytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

QDate BirthDateFrom(uint8_t a, uint8_t b) {
    const QDate first(1900, 1, 1);
    return first.addDays((a * 256 + b) % first.daysTo(QDate(2025, 12, 31)));
}

void ReadYearData(const uint8_t* data, size_t size, const char* fileName, YearDataReader read) {
    if (size < 2) return;
    WriteProgramFile(QString::fromLatin1(fileName), Bytes(data, size));
    YearData year;
    (void)read(ProgramFolder(), BirthDateFrom(data[size - 2], data[size - 1]), year);
}

PromptAnswer AnswerFirst::ask(const QString&, const QString&, PromptButtons buttons, PromptIcon) {
    switch (buttons) {
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Yes;
    }
    return PromptAnswer::Ok;
}

}  // namespace natalory::fuzz

// Fontconfig keeps its pattern cache to the end of the process on purpose; that is
// not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
