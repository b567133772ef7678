#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <exception>

class QWidget;

// The text parts of the error report, without any window.

inline constexpr int ReportWidth = 100;

// A line of ReportWidth "-" characters.
QString SeparatorLine();

// The message with a full stop added when it has none and CR LF line breaks.
QString ReportMessage(const QString& Message);

// What the report says about one error.
struct TErrorFacts {
    QString Message;       // as ReportMessage gives it
    QString ClassName;     // the exception's type
    quintptr Address = 0;  // where it was thrown; 0 when unknown
    QString ThreadName;    // set for an error of a secondary thread
};

TErrorFacts FactsOf(const std::exception_ptr& Error);

// The header lines: application, executable, version, error, class, address
// or thread, and a separator line.
QStringList ReportHeaderLines(const TErrorFacts& Facts);

// The control and its parents up to its window, one line each with class
// and name; empty without a control.
QStringList ActiveControlLines(const QWidget* Control);

// The request for a description, then three empty lines, then the details.
QString ReportText(const QString& Details);

// The mailto: address of the report for the support address: subject
// "[AUTO SEND ERROR] <title>", a body that says the full report is on the
// clipboard followed by at most MaxBodyChars characters of it.
QUrl ReportMailUrl(const QString& Recipient, const QString& AppTitle, const QString& Report,
                   int MaxBodyChars = 1500);

// The application's title as the report names it.
QString ApplicationTitle();
