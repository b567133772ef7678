#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

// Limits of every exchange with a server.
struct TDavLimits {
    int silenceMs = 30'000;   // longest silence of the server (see TDavClient)
    int requestMs = 300'000;  // one request, however slowly it trickles
    qint64 maxResponseBytes = 64 * 1024 * 1024;
    int maxRedirects = 5;      // followed only to the same scheme, host and port
    int parallel = 6;          // requests in flight at once
    int cardsPerReport = 100;  // cards asked for in one addressbook-multiget
};

struct TDavCredentials {
    QString user;  // empty: no authorization is sent
    QString password;
};

struct TDavRequest {
    QByteArray method;
    QUrl url;
    QByteArray body;
    QByteArray contentType;
    QList<QPair<QByteArray, QByteArray>> headers;  // Depth, If-Match, ...
};

// The server's answer to a request: any HTTP status is an answer.
struct TDavReply {
    int status = 0;
    QString reason;
    QByteArray body;
    QByteArray etag;  // the ETag header, as written
    QUrl url;         // where the answer came from, after redirects

    bool Ok() const { return status >= 200 && status < 300; }
};

// A WebDAV client over QNetworkAccessManager. Each call runs a local event
// loop until its requests are answered, so a progress dialog stays alive
// meanwhile, and Cancel() (from such a dialog) stops the work.
// Only addresses DavUrl::Check accepts are contacted; certificates are
// checked against the system's store and a failing one is an error; basic
// authorization is sent with every request. Raises ESyncError when the
// server cannot be reached, does not answer in time (silent: none of the
// requests under way got or sent anything for TDavLimits::silenceMs) or
// answers more than the limit, and ESyncCancelled once cancelled.
class TDavClient : public QObject {
    Q_OBJECT

  public:
    explicit TDavClient(TDavCredentials credentials, TDavLimits limits = {},
                        QObject* parent = nullptr);
    ~TDavClient() override;

    TDavReply Send(const TDavRequest& request);

    // Sends every request, Limits().parallel at a time, and calls done with
    // the index and answer of each as it comes. After a failure no further
    // request is started; the ones under way are answered first, then the
    // failure is raised.
    using TDone = std::function<void(qsizetype index, const TDavReply& reply)>;
    void SendAll(const QList<TDavRequest>& requests, const TDone& done);

    // No further request is started; the ones under way are answered
    // (and handed out) first, then ESyncCancelled is raised.
    void Cancel();
    bool Cancelled() const { return cancelled_; }

    const TDavLimits& Limits() const { return limits_; }
    // What went over the wire, for the benchmarks and the progress.
    qint64 RequestsSent() const { return requestsSent_; }
    qint64 BytesReceived() const { return bytesReceived_; }

  private:
    struct TOperation;

    void start(TOperation& op);
    void finished(TOperation& op);
    bool redirect(TOperation& op, int status);
    void fail(TOperation& op, const QString& message);
    // The server sent or took something: the silence starts anew.
    void heard();
    void silent();
    void abortAll();

    TDavCredentials credentials_;
    TDavLimits limits_;
    QNetworkAccessManager manager_;
    std::function<void()> wake_;
    // One silence for all requests under way: a server that works through
    // them one at a time is not silent while any of them moves.
    QTimer silence_;
    bool cancelled_ = false;
    std::vector<std::unique_ptr<TOperation>> running_;
    qint64 requestsSent_ = 0;
    qint64 bytesReceived_ = 0;
};
