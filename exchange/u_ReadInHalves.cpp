#include "exchange/u_ReadInHalves.h"

#include "support/u_ExchangeError.h"

#include <exception>
#include <thread>

bool ReadInHalves(const std::function<void()>& first,
                  const std::function<void(const std::atomic<bool>& stop)>& second) {
    std::atomic<bool> stop = false;
    bool secondRead = false;
    std::thread reader([&] {
        try {
            second(stop);
            secondRead = true;
        } catch (...) {
            // Whatever went wrong, one pass will tell.
        }
    });
    try {
        first();
    } catch (const EExchangeError&) {
        stop = true;
        reader.join();
        return false;
    } catch (...) {
        stop = true;
        reader.join();
        throw;
    }
    reader.join();
    return secondRead;
}
