#pragma once

#include "exchange/u_ImportDuplicates.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QRadioButton;

// Asks what an import does with the contacts that are already in the
// database: add them anyway, skip them or update the existing ones. The
// choice applies to all of them.
class TdlgImportDuplicates : public QDialog {
    Q_OBJECT

  public:
    // question: what was found (DuplicateQuestionText).
    explicit TdlgImportDuplicates(const QString& question, QWidget* parent = nullptr);

    TDuplicateAction Action() const;
    void SetAction(TDuplicateAction action);

  private:
    QRadioButton* optAdd_;
    QRadioButton* optSkip_;
    QRadioButton* optUpdate_;
};

// Puts the question in the dialog; none when the user cancelled. Tests
// answer through SetDuplicateAnswerer instead.
std::optional<TDuplicateAction> AskDuplicateAction(const QString& question,
                                                   QWidget* parent = nullptr);

// Replaces the dialog by a function that answers it (tests); an empty one
// restores the dialog.
using TDuplicateAnswerer = std::function<std::optional<TDuplicateAction>(const QString& question)>;
void SetDuplicateAnswerer(TDuplicateAnswerer answerer);
