#pragma once

#include "print/u_RtfDocument.h"

#include <string>

// Writes a document as RTF that the template reader (and the older program)
// reads back: "{\rtf1\ansi\ansicpg1250 ...}", characters outside ASCII as
// Windows-1250 escapes, or as \uN where Windows-1250 has none. Every
// paragraph ends with \par.
namespace rtf {

std::string Write(const Document& document, const std::string& fontName = "Arial");

}  // namespace rtf
