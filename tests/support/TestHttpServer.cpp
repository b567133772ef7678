#include "TestHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

TestHttpServer::TestHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &TestHttpServer::onConnection);
    SetReply(200, {});
}

QString TestHttpServer::BaseAddress() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void TestHttpServer::SetReply(int status, const QByteArray& body, const QByteArray& extraHeaders) {
    reply_ = "HTTP/1.1 " + QByteArray::number(status) + " Test\r\n" +
             "Content-Type: text/xml\r\nConnection: close\r\n" + extraHeaders +
             "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

void TestHttpServer::onConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRequest(socket); });
    }
}

void TestHttpServer::onRequest(QTcpSocket* socket) {
    if (!socket->canReadLine() || socket->property("answered").toBool()) {
        return;
    }
    const QList<QByteArray> request = socket->readLine().split(' ');
    socket->readAll();
    socket->setProperty("answered", true);
    paths_ << QString::fromUtf8(request.value(1));
    switch (mode_) {
        case Mode::Answer:
            socket->write(reply_);
            socket->disconnectFromHost();
            break;
        case Mode::Silent:
            break;
        case Mode::Trickle:
            // Headers promising a long body, then one byte at a time.
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            trickle(socket, QByteArray(100000, 'x'));
            break;
    }
}

void TestHttpServer::trickle(QTcpSocket* socket, QByteArray rest) {
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(trickleMs_, this, [this, guarded, rest] {
        if (guarded == nullptr || guarded->state() != QAbstractSocket::ConnectedState) {
            return;
        }
        guarded->write(rest.left(1));
        trickle(guarded.data(), rest.mid(1));
    });
}
