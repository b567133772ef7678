// Edits the first record of a contacts database without end, each edit saved
// through the session's background writer, so that a test can kill the
// program in the middle of a write. Prints "ready" once the file is open.
//
//   session_save_child DATABASE
//
// With --hold it is one of two programs that want the same file: it prints
// "ready" once the file is open (or "refused" with the session's message,
// and ends with 1), waits for a line on its input, stores TEXT as the first
// surname, waits for the save and ends with 0 (1 when the save failed).
//
//   session_save_child --hold DATABASE TEXT

#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

int holdAndStore(const QString& database, const QString& text) {
    TContactsSession session(RunningVersionText());
    QString refusal;
    QObject::connect(&session, &TContactsSession::openRefused,
                     [&refusal](const QString& message) { refusal = message; });
    bool failed = false;
    QObject::connect(&session, &TContactsSession::saveFailed,
                     [&failed](const QString&, const QString&) { failed = true; });
    if (!session.OpenFile(database)) {
        std::printf("refused %s\n", refusal.simplified().toUtf8().constData());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    session.StoreField(0, ContactSchema::SurName, text);
    session.FinishSaves();
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--hold") {
        return holdAndStore(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: session_save_child [--hold] DATABASE [TEXT]\n");
        return 2;
    }
    TContactsSession session(RunningVersionText());
    if (!session.OpenFile(QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 1;; ++i) {
        session.StoreField(0, ContactSchema::SurName, QStringLiteral("Edit %1").arg(i));
        // Now and then wait, so that whole writes run one after another.
        if (i % 20 == 0) {
            session.FinishSaves();
        }
    }
}
