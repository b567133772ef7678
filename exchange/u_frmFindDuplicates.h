#pragma once

#include "exchange/u_DuplicateFinder.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class TContactsSession;

// Lists the groups of likely duplicates in the open database; for the group
// chosen the user picks the contact to keep and merges the others into it.
// Each merge is one step of the session that Edit > Undo takes back.
class TfrmFindDuplicates : public QDialog {
    Q_OBJECT

  public:
    // colsTitleFull: the full column titles, the headings of the contacts.
    TfrmFindDuplicates(TContactsSession& session, const QStringList& colsTitleFull,
                       QWidget* parent = nullptr);

    const TDuplicateFinder& Finder() const { return finder_; }
    // Chooses group (in the list) and the contact to keep (its place in the
    // group), as the user does by clicking.
    void ChooseGroup(int group);
    void ChooseKept(int place);

  public slots:
    void cmdMergeClick();

  private:
    void showGroups(int selection);
    void showGroup();
    // The kept contact as the merge would make it.
    void showMerged();
    void updateMergeState();
    int keptRecord() const;

    TDuplicateFinder finder_;
    QStringList colsTitleFull_;
    QLabel* lblSummary_;
    QListWidget* lstGroups_;
    QTableWidget* grdContacts_;
    QTableWidget* grdMerged_;
    QPushButton* cmdMerge_;
};
