#pragma once

#include <QString>

// Facts about the running program, filled once at start-up by FillAppInfo and
// read-only afterwards.
struct TAppInfo {
    QString Path;     // folder of the executable, without the trailing separator
    QString ID;       // file name of the executable without its extension
    QString Ext;      // extension of the executable's file name, without the dot
    QString Version;  // FileVersionText of the executable
};

extern TAppInfo App;

// Splits a full file name at its last "/" (or "\", so that Windows paths kept
// in old settings split too). Without a separator Dir is empty and Name is the
// whole text.
void SplitFilePath(const QString& FullName, QString& Dir, QString& Name);

// Splits a file name at its last dot. Without a dot Base is empty and Ext is
// the whole text.
void SplitFileExt(const QString& FileName, QString& Base, QString& Ext);

// The file version "major.minor.release.build" of the running program when
// FileName names its executable; the empty text for any other file (files on
// this platform carry no version resource) and for any failure.
QString FileVersionText(const QString& FileName);

// The version of the running program, "major.minor.release.build".
QString RunningVersionText();

// Fills App from the executable's full path.
void FillAppInfo(const QString& ExecutablePath);
