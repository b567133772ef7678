#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Lowers the process's file size limit for its lifetime, so that a write
// past the limit fails as on a full disk (EFBIG; SIGXFSZ is ignored
// meanwhile). It is the operating system's own failure, so it reaches
// every writer of the program, Qt's settings included.
class TFileSizeLimit {
  public:
    explicit TFileSizeLimit(qint64 bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

  private:
    unsigned long long previous_;
    void (*previousHandler_)(int);
};

// Lets write() run with the file size limit at base + n for every n below
// bytes (in steps, for long files) and checks that each run reports the
// failure, leaves file byte for byte as it was and leaves nothing else in
// its folder. Returns the first broken rule, or an empty text.
QString CheckFailedWrites(const QString& file, qint64 base, qint64 bytes,
                          const std::function<bool()>& write);

// The names in the folder of file, to see that no temporary file stayed.
QStringList FolderEntries(const QString& file);
QByteArray FileBytes(const QString& file);
