#include "sync/u_SyncError.h"

#include <QCoreApplication>

ESyncCancelled::ESyncCancelled()
    : ESyncError(QCoreApplication::translate("ESyncCancelled", "The sync was cancelled.")) {}
