#pragma once

#include "session/u_ColumnMap.h"
#include "views/u_BasicFind.h"

#include <QRect>
#include <QVector>

#include <functional>
#include <optional>

class QWidget;
class TQuibReader;
class TframeMainGrid;
class TframeMainIDE;

// Find and Find Next as the main window runs them: the starting point taken
// from the view in front, the search, and the hit shown in that view.
namespace FindCommand {

enum class View { Card, Table, Other };

struct Context {
    const TQuibReader& quib;
    TframeMainIDE& card;
    TframeMainGrid& grid;
    const TColumnMap& indexFromProgram;  // program field -> database column
    View view = View::Card;
    // Asked before the card is refreshed onto the hit, which would replace
    // unsaved edits; false (Cancel) stops the search where it is.
    std::function<bool()> confirmSaveChanges;
    QWidget* parent = nullptr;  // owner of the message boxes
    // Moves to record and shows it on the card (the session's MoveTo).
    std::function<void(int record)> showRecord;
    // The records the card moves among while the filter is on, ascending;
    // empty when every record is shown. The card's search keeps to them.
    QVector<int> shownRecords;
};

// Where the search starts in the view in front; shows the error about a view
// that cannot be searched and falls back to the default start.
BasicFind::Position StartingPoint(const Context& context, BasicFind::Direction direction);

// Runs one search and shows its hit, or "String not found.". Returns where
// the found field (the card's editor or the table's cell) is on the screen,
// in global coordinates, so that the find dialog can move off it.
std::optional<QRect> Run(const Context& context, const BasicFind::Request& request);

}  // namespace FindCommand
