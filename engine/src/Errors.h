#pragma once

#include "quib/QuibError.h"

namespace quib {

// Raises the engine error with the given message identifier.
[[noreturn]] void RaiseError(int32_t id);

}  // namespace quib
