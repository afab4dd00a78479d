// Numbers to text and back, independent of the machine's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zembrio {

// A 32-bit decimal integer: optional sign, digits only.
bool parseInt32(std::string_view text, int32_t& value);

// An extended real: optional sign, digits with at most one decimal point (the given separator or "."),
// optional exponent "E"/"e" with optional sign. Out-of-range values are not numbers.
bool parseReal(std::string_view text, char decimalSeparator, long double& value);

void appendInt(int32_t value, std::string& out);

// At most 6 significant digits, fixed notation for 0.0001 <= |x| < 1000000, else mantissa "E" exponent.
void appendRealPrintForm(long double value, char decimalSeparator, std::string& out);

// The same layout with as many digits as it takes to read back the very same value.
void appendRealSourceForm(long double value, char decimalSeparator, std::string& out);

} // namespace zembrio
