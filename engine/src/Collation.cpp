#include "Collation.h"

#include <cstdlib>
#include <new>

#include <unicode/ustring.h>

#include "CodePage.h"

namespace quib {

std::string Collation::UserLocaleName() {
    std::string value;
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') {
            value = v;
            break;
        }
    }
    // "cs_CZ.UTF-8@euro" names the language cs_CZ.
    value = value.substr(0, value.find_first_of(".@"));
    if (value == "C" || value == "POSIX") {
        return {};
    }
    return value;
}

Collation::Collation(TextEncoding encoding) : encoding_(encoding) {
    UErrorCode status = U_ZERO_ERROR;
    // ICU takes "" as the root rules.
    collator_.reset(ucol_open(UserLocaleName().c_str(), &status));
    if (U_FAILURE(status) || !collator_) {
        status = U_ZERO_ERROR;
        collator_.reset(ucol_open("", &status));
    }
    if (U_FAILURE(status) || !collator_) {
        throw std::bad_alloc();
    }
    ucol_setStrength(collator_.get(), UCOL_SECONDARY);
}

Collation::~Collation() = default;

void Collation::toUtf16(std::string_view text, std::vector<char16_t>& out) const {
    if (encoding_ == TextEncoding::Utf8) {
        // UTF-16 never takes more units than UTF-8 takes bytes.
        out.resize(text.size());
        UErrorCode status = U_ZERO_ERROR;
        int32_t length = 0;
        u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                             static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
        out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
        return;
    }
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Every Windows-1250 character lies in the Basic Multilingual Plane.
        out[i] = static_cast<char16_t>(Cp1250ToUnicode(static_cast<unsigned char>(text[i])));
    }
}

void Collation::AppendSortKey(std::string_view text, std::string& keys) {
    toUtf16(text, a_);
    if (key_.size() < 64) {
        key_.resize(64);
    }
    const auto length = static_cast<int32_t>(a_.size());
    int32_t needed = ucol_getSortKey(collator_.get(), a_.data(), length, key_.data(),
                                     static_cast<int32_t>(key_.size()));
    if (needed > static_cast<int32_t>(key_.size())) {
        key_.resize(static_cast<std::size_t>(needed));
        needed = ucol_getSortKey(collator_.get(), a_.data(), length, key_.data(), needed);
    }
    // The key ends in a 00 byte that is not needed for comparing.
    if (needed > 0) {
        keys.append(reinterpret_cast<const char*>(key_.data()),
                    static_cast<std::size_t>(needed - 1));
    }
}

int Collation::Compare(std::string_view a, std::string_view b) {
    toUtf16(a, a_);
    toUtf16(b, b_);
    const UCollationResult r =
        ucol_strcoll(collator_.get(), a_.data(), static_cast<int32_t>(a_.size()), b_.data(),
                     static_cast<int32_t>(b_.size()));
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

}  // namespace quib
