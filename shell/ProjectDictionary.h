// The project dictionary: the names of one natural language, loaded for the language a project declares,
// and the words cached from it at each load.
#pragma once

#include "shell/DictionaryTables.h"

#include <memory>
#include <string>
#include <string_view>

namespace zembrio {

// "" and "*" stand for "english"; other names are lower-cased.
std::string languageName(std::string_view language);

// Loads the language's dictionary: the coded file "<language>.ldx" in the project directory when it has
// entries, else the compiled-in resource of type "LDI". With checkOnly the dictionary is only tried.
// False when neither exists or reading fails; the previous dictionary then stays in force.
bool loadProjectDictionary(std::string_view language, bool checkOnly);

// Installs tables as the project dictionary of language: caches the words taken from it and makes the
// language core read its names through it.
void installProjectDictionary(std::shared_ptr<const TDTables> tables, std::string_view language);

// Forgets the project dictionary: the state at program start (for tests and program end).
void unloadProjectDictionary();

bool isCurrentLanguage(std::string_view language);
std::string projectLanguage(); // lower case; empty until a dictionary is installed
// The installed tables (null before the first load); they stay valid while the caller holds them.
std::shared_ptr<const TDTables> projectDictionary();

// The value of (section, key), empty when absent. With complain, an absent entry is reported as a
// translation error. Without any project dictionary it is an internal error that ends the process.
std::string getStr(std::string_view section, std::string_view key, bool complain);

// The setter form of a name: the language's setter prefix, the name's first word, the setter suffix.
std::string setterFormOf(std::string_view name);

// How the dictionary reports problems: fatal ones end the process once reported. Tests install their own
// handler (which may return) to see the texts; the previous handler is answered.
using tDictionaryAlert = void (*)(const std::string& text, bool fatal);
tDictionaryAlert setDictionaryAlert(tDictionaryAlert alert);

// Something to redo whenever another project dictionary is installed (names of colours, for example).
void onProjectDictionaryInstalled(void (*listener)());

} // namespace zembrio
