#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Ends the program in order when the system asks it to: SIGTERM (a logout, a
// shutdown, kill), SIGHUP (its terminal went away) and SIGINT (Ctrl+C). The
// signal handler only writes the signal's number into a pipe; the event loop
// reads it, runs the finishing step (the pending background save is written)
// and quits with the exit code 128 + the signal's number. A second signal
// while that runs ends the program at once, as the signal would have.
// One instance at a time; the previous handlers come back when it goes.
class TSignalHandler : public QObject {
    Q_OBJECT

  public:
    using TFinish = std::function<void()>;

    explicit TSignalHandler(TFinish finish, QObject* parent = nullptr);
    ~TSignalHandler() override;
    TSignalHandler(const TSignalHandler&) = delete;
    TSignalHandler& operator=(const TSignalHandler&) = delete;

    // False when the pipe could not be made; the signals then keep their
    // default action.
    bool IsInstalled() const { return notifier_ != nullptr; }

    // Whether a signal asked the program to end, and the code it ends with.
    // A signal handled before the main event loop runs (in a dialog of the
    // start-up, say) cannot end that loop: the caller asks here before it
    // enters it.
    bool EndRequested() const { return exitCode_ != 0; }
    int ExitCode() const { return exitCode_; }

  private:
    void onSignal();

    TFinish finish_;
    int exitCode_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
};

// A write past the file size limit (ulimit -f) fails with a message instead
// of the process ending without one. A handler someone set is left alone.
void IgnoreFileSizeSignal();
