#include "sync/u_DavClient.h"

#include "support/u_ProductInfo.h"
#include "sync/u_DavUrl.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QPointer>
#include <QSslError>
#include <QTimer>

#include <optional>

namespace {

// The system's proxy for other machines, none for this one.
class TProxyFactory : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        if (DavUrl::IsLoopback(query.url())) {
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        }
        return systemProxyForQuery(query);
    }
};

QByteArray basicAuthorization(const TDavCredentials& credentials) {
    return "Basic " + (credentials.user + u':' + credentials.password).toUtf8().toBase64();
}

}  // namespace

struct TDavClient::TOperation {
    qsizetype index = 0;
    TDavRequest request;
    QPointer<QNetworkReply> reply;
    QTimer deadline;
    int redirects = 0;
    bool tooLarge = false;
    bool timedOut = false;
    bool done = false;
    QStringList sslErrors;
    std::optional<TDavReply> answer;
    QString error;
};

TDavClient::TDavClient(TDavCredentials credentials, TDavLimits limits, QObject* parent)
    : QObject(parent), credentials_(std::move(credentials)), limits_(limits) {
    manager_.setProxyFactory(new TProxyFactory);
    manager_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    manager_.setAutoDeleteReplies(false);
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &TDavClient::silent);
}

TDavClient::~TDavClient() {
    // Requests still under way are dropped without telling anybody.
    for (const std::unique_ptr<TOperation>& op : running_) {
        if (op->reply != nullptr) {
            disconnect(op->reply, nullptr, this, nullptr);
            op->reply->abort();
            delete op->reply;
        }
    }
}

void TDavClient::start(TOperation& op) {
    DavUrl::Check(op.request.url);
    QNetworkRequest request(op.request.url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("%1 (CardDAV)").arg(product::Name));
    if (!credentials_.user.isEmpty()) {
        request.setRawHeader("Authorization", basicAuthorization(credentials_));
    }
    if (!op.request.contentType.isEmpty()) {
        request.setRawHeader("Content-Type", op.request.contentType);
    }
    for (const auto& [name, value] : op.request.headers) {
        request.setRawHeader(name, value);
    }
    op.tooLarge = false;
    op.timedOut = false;
    op.sslErrors.clear();
    QNetworkReply* reply = manager_.sendCustomRequest(request, op.request.method, op.request.body);
    ++requestsSent_;
    op.reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [this, &op](qint64 received, qint64) {
        heard();
        if (received > limits_.maxResponseBytes && op.reply != nullptr) {
            op.tooLarge = true;
            op.reply->abort();
        }
    });
    connect(reply, &QNetworkReply::uploadProgress, this, [this] { heard(); });
    connect(reply, &QNetworkReply::sslErrors, this, [&op](const QList<QSslError>& errors) {
        for (const QSslError& e : errors) {
            op.sslErrors << e.errorString();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, &op] { finished(op); });
    op.deadline.setSingleShot(true);
    op.deadline.disconnect();
    connect(&op.deadline, &QTimer::timeout, this, [&op] {
        if (op.reply != nullptr) {
            op.timedOut = true;
            op.reply->abort();
        }
    });
    op.deadline.start(limits_.requestMs);
}

void TDavClient::heard() {
    silence_.start(limits_.silenceMs);
}

void TDavClient::silent() {
    // Nothing came from the server for the whole time: every request under
    // way is given up.
    for (const std::unique_ptr<TOperation>& op : running_) {
        if (op->reply != nullptr) {
            op->timedOut = true;
            op->reply->abort();
        }
    }
}

void TDavClient::fail(TOperation& op, const QString& message) {
    op.error = message;
    op.done = true;
}

bool TDavClient::redirect(TOperation& op, int status) {
    if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308) {
        return false;
    }
    const QByteArray location = op.reply->rawHeader("Location");
    if (location.isEmpty()) {
        return false;
    }
    const QUrl target = op.request.url.resolved(QUrl::fromEncoded(location));
    if (++op.redirects > limits_.maxRedirects) {
        fail(op, tr("The server sent the request from one address to another more than %1 "
                    "times.")
                     .arg(limits_.maxRedirects));
        return true;
    }
    if (!DavUrl::SameOrigin(target, op.request.url)) {
        fail(op, tr("The server sent the request on to another server (%1); it is not "
                    "followed.")
                     .arg(target.toDisplayString(QUrl::RemoveUserInfo)));
        return true;
    }
    if (cancelled_) {
        fail(op, ESyncCancelled().message());
        return true;
    }
    op.request.url = target;
    if (status == 303) {
        op.request.method = "GET";
        op.request.body.clear();
    }
    op.reply->deleteLater();
    start(op);
    return true;
}

