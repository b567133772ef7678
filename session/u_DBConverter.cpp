#include "session/u_DBConverter.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_RecordIdentity.h"
#include "session/u_SourceDBCheck.h"
#include "support/u_AtomicFileWriter.h"
#include "support/u_ExchangeError.h"
#include "support/u_ProductInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace {

// Engine members answer refused arguments with false; in a fresh database
// that means something is wrong, so building stops.
void require(bool ok, const QString& step) {
    if (!ok) {
        throw EExchangeError(TDBConverter::tr("The database step \"%1\" failed.").arg(step));
    }
}

// Closes both instances whatever happens, so nothing is left open.
class CloseGuard {
  public:
    CloseGuard(TQuib& a, TQuib& b) : a_(a), b_(b) {}
    ~CloseGuard() {
        closeQuietly(a_);
        closeQuietly(b_);
    }
    CloseGuard(const CloseGuard&) = delete;
    CloseGuard& operator=(const CloseGuard&) = delete;

  private:
    static void closeQuietly(TQuib& db) noexcept {
        try {
            db.Close();
        } catch (...) {
            // Close touches no file; nothing useful to report.
        }
    }
    TQuib& a_;
    TQuib& b_;
};

}  // namespace

TDBConverter::TDBConverter(const QString& programVersion)
    : ownSource_(std::make_unique<TQuib>()),
      ownDest_(std::make_unique<TQuib>()),
      programVersion_(programVersion),
      source_(*ownSource_),
      dest_(*ownDest_) {
    ownSource_->setObjectName(QStringLiteral("QuibSource"));
    ownDest_->setObjectName(QStringLiteral("QuibDest"));
    ownSource_->OnCheckCompatibility = [this](int16_t& Cancel) { checkCompatibility(Cancel); };
}

TDBConverter::TDBConverter(TQuib& source, TQuib& dest) : source_(source), dest_(dest) {}

TDBConverter::~TDBConverter() {
    // The handler captures this; the engine must not call it while dying.
    if (ownSource_) {
        ownSource_->OnCheckCompatibility = nullptr;
    }
}

void TDBConverter::checkCompatibility(int16_t& Cancel) {
    const TSourceDBCheck check = CheckSourceDatabase(source_, programVersion_);
    if (!check.accepted) {
        Cancel = 1;
    }
    if (SourceChecked) {
        SourceChecked(check);
    }
}

bool TDBConverter::CheckSource(const QString& sourceFile) {
    source_.SetDatabaseName(sourceFile);
    bool opened = false;
    try {
        opened = source_.Open();
    } catch (...) {
        source_.Close();
        throw;
    }
    source_.Close();
    return opened;
}

bool TDBConverter::SameFile(const QString& a, const QString& b) {
    if (a == b) {
        return true;
    }
    if (a.isEmpty() || b.isEmpty()) {
        return false;
    }
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.absoluteFilePath() == second.absoluteFilePath()) {
        return true;
    }
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

TColumnMap TDBConverter::BuildColumnMap(const QStringList& sourceColumns,
                                        const QStringList& destColumns) {
    // The destination layout plays the program's part in the matching.
    return MatchColumns(sourceColumns, destColumns).fromDB;
}

QStringList TDBConverter::DatabaseColumns(const TQuibReader& db) {
    return ::DatabaseColumns(db);
}

void TDBConverter::MakeBackup(const QString& file) {
    const QString backup = BackupFileName(file);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        throw EExchangeError(
            tr("The backup copy \"%1\" could not be made: %2").arg(backup, in.errorString()));
    }
    TAtomicFileWriter out(backup);
    constexpr qint64 kChunk = 1 << 20;
    bool written = out.IsOpen();
    while (written && !in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        written = in.error() == QFileDevice::NoError && out.Write(chunk);
    }
    if (!written || !out.Commit()) {
        const QString reason =
            in.error() != QFileDevice::NoError ? in.errorString() : out.ErrorString();
        throw EExchangeError(
            tr("The backup copy \"%1\" could not be made: %2").arg(backup, reason));
    }
}

void TDBConverter::CreateDatabase(TQuib& db, const TDBLayout& layout) {
    require(db.Create(), QStringLiteral("Create"));
    QString minVersion = layout.version;
    if (db.IsUnicode() && db.CompareVersion(minVersion, product::MinUnicodeDatabaseVersion) < 0) {
        minVersion = product::MinUnicodeDatabaseVersion;
    }
    WriteContactsHeaders(db, minVersion, layout.version, layout.columns);
    // The engine answers a refused step with false; check the outcome once.
    constexpr int kIdentificationHeaders = 7;
    require(db.HeadersCount() == kIdentificationHeaders &&
                db.ColsCount() == layout.columns.size() && DatabaseColumns(db) == layout.columns,
            QStringLiteral("Create"));
}

