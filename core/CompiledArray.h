// A list (or a word's text) compiled once into a flat array of elements and cached on the value.
#pragma once

#include "core/Descriptors.h"
#include "core/NameTable.h"

#include <cstdint>
#include <vector>

namespace zembrio {

class tLogoList;

// Compile modes.
inline constexpr uint8_t kCompileInstructions = 0;
inline constexpr uint8_t kCompileBody = 2;     // a list of lines, compiled as one sequence
inline constexpr uint8_t kCompileCaseTable = 3; // regrouped into (item list) pairs, kept as one constant

struct tElement {
    uint8_t kind;         // ElementTypes
    bool afterParen;      // follows "(" directly or with only prefixes between
    tNameCode code;       // names, operators, variables, prefixes
    tlogoobject* value;   // constants (counted)
};

// Counted by its owners (the cache and every run walking it), so a list may be recompiled, reassigned
// or freed while it runs.
struct tCompiledArray {
    int32_t refs = 0;
    uint8_t mode = 0;
    std::vector<tElement> elements; // the last one is etEnd

    ~tCompiledArray();
};

inline void retainArray(tCompiledArray* a)
{
    if (a)
        ++a->refs;
}
inline void releaseArray(tCompiledArray* a)
{
    if (a && --a->refs < 1)
        delete a;
}

// Holds one count on an array for a scope.
class tArrayRef {
public:
    explicit tArrayRef(tCompiledArray* a) : m_array(a) { retainArray(a); }
    ~tArrayRef() { releaseArray(m_array); }
    tArrayRef(const tArrayRef&) = delete;
    tArrayRef& operator=(const tArrayRef&) = delete;
    tCompiledArray* get() const { return m_array; }

private:
    tCompiledArray* m_array;
};

// Builds a fresh array (count 0) from a list in the given mode.
tCompiledArray* compileListItems(tLogoList* list, uint8_t mode);
// How many elements one list item compiles into (prefixes make more than one).
int32_t elementCountOf(tlogoobject* item);

// Words that the compiler treats specially, from the language: the usual prefix and the main class name.
void setCompilerWords(std::string usualPrefix, std::string mainClassName);

} // namespace zembrio
