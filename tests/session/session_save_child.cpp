// Edits the first record of a contacts database without end, each edit saved
// through the session's background writer, so that a test can kill the
// program in the middle of a write. Prints "ready" once the file is open.
//
//   session_save_child DATABASE

#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: session_save_child DATABASE\n");
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
