#include "qt/CInstanceChannel.h"

#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kv {

namespace {

// The reply that says the files were taken.
constexpr char kTaken = 'K';
// A request is a count followed by the paths; it is never larger than this.
constexpr qint64 kMaxRequest = 1 << 20;

}  // namespace

CInstanceChannel::CInstanceChannel(QString name, QObject* parent) : QObject(parent), m_strName(std::move(name)) {}

CInstanceChannel::~CInstanceChannel() = default;

QString CInstanceChannel::DefaultName() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("kalvora-%1.socket").arg(static_cast<qulonglong>(getuid())));
}

bool CInstanceChannel::HandOver(const QStringList& paths, int timeoutMs) const {
    if (paths.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(m_strName);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray request;
    {
        QDataStream out(&request, QIODevice::WriteOnly);
        out << paths;
    }
    QByteArray framed;
    {
        QDataStream out(&framed, QIODevice::WriteOnly);
        out << static_cast<quint32>(request.size());
    }
    framed += request;
    socket.write(framed);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    char reply = 0;
    return socket.getChar(&reply) && reply == kTaken;
}

bool CInstanceChannel::IsListening() const { return m_pServer && m_pServer->isListening(); }

bool CInstanceChannel::Listen() {
    if (IsListening()) return true;
    {
        // A program that answers keeps the channel.
        QLocalSocket probe;
        probe.connectToServer(m_strName);
        if (probe.waitForConnected(500)) return false;
    }
    // Nothing answers: a socket left behind by a program that ended goes.
    QLocalServer::removeServer(m_strName);
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_pServer->listen(m_strName)) {
        delete m_pServer;
        m_pServer = nullptr;
        return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceChannel::OnConnection);
    return true;
}

void CInstanceChannel::OnConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < 4) return;
            QDataStream peek(socket->peek(4));
            quint32 size = 0;
            peek >> size;
            if (size > kMaxRequest) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + static_cast<qint64>(size)) return;
            socket->read(4);
            const QByteArray request = socket->read(size);
            QDataStream in(request);
            QStringList paths;
            in >> paths;
            if (in.status() != QDataStream::Ok) {
                socket->abort();
                return;
            }
            socket->putChar(kTaken);
            socket->flush();
            // Opening the files may run a modal dialog. Its event loop would
            // delete this socket once the other program hangs up, while the
            // socket is still delivering this signal: hand the files on from
            // the event loop instead, after the socket is done.
            QMetaObject::invokeMethod(
                this, [this, paths] { emit FilesRequested(paths); }, Qt::QueuedConnection);
        });
    }
}

}  // namespace kv
