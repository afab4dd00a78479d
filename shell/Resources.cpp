#include "shell/Resources.h"

#include "shell/BuiltinResources.h"
#include "shell/CodedBuffer.h"

namespace zembrio {

namespace {

// Resource names and types compare without regard to ASCII letter case.
bool sameResourceName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; };
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> findResource(std::string_view name, std::string_view type)
{
    for (const tBuiltinResource& res : builtinResources())
        if (sameResourceName(res.name, name) && sameResourceName(res.type, type))
            return std::vector<uint8_t>(res.bytes.begin(), res.bytes.end());
    return std::nullopt;
}

void decodeResource(std::vector<uint8_t>& bytes)
{
    decodeCodedInPlace(bytes);
}

} // namespace zembrio
