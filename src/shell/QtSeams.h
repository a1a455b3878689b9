#pragma once

#include "foundation/Seams.h"

#include <QPointer>

class QWidget;

namespace natalory {

class HelpWindow;

// The seams as the desktop program has them: Qt's own dialogs, the desktop's
// browser, our help window. Dialogs are parented to the active window.
class QtPrompt final : public Prompt {
  public:
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override;
};

class QtFileChooser final : public FileChooser {
  public:
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
};

class QtColorChooser final : public ColorChooser {
  public:
    std::optional<QColor> chooseColor(const QColor& initial) override;
};

class QtPrinterSetupChooser final : public PrinterSetupChooser {
  public:
    std::optional<PrinterChoice> choosePrinterSetup(const PrinterChoice& current) override;
};

class QtUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const QString& address) override;
};

class QtHelpViewer final : public HelpViewer {
  public:
    ~QtHelpViewer() override;
    void showContents(const QString& helpFile, const QString& window) override;
    void showTopic(const QString& helpFile, const QString& window, int topicId) override;

  private:
    HelpWindow& ensureWindow();
    QPointer<HelpWindow> window_;
};

// Set on a window kept above the others while it is shown: the questions and file
// dialogs asked meanwhile are its own, so they open above it.
inline constexpr auto kOwnsDialogsProperty = "natalory_owns_dialogs";

// The application's own title, used by message boxes that have none of their own.
inline constexpr auto kDefaultMessageTitle = "Natalory";

}  // namespace natalory
