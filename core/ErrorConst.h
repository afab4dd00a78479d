// Runtime error numbers and their identifiers (the message keys of the "errors" dictionary section).
#pragma once

#include <cstdint>
#include <string_view>

namespace zembrio {

enum errorConst : uint8_t {
#define ZEMBRIO_ERROR(id, number) id = number,
#include "core/ErrorCatalogue.def"
#undef ZEMBRIO_ERROR
};

inline constexpr int kErrorCount = 198;

// The identifier of an error number ("erDoNotKnowHowTo"); empty for a number outside the catalogue.
std::string_view errorIdentifier(int number);

} // namespace zembrio
