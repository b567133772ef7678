#include "support/u_ReportText.h"

#include "support/u_OrvFileLib.h"
#include "support/u_StackTrace.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>

QString SeparatorLine() {
    return QString(ReportWidth, u'-');
}

QString ReportMessage(const QString& Message) {
    QString text = Message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (!text.endsWith(u'.')) {
        text += u'.';
    }
    return text;
}

TErrorFacts FactsOf(const std::exception_ptr& Error) {
    TErrorFacts facts;
    facts.Message = ReportMessage(ExceptionMessage(Error));
    facts.ClassName = ExceptionClassName(Error);
    const TStackTrace stack = LastThrowStack();
    if (!stack.Frames.empty()) {
        facts.Address = reinterpret_cast<quintptr>(stack.Frames.front());
    }
    return facts;
}

QString ApplicationTitle() {
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QStringList ReportHeaderLines(const TErrorFacts& Facts) {
    const QString executable = QCoreApplication::applicationFilePath();
    QStringList lines;
    lines << QStringLiteral("Application title: %1").arg(ApplicationTitle());
    lines << QStringLiteral("Application executable: %1").arg(QFileInfo(executable).fileName());
    const QString version = FileVersionText(executable);
    if (!version.isEmpty()) {
        lines << QStringLiteral("Application version: %1 - %2").arg(version, RunningVersionText());
    }
    lines << QStringLiteral("Error description: %1").arg(Facts.Message);
    lines << QStringLiteral("Exception class: %1").arg(Facts.ClassName);
    if (!Facts.ThreadName.isEmpty()) {
        lines << QStringLiteral("Thread: %1").arg(Facts.ThreadName);
    } else {
        lines << QStringLiteral("Exception address: %1").arg(HexAddress(Facts.Address));
    }
    lines << SeparatorLine();
    return lines;
}

QStringList ActiveControlLines(const QWidget* Control) {
    if (Control == nullptr) {
        return {};
    }
    QStringList lines{QStringLiteral("Active Controls hiearchy:")};
    for (const QWidget* w = Control; w != nullptr; w = w->parentWidget()) {
        lines << QStringLiteral("%1 \"%2\"")
                     .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        if (w->isWindow()) {
            break;
        }
    }
    lines << SeparatorLine();
    return lines;
}

QString ReportText(const QString& Details) {
    return QStringLiteral(
               "[PLEASE ADD YOUR DESCRIPTION WHAT CAUSED THE ERROR HERE]\r\n[Please include the "
               "description of steps you made that have caused the error, in what particular "
               "situation (conditions) the described error occured, program status, attach error "
               "creating data and as many information as you find useful. Thank you for your "
               "helpfulness.]") +
           QStringLiteral("\r\n\r\n\r\n") + Details;
}

QUrl ReportMailUrl(const QString& Recipient, const QString& AppTitle, const QString& Report,
                   int MaxBodyChars) {
    QString body = QCoreApplication::translate(
        "ExceptionDialog",
        "The full error report has been copied to the clipboard. Please paste it here "
        "(Ctrl+V) in place of the shortened report below.");
    body += QStringLiteral("\r\n\r\n") + Report.left(MaxBodyChars);
    if (Report.size() > MaxBodyChars) {
        body += QStringLiteral("\r\n[...]");
    }
    const QString subject = QStringLiteral("[AUTO SEND ERROR] %1").arg(AppTitle);
    // Every reserved character is encoded, so "&", "#" or "%" in the report
    // cannot end a field or the address.
    const QByteArray address = "mailto:" + QUrl::toPercentEncoding(Recipient, "@") +
                               "?subject=" + QUrl::toPercentEncoding(subject) +
                               "&body=" + QUrl::toPercentEncoding(body);
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}
