// Resources compiled into the executable, found by name and upper-case type.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zembrio {

// The resource's bytes as stored (coded), or nothing when the executable holds no such resource.
std::optional<std::vector<uint8_t>> findResource(std::string_view name, std::string_view type);

// Decodes a stored resource where it lies: the text is all but the last byte, which the caller drops.
void decodeResource(std::vector<uint8_t>& bytes);

} // namespace zembrio
