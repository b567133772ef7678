#pragma once

#include <QDateTime>
#include <QLabel>
#include <QString>

// The status bar's panel of the sync: the time of the last successful sync
// of the open database, while it has an address book.
class TSyncStatusLabel : public QLabel {
    Q_OBJECT

  public:
    explicit TSyncStatusLabel(QWidget* parent);

    // hasBook false hides the panel; problem (the last sync's failure, empty
    // after a success) goes into its tool tip.
    void Show(bool hasBook, const QDateTime& lastSync, const QString& problem);
    void SetSyncing(bool syncing);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void refresh();

    bool hasBook_ = false;
    bool syncing_ = false;
    QDateTime lastSync_;
    QString problem_;
};
