#include "views/u_FindCommand.h"

#include "session/u_QuibReader.h"
#include "support/u_BusyCursor.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextCursor>

namespace FindCommand {

namespace {

// The card field holding the keyboard focus of the card's window, or -1. The
// window remembers its focused control while the find dialog is active. A
// multi-line editor may hand its focus to an inner widget, so the focus
// widget's parents count too.
int FocusedField(const TframeMainIDE& card) {
    QWidget* focus = card.window()->focusWidget();
    if (focus == nullptr)
        focus = QApplication::focusWidget();
    for (QWidget* w = focus; w != nullptr && w != &card; w = w->parentWidget()) {
        const int i = card.fieldIndexOf(w);
        if (i >= 0)
            return i;
    }
    return -1;
}

// Selects the found text in the field. The field may show the cell's text a
// little differently (CR LF breaks become LF), so the text is looked up again
// in what the field shows; q, the place in the cell, is the fallback.
void SelectInField(QWidget* edit, const BasicFind::Request& request, int q) {
    const int length = static_cast<int>(request.pattern.size());
    const auto placeIn = [&](const QString& shown) {
        const QString haystack = request.matchCase ? shown : QLocale().toLower(shown);
        const QString needle =
            request.matchCase ? request.pattern : QLocale().toLower(request.pattern);
        const qsizetype at = haystack.indexOf(needle);
        return at >= 0 ? static_cast<int>(at) : q;
    };
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        line->setSelection(placeIn(line->text()), length);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(edit)) {
        const int at = placeIn(memo->toPlainText());
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(at);
        cursor.setPosition(at + length, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        memo->ensureCursorVisible();
    }
}

void ShowOnCard(const Context& context, const BasicFind::Request& request,
                const BasicFind::Hit& hit) {
    // Moving and refreshing replaces what the card shows, unsaved edits too.
    if (context.confirmSaveChanges && !context.confirmSaveChanges())
        return;
    if (context.showRecord)
        context.showRecord(hit.record);
    context.card.ShowField(hit.field);
    SelectInField(context.card.fieldEdit(hit.field), request, hit.position);
}

}  // namespace

BasicFind::Position StartingPoint(const Context& context, BasicFind::Direction direction) {
    BasicFind::Position start = BasicFind::DefaultStart(direction);
    switch (context.view) {
        case View::Card: {
            const int field = FocusedField(context.card);
            if (field >= 0)
                start.field = field;
            start.record = context.quib.RowIndex();
            break;
        }
        case View::Table:
            // The table is searched row by row as it is shown (it may show
            // only the hits of a query); with no current cell the search
            // starts from the default.
            if (context.grid.currentRecord() >= 0) {
                start.field = context.grid.currentField();
                start.record = context.grid.currentRow();
            }
            break;
        case View::Other:
            ShowMessage(MsgType::Error, LoadResString(res::FindNoFrame), MsgButtons::Ok,
                        context.parent);
            break;
    }
    return start;
}

void Run(const Context& context, const BasicFind::Request& request) {
    const BasicFind::Position start = StartingPoint(context, request.direction);
    const bool table = context.view == View::Table;
    // In the table a position is a grid row, which names its record.
    const auto cell = [&context, table](int row, int field, QString& out) {
        const int record = table ? context.grid.recordOfRow(row) : row;
        if (record < 0)
            out.clear();
        else
            context.quib.GetDataInto(record, context.indexFromProgram[field], out);
    };
    const int rows = table ? context.grid.rowCount() : context.quib.RowsCount();
    std::optional<BasicFind::Hit> hit;
    {
        TBusyCursorAfter busy;
        hit = BasicFind::Find(cell, rows, start, request, [&busy] { busy.Poll(); });
    }
    if (!hit) {
        ShowMessage(MsgType::Information, LoadResString(res::StringNotFound), MsgButtons::Ok,
                    context.parent);
        return;
    }
    switch (context.view) {
        case View::Card:
            ShowOnCard(context, request, *hit);
            break;
        case View::Table:
            context.grid.selectCell(hit->record, hit->field);
            context.grid.grid()->setFocus(Qt::OtherFocusReason);
            break;
        case View::Other:
            ShowMessage(MsgType::Error, LoadResString(res::FindNoResultFrame), MsgButtons::Ok,
                        context.parent);
            break;
    }
}

}  // namespace FindCommand
