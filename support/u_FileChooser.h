#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

// The program's one file chooser: every open and save dialog is shown through
// ChooseFile, so that tests can answer it.
struct TFileChoice {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString objectName;  // "dlgOpen", "dlgSave", "dlgDest", ...
    QString title;
    QStringList nameFilters;  // "Database (*.tbr)", "All files (*)"
    QString defaultSuffix;    // without the dot
    QString preset;           // the file name the dialog starts with
    // Save: ask before overwriting an existing file (else the caller asks).
    bool confirmOverwrite = true;
};

// Shows the dialog; returns the chosen path, or the empty text when the user
// cancelled.
QString ChooseFile(const TFileChoice& choice, QWidget* parent);

// The test hook: while answers are queued, ChooseFile shows no dialog, takes
// the first answer (the empty text means Cancel) and records the choice.
namespace FileChooserTest {
void QueueAnswer(const QString& path);
int PendingAnswers();
// The choices answered from the queue, oldest first.
const std::vector<TFileChoice>& Asked();
// Drops queued answers and recorded choices.
void Reset();
}  // namespace FileChooserTest
