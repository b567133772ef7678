#include "sync/u_SyncPassword.h"

#include "support/u_ProductInfo.h"

#include <qt6keychain/keychain.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// A secret store that does not answer within this time counts as none.
constexpr int kStoreTimeoutMs = 10'000;

QString service() {
    return QStringLiteral("%1 CardDAV").arg(product::Name);
}

// Runs job to its end in a local event loop; false with why on failure.
bool runJob(QKeychain::Job& job, QString& why) {
    job.setAutoDelete(false);
    job.setInsecureFallback(false);  // never a plain file instead of the store
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kStoreTimeoutMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished) {
        loop.exec();
    }
    if (!finished) {
        why = QCoreApplication::translate("SyncPassword", "The secret store does not answer.");
        return false;
    }
    if (job.error() != QKeychain::NoError) {
        why = job.errorString();
        return false;
    }
    return true;
}

}  // namespace

namespace SyncPassword {

QString KeyOf(const TSyncAccount& account) {
    return account.user + u'@' + account.url;
}

bool Read(const TSyncAccount& account, QString& password, QString& why) {
    if (qEnvironmentVariableIsSet(kEnvironmentVariable)) {
        password = qEnvironmentVariable(kEnvironmentVariable);
        return true;
    }
    QKeychain::ReadPasswordJob job(service());
    job.setKey(KeyOf(account));
    if (!runJob(job, why)) {
        return false;
    }
    password = job.textData();
    return true;
}

bool Store(const TSyncAccount& account, const QString& password, QString& why) {
    QKeychain::WritePasswordJob job(service());
    job.setKey(KeyOf(account));
    job.setTextData(password);
    return runJob(job, why);
}

bool Forget(const TSyncAccount& account, QString& why) {
    QKeychain::DeletePasswordJob job(service());
    job.setKey(KeyOf(account));
    if (runJob(job, why)) {
        return true;
    }
    return job.error() == QKeychain::EntryNotFound;
}

}  // namespace SyncPassword
