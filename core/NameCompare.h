// The name comparison of words, names and dictionary keys: case- and accent-insensitive, locale-free.
#pragma once

#include <string>
#include <string_view>

namespace zembrio {

// The fixed folding table: a–z onto A–Z and every Windows-1250 letter with a diacritic onto its base capital.
unsigned char foldNameChar(unsigned char c);

// Three-way comparison of two byte strings through the folding table: <0, 0 or >0.
int compareNames(std::string_view a, std::string_view b);
inline bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && compareNames(a, b) == 0;
}

// Each Windows-1250 letter with a diacritic becomes its base letter in the same case ("š" -> "s").
std::string stripAccents(std::string_view text);

} // namespace zembrio
