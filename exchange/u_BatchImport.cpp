#include "exchange/u_BatchImport.h"

#include "session/u_ContactsSession.h"

int ImportBatch(TContactsSession& session, const TRecordBatch& batch,
                const TExchangeProgress::TReport& report) {
    TExchangeProgress progress(report);
    progress.Start(batch.RowCount());
    const int count =
        session.ImportRecords(batch, [&progress](qint64, qint64) { progress.Step(); });
    progress.Finish();
    return count;
}
