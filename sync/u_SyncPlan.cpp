#include "sync/u_SyncPlan.h"

TSyncAction DecideSync(TSyncSide local, TSyncSide server) {
    using S = TSyncSide;
    using A = TSyncAction;
    const bool serverChanged = server == S::Changed || server == S::New;
    switch (local) {
        case S::Absent:
            return server == S::New ? A::Add : A::Nothing;
        case S::Unchanged:
            if (serverChanged) {
                return A::Download;
            }
            return server == S::Deleted ? A::DeleteHere : A::Nothing;
        case S::Changed:
        case S::New:
            if (serverChanged) {
                return A::Reconcile;
            }
            if (server == S::Deleted) {
                return A::Recreate;
            }
            return local == S::New ? A::UploadNew : A::Upload;
        case S::Deleted:
            if (serverChanged) {
                return A::Restore;
            }
            return server == S::Deleted ? A::Forget : A::DeleteThere;
    }
    return A::Nothing;
}
