#include "hosts/qt/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>
#include <memory>

namespace velk::desktop {

namespace {

// More than any command line the presentation takes (16 arguments of 1024 characters, four
// bytes a character at most); a peer that sends more is not a player.
constexpr qsizetype kMaxCommandLine = 128 * 1024;
constexpr int kHandOverTimeoutMs = 2000;
// Begins every hand-over, so that a connection that only looks whether someone listens (or
// any other stray peer) activates nothing.
constexpr char kHandOverTag[] = "velk-activate-arguments\n";
// Ends each argument: the one byte no argument of a process can hold.
constexpr char kArgumentEnd = '\0';

std::vector<std::string> SplitArguments(QByteArrayView bytes) {
    std::vector<std::string> arguments;
    std::string current;
    for (const char c : bytes) {
        if (c == kArgumentEnd) {
            arguments.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    return arguments;  // an unterminated tail is a message cut short: left out
}

}  // namespace

QString SingleInstance::ServerName(std::string_view instance_name) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(instance_name.data(), static_cast<qsizetype>(instance_name.size())),
        QCryptographicHash::Sha256);
    return QStringLiteral("velkplayer-%1-%2")
        .arg(getuid())
        .arg(QString::fromLatin1(digest.toHex().left(32)));
}

bool SingleInstance::HandOver(const QString& name, std::span<const std::string> arguments) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kHandOverTimeoutMs)) return false;
    QByteArray message(kHandOverTag);
    for (const std::string& argument : arguments) {
        message.append(argument.data(), static_cast<qsizetype>(argument.size()));
        message.append(kArgumentEnd);
    }
    socket.write(message);
    socket.flush();
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kHandOverTimeoutMs)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kHandOverTimeoutMs);
    }
    return true;
}

bool SingleInstance::Listen(const QString& name, Activation on_activation) {
    on_activation_ = std::move(on_activation);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Listening replaces a socket of the same name, so first make sure nobody answers on it:
    // what is left there then is the socket of an instance that died.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kHandOverTimeoutMs)) return false;
    QLocalServer::removeServer(name);
    if (!server_.listen(name)) return false;
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { Accept(); });
    return true;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
            received->append(socket->readAll());
            if (received->size() > kMaxCommandLine) socket->abort();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket, received] {
            received->append(socket->readAll());
            socket->deleteLater();
            if (received->size() > kMaxCommandLine || !received->startsWith(kHandOverTag)) return;
            if (on_activation_) {
                on_activation_(
                    SplitArguments(received->sliced(qsizetype{sizeof(kHandOverTag) - 1})));
            }
        });
    }
}

}  // namespace velk::desktop
