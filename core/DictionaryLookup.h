// What the language core asks of the language dictionaries: texts by (section, key). The dictionary
// loader provides the real tables; until one is installed, lookups find nothing.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zembrio {

class tDictionaryLookup {
public:
    virtual ~tDictionaryLookup() = default;
    // The project dictionary (names of the language): false when the entry is absent.
    virtual bool projectText(std::string_view section, std::string_view key, std::string& out) const = 0;
    // The application dictionary (messages and captions): false when absent.
    virtual bool appText(std::string_view section, std::string_view key, std::string& out) const = 0;
    // The setter form of a name: the language's setter prefix and suffix around it.
    virtual std::string setterForm(std::string_view name) const = 0;
};

// The dictionary in force; never null (an empty one until a language is loaded).
const tDictionaryLookup& dictionary();
// Installs a dictionary (nullptr: the empty one). The caller keeps it alive while installed.
void setDictionary(const tDictionaryLookup* lookup);

// Convenience lookups on the dictionary in force.
std::string projectTextOr(std::string_view section, std::string_view key, std::string_view fallback);
std::string appTextOr(std::string_view section, std::string_view key, std::string_view fallback);
// The first word of an entry (its primary spelling), or "@key@" when absent.
std::string primaryName(std::string_view section, std::string_view key);

// Whether the word is one of the spellings of an entry ("@key@" when the entry is absent).
bool isSynonymOf(std::string_view word, std::string_view section, std::string_view key);

// A dictionary held in memory: keys compare by the name comparison. Used by tests and by small
// built-in tables.
class tMemoryDictionary : public tDictionaryLookup {
public:
    void setProject(std::string_view section, std::string_view key, std::string_view text);
    void setApp(std::string_view section, std::string_view key, std::string_view text);
    void setSetterAffixes(std::string prefix, std::string suffix);

    bool projectText(std::string_view section, std::string_view key, std::string& out) const override;
    bool appText(std::string_view section, std::string_view key, std::string& out) const override;
    std::string setterForm(std::string_view name) const override;

private:
    struct tKeyLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    static std::string makeKey(std::string_view section, std::string_view key);
    std::map<std::string, std::string, tKeyLess> m_project, m_app;
    std::string m_setterPrefix = "set", m_setterSuffix;
};

} // namespace zembrio
