#include "support/u_ErrorReport.h"

#include "support/u_ExceptionDialog.h"

#include <stdexcept>

void ReportException(const std::exception& error) {
    // Called while the error is being handled, so the exception itself (with
    // its type and the stack of its throw) is at hand; else a copy of its text.
    const std::exception_ptr current = std::current_exception();
    HandleAppException(current ? current
                               : std::make_exception_ptr(std::runtime_error(error.what())));
}
