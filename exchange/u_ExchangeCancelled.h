#pragma once

// Raised when the user stopped an import or export through its progress.
// The work has been undone by then: no row appended stays, no file was
// replaced.
class EExchangeCancelled {};
