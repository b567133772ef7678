// A program that saves the first record of a contacts database through the
// session's background writer whenever a line comes on its standard input
// (the line is the new surname), and ends on SIGTERM, SIGHUP and SIGINT as
// the program does. It prints "ready" once the file is open and "asked N"
// after it asked for the save of line N, so that a test can signal it in
// the middle of a write.
//
//   signal_save_child DATABASE [--slow]
//
// --slow makes every write wait two seconds before it starts.

#include "app/u_SignalHandler.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"

#include <quib/QuibSnapshot.h>

#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: signal_save_child DATABASE [--slow]\n");
        return 2;
    }
    TContactsSession session(RunningVersionText());
    const TSignalHandler termination([&session] { session.FinishSaves(); });
    if (argc > 2 && qstrcmp(argv[2], "--slow") == 0) {
        session.Writer().SetWriteFunction(
            [](const quib::QuibSnapshot& snapshot, const std::string& path) {
                std::this_thread::sleep_for(std::chrono::seconds(2));
                snapshot.SaveTo(path);
            });
    }
    if (!session.OpenFile(QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }
    int asked = 0;
    QByteArray input;
    QSocketNotifier stdinReady(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinReady, &QSocketNotifier::activated, [&] {
        char bytes[256];
        const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (n <= 0) {
            stdinReady.setEnabled(false);
            return;
        }
        input.append(bytes, n);
        for (qsizetype end = input.indexOf('\n'); end >= 0; end = input.indexOf('\n')) {
            const QString surname = QString::fromUtf8(input.left(end));
            input.remove(0, end + 1);
            session.StoreField(0, ContactSchema::SurName, surname);
            std::printf("asked %d\n", ++asked);
            std::fflush(stdout);
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
