// Lookups in the project dictionary by what the callers want: names of a section, primary names, message
// texts, the words for true and false. The spelling tests and the "@key@" primary name live in
// core/DictionaryLookup.h (isSynonymOf, primaryName); internal names translate through core/NameTable.h.
#pragma once

#include <string>
#include <string_view>

namespace zembrio {

// Section shorthands: the local names of a primitive (reported when absent), of a setter, of a getter.
std::string dictEntry(std::string_view key);
std::string setEntry(std::string_view key);
std::string getEntry(std::string_view key);

// The first word of an entry; empty when the entry is absent or empty, for callers that test for absence.
std::string primaryNameOrEmpty(std::string_view section, std::string_view key);

// Message texts of section "text" ("@key@" when absent or empty) with "\n" (either case) turned into
// CR LF. The second form puts arg in place of the first "%s", the third arg1 and arg2 in place of the first
// "%s1" and "%s2"; markers are found in either letter case.
std::string textEntry(std::string_view key);
std::string textEntry(std::string_view key, std::string_view arg);
std::string textEntry(std::string_view key, std::string_view arg1, std::string_view arg2);

// Whether the word is one of the language's words for true (or false), by the name comparison.
bool isTrueWord(std::string_view word);
bool isFalseWord(std::string_view word);
// The language's word for a boolean: the first of its spellings.
std::string booleanWord(bool value);

} // namespace zembrio
