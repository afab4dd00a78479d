#include "shell/CodedBuffer.h"

namespace zembrio {

std::vector<uint8_t> encodeCoded(std::span<const uint8_t> plain, uint8_t seed)
{
    std::vector<uint8_t> coded;
    coded.reserve(plain.size() + 1);
    coded.push_back(seed);
    uint8_t sum = seed;
    for (uint8_t p : plain) {
        const auto c = static_cast<uint8_t>(p + sum);
        coded.push_back(c);
        sum = static_cast<uint8_t>(sum + c);
    }
    return coded;
}

std::vector<uint8_t> encodeCoded(std::string_view plain, uint8_t seed)
{
    return encodeCoded(std::span(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()), seed);
}

void decodeCodedInPlace(std::span<uint8_t> bytes)
{
    if (bytes.empty())
        return;
    uint8_t sum = bytes[0];
    // Byte i + 1 is read before position i is overwritten, so one pass from the front suffices.
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        const uint8_t c = bytes[i + 1];
        bytes[i] = static_cast<uint8_t>(c - sum);
        sum = static_cast<uint8_t>(sum + c);
    }
}

} // namespace zembrio
