#include "output/Exports.h"

#include "batch/PrintLog.h"
#include "output/EmfWriter.h"
#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SaveTarget.h"

#include <QBuffer>
#include <QFileInfo>

namespace natalory {
namespace {

struct KindInfo {
    const char* suffix;
    const char* filter;
    const char* format;  // image format, or null for PDF
};

KindInfo Info(ExportKind kind) {
    switch (kind) {
        case ExportKind::Metafile:
            return {"emf", "Enhanced Metafile (*.emf)", nullptr};
        case ExportKind::Bitmap:
            return {"bmp", "Bitmap (*.bmp)", "BMP"};
        case ExportKind::Png:
            return {"png", "PNG Picture (*.png)", "PNG"};
        case ExportKind::Pdf:
            return {"pdf", "PDF Document (*.pdf)", nullptr};
    }
    return {};
}

}  // namespace

QString ProposedExportName(const AppState& state) {
    const QString name = (state.birthday.FirstName + u' ' + state.birthday.LastName).trimmed();
    return name.isEmpty() ? QStringLiteral("Birthday Print") : name;
}

bool WriteExport(ExportKind kind, const PrintEngine& engine, const QString& path, QString* error,
                 double dpi) {
    const KindInfo info = Info(kind);
    if (kind == ExportKind::Metafile) return WriteEmf(engine, path, error);
    if (!info.format) return engine.WritePdf(path, error);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!engine.RenderImage(kind == ExportKind::Bitmap ? 96 : dpi).save(&buffer, info.format)) {
        if (error) *error = QStringLiteral("the picture could not be made");
        return false;
    }
    return WriteFileAtomically(path, bytes, error);
}

bool SaveExport(ExportKind kind, const CanvasDocument& doc, AppState& state, Services& services) {
    const KindInfo info = Info(kind);
    FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = QString::fromLatin1(info.filter);
    request.folder = SaveFolder(state);
    request.fileName = ProposedExportName(state) + u'.' + QLatin1StringView(info.suffix);
    request.defaultSuffix = QString::fromLatin1(info.suffix);
    const std::optional<QString> target = ChooseSaveTarget(services, request);
    if (!target) return false;
    if (target->trimmed().isEmpty() || QFileInfo(*target).isDir()) {
        services.prompt.ask(QStringLiteral("No file found to save."), QStringLiteral("Disk Error"),
                            PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    state.SavingToFile = true;
    PrintEngine engine;
    PrintCanvas(doc, state, engine, CanvasPlacement{},
                PrintServices{services.prompt, services.clock, nullptr});
    QString error;
    // The new file replaces an old one only once it is whole.
    const bool written = WriteExport(kind, engine, *target, &error);
    if (!written)
        services.prompt.ask(QStringLiteral("An error has occured. 75 Desc:") + error,
                            QStringLiteral("Disk Error"), PromptButtons::Ok, PromptIcon::Exclamation);
    else {
        ++state.PrintCount;
        LogPrint(state, services.clock.now(), services.prompt);
    }
    state.SavingToFile = false;
    return written;
}

}  // namespace natalory
