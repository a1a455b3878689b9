#include "shell/HandOver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace natalory {
namespace {

// A message is a first line naming it, a path a line, and an empty line to end it;
// the answer is one line. A path holding a line end cannot be handed over.
constexpr QByteArrayView kGreeting = "natalory-open 1\n";
constexpr QByteArrayView kTaken = "taken\n";
// No list of files a person starts the program with comes near this.
constexpr qint64 kMaxMessage = 256 * 1024;

// How long a second start waits for a copy that has the lock but does not listen yet
// (it is starting), and for its answer.
constexpr int kConnectMs = 5000;
constexpr int kAnswerMs = 10000;

}  // namespace

QString HandOverSocketPath(const QString& lockPath) {
    if (lockPath.isEmpty()) return {};
    return QFileInfo(lockPath).dir().filePath(QStringLiteral("natalory.socket"));
}

bool HandToRunningCopy(const QString& socketPath, const QStringList& files, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (socketPath.isEmpty())
        return fail(QStringLiteral("there is no folder of the user's own for the socket"));
    QByteArray message = kGreeting.toByteArray();
    for (const QString& file : files) {
        const QString path = QFileInfo(file).absoluteFilePath();
        if (path.contains(u'\n') || path.contains(u'\r'))
            return fail(QStringLiteral("a file name holds a line end: %1").arg(file));
        message += path.toUtf8() + '\n';
    }
    message += '\n';

    QLocalSocket socket;
    QElapsedTimer waited;
    waited.start();
    while (true) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(1000)) break;
        if (waited.elapsed() > kConnectMs) return fail(socket.errorString());
        QThread::msleep(100);
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerMs)) return fail(socket.errorString());
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kAnswerMs))
            return fail(QStringLiteral("the running copy did not answer"));
    if (socket.readLine() != kTaken) return fail(QStringLiteral("the running copy did not take the files"));
    return true;
}

HandOverServer::HandOverServer(std::function<void(const QStringList&)> open, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), open_(std::move(open)) {
    connect(server_, &QLocalServer::newConnection, this, &HandOverServer::takeConnection);
}

HandOverServer::~HandOverServer() {
    server_->close();
}

bool HandOverServer::listen(const QString& socketPath, QString* error) {
    if (socketPath.isEmpty()) return false;
    // Whoever holds the lock owns the socket: one left by a copy that crashed goes.
    QLocalServer::removeServer(socketPath);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath)) {
        if (error) *error = server_->errorString();
        return false;
    }
    QFile::setPermissions(socketPath, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void HandOverServer::takeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxMessage) {
                socket->abort();
                return;
            }
            const QByteArray received = socket->peek(kMaxMessage);
            if (!received.endsWith("\n\n")) return;
            socket->readAll();
            QList<QByteArray> lines = received.split('\n');
            if (lines.isEmpty() || lines.takeFirst() + '\n' != kGreeting) {
                socket->abort();
                return;
            }
            QStringList files;
            for (const QByteArray& line : lines)
                if (!line.isEmpty()) files << QString::fromUtf8(line);
            socket->write(kTaken.toByteArray());
            socket->flush();
            socket->disconnectFromServer();
            // Opened from the event loop, not from inside the socket's signal: opening may
            // show a dialog that waits for the user.
            QTimer::singleShot(0, this, [this, files] { open_(files); });
        });
    }
}

}  // namespace natalory
