#pragma once

#include "foundation/Seams.h"

#include <deque>
#include <vector>

// Scripted stand-ins for the seams: they answer what the test says and remember
// what the program asked.
namespace natalory::test {

struct AskedPrompt {
    QString text;
    QString title;
    PromptButtons buttons;
    PromptIcon icon;
};

class ScriptedPrompt final : public Prompt {
  public:
    std::deque<PromptAnswer> answers;  // used in order; Ok / Cancel when empty
    std::vector<AskedPrompt> asked;

    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override {
        asked.push_back({text, title, buttons, icon});
        if (answers.empty()) return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
        const PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class ScriptedFileChooser final : public FileChooser {
  public:
    std::deque<std::optional<QString>> answers;
    std::vector<FileRequest> requests;

    std::optional<QString> openFile(const FileRequest& r) override { return next(r); }
    std::optional<QString> saveFile(const FileRequest& r) override { return next(r); }

  private:
    std::optional<QString> next(const FileRequest& r) {
        requests.push_back(r);
        std::optional<QString> a;
        if (!answers.empty()) {
            a.swap(answers.front());
            answers.pop_front();
        }
        return a;
    }
};

class ScriptedColorChooser final : public ColorChooser {
  public:
    std::optional<QColor> answer;
    std::vector<QColor> offered;
    std::optional<QColor> chooseColor(const QColor& initial) override {
        offered.push_back(initial);
        return answer;
    }
};

class ScriptedPrinterSetup final : public PrinterSetupChooser {
  public:
    std::optional<PrinterChoice> answer;
    int shown = 0;
    std::optional<PrinterChoice> choosePrinterSetup(const PrinterChoice&) override {
        ++shown;
        return answer;
    }
};

class FixedClock final : public Clock {
  public:
    QDateTime moment{QDate(2026, 12, 6), QTime(14, 30, 0)};
    QDate today() const override { return moment.date(); }
    QDateTime now() const override { return moment; }
};

class RecordingUrlOpener final : public UrlOpener {
  public:
    bool succeed = true;
    std::vector<QString> opened;
    bool openUrl(const QString& address) override {
        opened.push_back(address);
        return succeed;
    }
};

class RecordingHelpViewer final : public HelpViewer {
  public:
    struct Shown {
        QString file;
        QString window;
        int topic;  // 0: contents
    };
    std::vector<Shown> shown;
    void showContents(const QString& f, const QString& w) override { shown.push_back({f, w, 0}); }
    void showTopic(const QString& f, const QString& w, int t) override { shown.push_back({f, w, t}); }
};

struct TestServices {
    ScriptedPrompt prompt;
    ScriptedFileChooser files;
    ScriptedColorChooser colors;
    ScriptedPrinterSetup printerSetup;
    FixedClock clock;
    RecordingUrlOpener urls;
    RecordingHelpViewer help;
    Services services{prompt, files, colors, printerSetup, clock, urls, help};
};

}  // namespace natalory::test
