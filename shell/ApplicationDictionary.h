// The application dictionary: the texts the runtime shows (messages, error texts, captions), in the
// language of the project being started. It is chosen and loaded once, at its first use.
#pragma once

#include "shell/DictionaryTables.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zembrio {

// The language the application dictionary is chosen for; start-up sets it from the project before the
// first text is asked for. "" and "*" stand for "english", the default.
void setApplicationLanguageHint(std::string language);

// The entry's value with every "¶" turned into CR LF; empty when absent or when no application dictionary
// could be loaded. An entry that exists sets the calling thread's found flag.
std::string appText(std::string_view section, std::string_view key);
// The same, answering whether the entry exists.
bool lookupAppText(std::string_view section, std::string_view key, std::string& out);

// The calling thread's found flag.
bool appTextFound();
void clearAppTextFound();

// Texts of section "strings"; the second form puts arg in place of the value's "%s".
std::string appString(std::string_view key);
std::string appString(std::string_view key, std::string_view arg);

// Clears the found flag, then answers the first non-empty value of key among the sections, in order.
std::string appTextInSections(std::span<const std::string> sections, std::string_view key);

std::string applicationLanguage(); // lower case; "english" until the dictionary is loaded
bool isApplicationLanguage(std::string_view name);

// The choice itself, from a table of coded dictionaries (each one starting with its language name): the
// first whose name matches the wanted language, else the first of all. No tables when nothing parses.
struct tApplicationDictionary {
    std::shared_ptr<const TDTables> tables;
    std::string language; // the wanted one, lower case, even when the default had to stand in
};
tApplicationDictionary chooseApplicationDictionary(std::string_view wanted,
                                                   std::span<const std::span<const uint8_t>> blobs);

// The runtime loads the application dictionary once per process. Tests put their own in its place, or drop
// it so that the next text loads it again (after another language hint).
void installApplicationDictionary(tApplicationDictionary dictionary);
void forgetApplicationDictionary();

} // namespace zembrio
