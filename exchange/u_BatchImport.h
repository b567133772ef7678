#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "session/u_PackedRows.h"

class TContactsSession;

// Hands the records an importer read to the session, which appends them as
// one step that can be undone, telling report the progress record by
// record. A cancel raises EExchangeCancelled with nothing appended. Returns
// the number of records appended.
int ImportBatch(TContactsSession& session, const TRecordBatch& batch,
                const TExchangeProgress::TReport& report = {});
