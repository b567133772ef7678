#pragma once

class QWidget;

// The print wizard's "&Process Query" on its rows step: the step's frame
// holds a query builder and the check list "lstRows", whose entry r stands
// for table row r. Entries of matching rows are ticked, all others
// unticked, and the page holding the list is brought to the front. The frame
// is found by its parts' names so that the print wizard owns its layout.
// Returns false (and changes nothing) when the frame lacks either part.
bool TickRowsByQuery(QWidget* printRowsFrame);
