#include "shell/DictionaryTables.h"

#include "shell/CodedStream.h"

#include <algorithm>

namespace zembrio {

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return out;
}

std::string_view trimBlanks(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

const std::string* TDTable::find(std::string_view key) const
{
    auto it = std::lower_bound(pairs.begin(), pairs.end(), key,
                               [](const auto& pair, std::string_view k) { return std::string_view(pair.first) < k; });
    return it != pairs.end() && it->first == key ? &it->second : nullptr;
}

const TDTable* TDTables::section(std::string_view name) const
{
    // The last section whose name is less than or equal to the wanted one; it is the one if the names match.
    auto it = std::upper_bound(sections.begin(), sections.end(), name,
                               [](std::string_view n, const TDTable& t) { return n < std::string_view(t.name); });
    if (it == sections.begin())
        return nullptr;
    --it;
    return it->name == name ? &*it : nullptr;
}

bool TDTables::lookup(std::string_view sectionName, std::string_view key, std::string& out) const
{
    out.clear();
    const TDTable* table = section(lowerAscii(sectionName));
    if (!table)
        return false;
    const std::string* value = table->find(lowerAscii(key));
    if (!value)
        return false;
    out = *value;
    return true;
}

TDTables parseDictionary(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    TDTables tables;
    TDTable* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimBlanks(text.substr(pos, end - pos));
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);

        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &tables.sections.emplace_back();
            current->name = lowerAscii(trimBlanks(line.substr(1, line.size() - 2)));
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos)
            continue;
        std::string key = lowerAscii(trimBlanks(line.substr(0, equals)));
        if (key.empty())
            continue;
        current->pairs.emplace_back(std::move(key), std::string(trimBlanks(line.substr(equals + 1))));
    }
    // A stable sort gives exactly what inserting each item after all that compare less or equal gives.
    for (TDTable& table : tables.sections)
        std::stable_sort(table.pairs.begin(), table.pairs.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    std::stable_sort(tables.sections.begin(), tables.sections.end(),
                     [](const TDTable& a, const TDTable& b) { return a.name < b.name; });
    return tables;
}

TDTables readCodedDictionary(tStream& coded)
{
    tcodedstream plain(coded, tCodedMode::read);
    return parseDictionary(readRemaining(plain));
}

tNamedDictionaryText splitLanguageName(std::string_view plain)
{
    const size_t zero = plain.find('\0');
    if (zero == std::string_view::npos)
        return {plain, {}};
    return {plain.substr(0, zero), plain.substr(zero + 1)};
}

} // namespace zembrio
