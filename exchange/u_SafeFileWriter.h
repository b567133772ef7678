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

// Replaces a file as a whole: the bytes go to a temporary file beside it,
// which is renamed over the target only when everything is written. Any
// failure raises EExchangeError naming the file and removes the temporary
// file; the old file stays as it was.
class TSafeFileWriter {
  public:
    explicit TSafeFileWriter(const QString& fileName, const TWriteFaults& faults = {});
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

    // Buffers bytes, writing them out in large pieces.
    void Write(QByteArrayView bytes);
    // Writes the rest, flushes and puts the file in place.
    void Commit();

  private:
    void flushBuffer();
    [[noreturn]] void fail(const QString& reason);

    QString fileName_;
    TWriteFaults faults_;
    QSaveFile file_;
    QByteArray buffer_;
    qint64 written_ = 0;
};
