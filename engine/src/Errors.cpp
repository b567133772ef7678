#include "Errors.h"

namespace quib {

void RaiseError(int32_t id) {
    switch (id) {
        case errors::kOpenWrite:
            throw QuibError(errors::kFileCode, id, "Error when opening database file to write.");
        case errors::kOpenRead:
            throw QuibError(errors::kFileCode, id, "Error when opening database file to read.");
        case errors::kUnexpectedEof:
            throw QuibError(errors::kFileCode, id,
                            "Unexpected end of file. The database file is corrupted.");
        case errors::kWriteFailed:
            throw QuibError(errors::kFileCode, id,
                            "Error when writing database file. The database file was not changed.");
        case errors::kBadFormat:
            throw QuibError(errors::kBadFormatCode, id,
                            "File has bad format. File hasn't Orvane Datababase file format.");
        case errors::kTooNew:
            throw QuibError(
                errors::kTooNewCode, id,
                "File is newer than this program supports. File require newer database system.");
        case errors::kOutOfMemory:
        default:
            throw QuibError(errors::kMemoryCode, errors::kOutOfMemory,
                            "Out of memory.\n\nNote: This error may occurr if the database file is "
                            "corrupted as well.");
    }
}

}  // namespace quib
