#include "shell/DictionaryWords.h"

#include "core/NameCompare.h"
#include "core/ValueSettings.h"
#include "shell/ProjectDictionary.h"

#include <algorithm>
#include <vector>

namespace zembrio {

namespace {

// Where marker first occurs in text, comparing ASCII letters without regard to case.
size_t findMarker(std::string_view text, std::string_view marker)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    auto it = std::search(text.begin(), text.end(), marker.begin(), marker.end(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

bool isOneOf(std::string_view word, const std::vector<std::string>& words)
{
    return std::any_of(words.begin(), words.end(), [&](const std::string& w) { return sameName(w, word); });
}

} // namespace

std::string dictEntry(std::string_view key)
{
    return getStr("dict", key, true);
}

std::string setEntry(std::string_view key)
{
    return getStr("set", key, false);
}

std::string getEntry(std::string_view key)
{
    return getStr("get", key, false);
}

std::string primaryNameOrEmpty(std::string_view section, std::string_view key)
{
    const std::string value = getStr(section, key, false);
    return value.substr(0, value.find(' '));
}

std::string textEntry(std::string_view key)
{
    std::string text = getStr("text", key, false);
    if (text.empty())
        return "@" + std::string(key) + "@";
    std::string out;
    size_t from = 0;
    for (size_t at = findMarker(text, "\\n"); at != std::string_view::npos;
         at = findMarker(std::string_view(text).substr(from), "\\n")) {
        out.append(text, from, at);
        out += "\r\n";
        from += at + 2;
    }
    out.append(text, from);
    return out;
}

std::string textEntry(std::string_view key, std::string_view arg)
{
    std::string text = textEntry(key);
    const size_t at = findMarker(text, "%s");
    if (at != std::string::npos)
        text.replace(at, 2, arg);
    return text;
}

std::string textEntry(std::string_view key, std::string_view arg1, std::string_view arg2)
{
    std::string text = textEntry(key);
    // Both markers are found in the message itself, so a first argument that happens to hold "%s2" stays
    // as it is.
    size_t at1 = findMarker(text, "%s1");
    size_t at2 = findMarker(text, "%s2");
    if (at1 != std::string::npos && at2 != std::string::npos && at2 < at1) {
        text.replace(at1, 3, arg1);
        text.replace(at2, 3, arg2);
        return text;
    }
    if (at2 != std::string::npos)
        text.replace(at2, 3, arg2);
    if (at1 != std::string::npos)
        text.replace(at1, 3, arg1);
    return text;
}

bool isTrueWord(std::string_view word)
{
    return isOneOf(word, gValueSettings.trueWords);
}

bool isFalseWord(std::string_view word)
{
    return isOneOf(word, gValueSettings.falseWords);
}

std::string booleanWord(bool value)
{
    const auto& words = value ? gValueSettings.trueWords : gValueSettings.falseWords;
    return words.empty() ? std::string(value ? "true" : "false") : words.front();
}

} // namespace zembrio
