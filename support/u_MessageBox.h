#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The program's one message routine: every message box of the program is
// shown through ShowMessage, so that tests can answer it.
enum class MsgType { Error, Warning, Information, Confirmation };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

// Shows text in a modal box of the given kind and returns the button chosen.
// Closing the box without a button counts as Cancel (YesNoCancel), No (YesNo)
// or Ok.
MsgResult ShowMessage(MsgType type, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      QWidget* parent = nullptr);

// The text as a box shows it: the messages break their lines with the pair
// LF CR (the error report with CR LF), and each pair is one line break, as is
// a lone LF or CR.
QString MessageDisplayText(const QString& text);

// Replaces the boxes by a function that answers them (tests). An empty
// function restores the real boxes.
using MessageAnswerer = std::function<MsgResult(MsgType, const QString&, MsgButtons)>;
void SetMessageAnswerer(MessageAnswerer answerer);

// Shows text in a modal box with one button per caption of choices (in that
// order; defaultChoice is the one Enter presses) and returns the index of the
// button chosen, -1 when the box was closed without one.
int ShowChoice(MsgType type, const QString& text, const QStringList& choices, int defaultChoice = 0,
               QWidget* parent = nullptr);

// Replaces the choice boxes by a function that answers them (tests). While
// none is set but a MessageAnswerer is, every choice box counts as closed.
using ChoiceAnswerer = std::function<int(MsgType, const QString&, const QStringList&)>;
void SetChoiceAnswerer(ChoiceAnswerer answerer);
