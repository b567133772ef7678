#pragma once

#include <atomic>
#include <functional>
#include <utility>

// Runs the reading of a file's two halves at once: second on a thread of
// its own, first on the calling one. second is handed a flag that is set
// when first failed; it should then give up (by raising anything) at its
// next record. Returns true when both read their half. False when either
// raised EExchangeError or second raised anything: the halves do not stand
// for one pass, and the caller reads the file again in one pass, which
// tells the error as it stands. Anything else first raises (a cancel, say)
// travels on once second has ended.
bool ReadInHalves(const std::function<void()>& first,
                  const std::function<void(const std::atomic<bool>& stop)>& second);

// Tells a progress of each record read once, also when a file whose halves
// failed is read again in one pass: that pass tells only the records past
// those the halves told of.
class TRecordsTold {
  public:
    explicit TRecordsTold(std::function<void()> tell) : tell_(std::move(tell)) {}

    // A record read by the halves.
    void Read() {
        ++told_;
        if (tell_) {
            tell_();
        }
    }
    // A record read by the pass after them.
    void ReadAgain() {
        if (++readAgain_ > told_) {
            Read();
        }
    }

  private:
    std::function<void()> tell_;
    int told_ = 0;
    int readAgain_ = 0;
};
