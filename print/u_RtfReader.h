#pragma once

#include "print/u_RtfDocument.h"

#include <cstddef>
#include <string>
#include <string_view>

// Reads the RTF that print templates are stored in: text, paragraphs, line
// breaks, tabs, 8-bit characters by \ansicpg and \fcharset (Windows-1250 and
// -1252), \uN with \ucN, bold, italic, underline, font size and alignment.
// Everything else is skipped. The reader is bounded by its input: group
// nesting is capped, no number read from the file sizes an allocation, and
// embedded pictures, objects and fields are skipped unread.
namespace rtf {

inline constexpr std::size_t MaxFileSize = 16u * 1024u * 1024u;
inline constexpr int MaxGroupDepth = 100;

enum class ReadStatus {
    Ok,
    NotRtf,    // the bytes do not start with "{\rtf"; read them as plain text
    TooLarge,  // more than MaxFileSize bytes
    TooDeep,   // groups nest deeper than MaxGroupDepth
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    Document document;    // at least one paragraph when status is Ok
    std::string message;  // what is wrong, in English, when status is not Ok
};

bool LooksLikeRtf(std::string_view bytes);

// A file cut short reads as far as it goes.
ReadResult Read(std::string_view bytes);

}  // namespace rtf
