#pragma once

#include "cli/CommandLine.h"
#include "foundation/AppState.h"
#include "foundation/Seams.h"

#include <QDate>
#include <QStringList>

#include <functional>

namespace natalory {

// Keeps what it is told, for the command line to report: it has no one to ask.
class SilentPrompt final : public Prompt {
  public:
    QStringList said;         // why the work stopped
    QStringList logProblems;  // the print log could not be written; the prints went on
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons, PromptIcon) override;
    // "natalory-print: warning: ..." for each log problem, one line each.
    QString warnings() const;
};

// A batch as the command line asks for it. `to` 0: to the last record.
struct BatchRequest {
    QString file;
    int from = 1;
    int to = 0;
    QString out;     // one PDF for the whole batch
    QString outDir;  // a PDF per record
    bool print = false;
    QString printerName;
    QDate today;
    std::function<void(DataSettings&)> adjustData;  // the command line's data settings over the template's
    int jobs = 0;                 // processes printing into --out at once; 0: one for each core
    QStringList workerArguments;  // what each of them is told besides its share
    bool worker = false;          // this process is one of them: it tells its progress on stdout
};

// Reads the whole file first: a bad file stops everything with exit 2, before
// anything is written. Ctrl+C stops between records; a PDF being written is dropped.
CliResult RunBatchCommand(AppState& state, const BatchRequest& request);

}  // namespace natalory
