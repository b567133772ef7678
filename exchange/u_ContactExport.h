#pragma once

#include "exchange/u_ExchangeProgress.h"

#include <QList>
#include <QString>

class TContactsSession;

// Chosen contacts of the open database written to a file in one go, with
// the choices the export dialogs start with: vCard 4.0 (UTF-8, each card
// with its contact's identity as UID), or CSV with every column, headed by
// the column names, in UTF-8 for a Unicode database and in Windows-1250 for
// a Central European one.
namespace ContactExport {

enum class TFormat { VCard, Csv };

// "vcf" or "csv".
QString Suffix(TFormat format);

// The file offered for one contact: its first name and surname (its company
// when it has neither), made fit for a file name, in the database's folder.
QString ContactFileName(const TContactsSession& session, int record, TFormat format);
// The file offered for several contacts: the database's name with the
// format's extension.
QString ContactsFileName(const TContactsSession& session, TFormat format);

// Writes records (database rows, in this order) to fileName, replacing it
// as a whole: a failure raises EExchangeError (EExchangeCancelled when
// report stopped it) and leaves an earlier file as it was and no temporary
// file. A vCard's UID comes from the session's identity column, when it has
// one. Returns the number of contacts written.
int Write(const TContactsSession& session, const QList<int>& records, TFormat format,
          const QString& fileName, TExchangeProgress::TReport report = {});

}  // namespace ContactExport
