#include "views/u_FindCommand.h"

#include "session/u_QuibReader.h"
#include "support/u_BusyCursor.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRect>
#include <QTableView>
#include <QTextCursor>

#include <algorithm>

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
// in what the field shows; the place in the cell is the fallback.
void SelectInField(QWidget* edit, const BasicFind::Request& request, const BasicFind::Hit& hit) {
    const auto placeIn = [&](const QString& shown) {
        return BasicFind::FindInText(shown, request)
            .value_or(BasicFind::Span{hit.position, hit.length});
    };
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        const BasicFind::Span span = placeIn(line->text());
        line->setSelection(span.position, span.length);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(edit)) {
        const BasicFind::Span span = placeIn(memo->toPlainText());
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(span.position);
        cursor.setPosition(span.position + span.length, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        memo->ensureCursorVisible();
    }
}

QRect GlobalRect(const QWidget& widget, const QRect& local) {
    return QRect(widget.mapToGlobal(local.topLeft()), local.size());
}

std::optional<QRect> ShowOnCard(const Context& context, const BasicFind::Request& request,
                                const BasicFind::Hit& hit) {
    // Moving and refreshing replaces what the card shows, unsaved edits too.
    if (context.confirmSaveChanges && !context.confirmSaveChanges())
        return std::nullopt;
    if (context.showRecord)
        context.showRecord(hit.record);
    context.card.ShowField(hit.field);
    QWidget* edit = context.card.fieldEdit(hit.field);
    SelectInField(edit, request, hit);
    if (edit == nullptr)
        return std::nullopt;
    return GlobalRect(*edit, edit->rect());
}

std::optional<QRect> ShowInTable(const Context& context, const BasicFind::Hit& hit) {
    context.grid.selectCell(hit.record, hit.field);
    QTableView* table = context.grid.grid();
    table->setFocus(Qt::OtherFocusReason);
    // The part of the cell that is shown.
    QWidget* viewport = table->viewport();
    const QRect cell = table->visualRect(table->currentIndex()) & viewport->rect();
    if (cell.isEmpty())
        return std::nullopt;
    return GlobalRect(*viewport, cell);
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
            if (!context.shownRecords.isEmpty()) {
                // A position among the records shown, from the first when
                // the current one is not among them.
                start.record = std::max(0, int(context.shownRecords.indexOf(start.record)));
            }
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

std::optional<QRect> Run(const Context& context, const BasicFind::Request& request) {
    const BasicFind::Position start = StartingPoint(context, request.direction);
    const bool table = context.view == View::Table;
    // In the table a position is a grid row, which names its record; on a
    // filtered card it is a place among the records shown.
    const QVector<int>& shown = context.shownRecords;
    const auto recordOf = [&context, &shown, table](int row) {
        if (table)
            return context.grid.recordOfRow(row);
        return shown.isEmpty() ? row : shown[row];
    };
    const BasicFind::CellView cell = [&context, &recordOf](int row, int field) {
        const int record = recordOf(row);
        return record < 0 ? std::string_view()
                          : context.quib.DataView(record, context.indexFromProgram[field]);
    };
    const int rows = table             ? context.grid.rowCount()
                     : shown.isEmpty() ? context.quib.RowsCount()
                                       : int(shown.size());
    std::optional<BasicFind::Hit> hit;
    {
        TBusyCursorAfter busy;
        hit = BasicFind::Find(cell, rows, start, request, [&busy] { busy.Poll(); });
    }
    if (hit && !table)
        hit->record = recordOf(hit->record);
    if (!hit) {
        ShowMessage(MsgType::Information, LoadResString(res::StringNotFound), MsgButtons::Ok,
                    context.parent);
        return std::nullopt;
    }
    switch (context.view) {
        case View::Card:
            return ShowOnCard(context, request, *hit);
        case View::Table:
            return ShowInTable(context, *hit);
        case View::Other:
            ShowMessage(MsgType::Error, LoadResString(res::FindNoResultFrame), MsgButtons::Ok,
                        context.parent);
            break;
    }
    return std::nullopt;
}

}  // namespace FindCommand
