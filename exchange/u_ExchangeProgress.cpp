#include "exchange/u_ExchangeProgress.h"

#include "exchange/u_ExchangeCancelled.h"

#include <utility>

TExchangeProgress::TExchangeProgress(TReport report, qint64 every)
    : report_(std::move(report)), every_(qMax<qint64>(1, every)) {}

void TExchangeProgress::Start(qint64 total) {
    total_ = total;
    done_ = 0;
    report();
}

void TExchangeProgress::Step() {
    ++done_;
    if (done_ % every_ == 0) {
        report();
    }
}

void TExchangeProgress::Finish() {
    done_ = qMax(done_, total_);
    report();
}

void TExchangeProgress::report() {
    if (report_ && !report_(done_, total_)) {
        throw EExchangeCancelled();
    }
}
