#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Where a write may be made to fail, so that tests can check that every
// failure leaves the old file whole and no temporary file behind.
struct TWriteFaults {
    qint64 failAfterBytes = -1;  // the write fails once this many bytes went out; -1: never
    bool failCommit = false;     // the final rename fails
    bool failSync = false;       // the flush to the disk fails (as fsync does on an I/O error)
};

// The faults every writer made without faults of its own starts with; none
// unless a test sets them.
TWriteFaults& DefaultWriteFaults();

// Replaces a file as a whole: the bytes go to a temporary file beside it
// (beside the file a symbolic link points to), which reaches the disk and is
// renamed over the target only when everything is written. A target that
// exists and is not a regular file (a folder, FIFO, device or socket), a
// loop of links and a file its owner protected are refused before anything
// is created. After any failure the old file stays as it was, the temporary
// file is removed and ErrorString() gives the system's reason ("No space
// left on device"); later calls do nothing and return false.
class TAtomicFileWriter {
  public:
    explicit TAtomicFileWriter(const QString& fileName,
                               const TWriteFaults& faults = DefaultWriteFaults());
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // False when the target was refused or the temporary file could not be
    // created.
    bool IsOpen() const { return fd_ >= 0; }
    // Buffers bytes, writing them out in large pieces.
    bool Write(QByteArrayView bytes);
    // Writes the rest, makes it reach the disk and puts the file in place.
    bool Commit();
    QString ErrorString() const { return error_; }

  private:
    bool prepareTarget(const QString& fileName);
    bool createTemporary();
    bool flushBuffer();
    bool syncAndClose();
    bool fail(const QString& reason);
    bool failWithErrno(int error);
    void discard();

    TWriteFaults faults_;
    QByteArray target_;     // the file replaced, links followed
    QByteArray temporary_;  // the file written, beside the target
    int fd_ = -1;
    QByteArray buffer_;
    qint64 written_ = 0;
    QString error_;
};

// The whole of bytes as the new content of fileName; on failure reason says
// why and the old file is unchanged.
bool WriteFileAtomically(const QString& fileName, QByteArrayView bytes, QString& reason);
