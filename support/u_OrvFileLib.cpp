#include "support/u_OrvFileLib.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

TAppInfo App;

void SplitFilePath(const QString& FullName, QString& Dir, QString& Name) {
    const qsizetype at = std::max(FullName.lastIndexOf(u'/'), FullName.lastIndexOf(u'\\'));
    if (at < 0) {
        Dir.clear();
        Name = FullName;
        return;
    }
    Dir = FullName.left(at);
    Name = FullName.mid(at + 1);
}

void SplitFileExt(const QString& FileName, QString& Base, QString& Ext) {
    const qsizetype at = FileName.lastIndexOf(u'.');
    if (at < 0) {
        Base.clear();
        Ext = FileName;
        return;
    }
    Base = FileName.left(at);
    Ext = FileName.mid(at + 1);
}

QString RunningVersionText() {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ORVANE_VERSION_MAJOR)
        .arg(ORVANE_VERSION_MINOR)
        .arg(ORVANE_VERSION_PATCH)
        .arg(ORVANE_VERSION_TWEAK);
}

QString FileVersionText(const QString& FileName) {
    if (FileName.isEmpty() || QCoreApplication::instance() == nullptr) {
        return {};
    }
    const QFileInfo file(FileName);
    const QFileInfo running(QCoreApplication::applicationFilePath());
    if (!file.exists() || file.canonicalFilePath() != running.canonicalFilePath()) {
        return {};
    }
    return RunningVersionText();
}

void FillAppInfo(const QString& ExecutablePath) {
    QString name;
    SplitFilePath(ExecutablePath, App.Path, name);
    // An executable here usually has no extension; its whole name is then the
    // ID (the plain split would leave the ID empty and name the log ".Error.log").
    if (name.contains(u'.')) {
        SplitFileExt(name, App.ID, App.Ext);
    } else {
        App.ID = name;
        App.Ext.clear();
    }
    App.Version = FileVersionText(ExecutablePath);
}
