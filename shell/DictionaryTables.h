// A language dictionary in memory: sections of (key, value) entries parsed from the dictionary text.
#pragma once

#include "core/Stream.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zembrio {

// One section: its lower-case name and its entries sorted by key in byte order; equal keys keep their
// order of appearance.
struct TDTable {
    std::string name;
    std::vector<std::pair<std::string, std::string>> pairs;

    // The value of the first entry with this (already lower-case) key, or null.
    const std::string* find(std::string_view key) const;
};

// The whole dictionary: sections sorted by name in byte order; equal names keep their order of appearance
// (sections are never merged).
struct TDTables {
    std::vector<TDTable> sections;

    // The section a lookup uses: of several with this name, the last in the text. Null when there is none.
    const TDTable* section(std::string_view name) const;
    // Section and key are lower-cased first. False (and out emptied) when the entry is absent.
    bool lookup(std::string_view section, std::string_view key, std::string& out) const;
    bool empty() const { return sections.empty(); }
};

// Parses dictionary text (without the seed byte or a language name). Lenient: lines it cannot use are
// skipped, and a zero byte ends the text.
TDTables parseDictionary(std::string_view text);

// Reads a coded dictionary from the stream's position (the seed byte comes first) and parses it.
// eStreamError when the stream fails.
TDTables readCodedDictionary(tStream& coded);

// An application dictionary's plain text starts with its language name ended by a zero byte.
struct tNamedDictionaryText {
    std::string_view language;
    std::string_view text;
};
tNamedDictionaryText splitLanguageName(std::string_view plain);

// ASCII lower case: section names and keys are plain ASCII words in every language.
std::string lowerAscii(std::string_view text);
// Without the blanks and control characters around it.
std::string_view trimBlanks(std::string_view text);

} // namespace zembrio