void TDBConverter::openSource(const QString& sourceFile) {
    if (sourceFile.isEmpty()) {
        throw EExchangeError(tr("No source database has been chosen."));
    }
    source_.SetDatabaseName(sourceFile);
    bool opened = false;
    try {
        opened = source_.Open();
    } catch (const EQuibError& e) {
        throw EExchangeError(tr("The source database \"%1\" could not be opened: %2")
                                 .arg(sourceFile, QString::fromStdString(e.what())));
    }
    if (!opened) {
        throw EExchangeError(tr("The source database \"%1\" could not be opened.").arg(sourceFile));
    }
}

void TDBConverter::copyRows() {
    const int rows = source_.RowsCount();
    const int cols = source_.ColsCount();
    const TColumnMap& target = lstDBColsIndexFromSourceDB_;
    for (int r = 0; r < rows; ++r) {
        require(dest_.NewRow(r), QStringLiteral("NewRow"));
        for (int c = 0; c < cols; ++c) {
            // A column the destination layout lacks is dropped.
            if (target[c] >= 0) {
                dest_.SetData(r, target[c], source_.GetData(r, c));
            }
        }
    }
}

void TDBConverter::checkStorable() {
    dest_.SetEncoding(encoding_);
    if (dest_.IsUnicode() || source_.Encoding() == encoding_) {
        return;
    }
    const QStringList columns = DatabaseColumns(source_);
    const int first = columns.indexOf(QLatin1String(ContactSchema::names::FirstName));
    const int sur = columns.indexOf(QLatin1String(ContactSchema::names::SurName));
    for (int r = 0; r < source_.RowsCount(); ++r) {
        for (int c = 0; c < source_.ColsCount(); ++c) {
            QString missing;
            if (lstDBColsIndexFromSourceDB_[c] < 0 ||
                dest_.CanStoreText(source_.GetData(r, c), &missing)) {
                continue;
            }
            const QString name = QStringList{source_.GetData(r, first), source_.GetData(r, sur)}
                                     .join(u' ')
                                     .trimmed();
            throw EExchangeError(
                tr("Contact %1 (%2) cannot be stored in Central European letters: \"%3\" in "
                   "the field \"%4\" has no Windows-1250 form. Nothing was written.")
                    .arg(QString::number(r + 1), name, missing, columns.value(c)));
        }
    }
}

namespace {

// The file a destination name finally stands for: a link's target is
// replaced, not the link.
QString replacedFile(const QString& destFile) {
    const QFileInfo info(destFile);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : destFile;
}

// Reserves a fresh name beside target for building the new file.
QString reserveTemporaryName(const QString& target) {
    const QFileInfo info(target);
    QTemporaryFile reserved(info.absoluteDir().filePath(QStringLiteral(".") + info.fileName() +
                                                        QStringLiteral(".convert-XXXXXX")));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        throw EExchangeError(
            TDBConverter::tr("The destination database \"%1\" could not be written: %2")
                .arg(target, reserved.errorString()));
    }
    return reserved.fileName();
}

}  // namespace

void TDBConverter::writeDestination(const QString& destFile, const TDBLayout& layout) {
    const QString target = replacedFile(destFile);
    const QString building = reserveTemporaryName(target);
    dest_.SetDatabaseName(building);
    dest_.SetEncoding(encoding_);
    try {
        CreateDatabase(dest_, layout);
        copyRows();
        require(dest_.Save(), QStringLiteral("Save"));
        if (QFile::exists(target)) {
            QFile::setPermissions(building, QFile::permissions(target));
        }
        // rename replaces an existing file in one step.
        if (std::rename(QFile::encodeName(building).constData(),
                        QFile::encodeName(target).constData()) != 0) {
            throw EExchangeError(
                tr("The destination database \"%1\" could not be replaced.").arg(destFile));
        }
    } catch (const EQuibError& e) {
        QFile::remove(building);
        throw EExchangeError(tr("The destination database \"%1\" could not be written: %2")
                                 .arg(destFile, QString::fromStdString(e.what())));
    } catch (...) {
        QFile::remove(building);
        throw;
    }
    dest_.SetDatabaseName(destFile);
}

TDBConverter::Result TDBConverter::Convert(const QString& sourceFile, const QString& destFile,
                                           const TDBLayout& layout,
                                           const std::function<bool()>& confirmOverwrite) {
    lstDBColsIndexFromSourceDB_.clear();
    backupMade_ = false;
    if (destFile.isEmpty()) {
        throw EExchangeError(tr("No destination database has been chosen."));
    }
    CloseGuard guard(source_, dest_);
    if (SameFile(sourceFile, destFile)) {
        MakeBackup(sourceFile);
        backupMade_ = true;
    }
    openSource(sourceFile);
    const QStringList sourceColumns = DatabaseColumns(source_);
    // The records' identities are no column of a layout, but they go with
    // the records wherever they are copied.
    TDBLayout kept = layout;
    const QString identity = QLatin1String(kIdentityColumn);
    if (sourceColumns.contains(identity) && !kept.columns.contains(identity)) {
        kept.columns << identity;
    }
    lstDBColsIndexFromSourceDB_ = BuildColumnMap(sourceColumns, kept.columns);
    checkStorable();
    if (QFile::exists(destFile) && confirmOverwrite && !confirmOverwrite()) {
        return Result::Declined;
    }
    writeDestination(destFile, kept);
    return Result::Written;
}
