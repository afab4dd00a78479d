// Real files for container entries, for the devices (sound, video) that can only play a file path.
#pragma once

#include <string>

namespace zembrio {

// A path holding the bytes of the entry called by name's bare file name: a temporary copy made once
// and reused; a file in the project directory when the container has no such entry. When neither
// exists (or the copy cannot be made): with raise a runtime error with the file name, else "".
std::string temporaryCopy(const std::string& name, bool raise);

// Deletes every temporary copy. Runs by itself at process end.
void deleteTemporaryCopies();

} // namespace zembrio
