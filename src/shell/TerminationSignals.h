#pragma once

class QWidget;

namespace natalory {

// A session that ends, a `kill` or Ctrl+C in the terminal closes the program as its close
// box would: the toolbar layout is saved and a changed print is asked about. Signals that
// arrive before the window exists wait for it.
void CatchTerminationSignals();
void CloseOnTerminationSignal(QWidget& mainWindow);

}  // namespace natalory
