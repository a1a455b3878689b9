#include "foundation/SaveTarget.h"

#include <QFileInfo>

namespace natalory {

std::optional<QString> ChooseSaveTarget(Services& services, FileRequest request) {
    for (;;) {
        const std::optional<QString> chosen = services.files.saveFile(request);
        if (!chosen || !QFileInfo::exists(*chosen)) return chosen;
        const PromptAnswer answer = services.prompt.ask(QString::fromLatin1(kOverwriteQuestion), {},
                                                        PromptButtons::YesNoCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Yes) return chosen;
        if (answer != PromptAnswer::No) return std::nullopt;
        request.fileName = *chosen;
    }
}

}  // namespace natalory
