// Feeds arbitrary bytes to the template file reader. It must return without
// harm; what it reads must survive a write and a second read unchanged, and
// anything it refuses must be refused with a message and no text.

#include "print/u_RtfReader.h"
#include "print/u_RtfWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const rtf::ReadResult first = rtf::Read(bytes);
    if (first.status != rtf::ReadStatus::Ok) {
        Check(!first.message.empty());
        Check(first.document.paragraphs.empty());
        Check(first.status != rtf::ReadStatus::NotRtf || !rtf::LooksLikeRtf(bytes));
        return 0;
    }
    Check(!first.document.paragraphs.empty());
    for (const rtf::Paragraph& paragraph : first.document.paragraphs) {
        for (const rtf::Run& run : paragraph.runs) {
            Check(!run.text.empty());
            Check(run.format.halfPoints >= 0 && run.format.halfPoints <= 3276);
        }
    }
    const rtf::ReadResult again = rtf::Read(rtf::Write(first.document));
    Check(again.status == rtf::ReadStatus::Ok);
    Check(again.document == first.document);
    return 0;
}
