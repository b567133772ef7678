#pragma once

#include <QUrl>
#include <QWidget>

#include <memory>

namespace Ui {
class TfrmHelp;
}

// The help window: one help page at a time with back and forward. It is not
// modal; closing it only hides it.
class TfrmHelp : public QWidget {
    Q_OBJECT

  public:
    explicit TfrmHelp(QWidget* parent = nullptr);
    ~TfrmHelp() override;

    void ShowPage(const QUrl& url);
    void FindText(const QString& text);
    QUrl CurrentPage() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<Ui::TfrmHelp> ui;
};
