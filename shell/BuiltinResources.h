// The resources compiled into the executable. The build generates their definitions from resources/
// (see resources/Resources.cmake); all of them are stored coded.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zembrio {

struct tBuiltinResource {
    std::string_view name; // upper case
    std::string_view type; // upper case
    std::span<const uint8_t> bytes;
};

// Every named resource: the project dictionaries (type "LDI", named by their language in upper case) and
// whatever else the build compiles in.
std::span<const tBuiltinResource> builtinResources();

// The application dictionaries, each one coded text starting with its language name and a zero byte.
// The first is the default.
std::span<const std::span<const uint8_t>> builtinApplicationDictionaries();

} // namespace zembrio
