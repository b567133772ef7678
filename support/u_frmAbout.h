#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TfrmAbout;
}

// The rows of the about box's version table for the executable at
// ExecutablePath: a title row, then file name, version and folder of the
// program and of its English and Czech language modules (a missing module
// gets an empty version).
QList<QStringList> VersionGridRows(const QString& ExecutablePath);

// The about box: product name, version and build time, the maker's links,
// the versions of the program's files and the terms of use.
class TfrmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;
    TfrmAbout(const TfrmAbout&) = delete;
    TfrmAbout& operator=(const TfrmAbout&) = delete;

    // Creates the box, shows it modally and releases it.
    static void Execute(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void fillTexts();
    void fillVersions();
    void applyColours();

    std::unique_ptr<Ui::TfrmAbout> ui;
};
