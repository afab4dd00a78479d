// Interned names: every name the interpreter deals with becomes a 32-bit code once, so lookups are
// array indices and names are compared only when interned.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

using tNameCode = uint32_t;

inline constexpr char kInternalMark = '\xB7';
// Codes from here up are anonymous numbered names ("#n"); they never enter a name or method table.
inline constexpr tNameCode kFirstAnonymousCode = 2147483647u;

inline bool isAnonymousCode(tNameCode code)
{
    return code >= kFirstAnonymousCode;
}

// Interns a name: "·" names are translated first (an untranslatable one becomes "@name@"), "#n" gives
// an anonymous code, anything else is looked up by the name comparison and added when new.
tNameCode Intern(std::string_view text);
// The name of a code, or "<Unknown name>".
std::string NameOf(tNameCode code);
// The code of a name without interning it; 0 when it has none.
tNameCode FindCode(std::string_view text);

// The language's spelling of a word that starts with "·" (a suffix from the first apostrophe is kept);
// a word without a translation is returned unchanged.
std::string Translate(std::string_view text);
// Every "·" name inside a longer text replaced by its translation.
std::string TranslateEmbedded(std::string_view text);
// Every code under which a built-in registered with this internal name (without its mark) answers.
std::vector<tNameCode> Aliases(std::string_view internalName);

// Discards every interned name; done at each language load, before the fixed names are interned again.
void ResetNames();
// Number of interned names.
uint32_t NameCount();
// Changes at every ResetNames: codes cached on values are valid only within one generation.
uint32_t NameGeneration();

} // namespace zembrio
