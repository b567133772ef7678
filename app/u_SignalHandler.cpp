#include "app/u_SignalHandler.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <iterator>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

int pipeRead = -1;
int pipeWrite = -1;
std::atomic<int> signalsReceived{0};
struct sigaction previous[std::size(kSignals)];

// Async-signal-safe: a counter, write(), and for a second signal the default
// action again.
void onTerminationSignal(int sig) {
    const int savedErrno = errno;
    if (signalsReceived.fetch_add(1) > 0) {
        ::signal(sig, SIG_DFL);
        ::raise(sig);  // delivered when the handler returns
    } else {
        const auto number = static_cast<unsigned char>(sig);
        [[maybe_unused]] const ssize_t n = ::write(pipeWrite, &number, 1);
    }
    errno = savedErrno;
}

void closePipe() {
    for (int* fd : {&pipeRead, &pipeWrite}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

}  // namespace

TSignalHandler::TSignalHandler(TFinish finish, QObject* parent)
    : QObject(parent), finish_(std::move(finish)) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    pipeRead = fds[0];
    pipeWrite = fds[1];
    signalsReceived = 0;
    notifier_ = std::make_unique<QSocketNotifier>(pipeRead, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TSignalHandler::onSignal);
    struct sigaction action {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the program is ended by its event
    // loop, not by a failing read somewhere.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &previous[i]);
    }
}

TSignalHandler::~TSignalHandler() {
    if (!notifier_) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &previous[i], nullptr);
    }
    notifier_.reset();
    closePipe();
}

void TSignalHandler::onSignal() {
    unsigned char number = 0;
    if (::read(pipeRead, &number, 1) != 1) {
        return;
    }
    notifier_->setEnabled(false);
    // The last save reaches the disk before the program goes; a failure of
    // it is told like any other.
    if (finish_) {
        finish_();
    }
    exitCode_ = 128 + number;
    QCoreApplication::exit(exitCode_);
}

void IgnoreFileSizeSignal() {
    struct sigaction old {};
    if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && old.sa_handler == SIG_DFL &&
        (old.sa_flags & SA_SIGINFO) == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
    }
}
