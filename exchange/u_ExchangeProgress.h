#pragma once

#include <QtGlobal>

#include <functional>

// How far a long import or export has come, told every so many rows to
// whoever watches it (a progress dialog), who may ask to stop. The work
// then undoes itself and raises EExchangeCancelled.
class TExchangeProgress {
  public:
    // Answers whether to go on; total is 0 while it is not known.
    using TReport = std::function<bool(qint64 done, qint64 total)>;
    static constexpr qint64 kEvery = 256;

    TExchangeProgress() = default;  // watched by nobody
    explicit TExchangeProgress(TReport report, qint64 every = kEvery);

    // Starts counting the rows of a stage of total rows (0: not known yet).
    void Start(qint64 total);
    // One more row done. Raises EExchangeCancelled when asked to stop.
    void Step();
    // Every row of the stage is done: tells done = total.
    void Finish();

  private:
    void report();

    TReport report_;
    qint64 every_ = kEvery;
    qint64 total_ = 0;
    qint64 done_ = 0;
};
