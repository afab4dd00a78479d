// The coding of dictionaries and compiled-in resources, on whole buffers. Kept free of every other unit so
// that the build-time converter can compile it on its own.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zembrio {

// The coded form of plain: the seed byte, then each plain byte p stored as (p + W) mod 256, where W is the
// sum of all bytes stored so far (the seed included).
std::vector<uint8_t> encodeCoded(std::span<const uint8_t> plain, uint8_t seed);
std::vector<uint8_t> encodeCoded(std::string_view plain, uint8_t seed);

// Decodes a whole coded buffer where it lies: the plain text ends up in the first size - 1 bytes; the last
// byte is left over and means nothing (callers drop it). Buffers of 0 or 1 byte hold no text.
void decodeCodedInPlace(std::span<uint8_t> bytes);

} // namespace zembrio
