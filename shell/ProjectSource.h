// A project file's language and Logo text: an LGF container (language and text chunks) or plain text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zembrio {

struct tProjectSource {
    bool container = false;
    std::string language; // "*" for plain text, "" for a container without a language chunk
    std::string text;     // the Logo text
};

// Reads the file's bytes. Errors: erPackage for a package, erImageFileVersionPlugin for a container
// newer than this runtime, erZembrioProject for a container without text or with broken chunks.
tProjectSource readProjectSource(std::span<const uint8_t> bytes);

} // namespace zembrio
