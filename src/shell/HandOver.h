#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

namespace natalory {

// A second start of the program hands its files to the copy that runs, over a local
// socket beside the single-instance lock: in a folder of the user's own, the socket
// itself readable and writable by the user alone.

// The socket beside the lock `lockPath` (empty when there is no lock).
QString HandOverSocketPath(const QString& lockPath);

// Gives `files` (none: only raise the window) to the running copy. True once that copy
// has taken them; otherwise `error` says why.
bool HandToRunningCopy(const QString& socketPath, const QStringList& files, QString* error = nullptr);

// The running copy's side: every message that arrives is handed to `open`, with its
// files made absolute by the sender.
class HandOverServer final : public QObject {
    Q_OBJECT
  public:
    explicit HandOverServer(std::function<void(const QStringList&)> open, QObject* parent = nullptr);
    ~HandOverServer() override;
    bool listen(const QString& socketPath, QString* error = nullptr);

  private:
    void takeConnection();
    QLocalServer* server_;
    std::function<void(const QStringList&)> open_;
};

}  // namespace natalory
