#include "SurfaceText.h"

#include "CodePage.h"
#include "Utf8.h"

namespace quib {

void ToStored(TextEncoding encoding, std::string_view utf8, std::string& out) {
    if (encoding == TextEncoding::Utf8) {
        SanitizeUtf8(utf8, out);
    } else {
        Utf8ToCp1250(utf8, out, nullptr);
    }
}

std::string ToStored(TextEncoding encoding, std::string_view utf8) {
    std::string out;
    ToStored(encoding, utf8, out);
    return out;
}

bool CanStore(TextEncoding encoding, std::string_view utf8, char32_t* firstMissing) {
    return encoding == TextEncoding::Utf8 || FitsCp1250(utf8, firstMissing);
}

void ToSurface(TextEncoding encoding, std::string_view stored, std::string& out) {
    if (encoding == TextEncoding::Utf8) {
        out.assign(stored);  // kept valid: checked when read, sanitized when set
    } else {
        Cp1250ToUtf8(stored, out);
    }
}

std::string ToSurface(TextEncoding encoding, std::string_view stored) {
    if (encoding == TextEncoding::Utf8) {
        return std::string(stored);
    }
    std::string out;
    Cp1250ToUtf8(stored, out);
    return out;
}

bool Recode(TextEncoding from, TextEncoding to, std::string_view stored, std::string& out) {
    if (from == to) {
        out.assign(stored);
        return true;
    }
    if (to == TextEncoding::Utf8) {
        Cp1250ToUtf8(stored, out);
        return true;
    }
    return Utf8ToCp1250(stored, out, nullptr);
}

}  // namespace quib
