#include "support/u_FileChooser.h"

#include <QFileDialog>

#include <deque>

namespace {

std::deque<QString>& answers() {
    static std::deque<QString> queue;
    return queue;
}

std::vector<TFileChoice>& asked() {
    static std::vector<TFileChoice> choices;
    return choices;
}

void prepare(QFileDialog& dialog, const TFileChoice& choice) {
    dialog.setObjectName(choice.objectName);
    dialog.setWindowTitle(choice.title);
    dialog.setNameFilters(choice.nameFilters);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (choice.mode == TFileChoice::Mode::Save) {
        // The folder must exist (a file dialog only offers existing folders)
        // and there is no read-only choice.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!choice.preset.isEmpty()) {
        dialog.selectFile(choice.preset);
    }
}

}  // namespace

QString ChooseFile(const TFileChoice& choice, QWidget* parent) {
    if (!answers().empty()) {
        asked().push_back(choice);
        const QString answer = answers().front();
        answers().pop_front();
        return answer;
    }
    QFileDialog dialog(parent);
    prepare(dialog, choice);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

namespace FileChooserTest {

void QueueAnswer(const QString& path) {
    answers().push_back(path);
}

int PendingAnswers() {
    return static_cast<int>(answers().size());
}

const std::vector<TFileChoice>& Asked() {
    return asked();
}

void Reset() {
    answers().clear();
    asked().clear();
}

}  // namespace FileChooserTest
