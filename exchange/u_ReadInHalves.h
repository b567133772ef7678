#pragma once

#include <atomic>
#include <functional>

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
