// File-system services that the standard library does not offer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zembrio {

// The absolute path of the running executable; empty when the system cannot tell.
std::string ownExecutablePath();
// The path made absolute against the current directory (not resolved further).
std::string absolutePath(const std::string& path);

enum class tNewFileResult { created, exists, failed };

// Creates path only if no file of that name exists and writes bytes into it. A file that cannot be
// written completely is removed again, so a failure never leaves a partial file behind.
tNewFileResult writeNewFile(const std::string& path, std::span<const uint8_t> bytes);

} // namespace zembrio
