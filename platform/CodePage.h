// The runtime's text is bytes in a single-byte code page (Windows-1250); the edges of the system
// (standard output, file names, the window system) speak UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zembrio {

std::string codePageToUtf8(std::string_view text);
// False (and `bad` set to the byte offset) when the text is not UTF-8 or holds a character the code
// page lacks.
bool utf8ToCodePage(std::string_view text, std::string& out, size_t& bad);

} // namespace zembrio