void TDavClient::finished(TOperation& op) {
    op.deadline.stop();
    heard();
    QNetworkReply* reply = op.reply;
    const QString host = op.request.url.host();
    bytesReceived_ += reply->bytesAvailable();
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    if (cancelled_ && reply->error() == QNetworkReply::OperationCanceledError) {
        fail(op, ESyncCancelled().message());
    } else if (op.tooLarge) {
        fail(op, tr("The answer of the server %1 is larger than %2 MiB.")
                     .arg(host)
                     .arg(limits_.maxResponseBytes / (1024 * 1024)));
    } else if (op.timedOut || reply->error() == QNetworkReply::TimeoutError ||
               (reply->error() == QNetworkReply::OperationCanceledError && status == 0)) {
        fail(op, tr("The server %1 did not answer in time.").arg(host));
    } else if (!op.sslErrors.isEmpty() ||
               reply->error() == QNetworkReply::SslHandshakeFailedError) {
        const QString why = op.sslErrors.isEmpty() ? reply->errorString() : op.sslErrors.join(u' ');
        fail(op, tr("The certificate of the server %1 is not trusted: %2").arg(host, why));
    } else if (status == 0) {
        fail(op, tr("The server %1 cannot be reached: %2").arg(host, reply->errorString()));
    } else if (!redirect(op, status)) {
        TDavReply answer;
        answer.status = status;
        answer.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        answer.body = reply->readAll();
        if (answer.body.size() > limits_.maxResponseBytes) {
            fail(op, tr("The answer of the server %1 is larger than %2 MiB.")
                         .arg(host)
                         .arg(limits_.maxResponseBytes / (1024 * 1024)));
        } else {
            answer.etag = reply->rawHeader("ETag");
            answer.url = op.request.url;
            op.answer = std::move(answer);
            op.done = true;
        }
    }
    if (op.done) {
        reply->deleteLater();
        op.reply = nullptr;
        if (wake_) {
            wake_();
        }
    }
}

TDavReply TDavClient::Send(const TDavRequest& request) {
    TDavReply result;
    SendAll({request}, [&result](qsizetype, const TDavReply& reply) { result = reply; });
    return result;
}

void TDavClient::SendAll(const QList<TDavRequest>& requests, const TDone& done) {
    if (cancelled_) {
        throw ESyncCancelled();
    }
    QEventLoop loop;
    qsizetype next = 0;
    QString firstError;
    std::exception_ptr thrown;
    const auto startMore = [&] {
        while (firstError.isEmpty() && !thrown && !cancelled_ && next < requests.size() &&
               std::ssize(running_) < limits_.parallel) {
            auto op = std::make_unique<TOperation>();
            op->index = next;
            op->request = requests[next++];
            TOperation& started = *op;
            running_.push_back(std::move(op));
            try {
                start(started);
            } catch (const ESyncError& e) {
                fail(started, e.message());
            }
        }
    };
    // Hands out the finished answers; runs from the loop, so nothing may
    // leave it by an exception.
    const auto collect = [&] {
        for (std::size_t i = running_.size(); i-- > 0;) {
            std::unique_ptr<TOperation> op;
            if (!running_[i]->done) {
                continue;
            }
            op = std::move(running_[i]);
            running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
            if (!op->answer) {
                if (firstError.isEmpty()) {
                    firstError = op->error;
                }
                continue;
            }
            // Answers that come after a failure are still handed out, so
            // that what the server did is recorded.
            try {
                done(op->index, *op->answer);
            } catch (...) {
                if (!thrown) {
                    thrown = std::current_exception();
                }
            }
        }
        startMore();
        if (running_.empty()) {
            loop.quit();
        }
    };
    wake_ = [&] { QTimer::singleShot(0, &loop, collect); };
    heard();
    startMore();
    collect();
    if (!running_.empty()) {
        loop.exec();
    }
    if (!running_.empty()) {
        // The loop was ended from outside (the program quits): what is
        // under way is given up, what was answered is still handed out.
        abortAll();
        wake_ = nullptr;
        collect();
    }
    wake_ = nullptr;
    silence_.stop();
    if (thrown) {
        std::rethrow_exception(thrown);
    }
    if (cancelled_) {
        throw ESyncCancelled();
    }
    if (!firstError.isEmpty()) {
        throw ESyncError(firstError);
    }
}

void TDavClient::Cancel() {
    // The requests under way are answered first: the server may have done
    // what they asked, and that must be known.
    cancelled_ = true;
}

void TDavClient::abortAll() {
    cancelled_ = true;
    for (const std::unique_ptr<TOperation>& op : running_) {
        if (op->reply != nullptr) {
            op->reply->abort();
        }
    }
}
