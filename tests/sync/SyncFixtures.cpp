#include "SyncFixtures.h"

#include "sync/u_DavClient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace syncfixtures {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

bool waitForPort(int port, QProcess& process) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20'000) {
        if (process.state() == QProcess::NotRunning) {
            return false;
        }
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        if (socket.waitForConnected(200)) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace

int FreePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

TRadicale::TRadicale() {
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

TRadicale::~TRadicale() {
    Stop();
}

QString TRadicale::Program() {
    return QStandardPaths::findExecutable(QStringLiteral("radicale"));
}

bool TRadicale::Start(QString& why) {
    if (port_ == 0) {
        port_ = FreePort();
    }
    writeFile(dir_.filePath(QStringLiteral("users")), (kUser + u':' + kPassword + u'\n').toUtf8());
    const QString config =
        QStringLiteral(
            "[server]\nhosts = 127.0.0.1:%1\n"
            "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\n"
            "htpasswd_encryption = plain\ndelay = 0\n"
            "[storage]\nfilesystem_folder = %3\n"
            "[rights]\ntype = owner_only\n"
            "[web]\ntype = none\n"
            "[logging]\nlevel = warning\n")
            .arg(port_)
            .arg(dir_.filePath(QStringLiteral("users")), dir_.filePath(QStringLiteral("storage")));
    writeFile(dir_.filePath(QStringLiteral("config")), config.toUtf8());
    // Started through a small script that turns off the flush of every
    // change to the disk, which costs most of a test's time otherwise.
    process_.start(QStringLiteral(SYNC_PYTHON),
                   {QStringLiteral(SYNC_RUN_RADICALE), dir_.filePath(QStringLiteral("config"))});
    if (!process_.waitForStarted(10'000) || !waitForPort(port_, process_)) {
        why = QStringLiteral("radicale did not start: ") + QString::fromUtf8(process_.readAll());
        Kill();
        return false;
    }
    return true;
}

void TRadicale::Stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(10'000)) {
            Kill();
        }
    }
}

void TRadicale::Kill() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(10'000);
    }
}

QUrl TRadicale::BookUrl(const QString& book) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2/%3/").arg(port_).arg(kUser, book));
}

bool TRadicale::MakeBook(const QString& book, QString& why) {
    TDavClient client({kUser, kPassword});
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:set><d:prop>"
        "<d:resourcetype><d:collection/><c:addressbook/></d:resourcetype>"
        "<d:displayname>" +
        book.toUtf8() + "</d:displayname></d:prop></d:set></d:mkcol>";
    const TDavReply reply =
        client.Send({"MKCOL", BookUrl(book), body, "application/xml; charset=utf-8", {}});
    if (reply.status != 201) {
        why = QStringLiteral("MKCOL answered %1: %2")
                  .arg(reply.status)
                  .arg(QString::fromUtf8(reply.body));
        return false;
    }
    return true;
}

QString TRadicale::BookFolder(const QString& book) const {
    return dir_.filePath(QStringLiteral("storage/collection-root/%1/%2").arg(kUser, book));
}

int TRadicale::CardCount(const QString& book) const {
    const QDir folder(BookFolder(book));
    return static_cast<int>(folder.entryList({QStringLiteral("*.vcf")}, QDir::Files).size());
}

TFaultProxy::~TFaultProxy() {
    Kill();
}

void TFaultProxy::Kill() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(10'000);
    }
}

bool TFaultProxy::Start(int upstreamPort, const QString& mode, QString& why) {
    process_.start(QStringLiteral(SYNC_PYTHON),
                   {QStringLiteral(SYNC_FAULT_PROXY), QString::number(upstreamPort), mode});
    QElapsedTimer clock;
    clock.start();
    while (!process_.canReadLine() && clock.elapsed() < 10'000 &&
           process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(200);
    }
    if (!process_.canReadLine()) {
        why = QStringLiteral("the fault proxy did not start: ") +
              QString::fromUtf8(process_.readAllStandardError());
        return false;
    }
    const QByteArray line = process_.readLine().trimmed();
    port_ = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
    if (port_ == 0) {
        why = QStringLiteral("the fault proxy said: ") + QString::fromUtf8(line);
        return false;
    }
    return true;
}

bool TFaultProxy::SetMode(const QString& mode) {
    TDavClient client({});
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/%2").arg(port_).arg(mode));
    return client.Send({"MODE", url, {}, {}, {}}).status == 200;
}

QUrl TFaultProxy::Url(const QUrl& upstream) const {
    QUrl url = upstream;
    url.setPort(port_);
    return url;
}

TSecondClient::TSecondClient(const QUrl& book) {
    QDir(dir_.path()).mkpath(QStringLiteral("cards"));
    QDir(dir_.path()).mkpath(QStringLiteral("status"));
    const QString config =
        QStringLiteral(
            "[general]\nstatus_path = \"%1/\"\n\n"
            "[pair book]\na = \"cards\"\nb = \"server\"\ncollections = null\n"
            "conflict_resolution = \"b wins\"\n\n"
            "[storage cards]\ntype = \"filesystem\"\npath = \"%2/\"\n"
            "fileext = \".vcf\"\n\n"
            "[storage server]\ntype = \"carddav\"\nurl = \"%3\"\n"
            "username = \"%4\"\npassword = \"%5\"\n")
            .arg(dir_.filePath(QStringLiteral("status")), dir_.filePath(QStringLiteral("cards")),
                 book.toString(), kUser, kPassword);
    writeFile(dir_.filePath(QStringLiteral("config")), config.toUtf8());
}

QString TSecondClient::Program() {
    return QStandardPaths::findExecutable(QStringLiteral("vdirsyncer"));
}

bool TSecondClient::run(const QStringList& arguments, QString& why) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        Program(),
        QStringList{QStringLiteral("-c"), dir_.filePath(QStringLiteral("config"))} + arguments);
    if (!process.waitForFinished(120'000) || process.exitCode() != 0) {
        why = QStringLiteral("vdirsyncer %1: %2")
                  .arg(arguments.join(u' '), QString::fromUtf8(process.readAll()));
        return false;
    }
    return true;
}

bool TSecondClient::Sync(QString& why) {
    if (!discovered_ && !run({QStringLiteral("discover")}, why)) {
        return false;
    }
    discovered_ = true;
    return run({QStringLiteral("sync")}, why);
}

QMap<QString, QByteArray> TSecondClient::Cards() const {
    QMap<QString, QByteArray> cards;
    const QDir folder(dir_.filePath(QStringLiteral("cards")));
    for (const QString& name : folder.entryList({QStringLiteral("*.vcf")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly)) {
            cards.insert(name, file.readAll());
        }
    }
    return cards;
}

QString TSecondClient::FileOf(const QString& uid) const {
    const QMap<QString, QByteArray> cards = Cards();
    for (auto it = cards.cbegin(); it != cards.cend(); ++it) {
        if (it->contains("UID:" + uid.toUtf8())) {
            return it.key();
        }
    }
    return {};
}

void TSecondClient::Write(const QString& fileName, const QByteArray& card) {
    writeFile(dir_.filePath(QStringLiteral("cards/") + fileName), card);
}

void TSecondClient::Remove(const QString& fileName) {
    QFile::remove(dir_.filePath(QStringLiteral("cards/") + fileName));
}

}  // namespace syncfixtures
