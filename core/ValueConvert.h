// Conversions shared by the value classes.
#pragma once

#include "core/LogoObject.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zembrio {

// Round half away from zero at double precision; erMinMax (with the 32-bit bounds) when out of range.
int32_t roundRealToInt(long double value, tlogoobject* culprit);

// The text of a word: a text word's own characters, seen in place (words are taken apart character by
// character in loops, and a copy per step makes that quadratic twice over), or the printed form of a number
// or boolean. The word must outlive the view. erExpectWord for a list or an object.
class tWordText {
public:
    explicit tWordText(tlogoobject* word);
    tWordText(const tWordText&) = delete;
    tWordText& operator=(const tWordText&) = delete;
    std::string_view view() const { return m_view; }

private:
    std::string m_printed;
    std::string_view m_view;
};

} // namespace zembrio
