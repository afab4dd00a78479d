#include "shell/ContainerWriter.h"

#include "shell/ExeContainer.h"

#include <limits>
#include <stdexcept>

namespace zembrio {

namespace {

void putUInt32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

} // namespace

void appendContainer(std::vector<uint8_t>& out, std::span<const tContainerEntry> entries)
{
    constexpr uint64_t limit = std::numeric_limits<uint32_t>::max();
    uint64_t dirLength = 0;
    for (const auto& entry : entries) {
        if (entry.name.find('\0') != std::string::npos)
            throw std::invalid_argument("entry name holds a zero byte");
        if (entry.data.size() > limit)
            throw std::invalid_argument("entry " + entry.name + " is larger than 4 GiB");
        dirLength += entry.name.size() + 5;
    }
    if (dirLength > limit || entries.size() > limit)
        throw std::invalid_argument("container directory too large");

    for (const auto& entry : entries)
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    putUInt32(out, static_cast<uint32_t>(entries.size()));
    for (const auto& entry : entries) {
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.push_back(0);
        putUInt32(out, static_cast<uint32_t>(entry.data.size()));
    }
    putUInt32(out, static_cast<uint32_t>(dirLength));
    out.insert(out.end(), kContainerTrailer.begin(), kContainerTrailer.end());
}

std::string userEntryNameProblem(std::string_view name)
{
    if (name.empty())
        return "empty entry name";
    if (name.find('\0') != std::string_view::npos)
        return "entry name holds a zero byte";
    if (name.find_first_of("/\\") != std::string_view::npos) // the runtime looks up bare file names only
        return "entry name holds a path delimiter: " + std::string(name);
    if (name.front() == '?' || name.front() == '*')
        return "entry names beginning with '?' or '*' are reserved: " + std::string(name);
    if (name.size() > kMaxEntryNameLength)
        return "entry name longer than " + std::to_string(kMaxEntryNameLength) + " bytes: " + std::string(name);
    return {};
}

} // namespace zembrio
