#pragma once

#include <QDateTime>
#include <QString>

// The error log: every error report is appended to it as a stamped entry with
// CR LF line ends. The file is created readable by the user only and written
// with O_APPEND in one piece, so two running programs do not overwrite each
// other's entries. A symbolic link, a file that is not regular (a FIFO, a
// device) or a file of another user in the log's place is not written to.
class TSimpleExceptionLog {
  public:
    // The program's log (ErrorLogFileName); when the file beside the program
    // cannot be opened after all, the one in the state folder is used.
    TSimpleExceptionLog();
    // Exactly this file.
    explicit TSimpleExceptionLog(QString FileName);

    const QString& FileName() const { return fileName_; }
    // Whether the file was empty when the last entry was written.
    bool FileWasEmpty() const { return fileWasEmpty_; }

    // Appends a stamped entry of Report; false when the file could not be
    // opened or written (the caller goes on without a log).
    bool Write(const QString& Report, int Width = 100);

    // The stamp lines of an entry written at Time, each ending in CR LF.
    static QString Stamp(const QDateTime& Time, int Width);
    // A whole entry: an empty line first unless the file is empty, the stamp,
    // then the report's lines without trailing spaces.
    static QByteArray Entry(const QString& Report, bool FileWasEmpty, const QDateTime& Time,
                            int Width);

    // Where the program's log is: beside the program when its folder can be
    // written, else in the user's state folder ($XDG_STATE_HOME, by default
    // ~/.local/state, then Orvane/<program>.Error.log). SetErrorLogFileName
    // fixes another file (tests); an empty name restores the rule.
    static QString ErrorLogFileName();
    static void SetErrorLogFileName(const QString& FileName);
    // The state-folder file of the rule above.
    static QString StateLogFileName();

  private:
    QString fileName_;
    bool fileWasEmpty_ = false;
    bool mayFallBack_ = false;
};

// The width of stamp lines: 100 for 0, never less than 20.
int LogWidth(int Width);
