#include "exchange/u_frmFindDuplicates.h"

#include "session/u_ContactsSession.h"
#include "support/u_BusyCursor.h"
#include "support/u_MessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A value shown in a cell: its lines side by side.
QString cellText(const QString& value) {
    QString shown = value;
    shown.replace(QLatin1String("\r\n"), QLatin1String(" | "));
    shown.replace(u'\n', QLatin1String(" | "));
    return shown;
}

QTableWidget* newGrid(const QString& name, QWidget* parent) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->horizontalHeader()->setMaximumSectionSize(240);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return grid;
}

}  // namespace

TfrmFindDuplicates::TfrmFindDuplicates(TContactsSession& session, const QStringList& colsTitleFull,
                                       QWidget* parent)
    : QDialog(parent), finder_(session), colsTitleFull_(colsTitleFull) {
    setObjectName(QStringLiteral("TfrmFindDuplicates"));
    setWindowTitle(tr("Find Duplicates"));
    resize(900, 560);
    auto* layout = new QVBoxLayout(this);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    layout->addWidget(lblSummary_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    lstGroups_ = new QListWidget(splitter);
    lstGroups_->setObjectName(QStringLiteral("lstGroups"));
    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* lblContacts = new QLabel(tr("&Contacts of the group (select the one to keep):"), right);
    grdContacts_ = newGrid(QStringLiteral("grdContacts"), right);
    lblContacts->setBuddy(grdContacts_);
    auto* lblMerged = new QLabel(tr("The contact kept after the merge:"), right);
    grdMerged_ = newGrid(QStringLiteral("grdMerged"), right);
    grdMerged_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* lblHow = new QLabel(
        tr("Merging fills the empty fields of the contact kept from the others, adds their other "
           "phone numbers, e-mail addresses and lines to its fields, writes any other value "
           "that differs into its notes, and deletes the others. Edit > Undo takes a merge "
           "back."),
        right);
    lblHow->setWordWrap(true);
    rightLayout->addWidget(lblContacts);
    rightLayout->addWidget(grdContacts_, 2);
    rightLayout->addWidget(lblMerged);
    rightLayout->addWidget(grdMerged_, 1);
    rightLayout->addWidget(lblHow);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({fontMetrics().averageCharWidth() * 32, 640});
    layout->addWidget(splitter, 1);

    auto* buttons = new QDialogButtonBox(this);
    cmdMerge_ = buttons->addButton(tr("&Merge"), QDialogButtonBox::ActionRole);
    cmdMerge_->setObjectName(QStringLiteral("cmdMerge"));
    QPushButton* close = buttons->addButton(tr("C&lose"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    layout->addWidget(buttons);

    connect(cmdMerge_, &QPushButton::clicked, this, &TfrmFindDuplicates::cmdMergeClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstGroups_, &QListWidget::currentRowChanged, this, [this] { showGroup(); });
    connect(grdContacts_, &QTableWidget::itemSelectionChanged, this,
            &TfrmFindDuplicates::showMerged);

    const TBusyCursor busy;
    finder_.Refresh();
    showGroups(0);
}

void TfrmFindDuplicates::showGroups(int selection) {
    const QList<QList<int>>& groups = finder_.Groups();
    lblSummary_->setText(
        groups.isEmpty()
            ? tr("No likely duplicates were found: no two contacts share a name and an e-mail "
                 "address or a phone number, or an e-mail address.")
            : tr("Groups of likely duplicates: %1. Contacts that share a name and an e-mail "
                 "address or a phone number, or an e-mail address, are listed together.")
                  .arg(groups.size()));
    const QSignalBlocker blocker(lstGroups_);
    lstGroups_->clear();
    for (int g = 0; g < groups.size(); ++g) {
        lstGroups_->addItem(finder_.Caption(g));
    }
    if (!groups.isEmpty()) {
        lstGroups_->setCurrentRow(qBound(0, selection, static_cast<int>(groups.size()) - 1));
    }
    showGroup();
}

void TfrmFindDuplicates::showGroup() {
    const int group = lstGroups_->currentRow();
    const QList<int> records = finder_.Groups().value(group);
    const QList<int> fields = finder_.FilledFields(group);
    QStringList headings;
    for (const int field : fields) {
        headings << colsTitleFull_.value(field);
    }
    const QSignalBlocker blocker(grdContacts_);
    grdContacts_->clear();
    grdContacts_->setColumnCount(static_cast<int>(fields.size()));
    grdContacts_->setRowCount(static_cast<int>(records.size()));
    grdContacts_->setHorizontalHeaderLabels(headings);
    QStringList numbers;
    for (int r = 0; r < records.size(); ++r) {
        const QStringList contact = finder_.Contact(records[r]);
        for (int c = 0; c < fields.size(); ++c) {
            grdContacts_->setItem(r, c, new QTableWidgetItem(cellText(contact[fields[c]])));
        }
        // The record numbers as the card counts them.
        numbers << QString::number(records[r] + 1);
    }
    grdContacts_->setVerticalHeaderLabels(numbers);
    grdContacts_->resizeColumnsToContents();
    grdMerged_->clear();
    grdMerged_->setColumnCount(static_cast<int>(fields.size()));
    grdMerged_->setRowCount(records.isEmpty() ? 0 : 1);
    grdMerged_->setHorizontalHeaderLabels(headings);
    if (!records.isEmpty()) {
        grdContacts_->selectRow(0);
    }
    showMerged();
    for (int c = 0; c < fields.size(); ++c) {
        grdMerged_->setColumnWidth(c, grdContacts_->columnWidth(c));
    }
}

void TfrmFindDuplicates::showMerged() {
    updateMergeState();
    grdMerged_->clearContents();
    const int kept = keptRecord();
    if (kept < 0) {
        return;
    }
    const int group = lstGroups_->currentRow();
    const QStringList merged = finder_.MergedContact(group, kept);
    const QList<int> fields = finder_.FilledFields(group);
    for (int c = 0; c < fields.size(); ++c) {
        grdMerged_->setItem(0, c, new QTableWidgetItem(cellText(merged.value(fields[c]))));
    }
}

int TfrmFindDuplicates::keptRecord() const {
    const QList<int> records = finder_.Groups().value(lstGroups_->currentRow());
    const QModelIndexList rows = grdContacts_->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= records.size()) {
        return -1;
    }
    return records[rows.front().row()];
}

void TfrmFindDuplicates::updateMergeState() {
    cmdMerge_->setEnabled(keptRecord() >= 0);
}

void TfrmFindDuplicates::ChooseGroup(int group) {
    lstGroups_->setCurrentRow(group);
}

void TfrmFindDuplicates::ChooseKept(int place) {
    grdContacts_->selectRow(place);
}

void TfrmFindDuplicates::cmdMergeClick() {
    const int group = lstGroups_->currentRow();
    const int kept = keptRecord();
    if (kept < 0) {
        return;
    }
    try {
        const TBusyCursor busy;
        finder_.Merge(group, kept);
    } catch (const std::exception& e) {
        ShowMessage(MsgType::Error, QString::fromUtf8(e.what()), MsgButtons::Ok, this);
        finder_.Refresh();
    }
    showGroups(group);
}
