#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a sync with a Cancel button. The sync works on the user
// interface thread and lets its events run while it waits for the server,
// so from its start nothing but this dialog takes the user's input (the
// other windows stay as they are, without flicker); the dialog itself
// appears, window-modal, once the sync has run for half a second.
class TSyncProgressDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kShowAfterMs = 500;

    explicit TSyncProgressDialog(QWidget* parent);
    ~TSyncProgressDialog() override;

    // What the sync does; done of total cards (total 0: not known).
    void Show(const QString& stage, qint64 done, qint64 total);
    bool Cancelled() const { return cancelled_; }

  signals:
    void cancelRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void cancel();
    bool isBlocked(const QObject* watched) const;

    QLabel* stage_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer showTimer_;
    bool cancelled_ = false;
};
