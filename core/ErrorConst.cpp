#include "core/ErrorConst.h"

namespace zembrio {

namespace {
constexpr std::string_view kIdentifiers[] = {
#define ZEMBRIO_ERROR(id, number) #id,
#include "core/ErrorCatalogue.def"
#undef ZEMBRIO_ERROR
};
static_assert(sizeof(kIdentifiers) / sizeof(kIdentifiers[0]) == kErrorCount);
} // namespace

std::string_view errorIdentifier(int number)
{
    if (number < 0 || number >= kErrorCount)
        return {};
    return kIdentifiers[number];
}

} // namespace zembrio
