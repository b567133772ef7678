#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A small HTTP server on 127.0.0.1 for tests: it answers every GET with the
// reply set last and records the requested paths.
class TestHttpServer : public QObject {
    Q_OBJECT

  public:
    enum class Mode {
        Answer,   // the whole reply at once
        Silent,   // reads the request and never answers
        Trickle,  // the reply one byte at a time, TrickleMs apart, never ending
    };

    TestHttpServer();

    QString BaseAddress() const;
    void SetReply(int status, const QByteArray& body, const QByteArray& extraHeaders = {});
    void SetMode(Mode mode) { mode_ = mode; }
    void SetTrickleMs(int ms) { trickleMs_ = ms; }
    const QStringList& Paths() const { return paths_; }

  private:
    void onConnection();
    void onRequest(QTcpSocket* socket);
    void trickle(QTcpSocket* socket, QByteArray rest);

    QTcpServer server_;
    QByteArray reply_;
    Mode mode_ = Mode::Answer;
    int trickleMs_ = 100;
    QStringList paths_;
};
