#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quib {

// Raised by the engine for file and memory faults (never for bad arguments,
// which are answered through a member's result). Carries the numeric error
// code, the identifier of the message in the engine's string table, and the
// exact message text as what().
class QuibError : public std::runtime_error {
  public:
    QuibError(uint32_t code, int32_t id, const std::string& message)
        : std::runtime_error(message), code_(code), id_(id) {}

    uint32_t code() const noexcept { return code_; }
    int32_t id() const noexcept { return id_; }

  private:
    uint32_t code_;
    int32_t id_;
};

// The message identifiers and codes the engine raises.
namespace errors {
inline constexpr uint32_t kFileCode = 0x800A004B;
inline constexpr uint32_t kMemoryCode = 0x800A0007;
inline constexpr uint32_t kBadFormatCode = 0x800A2775;
inline constexpr uint32_t kTooNewCode = 0x800A2776;

inline constexpr int32_t kOpenWrite = 10000;
inline constexpr int32_t kOpenRead = 10001;
inline constexpr int32_t kUnexpectedEof = 10002;
inline constexpr int32_t kOutOfMemory = 10003;
inline constexpr int32_t kWriteFailed = 10004;
inline constexpr int32_t kBadFormat = 10101;
inline constexpr int32_t kTooNew = 10102;
}  // namespace errors

}  // namespace quib
