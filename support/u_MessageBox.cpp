#include "support/u_MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageAnswerer& answerer() {
    static MessageAnswerer instance;
    return instance;
}

ChoiceAnswerer& choiceAnswerer() {
    static ChoiceAnswerer instance;
    return instance;
}

// Runs box with the normal cursor, also during busy work.
int execWithArrowCursor(QMessageBox& box) {
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) {
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    const int answer = box.exec();
    if (busy) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

QMessageBox::Icon iconOf(MsgType type) {
    switch (type) {
        case MsgType::Error:
            return QMessageBox::Critical;
        case MsgType::Warning:
            return QMessageBox::Warning;
        case MsgType::Information:
            return QMessageBox::Information;
        case MsgType::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(MsgType type) {
    switch (type) {
        case MsgType::Error:
            return QCoreApplication::translate("MessageBox", "Error");
        case MsgType::Warning:
            return QCoreApplication::translate("MessageBox", "Warning");
        case MsgType::Information:
            return QCoreApplication::translate("MessageBox", "Information");
        case MsgType::Confirmation:
            return QCoreApplication::translate("MessageBox", "Confirm");
    }
    return {};
}

QMessageBox::StandardButtons buttonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return QMessageBox::Ok;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgResult resultOf(int button, MsgButtons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        case QMessageBox::Ok:
            return MsgResult::Ok;
        default:
            break;
    }
    if (buttons == MsgButtons::YesNo) {
        return MsgResult::No;
    }
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

}  // namespace

QString MessageDisplayText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') {
            shown += c;
            continue;
        }
        shown += u'\n';
        // The other character of a pair belongs to the same break.
        const QChar other = c == u'\n' ? u'\r' : u'\n';
        if (i + 1 < text.size() && text[i + 1] == other) {
            ++i;
        }
    }
    return shown;
}

MsgResult ShowMessage(MsgType type, const QString& text, MsgButtons buttons, QWidget* parent) {
    if (answerer()) {
        return answerer()(type, text, buttons);
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(iconOf(type), titleOf(type), MessageDisplayText(text), buttonsOf(buttons),
                    parent);
    // Messages carry file names, server answers and error texts: never markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons != MsgButtons::Ok) {
        box.setDefaultButton(QMessageBox::Yes);
    }
    return resultOf(execWithArrowCursor(box), buttons);
}

int ShowChoice(MsgType type, const QString& text, const QStringList& choices, int defaultChoice,
               QWidget* parent) {
    if (choiceAnswerer()) {
        return choiceAnswerer()(type, text, choices);
    }
    if (answerer()) {
        return -1;  // a test that answers messages only: never wait for a click
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(iconOf(type), titleOf(type), MessageDisplayText(text), QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        QPushButton* button = box.addButton(choices[i], QMessageBox::ActionRole);
        buttons << button;
        if (i == defaultChoice) {
            box.setDefaultButton(button);
        }
    }
    execWithArrowCursor(box);
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

void SetChoiceAnswerer(ChoiceAnswerer a) {
    choiceAnswerer() = std::move(a);
}

void SetMessageAnswerer(MessageAnswerer a) {
    answerer() = std::move(a);
}
