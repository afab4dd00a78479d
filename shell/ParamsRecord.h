// The runtime parameters entry "*params.txt": a 15-byte record whose byte 13 switches speech on.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zembrio {

inline constexpr size_t kParamsRecordSize = 15;
inline constexpr size_t kParamsSpeechByte = 13;

// The speech flag of a record; nothing when the record is too short to hold one.
std::optional<bool> parseParamsRecord(std::span<const uint8_t> record);

// A record as the packer writes it: the count of following bytes (11), zeros, the speech flag, reserved 0.
std::vector<uint8_t> makeParamsRecord(bool speech);

// Sets the start-up state's speech flag from the container's record; a missing or short record
// leaves the default (embedded mode) in place.
void readParameters();

} // namespace zembrio
