#include "core/NameTable.h"

#include "core/DictionaryLookup.h"
#include "core/NameCompare.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace zembrio {

namespace {

struct tCodeRec {
    std::string name;
    tNameCode code;
};

// Guarded by gNamesMutex: names are interned by compiling code in any process.
std::mutex gNamesMutex;
std::vector<tCodeRec> gByName;   // sorted by the name comparison
std::vector<std::string> gByCode; // index = code - 1
std::atomic<uint32_t> gGeneration{1};

std::vector<tCodeRec>::iterator findByName(std::string_view name)
{
    return std::lower_bound(gByName.begin(), gByName.end(), name,
                            [](const tCodeRec& r, std::string_view n) { return compareNames(r.name, n) < 0; });
}

tNameCode internLocked(std::string_view name)
{
    auto it = findByName(name);
    if (it != gByName.end() && compareNames(it->name, name) == 0)
        return it->code;
    const tNameCode code = static_cast<tNameCode>(gByCode.size() + 1);
    gByCode.emplace_back(name);
    gByName.insert(it, tCodeRec{std::string(name), code});
    return code;
}

std::string firstWord(const std::string& text)
{
    return text.substr(0, text.find(' '));
}

// The translation of an internal name given without its mark; false when the dictionary has none.
bool translateInternal(std::string_view rest, std::string& out)
{
    const tDictionaryLookup& dict = dictionary();
    std::string found;
    if (dict.projectText("dict", rest, found) && !found.empty()) {
        out = firstWord(found);
        return true;
    }
    if (rest.size() > 3 && compareNames(rest.substr(0, 3), "set") == 0 && dict.projectText("dict", rest.substr(3), found)
        && !found.empty()) {
        out = dict.setterForm(firstWord(found));
        return true;
    }
    const size_t mark = rest.find(kInternalMark);
    if (mark != std::string_view::npos && mark > 0
        && dict.projectText(rest.substr(0, mark), rest.substr(mark + 1), found) && !found.empty()) {
        out = firstWord(found);
        return true;
    }
    return false;
}

bool isNameChar(unsigned char c)
{
    if (c <= ' ')
        return false;
    return std::string_view("[](){}\"';:*+-/<=>|\\,").find(static_cast<char>(c)) == std::string_view::npos;
}

} // namespace

tNameCode Intern(std::string_view text)
{
    if (text.size() > 1 && text[0] == kInternalMark) {
        std::string translated;
        const std::string_view rest = text.substr(1);
        if (!translateInternal(rest, translated))
            translated = "@" + std::string(rest) + "@";
        std::lock_guard lock(gNamesMutex);
        return internLocked(translated);
    }
    if (text.size() > 1 && text[0] == '#') {
        const std::string_view digits = text.substr(1);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            // The number may be longer than 32 bits: only its value modulo 65536 matters.
            uint32_t mod = 0;
            for (char c : digits)
                mod = (mod * 10 + static_cast<uint32_t>(c - '0')) % 65536;
            return kFirstAnonymousCode + mod;
        }
    }
    std::lock_guard lock(gNamesMutex);
    return internLocked(text);
}

std::string NameOf(tNameCode code)
{
    std::lock_guard lock(gNamesMutex);
    if (code == 0 || code > gByCode.size())
        return "<Unknown name>";
    return gByCode[code - 1];
}

tNameCode FindCode(std::string_view text)
{
    std::lock_guard lock(gNamesMutex);
    auto it = findByName(text);
    if (it != gByName.end() && compareNames(it->name, text) == 0)
        return it->code;
    return 0;
}

std::string Translate(std::string_view text)
{
    if (text.size() < 2 || text[0] != kInternalMark)
        return std::string(text);
    const size_t apostrophe = text.find('\'');
    const std::string_view name = text.substr(1, apostrophe == std::string_view::npos ? text.npos : apostrophe - 1);
    std::string translated;
    if (!translateInternal(name, translated))
        return std::string(text);
    if (apostrophe != std::string_view::npos)
        translated += text.substr(apostrophe);
    return translated;
}

std::string TranslateEmbedded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != kInternalMark) {
            out += text[i++];
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && (isNameChar(static_cast<unsigned char>(text[end])) || text[end] == kInternalMark))
            ++end;
        std::string translated;
        if (end > i + 1 && translateInternal(text.substr(i + 1, end - i - 1), translated))
            out += translated;
        else
            out.append(text.substr(i, end - i));
        i = end;
    }
    return out;
}

std::vector<tNameCode> Aliases(std::string_view internalName)
{
    const tDictionaryLookup& dict = dictionary();
    std::vector<std::string> spellings;
    auto addSpellingsOf = [&](std::string_view key, bool asSetters) {
        std::string entry;
        if (!dict.projectText("dict", key, entry) || entry.find_first_not_of(' ') == std::string::npos) {
            spellings.push_back(asSetters ? dict.setterForm("@" + std::string(key) + "@")
                                          : "@" + std::string(key) + "@");
            return;
        }
        size_t pos = 0;
        while (pos < entry.size()) {
            const size_t end = std::min(entry.find(' ', pos), entry.size());
            if (end > pos) {
                const std::string word = entry.substr(pos, end - pos);
                spellings.push_back(asSetters ? dict.setterForm(word) : word);
            }
            pos = end + 1;
        }
    };
    auto addSectionEntry = [&](std::string_view section, std::string_view key) {
        std::string entry;
        if (dict.projectText(section, key, entry) && !entry.empty())
            spellings.push_back(firstWord(entry));
    };

    if (internalName.size() > 4 && internalName.substr(0, 4) == "set*") {
        addSpellingsOf(internalName.substr(4), true);
        addSectionEntry("set", internalName.substr(4));
    } else if (internalName.size() > 1 && internalName[0] == '*') {
        addSpellingsOf(internalName.substr(1), false);
        addSectionEntry("get", internalName.substr(1));
    } else {
        addSpellingsOf(internalName, false);
    }

    std::vector<tNameCode> codes;
    std::lock_guard lock(gNamesMutex);
    for (const std::string& s : spellings) {
        const tNameCode c = internLocked(s);
        if (std::find(codes.begin(), codes.end(), c) == codes.end())
            codes.push_back(c);
    }
    return codes;
}

void ResetNames()
{
    std::lock_guard lock(gNamesMutex);
    gByName.clear();
    gByCode.clear();
    gGeneration.fetch_add(1, std::memory_order_relaxed);
}

uint32_t NameGeneration()
{
    return gGeneration.load(std::memory_order_relaxed);
}

uint32_t NameCount()
{
    std::lock_guard lock(gNamesMutex);
    return static_cast<uint32_t>(gByCode.size());
}

} // namespace zembrio
