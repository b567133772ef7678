#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// Where a write may be made to fail, so that tests can check that every
// failure leaves the old file whole and no temporary file behind.
struct TWriteFaults {
    qint64 failAfterBytes = -1;  // the write fails once this many bytes went out; -1: never
    bool failCommit = false;     // the final flush and rename fail
};

// The faults every writer made without faults of its own starts with; none
// unless a test sets them.
TWriteFaults& DefaultWriteFaults();

// Replaces a file as a whole: the bytes go to a temporary file beside it,
// which is renamed over the target only when everything is written. After
// any failure the old file stays as it was, the temporary file is removed
// and ErrorString() says why; later calls do nothing and return false.
class TAtomicFileWriter {
  public:
    explicit TAtomicFileWriter(const QString& fileName,
                               const TWriteFaults& faults = DefaultWriteFaults());
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // False when the temporary file could not be created.
    bool IsOpen() const { return open_; }
    // Buffers bytes, writing them out in large pieces.
    bool Write(QByteArrayView bytes);
    // Writes the rest, flushes and puts the file in place.
    bool Commit();
    QString ErrorString() const { return error_; }

  private:
    bool flushBuffer();
    bool fail(const QString& reason);

    TWriteFaults faults_;
    QSaveFile file_;
    QByteArray buffer_;
    qint64 written_ = 0;
    bool open_ = false;
    QString error_;
};

// The whole of bytes as the new content of fileName; on failure reason says
// why and the old file is unchanged.
bool WriteFileAtomically(const QString& fileName, QByteArrayView bytes, QString& reason);
