// Resolving the file names a project asks for to resources, the clipboard, container entries or disk files.
#pragma once

#include "core/Stream.h"

#include <memory>
#include <string>
#include <string_view>

namespace zembrio {

inline constexpr std::string_view kProjectExtension = ".zbp";

// Everything after the last path delimiter. Projects made on Windows write '\', so it counts too.
std::string fileNamePart(std::string_view name);

// The extension of a file name with its dot ("a.b.wav" -> ".wav"); empty when there is none.
std::string fileExtension(std::string_view fileName);

struct tResourceName {
    std::string name;
    std::string type; // upper case
};
// The resource a "*" file name stands for: "*project.zbp" -> ("*project", "ZBP"), "*lib.txt" -> ("lib", "TXT"),
// "*lib" -> ("lib", "ZBP").
tResourceName resourceNameOf(std::string_view starName);

// A stream at position 0 over the file the project calls name. Failures are runtime errors:
// erFileName (an unknown resource), erClipboard, erNoEmbeddedFileEXE / erNoEmbeddedFilePlugin with the bare
// file name, erFileProblem with name for anything else.
std::unique_ptr<tStream> openProjectFile(const std::string& name);

} // namespace zembrio
