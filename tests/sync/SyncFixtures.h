#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

// Real servers and a real second client for the sync tests, all on
// 127.0.0.1, started and stopped by the tests.
namespace syncfixtures {

inline const QString kUser = QStringLiteral("alice");
inline const QString kPassword = QStringLiteral("wonderland");

// Radicale (CardDAV server) with a storage folder of its own, one htpasswd
// user (plain passwords) and a free port.
class TRadicale {
  public:
    TRadicale();
    ~TRadicale();

    // The program, or empty when it is not installed.
    static QString Program();
    // Starts the server and waits until it takes connections.
    bool Start(QString& why);
    void Stop();
    // Ends the server at once, as a crash or a pulled cable would.
    void Kill();

    int Port() const { return port_; }
    QUrl BookUrl(const QString& book) const;
    // Makes the address book book of the user; false when the server refused.
    bool MakeBook(const QString& book, QString& why);
    // The number of cards stored in book.
    int CardCount(const QString& book) const;
    // The folder where the server keeps the cards of book.
    QString BookFolder(const QString& book) const;

  private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

// The faulty server of dav_fault_proxy.py in front of a real one.
class TFaultProxy {
  public:
    ~TFaultProxy();
    bool Start(int upstreamPort, const QString& mode, QString& why);
    QUrl Url(const QUrl& upstream) const;
    // Ends the server at once: nothing answers at its address any more.
    void Kill();
    // Switches to another mode of the script.
    bool SetMode(const QString& mode);

  private:
    QProcess process_;
    int port_ = 0;
};

// vdirsyncer: a second client that keeps the address book's cards as files
// in a folder of its own.
class TSecondClient {
  public:
    explicit TSecondClient(const QUrl& book);

    static QString Program();
    // Runs one sync of the folder with the server; false with why on failure.
    bool Sync(QString& why);
    // The cards in the folder, by file name.
    QMap<QString, QByteArray> Cards() const;
    // The file that holds the card with uid; empty when none.
    QString FileOf(const QString& uid) const;
    void Write(const QString& fileName, const QByteArray& card);
    void Remove(const QString& fileName);

  private:
    bool run(const QStringList& arguments, QString& why);

    QTemporaryDir dir_;
    bool discovered_ = false;
};

// A free TCP port of 127.0.0.1 (nothing listens on it when this returns).
int FreePort();

}  // namespace syncfixtures
