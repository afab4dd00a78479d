// Building containers: what the packer appends to the runtime and what tests feed the reader.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

struct tContainerEntry {
    std::string name;
    std::vector<uint8_t> data;
};

// Appends the entries' data, the entry count, the directory, its length and the trailer to out.
// A name holding a zero byte or sizes beyond 32 bits: std::invalid_argument, out unchanged.
void appendContainer(std::vector<uint8_t>& out, std::span<const tContainerEntry> entries);

inline constexpr size_t kMaxEntryNameLength = 255;

// Why a file the user adds cannot be stored under name; empty when it can. The names beginning
// with '?' and '*' belong to the runtime's own entries.
std::string userEntryNameProblem(std::string_view name);

} // namespace zembrio
