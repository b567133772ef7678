#include "quib/QuibSnapshot.h"

#include <new>

#include "DbFile.h"
#include "Errors.h"
#include "Table.h"

namespace quib {

QuibSnapshot::QuibSnapshot() = default;
QuibSnapshot::~QuibSnapshot() = default;
QuibSnapshot::QuibSnapshot(const QuibSnapshot&) = default;
QuibSnapshot& QuibSnapshot::operator=(const QuibSnapshot&) = default;
QuibSnapshot::QuibSnapshot(QuibSnapshot&&) noexcept = default;
QuibSnapshot& QuibSnapshot::operator=(QuibSnapshot&&) noexcept = default;

QuibSnapshot::QuibSnapshot(std::shared_ptr<const TableImage> image) : image_(std::move(image)) {}

int32_t QuibSnapshot::ColsCount() const {
    return image_ ? image_->cols : 0;
}

int32_t QuibSnapshot::RowsCountTotal() const {
    return image_ ? image_->rows : 0;
}

int32_t QuibSnapshot::HeadersCount() const {
    return image_ ? static_cast<int32_t>(image_->headers.size()) : 0;
}

TextEncoding QuibSnapshot::Encoding() const {
    return image_ ? image_->encoding : TextEncoding::Windows1250;
}

void QuibSnapshot::SaveTo(const std::string& path) const {
    static const TableImage kEmpty;
    try {
        WriteDatabaseFile(path, image_ ? *image_ : kEmpty);
    } catch (const std::bad_alloc&) {
        RaiseError(errors::kOutOfMemory);
    }
}

}  // namespace quib
