#pragma once

#include "support/u_AtomicFileWriter.h"

#include <QByteArrayView>
#include <QString>

// The atomic writer for exports: any failure raises EExchangeError naming
// the file; the old file stays as it was and no temporary file remains.
class TSafeFileWriter {
  public:
    explicit TSafeFileWriter(const QString& fileName, const TWriteFaults& faults = {});
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

    void Write(QByteArrayView bytes);
    // Writes the rest, flushes and puts the file in place.
    void Commit();

  private:
    static const QString& CheckedName(const QString& fileName);
    [[noreturn]] void fail();

    QString fileName_;
    TAtomicFileWriter file_;
};
