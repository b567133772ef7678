#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class QLabel;
class QProgressBar;
class QStackedLayout;
class QTextDocument;
class QTextEdit;
class QToolBar;
class TColumnMap;
class TQuibReader;
// Print wizard, step 3: the finished report, read-only, ready to print. While
// the report is built the document is hidden behind the "Wait please..."
// panel and the progress bar moves.
class TframeMainPrintPreview : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintPreview(QWidget* parent = nullptr);

    QToolBar* tbPrintPreview() const { return tbPrintPreview_; }
    QTextEdit* rtb1() const { return rtb1_; }
    QProgressBar* pb1() const { return pb1_; }
    QFrame* pnlWait() const { return pnlWait_; }
    // The hidden text that receives the chosen template before a build.
    QTextEdit* rtbTemplate() const { return rtbTemplate_; }

    // Builds the report into rtb1 from rtbTemplate's text: the heading with
    // the database's name, one block per ticked entry of rows (entry i is
    // table row i), and the closing block. names and fromProgram are the
    // catalogue's column names and their database columns.
    void PrepareReport(const TQuibReader& quib, const QStringList& names,
                       const TColumnMap& fromProgram, const QList<bool>& rows);

    // The report as shown.
    QTextDocument* report() const;

  private:
    void showProgress(int value, int maximum);

    QToolBar* tbPrintPreview_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QTextEdit* rtb1_ = nullptr;
    QFrame* pnlWait_ = nullptr;
    QLabel* lblWait_ = nullptr;
    QProgressBar* pb1_ = nullptr;
    QTextEdit* rtbTemplate_ = nullptr;
    QTextDocument* ownReport_ = nullptr;  // the last report built; a child of this frame
    qint64 lastRepaint_ = 0;
};
