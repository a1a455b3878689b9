#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// Everything that talks to a person or to the machine goes through one of these
// interfaces. The desktop program plugs in Qt's dialogs; tests plug in scripted ones.

namespace natalory {

// YesNo asks before something that cannot be undone: its default answer is No.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Exclamation, Question, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Message boxes. An empty title means the application's own title.
class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                             PromptIcon icon) = 0;

    void tell(const QString& text, const QString& title = {}, PromptIcon icon = PromptIcon::None) {
        ask(text, title, PromptButtons::Ok, icon);
    }
};

struct FileRequest {
    QString title;
    QString filter;         // "Templates (*.als);;All Files (*)"
    QString folder;         // where the dialog opens
    QString fileName;       // proposed name (save) or preselected file (open)
    QString defaultSuffix;  // added to a typed name without one, e.g. "als"
};

// Open and save dialogs: a chosen path, or nothing when the user cancels.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
};

class ColorChooser {
  public:
    virtual ~ColorChooser() = default;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
};

// What the printer dialog lets the user choose besides the printer and the orientation.
struct PrintOptions {
    int copies = 1;
    bool collate = true;
    int duplex = 0;  // 0 one-sided, 1 automatic, 2 long edge, 3 short edge
    bool grayscale = false;
};

struct PrinterChoice {
    int orientation = 1;  // 1 portrait, 2 landscape
    QString printerName;  // empty: the system's default
    PrintOptions options;
};

// The printer set-up dialog: which printer prints, and the orientation.
class PrinterSetupChooser {
  public:
    virtual ~PrinterSetupChooser() = default;
    // Nothing when cancelled.
    virtual std::optional<PrinterChoice> choosePrinterSetup(const PrinterChoice& current) = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // False when the desktop could not open the address.
    virtual bool openUrl(const QString& address) = 0;
};

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void showContents(const QString& helpFile, const QString& window) = 0;
    virtual void showTopic(const QString& helpFile, const QString& window, int topicId) = 0;
};

// The real clock of the machine.
class SystemClock final : public Clock {
  public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The seams one running program uses, owned elsewhere.
struct Services {
    Prompt& prompt;
    FileChooser& files;
    ColorChooser& colors;
    PrinterSetupChooser& printerSetup;
    Clock& clock;
    UrlOpener& urls;
    HelpViewer& help;
};

}  // namespace natalory
