#pragma once

// How a contact stands on one side since the last sync.
enum class TSyncSide {
    Absent,     // not there, and not there at the last sync either
    Unchanged,  // as at the last sync
    Changed,    // changed since the last sync
    New,        // there now, unknown at the last sync
    Deleted,    // there at the last sync, gone now
};

// What a sync does with one contact.
enum class TSyncAction {
    Nothing,
    Download,     // the server's card replaces the record
    Add,          // the server's new card becomes a record
    DeleteHere,   // the server deleted it: the record goes
    Upload,       // the record replaces the server's card
    UploadNew,    // the new record becomes a card
    Recreate,     // changed here, deleted there: the record comes back as a card
    DeleteThere,  // deleted here: the card goes
    Restore,      // deleted here, changed there: the card comes back as a record
    Forget,       // deleted on both sides
    Reconcile,    // changed on both sides: the same content, or a conflict
};

// The one rule of the sync: the action for a contact that stands local on
// this side and server on the server. A change wins over a deletion, so
// that nothing is lost.
TSyncAction DecideSync(TSyncSide local, TSyncSide server);
