#include "shell/ExeContainer.h"

#include <algorithm>
#include <cstring>

namespace zembrio {

namespace {

constexpr size_t kTailSize = 12;       // entry count, directory length, trailer
constexpr size_t kSmallestRecord = 5;  // an empty name's zero byte and the size

uint32_t readUInt32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Lower case of a Windows-1250 byte; other bytes stay as they are.
unsigned char lowerEntryChar(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return static_cast<unsigned char>(c + 0x10);
    case 0xA3: return 0xB3;
    case 0xA5: return 0xB9;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xBC: return 0xBE;
    default: return c;
    }
}

} // namespace

std::optional<std::vector<tExeFilerec>> parseContainerDirectory(std::span<const uint8_t> file)
{
    const size_t fileSize = file.size();
    if (fileSize < kTailSize)
        return std::nullopt;
    const uint8_t* tail = file.data() + fileSize - 8;
    if (std::memcmp(tail + 4, kContainerTrailer.data(), 4) != 0)
        return std::nullopt;
    const uint64_t dirLength = readUInt32(tail);
    if (dirLength > fileSize - kTailSize)
        return std::nullopt;

    const size_t countAt = fileSize - kTailSize - static_cast<size_t>(dirLength);
    const uint32_t count = readUInt32(file.data() + countAt);
    if (count > dirLength / kSmallestRecord) // cannot all fit: refuse before allocating
        return std::nullopt;

    std::vector<tExeFilerec> directory;
    directory.reserve(count);
    const uint8_t* p = file.data() + countAt + 4;
    const uint8_t* const dirEnd = p + dirLength;
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const auto* zero = static_cast<const uint8_t*>(std::memchr(p, 0, static_cast<size_t>(dirEnd - p)));
        if (!zero || dirEnd - (zero + 1) < 4)
            return std::nullopt;
        tExeFilerec rec;
        rec.name.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(zero - p));
        rec.size = readUInt32(zero + 1);
        total += rec.size;
        directory.push_back(std::move(rec));
        p = zero + 5;
    }
    // Bytes left over mean the count and the length disagree; sizes past the data mean a cut file.
    if (p != dirEnd || total > countAt)
        return std::nullopt;

    uint64_t offset = countAt - total;
    for (auto& rec : directory) {
        rec.offset = offset;
        offset += rec.size;
    }
    return directory;
}

bool sameEntryName(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerEntryChar(static_cast<unsigned char>(x)) == lowerEntryChar(static_cast<unsigned char>(y));
           });
}

const tExeFilerec* findEntry(const std::vector<tExeFilerec>& directory, std::string_view name)
{
    for (const auto& rec : directory)
        if (sameEntryName(rec.name, name))
            return &rec;
    return nullptr;
}

} // namespace zembrio
