// The container appended to the runtime (or to a package): entry data, entry count, a directory of
// zero-terminated names with 32-bit sizes, the directory's length and the trailer "KOTU".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

struct tExeFilerec {
    std::string name;    // as stored
    uint64_t offset = 0; // of the entry's first byte in the container file
    uint32_t size = 0;
};

inline constexpr std::string_view kContainerTrailer = "KOTU";
inline constexpr std::string_view kPackageHeader = "ZKQ01"; // "ZKQ" and the format version "01"
inline constexpr std::string_view kProjectEntryName = "?project.zbp";
inline constexpr std::string_view kParamsEntryName = "*params.txt";

// The directory at the end of file, or nothing when the bytes do not end in a well-formed container.
// Every bound is checked against the span before it is used, so any bytes are safe to pass.
std::optional<std::vector<tExeFilerec>> parseContainerDirectory(std::span<const uint8_t> file);

// Entry names compare without regard to letter case (the code page's accented letters included).
bool sameEntryName(std::string_view a, std::string_view b);

// The first entry called name, or null.
const tExeFilerec* findEntry(const std::vector<tExeFilerec>& directory, std::string_view name);

} // namespace zembrio
