#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TfrmSplash;
}

// The borderless window shown while the program starts: title, version,
// build time, copyright and the maker's addresses.
class TfrmSplash : public QWidget {
    Q_OBJECT

  public:
    explicit TfrmSplash(const QString& programVersion, QWidget* parent = nullptr);
    ~TfrmSplash() override;

    // Shows the window centred on the desktop and paints it at once.
    void ShowAndPaint();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void fillTexts();
    void fitTexts();

    std::unique_ptr<Ui::TfrmSplash> ui;
    QString programVersion_;
};
