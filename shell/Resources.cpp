#include "shell/Resources.h"

namespace zembrio {

// No resources are compiled in yet; the build adds the built-in library and dictionaries here.
std::optional<std::vector<uint8_t>> findResource(std::string_view, std::string_view)
{
    return std::nullopt;
}

// Identity until the coded-stream decoder arrives together with the first resources.
void decodeResource(std::vector<uint8_t>&)
{
}

} // namespace zembrio
