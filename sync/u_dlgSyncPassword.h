#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the password of a sync account that has none in the secret
// store; what is typed is used for the one sync and kept nowhere.
class TdlgSyncPassword : public QDialog {
    Q_OBJECT

  public:
    // why: why the secret store had none (its own words); may be empty.
    TdlgSyncPassword(const QString& user, const QString& url, const QString& why,
                     QWidget* parent = nullptr);

    QString Password() const;

  private:
    QLineEdit* password_ = nullptr;
};
