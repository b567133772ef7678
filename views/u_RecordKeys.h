#pragma once

class QKeyEvent;

// The keys that move between records, make one and delete one (Ctrl+PgUp,
// Ctrl+PgDn, Ctrl+Home, Ctrl+End, Ctrl+Shift+N, Ctrl+Delete). A text field
// would take some of them for itself (Ctrl+Home to its start, Ctrl+Delete to
// delete a word); on the card and in the table they belong to the records.
bool IsRecordKey(const QKeyEvent& key);

// How a record key moves in a list of count rows from row (-1 when it is no
// moving key).
int RowForRecordKey(const QKeyEvent& key, int row, int count);

// The keys that open a context menu: the Menu key and Shift+F10.
bool IsContextMenuKey(const QKeyEvent& key);
