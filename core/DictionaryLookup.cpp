#include "core/DictionaryLookup.h"

#include "core/NameCompare.h"

#include <algorithm>
#include <atomic>

namespace zembrio {

namespace {

class tEmptyDictionary final : public tDictionaryLookup {
public:
    bool projectText(std::string_view, std::string_view, std::string&) const override { return false; }
    bool appText(std::string_view, std::string_view, std::string&) const override { return false; }
    std::string setterForm(std::string_view name) const override { return "set" + std::string(name); }
};

const tEmptyDictionary gEmptyDictionary;
std::atomic<const tDictionaryLookup*> gDictionary{&gEmptyDictionary};

} // namespace

const tDictionaryLookup& dictionary()
{
    return *gDictionary.load(std::memory_order_acquire);
}

void setDictionary(const tDictionaryLookup* lookup)
{
    gDictionary.store(lookup ? lookup : &gEmptyDictionary, std::memory_order_release);
}

std::string projectTextOr(std::string_view section, std::string_view key, std::string_view fallback)
{
    std::string out;
    return dictionary().projectText(section, key, out) ? out : std::string(fallback);
}

std::string appTextOr(std::string_view section, std::string_view key, std::string_view fallback)
{
    std::string out;
    return dictionary().appText(section, key, out) ? out : std::string(fallback);
}

std::string primaryName(std::string_view section, std::string_view key)
{
    std::string out;
    if (dictionary().projectText(section, key, out) && !out.empty())
        return out.substr(0, out.find(' '));
    return "@" + std::string(key) + "@";
}

bool isSynonymOf(std::string_view word, std::string_view section, std::string_view key)
{
    std::string entry;
    if (!dictionary().projectText(section, key, entry))
        entry = "@" + std::string(key) + "@";
    size_t pos = 0;
    while (pos <= entry.size()) {
        const size_t end = std::min(entry.find(' ', pos), entry.size());
        if (end > pos && sameName(std::string_view(entry).substr(pos, end - pos), word))
            return true;
        pos = end + 1;
    }
    return false;
}

// Section and key joined by a byte that never occurs in either, so one ordered map holds every section.
std::string tMemoryDictionary::makeKey(std::string_view section, std::string_view key)
{
    std::string k(section);
    k += '\x01';
    k += key;
    return k;
}

bool tMemoryDictionary::tKeyLess::operator()(const std::string& a, const std::string& b) const
{
    return compareNames(a, b) < 0;
}

void tMemoryDictionary::setProject(std::string_view section, std::string_view key, std::string_view text)
{
    m_project[makeKey(section, key)] = std::string(text);
}

void tMemoryDictionary::setApp(std::string_view section, std::string_view key, std::string_view text)
{
    m_app[makeKey(section, key)] = std::string(text);
}

void tMemoryDictionary::setSetterAffixes(std::string prefix, std::string suffix)
{
    m_setterPrefix = std::move(prefix);
    m_setterSuffix = std::move(suffix);
}

bool tMemoryDictionary::projectText(std::string_view section, std::string_view key, std::string& out) const
{
    auto it = m_project.find(makeKey(section, key));
    if (it == m_project.end())
        return false;
    out = it->second;
    return true;
}

bool tMemoryDictionary::appText(std::string_view section, std::string_view key, std::string& out) const
{
    auto it = m_app.find(makeKey(section, key));
    if (it == m_app.end())
        return false;
    out = it->second;
    return true;
}

std::string tMemoryDictionary::setterForm(std::string_view name) const
{
    return m_setterPrefix + std::string(name.substr(0, name.find(' '))) + m_setterSuffix;
}

} // namespace zembrio
